#include "analysis/AnalysisLabels.h"

#include "analysis/Crypto.h"

namespace korvane {

namespace {

constexpr int kModulus = 256;

std::string unscrambled(std::string_view stored) {
    std::string text;
    unscramble_text(text, stored, kLabelStep, 0, kLabelOffset, kModulus);
    return text;
}

// Formats are stored plain and pass through the same routine with step and offset 0.
std::string plainFormat(std::string_view stored) {
    std::string text;
    unscramble_text(text, stored, 0, 0, 0, kModulus);
    return text;
}

EntryLabel stored(std::size_t row) {
    const StoredEntryLabel& s = kStoredEntryLabels[row];
    return {unscrambled(s.label), unscrambled(s.units), true};
}

EntryLabel withLabel(std::string_view label, EntryLabel row) {
    row.label = std::string(label);
    return row;
}

const EntryLabel kHidden{"", "", false};

// Rows of the stored entry table.
enum EntryRow : std::size_t {
    PartNumberRow = 0,
    WireRow = 1,
    TurnsRow = 2,
    DcCurrentRow = 3,
    FirstVoltageRow = 4,
    SecondVoltageRow = 5,
    SwitchingFrequencyRow = 6,
    AmbientRow = 7,
    PfcCurrentRow = 8,
    PfcInputRow = 9,
    PfcOutputRow = 10,
    RmsCurrentRow = 11,
    LineFrequencyRow = 12,
    ResonantFrequencyRow = 13,
    ResonantCurrentRow = 14,
};

constexpr std::array<std::string_view, kApplicationCount> kAnalysisTitles = {
    "DC BIASED OUTPUT FILTER INDUCTOR", "CONTROLLED INDUCTANCE SWING INDUCTOR",
    "WIDE INDUCTANCE SWING INDUCTOR",   "POWER FACTOR BOOST INDUCTOR",
    "POWERLINE REQUENCY INDUCTOR",      "RESONANT CONVERTER INDUCTOR"};

} // namespace

std::array<EntryLabel, 9> entryLabels(Application application) {
    std::array<EntryLabel, 9> rows{stored(PartNumberRow),
                                   stored(WireRow),
                                   stored(TurnsRow),
                                   kHidden,
                                   kHidden,
                                   kHidden,
                                   stored(SwitchingFrequencyRow),
                                   stored(AmbientRow),
                                   kHidden};
    switch (application) {
    case Application::DcBiased:
    case Application::ControlledSwing:
    case Application::WideSwing:
        rows[3] = stored(DcCurrentRow);
        rows[4] = withLabel("PEAK INDUCTOR VOLTAGE", stored(FirstVoltageRow));
        rows[5] = stored(SecondVoltageRow);
        break;
    case Application::PfcBoost:
        rows[3] = stored(PfcCurrentRow);
        rows[4] = withLabel("PEAK REGULATOR INPUT VOLTAGE  ", stored(PfcInputRow));
        rows[5] = stored(PfcOutputRow);
        break;
    case Application::Line60Hz:
        rows[3] = stored(RmsCurrentRow);
        rows[6] = stored(LineFrequencyRow);
        break;
    case Application::Resonant:
        rows[3] = withLabel("PEAK CURRENT", stored(ResonantCurrentRow));
        rows[4] = {"PEAK VOLTAGE", "VOLTS", true};
        rows[6] = stored(ResonantFrequencyRow);
        break;
    }
    return rows;
}

ElectricalRows storedElectricalRows() {
    ElectricalRows rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const StoredResultRow& s = kStoredElectricalRows[i];
        rows[i] = {unscrambled(s.label), plainFormat(s.format), 0.0F, unscrambled(s.units)};
    }
    return rows;
}

MechanicalRows storedMechanicalRows() {
    return {{{"CORE OD", "%6.3f", 0.0F, "INCH"},
             {"CORE ID", "%6.3f", 0.0F, "INCH"},
             {"CORE HEIGHT", "%6.3f", 0.0F, "INCH"},
             {"CORE WEIGHT", "%6.3f", 0.0F, "Lbs"},
             {"CORE VOLUME", "%6.3f", 0.0F, "Cubic cm"},
             {"MAGNETIC Ac", "%6.3f", 0.0F, "Sq cm"},
             {"MAGNETIC Lm", "%6.3f", 0.0F, "cm"},
             {"WIRE DIA", "%6.3f", 0.0F, "INCH"},
             {"WIRE LENGTH", "%6.1f", 0.0F, "Ft"},
             {"WIRE WEIGHT", "%6.3f", 0.0F, "Lbs"},
             {"SURFACE AREA", "%6.2f", 0.0F, "Sq cm"},
             {"TOT LOSSES", "%6.3f", 0.0F, "WATTS"},
             {"TEMP RISE", "%6.2f", 0.0F, "DEG. C"},
             {"WINDING BUILD", "%6.3f", 0.0F, "INCH"},
             {"WINDOW FILL", "%6.1f", 0.0F, "PERCENT"},
             {"WOUND OD", "%6.3f", 0.0F, "INCH"},
             {"WOUND HEIGHT", "%6.3f", 0.0F, "INCH"}}};
}

std::string_view analysisApplicationTitle(Application application) {
    const int i = toIndex(application);
    if (i < 0 || i >= kApplicationCount) {
        return {};
    }
    return kAnalysisTitles[static_cast<std::size_t>(i)];
}

std::string analysisTitle(Application application) {
    return std::string(analysisApplicationTitle(application)) + " ANALYSIS";
}

} // namespace korvane
