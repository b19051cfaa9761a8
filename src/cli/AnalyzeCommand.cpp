#include "AnalysisCli.h"

#include <memory>

namespace korvane::cli {

namespace {

struct AnalyzeOptions {
    AnalysisOptions analysis;
    ParameterOptions parameters;
    OutputFormat format = OutputFormat::Text;
};

int runAnalyze(const AnalyzeOptions& o, Context& context) {
    DesignSession session(&context.sink);
    AnalysisOutcome outcome = AnalysisOutcome::Refused;
    const int status = analyseFromOptions(o.analysis, o.parameters, session, outcome);
    if (status != kExitUsage) {
        printAnalysis(session, outcome, o.format, context);
    }
    return status;
}

} // namespace

void addAnalyzeCommand(CLI::App& app, Context& context) {
    auto o = std::make_shared<AnalyzeOptions>();
    CLI::App* command = app.add_subcommand(
        "analyze", "Analyse an existing design as the analysis window does and print its rows");
    addAnalysisOptions(command, o->analysis);
    addParameterOptions(command, o->parameters);
    addFormatOption(command, o->format, false);
    command->callback([o, &context]() { context.exitCode = runAnalyze(*o, context); });
}

} // namespace korvane::cli
