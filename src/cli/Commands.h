#pragma once

namespace korvane::cli {

// Parses the command line and runs the chosen subcommand; returns the exit status
// (0 success, 1 input refused by the program's checks, 2 usage error).
int run(int argc, char** argv);

} // namespace korvane::cli
