#include "analysis/AnalysisEntry.h"

#include "analysis/Aging.h"
#include "analysis/Analysis.h"
#include "analysis/AnalysisRows.h"
#include "format/Messages.h"
#include "format/NumberFormat.h"
#include "format/NumberReader.h"
#include "format/StrPrintf.h"
#include "materials/PowderMaterialModel.h"
#include "settings/DesignParameters.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <span>

namespace korvane {

namespace {

constexpr std::string_view kPartNumberCharacters = "ABCDEG HI MTS0123456789-/";
constexpr std::string_view kNumberCharacters = " .0123456789#";
constexpr std::string_view kShapeLetters = "EST";
constexpr const char* kEntryErrorCaption = "DATA ENTRY ERROR";
constexpr const char* kAnalysisErrorCaption = "PROGRAM ERROR ";
constexpr float kLargestGauge = 50.0F;
constexpr float kSmallestGauge = -3.0F;

std::size_t index(AnalysisField field) {
    return static_cast<std::size_t>(field);
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Whole turns of a design for "%d", defined for any stored value.
int truncatedTurns(float turns) {
    if (!(turns >= 0.0F)) {
        return 0;
    }
    return static_cast<int>(std::min(static_cast<double>(turns), 1e9));
}

} // namespace

PartNumberTyping partNumberTyping(std::string_view text) {
    PartNumberTyping typed;
    typed.text.reserve(text.size());
    for (char c : text) {
        typed.text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const std::size_t bad = typed.text.find_first_not_of(kPartNumberCharacters);
    if (bad != std::string::npos) {
        showMessage(strprintf("INVALID CHARACTER %1s", typed.text.substr(bad).c_str()), "ERROR");
        typed.error = true;
    }
    return typed;
}

PartNumberCheck checkPartNumber(std::string_view pn) {
    PartNumberCheck check;
    if (pn.empty() || kShapeLetters.find(pn.front()) == std::string_view::npos) {
        check.messages += strprintf("\n MISSING %s in CORE PART NUMBER", "EST");
    } else {
        std::size_t end = 0;
        while (end < pn.size() &&
               (kShapeLetters.find(pn[end]) != std::string_view::npos || isDigit(pn[end]))) {
            ++end;
        }
        const std::string_view lead = pn.substr(0, end);
        check.eCore = lead.find('E') != std::string_view::npos;
        if (std::none_of(lead.begin(), lead.end(), isDigit)) {
            check.messages += "\n MISSING SIZE Digits in CORE PART NUMBER";
        }
    }
    const std::size_t dash = pn.find('-');
    if (dash == std::string_view::npos) {
        check.messages += "\n MISSING DASH (-) IN CORE PART NUMBER";
    } else {
        std::size_t end = dash + 1;
        while (end < pn.size() && (isDigit(pn[end]) || pn[end] == 'M')) {
            ++end;
        }
        check.material = std::string(pn.substr(dash + 1, end - dash - 1));
        if (check.material.empty()) {
            check.messages += "\n MISSING MATERIAL CODE in CORE PART NUMBER";
        }
    }
    return check;
}

std::string designWireText(const WireRecord& wire) {
    const double size = wire.size;
    switch (wire.system) {
    case WireSystem::Metric:
        return strprintf("%5.2f %s", size, "mm");
    case WireSystem::Swg:
        return strprintf("%2.0f %s", size, "SWG");
    case WireSystem::Awg:
        break;
    }
    if (size > 0.0) {
        return strprintf("#%2.0f %s", size, "AWG");
    }
    // Gauge 0 is #0, -1 (2/0) is #00, down to -3 (4/0) #0000.
    const double zeros = std::clamp(std::floor(1.0 - size), 1.0, 31.0);
    return "#" + std::string(static_cast<std::size_t>(zeros), '0') + " AWG";
}

AnalysisEntry::AnalysisEntry(const DesignParameters& parameters, const CoreCatalog& catalog,
                             const PowderMaterialModel& model)
    : parameters_(parameters), catalog_(catalog), model_(model),
      electrical_(storedElectricalRows()), mechanical_(storedMechanicalRows()) {
    texts_[index(AnalysisField::StackCount)] = "Int";
    texts_[index(AnalysisField::Strands)] = "Int";
}

const std::string& AnalysisEntry::text(AnalysisField field) const {
    return texts_[index(field)];
}

void AnalysisEntry::setText(AnalysisField field, std::string text) {
    texts_[index(field)] = std::move(text);
}

void AnalysisEntry::setUpFromResult(Application application, WindingType winding,
                                    const DesignCandidate* design, const Requirement& r) {
    application_ = application;
    winding_ = winding;
    wire_.system = WireSystem::Awg;
    auto set = [this](AnalysisField f, std::string t) { texts_[index(f)] = std::move(t); };
    if (design != nullptr) {
        set(AnalysisField::PartNumber, design->partNumber);
        set(AnalysisField::StackCount, formatFixed(design->stackCount));
        set(AnalysisField::Turns, strprintf("%d", truncatedTurns(design->turns)));
        set(AnalysisField::Strands, strprintf("%d", design->strands));
        set(AnalysisField::Wire, designWireText(design->wire));
        wire_.system = design->wire.system;
        wire_.size = design->wire.size;
    } else {
        set(AnalysisField::PartNumber, "");
        set(AnalysisField::StackCount, "1");
        set(AnalysisField::Strands, "1");
    }
    auto value = [](float v) { return strprintf("%6.2f", static_cast<double>(v)); };
    set(AnalysisField::Ambient, strprintf("%6.1f", static_cast<double>(r.Ta)));
    switch (application) {
    case Application::DcBiased:
    case Application::ControlledSwing:
    case Application::WideSwing:
        set(AnalysisField::Current, value(r.I1peak));
        set(AnalysisField::Voltage1, value(r.Von));
        set(AnalysisField::Voltage2, value(r.Voff));
        set(AnalysisField::Frequency, strprintf("%6.1f", static_cast<double>(r.fkHz)));
        break;
    case Application::PfcBoost:
        set(AnalysisField::Current, value(r.I1peak));
        set(AnalysisField::Voltage1, value(r.Vpfc2));
        set(AnalysisField::Voltage2, value(r.Vpfc1));
        set(AnalysisField::Frequency, strprintf("%6.1f", static_cast<double>(r.fkHz)));
        break;
    case Application::Line60Hz:
        set(AnalysisField::Current, value(r.I1rms));
        set(AnalysisField::Frequency, strprintf("%6.2f", static_cast<double>(r.fHz)));
        break;
    case Application::Resonant:
        set(AnalysisField::Current, value(r.Ipk));
        set(AnalysisField::Voltage1, value(r.Vpk));
        set(AnalysisField::Frequency, strprintf("%6.2f", static_cast<double>(r.fkHz)));
        break;
    }
}

bool AnalysisEntry::characterCheck() const {
    for (std::size_t field = index(AnalysisField::Turns); field < kAnalysisFieldCount; ++field) {
        const auto f = static_cast<AnalysisField>(field);
        if ((application_ == Application::Line60Hz &&
             (f == AnalysisField::Voltage1 || f == AnalysisField::Voltage2)) ||
            (application_ == Application::Resonant && f == AnalysisField::Voltage2)) {
            continue; // hidden for this application: neither checked nor read
        }
        const std::string text(leadingChars(texts_[field], kAnalysisReadLength));
        // The ambient may start with a minus sign, also after the blanks that "%6.1f" puts in
        // front of a set-up temperature such as " -20.0".
        const std::size_t signAt = text.find_first_not_of(' ');
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool sign = f == AnalysisField::Ambient && i == signAt && text[i] == '-';
            if (!sign && kNumberCharacters.find(text[i]) == std::string_view::npos) {
                showMessage(strprintf("INVALID CHARACTER in position %2d in Parameter%2d.  %s ",
                                      static_cast<int>(i + 1), static_cast<int>(field),
                                      text.c_str()),
                            kEntryErrorCaption);
                return false;
            }
        }
    }
    return true;
}

void AnalysisEntry::readConditions() {
    auto read = [this](AnalysisField f, float& into) {
        scanFloat(leadingChars(texts_[index(f)], kAnalysisReadLength), into);
    };
    Requirement& r = conditions_;
    r.application = application_;
    r.windingType = winding_;
    switch (application_) {
    case Application::DcBiased:
    case Application::ControlledSwing:
    case Application::WideSwing:
        read(AnalysisField::Current, r.I1peak);
        read(AnalysisField::Voltage1, r.Von);
        read(AnalysisField::Voltage2, r.Voff);
        read(AnalysisField::Frequency, r.fkHz);
        break;
    case Application::PfcBoost:
        read(AnalysisField::Current, r.I1peak);
        read(AnalysisField::Voltage1, r.Vpfc2);
        read(AnalysisField::Voltage2, r.Vpfc1);
        read(AnalysisField::Frequency, r.fkHz);
        break;
    case Application::Line60Hz:
        read(AnalysisField::Current, r.I1rms);
        read(AnalysisField::Frequency, r.fHz);
        r.fkHz = static_cast<float>(static_cast<double>(r.fHz) * 0.001);
        break;
    case Application::Resonant:
        read(AnalysisField::Current, r.Ipk);
        read(AnalysisField::Voltage1, r.Vpk);
        read(AnalysisField::Frequency, r.fkHz);
        break;
    }
    r.I1 = r.I1peak; // the record keeps I1peak a copy of I1
    read(AnalysisField::Ambient, r.Ta);
    read(AnalysisField::Hidden, candidate_.lineFrequency);
}

void AnalysisEntry::clearValues() {
    for (ResultRow& row : electrical_) {
        row.value = 0.0F;
    }
    for (ResultRow& row : mechanical_) {
        row.value = 0.0F;
    }
}

AnalysisOutcome AnalysisEntry::ok() {
    // 1. Read back; an ambient below -100 C is taken (and shown) as -100.
    std::string& pnText = texts_[index(AnalysisField::PartNumber)];
    const std::string partNumber(leadingChars(pnText, kPartNumberReadLength));
    std::string& ambient = texts_[index(AnalysisField::Ambient)];
    float ta = 0.0F;
    if (scanFloat(leadingChars(ambient, kAnalysisReadLength), ta) && ta < kLowestAmbient) {
        ambient = strprintf("%4.0f", static_cast<double>(kLowestAmbient));
    }

    // 2. Characters of the number fields.
    if (!characterCheck()) {
        return AnalysisOutcome::Refused;
    }

    // 3. The wire (parseWireSize reports an invalid size itself) and the part number.
    std::string& wireText = texts_[index(AnalysisField::Wire)];
    wireText = parseWireSize(leadingChars(wireText, kAnalysisReadLength), wire_);
    pnText = partNumber;
    if (wire_.refused) {
        // Its message is shown. No later check would stop a strip without a size, a NaN gauge
        // or a metric size below the table: the analysis would report a table lookup error.
        return AnalysisOutcome::Refused;
    }

    // 4. Strands, turns, frequency and stack count.
    auto field = [this](AnalysisField f) {
        return leadingChars(texts_[index(f)], kAnalysisReadLength);
    };
    scanInt(field(AnalysisField::Strands), candidate_.strands);
    scanFloat(field(AnalysisField::Turns), candidate_.turns);
    scanFloat(field(AnalysisField::Frequency), candidate_.frequency);
    scanFloat(field(AnalysisField::StackCount), candidate_.stackCount);

    // 5. and 6. The part number.
    if (partNumber.size() <= 4) {
        showMessage(strprintf("MISSING OR INCOMPLETE CORE PART NUMBER %s ", partNumber.c_str()),
                    kEntryErrorCaption);
        return AnalysisOutcome::Refused;
    }
    const PartNumberCheck check = checkPartNumber(partNumber);
    if (!check.accepted()) {
        showMessage(check.messages, kEntryErrorCaption);
        return AnalysisOutcome::Refused;
    }
    eCore_ = check.eCore;
    material_ = check.material;

    // 7. Turns, strands, stacking and the gauge.
    if (!(candidate_.stackCount > 0.0F)) {
        candidate_.stackCount = 1.0F;
    }
    std::string essential;
    if (!(candidate_.turns >= 0.5F) ||
        !(static_cast<double>(candidate_.strands) * candidate_.stackCount >= 0.1)) {
        essential = "CHECK TURNS, STRANDS, STACKED CORES";
    }
    if (wire_.size < kSmallestGauge || wire_.size > kLargestGauge) {
        essential = "WIRE GAGE is OUT OF RANGE";
    }
    if (!essential.empty()) {
        showMessage(essential, "ESSENTIAL DATA MISSING");
        return AnalysisOutcome::Refused;
    }

    // 8. The design and its operating conditions.
    candidate_.partNumber = partNumber;
    candidate_.wire.system = wire_.system;
    candidate_.wire.size = wire_.size;
    readConditions();

    // 9. Labels, analysis and rows.
    const ElectricalRows stored = storedElectricalRows();
    for (std::size_t i = 0; i < electrical_.size(); ++i) {
        electrical_[i].label = stored[i].label;
        electrical_[i].format = stored[i].format;
        electrical_[i].units = stored[i].units;
    }
    agingComputed_ = false;
    electricalCount_ = static_cast<int>(kElectricalRows);
    resetAnalysisResults(candidate_);
    result_ = calc_analysis(application_, AnalysisWindowInputs{parameters_, wire_.stripFlag}, core_,
                            candidate_, conditions_, catalog_, model_);
    if (result_ < 1) {
        // Every row is cleared, electrical 13 and 14 and mechanical 13 to 16 too: both pages
        // draw them after a failure, and they would show the last design's aging and winding.
        clearValues();
    } else {
        fillElectricalRows(electrical_, candidate_);
        fillMechanicalRows(mechanical_, core_, candidate_);
    }

    // 10. The electrical page.
    if (application_ == Application::PfcBoost) {
        electrical_[5].label = "AVG. AC FLUX DENSITY";
    }
    if (result_ >= 1) {
        electricalCount_ = 13;
        if (model_.agingMatters(partNumber) != 0) {
            calc_aging_rows(application_, parameters_, core_, candidate_, conditions_, model_,
                            electrical_);
            agingComputed_ = true;
            electricalCount_ = static_cast<int>(kElectricalRows);
        }
    }
    if (result_ >= 1 && !resultsShowable()) {
        clearValues();
        agingComputed_ = false;
        electricalCount_ = 13;
        return AnalysisOutcome::Failed;
    }
    return result_ >= 1 ? AnalysisOutcome::Analysed : AnalysisOutcome::Failed;
}

bool AnalysisEntry::resultsShowable() const {
    const auto electrical =
        std::span<const ResultRow>(electrical_).first(static_cast<std::size_t>(electricalCount_));
    for (const auto& rows : {electrical, std::span<const ResultRow>(mechanical_)}) {
        for (const ResultRow& row : rows) {
            if (!rowShowable(row, parameters_)) {
                // Turns, currents or frequencies so large that a result overflows or runs
                // past what the page can print: refused rather than shown wrong.
                showMessage(strprintf("THE ANALYSIS RESULT %s IS OUT OF RANGE AND CANNOT BE "
                                      "SHOWN.  CHECK TURNS, CURRENT, VOLTAGES AND FREQUENCY.",
                                      row.label.c_str()),
                            kAnalysisErrorCaption);
                return false;
            }
        }
    }
    return true;
}

} // namespace korvane
