#include "AnalysisCli.h"

#include "analysis/AnalysisRows.h"
#include "engine/WireSize.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"

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
    const std::size_t first = typed.find_first_not_of(' ');
    if (first == std::string::npos) {
        return typed;
    }
    const std::size_t last = typed.find_last_not_of(' ');
    const std::string bare = typed.substr(first, last - first + 1);
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
        std::isdigit(static_cast<unsigned char>(typed[first])) != 0) {
        return "#" + typed.substr(first);
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

Json rowsJson(std::span<const ResultRow> rows, const DesignParameters& parameters) {
    Json list = Json::array();
    for (const ResultRow& row : rows) {
        list.push_back({{"label", row.label},
                        {"value", jsonNumber(row.value)},
                        {"text", rowValueText(row, parameters)},
                        {"units", rowUnitsText(row, parameters)}});
    }
    return list;
}

Json inputJson(const AnalysisEntry& entry, const DesignParameters& parameters) {
    auto text = [&entry](AnalysisField f) { return entry.text(f); };
    return {{"application", std::string(applicationCliName(entry.application()))},
            {"title", entry.title()},
            {"partNumber", text(AnalysisField::PartNumber)},
            {"stack", text(AnalysisField::StackCount)},
            {"wire", text(AnalysisField::Wire)},
            {"strands", text(AnalysisField::Strands)},
            {"turns", text(AnalysisField::Turns)},
            {"winding", entry.windingType() == WindingType::SingleLayer ? "single" : "full"},
            {"I1", text(AnalysisField::Current)},
            {"V1", text(AnalysisField::Voltage1)},
            {"V2", text(AnalysisField::Voltage2)},
            {"f", text(AnalysisField::Frequency)},
            {"ta", text(AnalysisField::Ambient)},
            {"units", std::string(unitSystemShortName(parameters.unitSystem()))},
            {"wireStandard", std::string(wireSystemShortName(parameters.wireSystem()))}};
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
                       DesignParameters& parameters, AnalysisEntry& entry,
                       AnalysisOutcome& outcome) {
    outcome = AnalysisOutcome::Refused;
    const Application app = parseApplication(o.app);
    if (const int status = applyParameterOptions(parameterOptions, app, parameters);
        status != kExitOk) {
        return status;
    }
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
    outcome = entry.ok();
    return outcome == AnalysisOutcome::Analysed ? kExitOk : kExitRefused;
}

void printAnalysis(const AnalysisEntry& entry, AnalysisOutcome outcome,
                   const DesignParameters& parameters, OutputFormat format, Context& context) {
    const auto electrical = std::span<const ResultRow>(entry.electricalRows())
                                .first(static_cast<std::size_t>(entry.electricalRowCount()));
    const std::span<const ResultRow> mechanical(entry.mechanicalRows());
    if (format == OutputFormat::Json) {
        Json out = {{"input", inputJson(entry, parameters)}};
        if (outcome == AnalysisOutcome::Analysed) {
            out["electrical"] = rowsJson(electrical, parameters);
            out["mechanical"] = rowsJson(mechanical, parameters);
            out["candidate"] = candidateJson(entry.candidate());
            if (entry.agingComputed()) {
                out["aging"] = {
                    {"timeTo115PercentLoss", jsonNumber(entry.electricalRows()[13].value)},
                    {"lifeLimit", jsonNumber(entry.electricalRows()[14].value)}};
            }
        }
        out["messages"] = messagesJson(context.sink.messages());
        printJson(out);
    } else if (outcome == AnalysisOutcome::Analysed) {
        std::cout << entry.title() << "\n";
        printRows("ELECTRICAL PROPERTIES:", electrical, parameters);
        printRows("MECHANICAL PROPERTIES:", mechanical, parameters);
    }
}

} // namespace korvane::cli
