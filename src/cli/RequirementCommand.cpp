#include "CliSupport.h"
#include "Commands.h"
#include "report/DesignReport.h"

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
    DesignSession session(&context.sink);
    RequirementEntry& entry = session.requirementEntry();
    const bool accepted = entry.accept(requirementTexts(o.requirement, entry));
    const Requirement& r = entry.requirement();
    const Application app = r.application;

    std::optional<float> ripple;
    std::optional<float> resonant;
    if (accepted) {
        ripple = requirementRipple(r);
        if (app == Application::Resonant) {
            resonant = r.fkHz;
        }
    }
    const std::string text = accepted ? requirementText(r, app) : std::string();
    // As FILES, SAVE REQUIREMENT TO FILE: with every selectable material selected.
    const bool saved = !(accepted && o.save) || session.saveRequirement(*o.save);

    if (o.format == OutputFormat::Json) {
        Json out = {{"accepted", accepted}, {"requirementText", text}};
        if (accepted) {
            out["requirement"] = report::requirementJson(r);
        }
        if (ripple) {
            out["rippleCurrent"] = jsonNumber(ripple.value_or(0.0F));
        }
        if (resonant) {
            out["resonantFrequency"] = jsonNumber(resonant.value_or(0.0F));
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
