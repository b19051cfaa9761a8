#include "CliSupport.h"
#include "Commands.h"
#include "analysis/AnalysisEntry.h"
#include "analysis/AnalysisRows.h"
#include "format/StrPrintf.h"
#include "settings/ParametersForm.h"

#include <cctype>
#include <iostream>
#include <map>
#include <memory>

namespace korvane::cli {

namespace {

struct AnalyzeOptions {
    std::string app = "dc-biased";
    std::optional<std::string> part, stack, wire, strands, turns, winding;
    std::optional<std::string> I1, V1, V2, f, ta;
    std::optional<std::string> units, wireStandard, settings;
    std::vector<std::string> params;
    OutputFormat format = OutputFormat::Text;
};

const std::map<std::string, UnitSystem> kUnitSystems = {{"metric", UnitSystem::Metric},
                                                        {"english", UnitSystem::English},
                                                        {"mixed", UnitSystem::MixedEnglish}};
const std::map<std::string, WireSystem> kWireSystems = {
    {"metric", WireSystem::Metric}, {"awg", WireSystem::Awg}, {"swg", WireSystem::Swg}};

// Positions of the parameters window that --param may set.
const std::map<std::string, int> kParameterPositions = {
    {"Trise_lim", 0}, {"Cudens", 1},  {"Fill", 2},     {"Min_mu", 3},
    {"Rho_f", 4},     {"Trise_f", 5}, {"Trise_ex", 6}, {"LeadL", 7}};

// --param NAME=VALUE through the parameters window's OK, so ranges and messages are its own.
// Returns the exit status: ok, refused (message shown) or a usage error.
int applyParams(const std::vector<std::string>& params, Application app,
                DesignParameters& parameters) {
    if (params.empty()) {
        return kExitOk;
    }
    parameters.setShownApplication(app);
    ParameterTexts texts = parameterTexts(parameters);
    for (const std::string& p : params) {
        const std::size_t eq = p.find('=');
        const auto it = kParameterPositions.find(p.substr(0, eq));
        if (eq == std::string::npos || it == kParameterPositions.end()) {
            std::cerr << "korvane: --param takes NAME=VALUE with NAME one of Trise_lim, Cudens, "
                         "Fill, Min_mu, Rho_f, Trise_f, Trise_ex, LeadL: "
                      << p << "\n";
            return kExitUsage;
        }
        texts[static_cast<std::size_t>(it->second)] = p.substr(eq + 1);
    }
    return applyParameterTexts(parameters, texts, parameters.unitSystem()) ? kExitOk : kExitRefused;
}

// "18 AWG": the wire entry reads an AWG gauge only after a number sign, so a gauge typed
// before its "AWG" gets one; every other form goes to the entry as typed.
std::string wireText(const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(' ');
    if (typed.find("AWG") != std::string::npos && typed.find('#') == std::string::npos &&
        first != std::string::npos && std::isdigit(static_cast<unsigned char>(typed[first])) != 0) {
        return "#" + typed.substr(first);
    }
    return typed;
}

void fillEntry(const AnalyzeOptions& o, AnalysisEntry& entry, const DesignParameters& parameters) {
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
        entry.setText(AnalysisField::Wire, wireText(*o.wire));
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

Json wireJson(const WireRecord& w) {
    return {{"system", toIndex(w.system)},
            {"systemName", w.systemName},
            {"areaCmil", jsonNumber(w.areaCmil)},
            {"bareDiameter", jsonNumber(w.bareDiameter)},
            {"insulatedDiameter", jsonNumber(w.insulatedDiameter)},
            {"maxOverallDiameter", jsonNumber(w.maxOverallDiameter)},
            {"build", jsonNumber(w.build)},
            {"size", jsonNumber(w.size)},
            {"ohmsPerFoot", jsonNumber(w.ohmsPerFoot)},
            {"poundsPerFoot", jsonNumber(w.poundsPerFoot)}};
}

Json candidateJson(const DesignCandidate& c) {
    auto n = [](float v) { return jsonNumber(v); };
    return {{"partNumber", c.partNumber},
            {"ae", n(c.ae)},
            {"al", n(c.al)},
            {"turns", n(c.turns)},
            {"strands", c.strands},
            {"stackCount", n(c.stackCount)},
            {"wire", wireJson(c.wire)},
            {"rdc", n(c.rdc)},
            {"rac", n(c.rac)},
            {"inductance", n(c.inductance)},
            {"dcBias", n(c.dcBias)},
            {"acFlux", n(c.acFlux)},
            {"percentPerm", n(c.percentPerm)},
            {"ripple", n(c.ripple)},
            {"biasScale", n(c.biasScale)},
            {"pfcRatio", n(c.pfcRatio)},
            {"frequency", n(c.frequency)},
            {"lineFrequency", n(c.lineFrequency)},
            {"coreLoss", n(c.coreLoss)},
            {"copperLoss", n(c.copperLoss)},
            {"tempRise", n(c.tempRise)},
            {"mlt", n(c.mlt)},
            {"build", n(c.build)},
            {"hole", n(c.hole)},
            {"woundOD", n(c.woundOD)},
            {"woundHeight", n(c.woundHeight)},
            {"wireLength", n(c.wireLength)},
            {"surfaceArea", n(c.surfaceArea)},
            {"coreVolume", n(c.coreVolume)}};
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

int runAnalyze(const AnalyzeOptions& o, Context& context) {
    DesignParameters parameters;
    if (o.settings && !loadSettings(*o.settings, parameters)) {
        return kExitUsage;
    }
    if (o.units) {
        parameters.setUnitSystem(kUnitSystems.at(*o.units));
    }
    if (o.wireStandard) {
        parameters.setWireSystem(kWireSystems.at(*o.wireStandard));
    }
    const Application app = parseApplication(o.app);
    AnalysisEntry entry(parameters);
    int status = applyParams(o.params, app, parameters);
    AnalysisOutcome outcome = AnalysisOutcome::Refused;
    if (status == kExitOk) {
        fillEntry(o, entry, parameters);
        outcome = entry.ok();
        status = outcome == AnalysisOutcome::Analysed ? kExitOk : kExitRefused;
    }
    if (status == kExitUsage) {
        return status;
    }

    const auto electrical = std::span<const ResultRow>(entry.electricalRows())
                                .first(static_cast<std::size_t>(entry.electricalRowCount()));
    const std::span<const ResultRow> mechanical(entry.mechanicalRows());
    if (o.format == OutputFormat::Json) {
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
        std::cout << out.dump(2) << "\n";
    } else if (outcome == AnalysisOutcome::Analysed) {
        std::cout << entry.title() << "\n";
        printRows("ELECTRICAL PROPERTIES:", electrical, parameters);
        printRows("MECHANICAL PROPERTIES:", mechanical, parameters);
    }
    return status;
}

} // namespace

void addAnalyzeCommand(CLI::App& app, Context& context) {
    auto o = std::make_shared<AnalyzeOptions>();
    CLI::App* command = app.add_subcommand(
        "analyze", "Analyse an existing design as the analysis window does and print its rows");
    std::vector<std::string> apps;
    for (Application a : kAllApplications) {
        apps.emplace_back(applicationCliName(a));
    }
    command->add_option("--app", o->app, "Application")->check(CLI::IsMember(apps));
    command->add_option("--part", o->part, "Core part number, e.g. T80-275");
    command->add_option("--stack", o->stack, "Number of identical cores stacked");
    command->add_option("--wire", o->wire,
                        "Wire: \"#18\", \"18 AWG\", \"0.5mm\", \"22 SWG\", \"#0000\", "
                        "\"0.100 x 0.020\"");
    command->add_option("--strands", o->strands, "Number of wire strands");
    command->add_option("--turns", o->turns, "Number of turns");
    command->add_option("--winding", o->winding, "Winding type")
        ->check(CLI::IsMember({"full", "single"}));
    command->add_option("--I1", o->I1, "Current: DC A; PFC peak A; 60hz rms A; resonant peak A");
    command->add_option("--V1", o->V1,
                        "Peak inductor voltage; PFC peak input; resonant peak voltage, V");
    command->add_option("--V2", o->V2, "Second inductor voltage; PFC output voltage, V");
    command->add_option("--f", o->f, "Frequency: kHz (Hz for 60hz)");
    command->add_option("--ta", o->ta, "Ambient temperature, degrees C");
    command->add_option("--units", o->units, "Unit system of the mechanical values")
        ->check(CLI::IsMember({"english", "metric", "mixed"}));
    command->add_option("--wire-standard", o->wireStandard, "Wire gauge standard")
        ->check(CLI::IsMember({"awg", "swg", "metric"}));
    command->add_option("--param", o->params,
                        "Design parameter NAME=VALUE (Trise_lim, Cudens, Fill, Min_mu, Rho_f, "
                        "Trise_f, Trise_ex, LeadL); repeatable");
    command->add_option("--settings", o->settings, "Read a KorvaneParams.log first");
    addFormatOption(command, o->format, false);
    command->callback([o, &context]() { context.exitCode = runAnalyze(*o, context); });
}

} // namespace korvane::cli
