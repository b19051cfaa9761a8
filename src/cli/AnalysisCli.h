#pragma once

#include "CliSupport.h"
#include "Commands.h"
#include "analysis/AnalysisEntry.h"

#include <optional>
#include <string>

namespace korvane::cli {

// The analysis window's entries as options: the core, its winding and the operating
// conditions of the application. They are handed to the window logic as texts, so a typed
// "12a" gets the window's message.
struct AnalysisOptions {
    std::string app = "dc-biased";
    std::optional<std::string> part, stack, wire, strands, turns, winding;
    std::optional<std::string> I1, V1, V2, f, ta;
};
void addAnalysisOptions(CLI::App* command, AnalysisOptions& options);

// Applies the parameter options, fills the entries from the options and presses OK.
// Returns kExitOk when analysed, kExitRefused after a refusal or failure (its message shown),
// kExitUsage for a bad parameter option; `outcome` is what OK came to.
int analyseFromOptions(const AnalysisOptions& options, const ParameterOptions& parameterOptions,
                       DesignSession& session, AnalysisOutcome& outcome);

// Prints an analysis: text gives the title and the two result lists as the window shows them
// (nothing when not analysed); json the entries, rows, candidate, aging and messages.
void printAnalysis(const DesignSession& session, AnalysisOutcome outcome, OutputFormat format,
                   Context& context);

// Writes the printed analysis page (portrait) of the session's analysis as a PDF; returns
// kExitOk, or kExitRefused when the file cannot be written.
int writeAnalysisPdf(const DesignSession& session, const std::string& path);

} // namespace korvane::cli
