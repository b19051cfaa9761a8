#include "Commands.h"

#include "CliSupport.h"

namespace korvane::cli {

int run(int argc, char** argv) {
    CLI::App app{"korvane: design and analysis of inductors on Korvane iron-powder cores"};
    app.require_subcommand(1);
    Context context;
    ScopedMessageSink scoped(context.sink);
    addRequirementCommand(app, context);
    addParamsCommand(app, context);
    addCatalogCommand(app, context);
    addMaterialsCommand(app, context);
    addDesignCommand(app, context);
    addAnalyzeCommand(app, context);
    addCurveCommand(app, context);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kExitOk : kExitUsage;
    }
    return context.exitCode;
}

} // namespace korvane::cli
