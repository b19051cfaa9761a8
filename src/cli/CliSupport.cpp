#include "CliSupport.h"

#include "format/NumberReader.h"
#include "format/StrPrintf.h"
#include "settings/ParametersForm.h"
#include "settings/SettingsFile.h"

#include <array>
#include <filesystem>
#include <iostream>
#include <map>

namespace korvane::cli {

void addFormatOption(CLI::App* command, OutputFormat& format, bool withCsv) {
    std::map<std::string, OutputFormat> choices = {{"text", OutputFormat::Text},
                                                   {"json", OutputFormat::Json}};
    if (withCsv) {
        choices.emplace("csv", OutputFormat::Csv);
    }
    command->add_option("--format", format, "Output format")
        ->transform(CLI::CheckedTransformer(choices, CLI::ignore_case));
}

void printJson(const Json& document) {
    std::cout << report::jsonText(document) << "\n";
}

namespace {

const std::map<std::string, CoreShape> kShapes = {{"toroid", CoreShape::Toroid},
                                                  {"e-core", CoreShape::ECore},
                                                  {"composite", CoreShape::Composite}};
const std::map<std::string, WindingType> kWindings = {{"full", WindingType::FullWindow},
                                                      {"single", WindingType::SingleLayer}};

} // namespace

void addRequirementOptions(CLI::App* command, RequirementOptions& o) {
    std::vector<std::string> apps;
    for (Application a : kAllApplications) {
        apps.emplace_back(applicationCliName(a));
    }
    command->add_option("--app", o.app, "Application")->check(CLI::IsMember(apps));
    command->add_option("--L1", o.L1, "Inductance at maximum current, uH");
    command->add_option("--Rs", o.Rs, "Maximum DC resistance, ohm (0: no limit)");
    command->add_option("--I1", o.I1, "Maximum current: A (A rms for 60hz, peak A for resonant)");
    command->add_option("--L2", o.L2, "Inductance at minimum current, uH (swing, 60hz)");
    command->add_option("--I2", o.I2, "Minimum current, A (A rms for 60hz)");
    command->add_option("--V1", o.V1, "ON voltage; PFC peak input; resonant peak voltage, V");
    command->add_option("--V2", o.V2, "OFF voltage; PFC DC output, V");
    command->add_option("--f", o.f, "Frequency: kHz (Hz for 60hz; computed for resonant)");
    command->add_option("--ta", o.ta, "Ambient temperature, degrees C");
    command->add_option("--stack", o.stack, "Number of stacked cores");
    command->add_option("--strands", o.strands, "Number of wire strands");
    command->add_option("--shape", o.shape, "Core shape")
        ->check(CLI::IsMember({"toroid", "e-core", "composite"}));
    command->add_option("--winding", o.winding, "Winding type")
        ->check(CLI::IsMember({"full", "single"}));
}

void excludeRequirementOptions(CLI::App* command, CLI::Option* other) {
    for (const char* name : {"--app", "--L1", "--Rs", "--I1", "--L2", "--I2", "--V1", "--V2", "--f",
                             "--ta", "--stack", "--strands", "--shape", "--winding"}) {
        command->get_option(name)->excludes(other);
    }
}

Application parseApplication(const std::string& name) {
    return applicationFromCliName(name).value_or(Application::DcBiased);
}

CoreShape parseShape(const std::string& name) {
    const auto it = kShapes.find(name);
    return it == kShapes.end() ? CoreShape::Toroid : it->second;
}

WindingType parseWinding(const std::string& name) {
    const auto it = kWindings.find(name);
    return it == kWindings.end() ? WindingType::FullWindow : it->second;
}

RequirementTexts requirementTexts(const RequirementOptions& o, RequirementEntry& entry) {
    const Application app = parseApplication(o.app);
    entry.activate(app);
    entry.setShape(parseShape(o.shape));
    if (o.winding) {
        entry.setWindingType(parseWinding(*o.winding));
    }
    RequirementTexts texts = entry.shownTexts();
    const std::array<const std::optional<std::string>*, kRequirementFieldCount> fields = {
        &o.L1, &o.Rs, &o.I1, &o.L2, &o.I2, &o.V1, &o.V2, &o.f, &o.ta, &o.stack, &o.strands};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (*fields[i]) {
            texts[i] = **fields[i];
        }
    }
    if (app == Application::Resonant) {
        // The frequency of a resonant requirement is derived, never typed.
        const DerivedValue derived = deriveFromTexts(app, texts);
        texts[7] = resonantFrequencyText(derived.resonantFrequency.value_or(0.0F));
    }
    return texts;
}

bool loadSettings(const std::string& path, DesignSession& session) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::cerr << "korvane: settings file not found: " << path << "\n";
        return false;
    }
    if (!session.readSettings(path)) {
        std::cerr << "korvane: not a readable settings file: " << path << "\n";
        return false;
    }
    return true;
}

std::vector<std::string> materialCodes(const std::string& list) {
    std::vector<std::string> codes;
    std::string code;
    auto flush = [&codes, &code]() {
        if (!code.empty()) {
            codes.push_back(code.front() == '-' ? code : "-" + code);
        }
        code.clear();
    };
    for (char c : list) {
        if (c == ',' || c == ' ') {
            flush();
        } else {
            code += c;
        }
    }
    flush();
    return codes;
}

void addParameterOptions(CLI::App* command, ParameterOptions& o) {
    command->add_option("--settings", o.settings, "Read a KorvaneParams.log first");
    command->add_option("--units", o.units, "Unit system of lengths and weights")
        ->check(CLI::IsMember({"english", "metric", "mixed"}));
    command->add_option("--wire-standard", o.wireStandard, "Wire gauge standard")
        ->check(CLI::IsMember({"awg", "swg", "metric"}));
    command->add_option("--param", o.params,
                        "NAME=VALUE: Trise_lim, Cudens, Fill, Min_mu, Rho_f, Trise_f, Trise_ex, "
                        "LeadL (repeatable)");
}

int applyParameterOptions(const ParameterOptions& o, Application application,
                          DesignSession& session) {
    if (o.settings && !loadSettings(*o.settings, session)) {
        return kExitUsage;
    }
    DesignParameters& parameters = session.parameters();
    if (o.units) {
        parameters.setUnitSystem(*o.units == "metric"  ? UnitSystem::Metric
                                 : *o.units == "mixed" ? UnitSystem::MixedEnglish
                                                       : UnitSystem::English);
    }
    if (o.wireStandard) {
        parameters.setWireSystem(*o.wireStandard == "metric" ? WireSystem::Metric
                                 : *o.wireStandard == "swg"  ? WireSystem::Swg
                                                             : WireSystem::Awg);
    }
    static const std::map<std::string, int> kPositions = {
        {"Trise_lim", 0}, {"Cudens", 1},  {"Fill", 2},     {"Min_mu", 3},
        {"Rho_f", 4},     {"Trise_f", 5}, {"Trise_ex", 6}, {"LeadL", 7}};
    parameters.setShownApplication(application);
    for (const std::string& assignment : o.params) {
        const std::size_t eq = assignment.find('=');
        const auto position =
            eq == std::string::npos ? kPositions.end() : kPositions.find(assignment.substr(0, eq));
        if (position == kPositions.end()) {
            std::cerr << "korvane: --param expects NAME=VALUE with NAME one of Trise_lim, Cudens, "
                         "Fill, Min_mu, Rho_f, Trise_f, Trise_ex, LeadL: "
                      << assignment << "\n";
            return kExitUsage;
        }
        std::string value = assignment.substr(eq + 1);
        if (position->second == 1) {
            value = copperFieldText(value, parameters.wireSystem());
        }
        ParameterTexts texts = parameterTexts(parameters);
        texts[static_cast<std::size_t>(position->second)] = value;
        if (!applyParameterTexts(parameters, texts, parameters.unitSystem())) {
            return kExitRefused;
        }
    }
    return kExitOk;
}

} // namespace korvane::cli
