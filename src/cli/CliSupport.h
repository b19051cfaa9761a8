#pragma once

#include "format/Messages.h"
#include "report/ReportJson.h"
#include "requirements/RequirementEntry.h"
#include "session/DesignSession.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

namespace korvane::cli {

// Exit statuses of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

enum class OutputFormat { Text, Csv, Json };

// Adds "--format" with the given choices (text is always the default).
void addFormatOption(CLI::App* command, OutputFormat& format, bool withCsv);

using Json = report::Json;
using report::jsonNumber;
using report::messagesJson;

// Writes a JSON document to standard output, always as valid UTF-8.
void printJson(const Json& document);

// The requirement options shared by every subcommand that takes a requirement. They mirror
// the requirements window's eleven fields and are handed to the entry logic as texts, so
// that a typed "12a" gets the same message as in the window.
struct RequirementOptions {
    std::string app = "dc-biased";
    std::optional<std::string> L1, Rs, I1, L2, I2, V1, V2, f, ta, stack, strands;
    std::string shape = "toroid";
    std::optional<std::string> winding;
};

void addRequirementOptions(CLI::App* command, RequirementOptions& options);
// Given with `other`, any of the requirement options is a usage error.
void excludeRequirementOptions(CLI::App* command, CLI::Option* other);

Application parseApplication(const std::string& name); // validated by the option's check
CoreShape parseShape(const std::string& name);
WindingType parseWinding(const std::string& name);

// The requirements window as the options fill it: the application activated, shape and
// winding chosen, and the eleven texts with the given values put in and the resonant
// frequency derived as the window does.
RequirementTexts requirementTexts(const RequirementOptions& options, RequirementEntry& entry);

// Reads a settings file into the session's parameters; a file that does not exist or is not
// a settings file is a usage error.
bool loadSettings(const std::string& path, DesignSession& session);

// Material codes of a list option ("275,226,M702" or "-275 -226"): split at commas and
// blanks, the dash added where it was left out (a leading dash would read as an option).
std::vector<std::string> materialCodes(const std::string& list);

// The design-parameter options of the subcommands that design or analyse: a settings file,
// the unit system, the wire standard and NAME=VALUE overrides of the application's set.
struct ParameterOptions {
    std::optional<std::string> settings;
    std::optional<std::string> units;
    std::optional<std::string> wireStandard;
    std::vector<std::string> params;
};
void addParameterOptions(CLI::App* command, ParameterOptions& options);

// Applies the options in that order to the session's parameters for `application`. An override goes
// through the parameters window's checks (characters, range) with its messages; `Cudens` is
// given in circular mils per ampere, also under the metric wire standard. Returns kExitOk, or
// kExitUsage / kExitRefused.
int applyParameterOptions(const ParameterOptions& options, Application application,
                          DesignSession& session);

} // namespace korvane::cli
