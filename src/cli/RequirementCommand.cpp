#include "CliSupport.h"
#include "Commands.h"
#include "format/StrPrintf.h"
#include "report/DesignReport.h"

#include <iostream>
#include <memory>

namespace korvane::cli {

namespace {

struct RequirementCommandOptions {
    RequirementOptions requirement;
    std::optional<std::string> save;
    std::optional<std::string> listFile;
    OutputFormat format = OutputFormat::Text;
};

// The entries of a requirement file: number (1 = first), date, application, summary.
int listRequirementFile(const RequirementCommandOptions& o, Context& context) {
    DesignSession session(&context.sink);
    const auto entries = session.requirementFileEntries(*o.listFile);
    if (o.format == OutputFormat::Json) {
        Json list = Json::array();
        for (const RequirementFileListing& item :
             entries.value_or(std::vector<RequirementFileListing>{})) {
            list.push_back(
                {{"entry", item.index + 1},
                 {"date", item.date},
                 {"application", item.application
                                     ? Json(std::string(applicationCliName(*item.application)))
                                     : Json()},
                 {"loadable", item.application.has_value()},
                 {"summary", item.summary}});
        }
        printJson(Json{{"entries", list}, {"messages", messagesJson(context.sink.messages())}});
    } else if (entries) {
        for (const RequirementFileListing& item : *entries) {
            const std::string app =
                item.application ? std::string(applicationCliName(*item.application)) : "-";
            std::cout << strprintf("%3d  %s  %-16s  %s\n", item.index + 1, item.date.c_str(),
                                   app.c_str(), item.summary.c_str());
        }
    }
    return entries ? kExitOk : kExitRefused;
}

int runRequirement(const RequirementCommandOptions& o, Context& context) {
    if (o.listFile) {
        return listRequirementFile(o, context);
    }
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
    CLI::Option* save = command->add_option(
        "--save", options->save, "Append the accepted requirement to a requirement file");
    CLI::Option* list = command->add_option(
        "--list-file", options->listFile,
        "List the entries of a requirement file (number, date, application, requirement) "
        "instead of checking a requirement");
    list->excludes(save);
    excludeRequirementOptions(command, list);
    addFormatOption(command, options->format, false);
    command->callback(
        [options, &context]() { context.exitCode = runRequirement(*options, context); });
}

} // namespace korvane::cli
