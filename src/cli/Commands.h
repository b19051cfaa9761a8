#pragma once

#include "format/Messages.h"

#include <CLI/CLI.hpp>

namespace korvane::cli {

// State shared by the subcommands of one run: the messages shown and the exit status.
struct Context {
    CollectingSink sink;
    int exitCode = 0;
};

// Parses the command line and runs the chosen subcommand; returns the exit status
// (0 success, 1 input refused by the program's checks, 2 usage error).
int run(int argc, char** argv);

void addRequirementCommand(CLI::App& app, Context& context);
void addParamsCommand(CLI::App& app, Context& context);
void addCatalogCommand(CLI::App& app, Context& context);
void addMaterialsCommand(CLI::App& app, Context& context);
void addDesignCommand(CLI::App& app, Context& context);
void addAnalyzeCommand(CLI::App& app, Context& context);
void addCurveCommand(CLI::App& app, Context& context);

} // namespace korvane::cli
