#pragma once

#include "engine/DesignCandidate.h"
#include "format/Messages.h"
#include "requirements/RequirementEntry.h"
#include "settings/DesignParameters.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
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

using Json = nlohmann::ordered_json;

// A stored 32-bit value as the shortest decimal that reads back to it (795.8, not 795.79998779).
double jsonNumber(float value);

// Writes a JSON document to standard output. Texts typed by the user, and texts cut to a
// field's length inside a multi-byte character, need not be UTF-8: such bytes are written as
// U+FFFD, so the output is always valid JSON.
void printJson(const Json& document);

// Every message shown during the run, as [{"caption": ..., "text": ...}].
Json messagesJson(const std::vector<Message>& messages);

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

Application parseApplication(const std::string& name); // validated by the option's check
CoreShape parseShape(const std::string& name);
WindingType parseWinding(const std::string& name);

// Runs the entry logic on the options: the application's window texts with the given values
// put in, the resonant frequency derived as the window does, and OK. Returns whether the
// requirement was accepted (a refusal has shown its message).
bool enterRequirement(const RequirementOptions& options, RequirementEntry& entry);

// Reads a settings file into the parameters; a file that does not exist is a usage error.
bool loadSettings(const std::string& path, DesignParameters& parameters);

// The design-parameter options of the subcommands that design or analyse: a settings file,
// the unit system, the wire standard and NAME=VALUE overrides of the application's set.
struct ParameterOptions {
    std::optional<std::string> settings;
    std::optional<std::string> units;
    std::optional<std::string> wireStandard;
    std::vector<std::string> params;
};
void addParameterOptions(CLI::App* command, ParameterOptions& options);

// Applies the options in that order to `parameters` for `application`. An override goes
// through the parameters window's checks (characters, range) with its messages; `Cudens` is
// given in circular mils per ampere, also under the metric wire standard. Returns kExitOk, or
// kExitUsage / kExitRefused.
int applyParameterOptions(const ParameterOptions& options, Application application,
                          DesignParameters& parameters);

// The requirement record as JSON, every field by its name.
Json requirementJson(const Requirement& r);

// A wire record as JSON.
Json wireJson(const WireRecord& w);

// Every numeric field of a design candidate after the part number, in record order.
std::vector<std::pair<const char*, double>> candidateNumbers(const DesignCandidate& c);

// A design candidate as JSON: the part number, its numbers and its wire.
Json candidateJson(const DesignCandidate& c);

} // namespace korvane::cli
