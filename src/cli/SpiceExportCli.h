#pragma once

#include "session/DesignSession.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace korvane::cli {

// Adds "--spice FILE": the SPICE subcircuit of the analysed design; "-" for standard output.
void addSpiceOption(CLI::App* command, std::optional<std::string>& path);

// True when the model goes to standard output instead of the run's normal output.
inline bool spiceToStdout(const std::optional<std::string>& path) {
    return path && *path == "-";
}

// Writes the SPICE subcircuit of the session's analysis to `path` ("-": standard output),
// under a temporary name beside the file renamed when complete. Returns kExitOk, or
// kExitRefused when there is no model (its message shown) or the file cannot be written
// ("FILE ERROR", nothing left behind).
int writeSpiceModel(const DesignSession& session, const std::string& path);

// Replaces `path` by `text` through a temporary file beside it; the system's reason when
// that fails, with nothing left behind.
std::optional<std::string> writeFileReplacing(const std::string& path, const std::string& text);

} // namespace korvane::cli
