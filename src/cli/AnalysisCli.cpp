#include "AnalysisCli.h"

#include "PageExportCli.h"
#include "analysis/AnalysisRows.h"
#include "engine/WireSize.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "format/Trimmed.h"
#include "graphs/AnalysisPageDrawing.h"
#include "report/AnalysisReport.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace korvane::cli {

namespace {

// The wire option as the wire entry should read it. The entry reads an AWG gauge only after
// a number sign, so a gauge typed before its "AWG" gets one; a bare number is a size of the
// chosen wire standard; every other form goes to the entry as typed. nullopt: a bare number
// that is no size (zero, negative, not finite).
std::optional<std::string> wireText(const std::string& typed, WireSystem standard) {
    const std::string bare(trimmed(typed, " "));
    if (bare.empty()) {
        return typed;
    }
    char* end = nullptr;
    const double number = std::strtod(bare.c_str(), &end);
    if (end == bare.c_str() + bare.size()) {
        if (!std::isfinite(number) || !(number > 0.0)) {
            return std::nullopt;
        }
        switch (standard) {
        case WireSystem::Awg:
            return "#" + bare;
        case WireSystem::Swg:
            return bare + " SWG";
        case WireSystem::Metric:
            return bare + "mm";
        }
    }
    if (typed.find("AWG") != std::string::npos && typed.find('#') == std::string::npos &&
        std::isdigit(static_cast<unsigned char>(bare.front())) != 0) {
        return "#" + typed.substr(typed.find_first_not_of(' '));
    }
    return typed;
}

void fillEntry(const AnalysisOptions& o, AnalysisEntry& entry, const DesignParameters& parameters) {
    const Application app = parseApplication(o.app);
    entry.setApplication(app);
    entry.setWindingType(o.winding ? parseWinding(*o.winding) : WindingType::FullWindow);
    entry.wireEntry().system = parameters.wireSystem();
    entry.setText(AnalysisField::StackCount, "1");
    entry.setText(AnalysisField::Strands, "1");
    entry.setText(AnalysisField::Ambient,
                  strprintf("%6.1f", static_cast<double>(parameters.ambientTemperature(app))));
    const std::pair<AnalysisField, const std::optional<std::string>*> fields[] = {
        {AnalysisField::Wire, &o.wire},      {AnalysisField::Turns, &o.turns},
        {AnalysisField::Current, &o.I1},     {AnalysisField::Voltage1, &o.V1},
        {AnalysisField::Voltage2, &o.V2},    {AnalysisField::Frequency, &o.f},
        {AnalysisField::Ambient, &o.ta},     {AnalysisField::StackCount, &o.stack},
        {AnalysisField::Strands, &o.strands}};
    for (const auto& [field, value] : fields) {
        if (*value) {
            entry.setText(field, **value);
        }
    }
    if (o.wire) {
        entry.setText(AnalysisField::Wire, wireText(*o.wire, parameters.wireSystem()).value_or(""));
    }
    if (o.part) {
        // As typed into the window: upper-cased, odd characters reported.
        entry.setText(AnalysisField::PartNumber, partNumberTyping(*o.part).text);
    }
}

void printRows(std::string_view heading, std::span<const ResultRow> rows,
               const DesignParameters& parameters) {
    std::cout << heading << "\n";
    for (const ResultRow& row : rows) {
        std::cout << strprintf("  %-24s %12s  %s", row.label.c_str(),
                               rowValueText(row, parameters).c_str(),
                               rowUnitsText(row, parameters).c_str())
                  << "\n";
    }
}

} // namespace

void addAnalysisOptions(CLI::App* command, AnalysisOptions& o) {
    std::vector<std::string> apps;
    for (Application a : kAllApplications) {
        apps.emplace_back(applicationCliName(a));
    }
    command->add_option("--app", o.app, "Application")->check(CLI::IsMember(apps));
    command->add_option("--part", o.part, "Core part number, e.g. T80-275");
    command->add_option("--stack", o.stack, "Number of identical cores stacked");
    command->add_option("--wire", o.wire,
                        "Wire: \"#18\", \"18 AWG\", \"0.5mm\", \"22 SWG\", \"#0000\", "
                        "\"0.100 x 0.020\"");
    command->add_option("--strands", o.strands, "Number of wire strands");
    command->add_option("--turns", o.turns, "Number of turns");
    command->add_option("--winding", o.winding, "Winding type")
        ->check(CLI::IsMember({"full", "single"}));
    command->add_option("--I1", o.I1, "Current: DC A; PFC peak A; 60hz rms A; resonant peak A");
    command->add_option("--V1", o.V1,
                        "Peak inductor voltage; PFC peak input; resonant peak voltage, V");
    command->add_option("--V2", o.V2, "Second inductor voltage; PFC output voltage, V");
    command->add_option("--f", o.f, "Frequency: kHz (Hz for 60hz)");
    command->add_option("--ta", o.ta, "Ambient temperature, degrees C");
}

int analyseFromOptions(const AnalysisOptions& o, const ParameterOptions& parameterOptions,
                       DesignSession& session, AnalysisOutcome& outcome) {
    outcome = AnalysisOutcome::Refused;
    const Application app = parseApplication(o.app);
    if (const int status = applyParameterOptions(parameterOptions, app, session);
        status != kExitOk) {
        return status;
    }
    const DesignParameters& parameters = session.parameters();
    AnalysisEntry& entry = session.analysis();
    fillEntry(o, entry, parameters);
    if (o.wire) {
        // The window keeps its last wire for a text that reads no size; a command line has
        // none to keep, so such a text is refused.
        const std::optional<std::string> text = wireText(*o.wire, parameters.wireSystem());
        if (!text || !wireSizeReads(*text, parameters.wireSystem())) {
            showMessage("Invalid Wire Size", "DATA ENTRY ERROR");
            return kExitRefused;
        }
    }
    outcome = session.analyse();
    return outcome == AnalysisOutcome::Analysed ? kExitOk : kExitRefused;
}

void printAnalysis(const DesignSession& session, AnalysisOutcome outcome, OutputFormat format,
                   Context& context) {
    const AnalysisEntry& entry = session.analysis();
    const DesignParameters& parameters = session.parameters();
    if (format == OutputFormat::Json) {
        printJson(report::analysisJson(entry, outcome, parameters, context.sink.messages()));
    } else if (outcome == AnalysisOutcome::Analysed) {
        const auto electrical = std::span<const ResultRow>(entry.electricalRows())
                                    .first(static_cast<std::size_t>(entry.electricalRowCount()));
        std::cout << entry.title() << "\n";
        printRows("ELECTRICAL PROPERTIES:", electrical, parameters);
        printRows("MECHANICAL PROPERTIES:", entry.mechanicalRows(), parameters);
    }
}

int writeAnalysisPdf(const DesignSession& session, const std::string& path) {
    return writePdf(path, PageOrientation::Portrait, {[&session](Canvas& canvas) {
                        printAnalysisPage(canvas, session.analysis(), session.parameters());
                    }});
}

} // namespace korvane::cli
