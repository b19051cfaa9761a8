#include "CliSupport.h"
#include "Commands.h"
#include "settings/DesignParameters.h"

#include <iostream>
#include <memory>

namespace korvane::cli {

namespace {

struct ParamsOptions {
    std::string app = "dc-biased";
    std::optional<std::string> settings;
    OutputFormat format = OutputFormat::Text;
};

int runParams(const ParamsOptions& o) {
    DesignParameters parameters;
    if (o.settings && !loadSettings(*o.settings, parameters)) {
        return kExitUsage;
    }
    const Application a = parseApplication(o.app);
    if (o.format == OutputFormat::Json) {
        const ParameterSet& s = parameters.set(a);
        Json out = {{"application", std::string(applicationCliName(a))},
                    {"unitSystem", std::string(unitSystemShortName(parameters.unitSystem()))},
                    {"wireSystem", std::string(wireSystemShortName(parameters.wireSystem()))},
                    {"parameters",
                     {{"Trise_lim", jsonNumber(s.Trise_lim)},
                      {"Cudens", jsonNumber(s.Cudens)},
                      {"Fill", jsonNumber(s.Fill)},
                      {"Min_mu", jsonNumber(s.Min_mu)},
                      {"Rho_f", jsonNumber(s.Rho_f)},
                      {"Trise_f", jsonNumber(s.Trise_f)},
                      {"Trise_ex", jsonNumber(s.Trise_ex)},
                      {"LeadL", jsonNumber(s.LeadL)},
                      {"Ta", jsonNumber(s.Ta)}}},
                    {"parametersText", parameters.parametersText(a)}};
        std::cout << out.dump(2) << "\n";
    } else {
        std::cout << parameters.parametersText(a);
    }
    return kExitOk;
}

} // namespace

void addParamsCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<ParamsOptions>();
    CLI::App* command =
        app.add_subcommand("params", "Print the design parameters text of an application");
    std::vector<std::string> apps;
    for (Application a : kAllApplications) {
        apps.emplace_back(applicationCliName(a));
    }
    command->add_option("--app", options->app, "Application")->check(CLI::IsMember(apps));
    command->add_option("--settings", options->settings, "Read a KorvaneParams.log first");
    addFormatOption(command, options->format, false);
    command->callback([options, &context]() { context.exitCode = runParams(*options); });
}

} // namespace korvane::cli
