#include "CliSupport.h"
#include "Commands.h"

#include <iostream>
#include <memory>

namespace korvane::cli {

namespace {

struct ParamsOptions {
    std::string app = "dc-biased";
    ParameterOptions parameters;
    std::optional<std::string> write;
    OutputFormat format = OutputFormat::Text;
};

int runParams(const ParamsOptions& o, Context& context) {
    DesignSession session(&context.sink);
    DesignParameters& parameters = session.parameters();
    const Application a = parseApplication(o.app);
    if (const int status = applyParameterOptions(o.parameters, a, session); status != kExitOk) {
        return status;
    }
    if (o.write) {
        // Reading the settings file gives every application the copper setting of its last
        // block, so the one set here is written into every block.
        const float cudens = parameters.set(a).Cudens;
        for (Application other : kAllApplications) {
            parameters.set(other).Cudens = cudens;
        }
    }
    if (o.write && !session.writeSettings(*o.write)) {
        std::cerr << "korvane: the settings file " << *o.write << " could not be written\n";
        return kExitRefused;
    }
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
        printJson(out);
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
    addParameterOptions(command, options->parameters);
    command->add_option("--write", options->write,
                        "Write the settings file (KorvaneParams.log) as the program writes it "
                        "when it closes: units, wire standard and copper setting");
    addFormatOption(command, options->format, false);
    command->callback([options, &context]() { context.exitCode = runParams(*options, context); });
}

} // namespace korvane::cli
