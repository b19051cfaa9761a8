#include "AnalysisCli.h"
#include "PageExportCli.h"
#include "SpiceExportCli.h"

#include <memory>

namespace korvane::cli {

namespace {

struct AnalyzeOptions {
    AnalysisOptions analysis;
    ParameterOptions parameters;
    std::optional<std::string> pdf;
    std::optional<std::string> spice;
    OutputFormat format = OutputFormat::Text;
};

int runAnalyze(const AnalyzeOptions& o, Context& context) {
    DesignSession session(&context.sink);
    AnalysisOutcome outcome = AnalysisOutcome::Refused;
    int status = analyseFromOptions(o.analysis, o.parameters, session, outcome);
    if (status == kExitOk && o.pdf) {
        status = writeAnalysisPdf(session, *o.pdf);
    }
    if (status == kExitOk && o.spice) {
        status = writeSpiceModel(session, *o.spice);
    }
    // "--spice -" puts the model in place of the listing.
    if (status != kExitUsage && !spiceToStdout(o.spice)) {
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
    addPdfOption(command, o->pdf, "Also write the printed analysis page (portrait) as a PDF");
    addSpiceOption(command, o->spice);
    addFormatOption(command, o->format, false);
    command->callback([o, &context]() { context.exitCode = runAnalyze(*o, context); });
}

} // namespace korvane::cli
