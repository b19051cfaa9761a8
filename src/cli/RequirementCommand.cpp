#include "CliSupport.h"
#include "Commands.h"
#include "format/NumberFormat.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "settings/SettingsFile.h"

#include <iostream>
#include <memory>

namespace korvane::cli {

namespace {

struct RequirementCommandOptions {
    RequirementOptions requirement;
    std::optional<std::string> save;
    OutputFormat format = OutputFormat::Text;
};

int runRequirement(const RequirementCommandOptions& o, Context& context) {
    DesignParameters parameters;
    RequirementEntry entry(parameters);
    const bool accepted = enterRequirement(o.requirement, entry);
    const Requirement& r = entry.requirement();
    const Application app = r.application;

    std::optional<float> ripple;
    std::optional<float> resonant;
    if (accepted && isDcApplication(app)) {
        const bool pfc = app == Application::PfcBoost;
        ripple = rippleCurrent(r.L1 * 1000.0F, r.I1, pfc ? r.Vpfc2 : r.Von, pfc ? r.Vpfc1 : r.Voff,
                               r.fkHz);
    } else if (accepted && app == Application::Resonant) {
        resonant = r.fkHz;
    }
    const std::string text = accepted ? requirementText(r, app) : std::string();
    bool saved = true;
    if (accepted && o.save) {
        // As FILES, SAVE REQUIREMENT TO FILE: with every selectable material selected.
        const MaterialSelection selection;
        saved = appendRequirement(*o.save, savedRequirementText(r, app, selection, parameters));
    }

    if (o.format == OutputFormat::Json) {
        Json out = {{"accepted", accepted}, {"requirementText", text}};
        if (accepted) {
            out["requirement"] = requirementJson(r);
        }
        if (ripple) {
            out["rippleCurrent"] = jsonNumber(*ripple);
        }
        if (resonant) {
            out["resonantFrequency"] = jsonNumber(*resonant);
        }
        out["messages"] = messagesJson(context.sink.messages());
        printJson(out);
    } else if (accepted) {
        std::cout << text;
        if (ripple) {
            std::cout << rippleText(*ripple) << "\n";
        }
        if (resonant) {
            std::cout << "Frequency: " << resonantFrequencyText(*resonant) << " kHertz\n";
        }
    }
    return accepted && saved ? kExitOk : kExitRefused;
}

} // namespace

void addRequirementCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<RequirementCommandOptions>();
    CLI::App* command = app.add_subcommand(
        "requirement", "Check a requirement as the requirements window does and print its text");
    addRequirementOptions(command, options->requirement);
    command->add_option("--save", options->save,
                        "Append the accepted requirement to a requirement file");
    addFormatOption(command, options->format, false);
    command->callback(
        [options, &context]() { context.exitCode = runRequirement(*options, context); });
}

} // namespace korvane::cli
