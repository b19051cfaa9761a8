#include "Commands.h"

#include "CliSupport.h"

#include <csignal>
#include <exception>
#include <iostream>

namespace korvane::cli {

int run(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write past the file-size limit then fails with an error the file writers report
    // (and undo), instead of killing the program halfway through an entry.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
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
    } catch (const std::exception& e) {
        // Nothing may end the program abnormally: the run failed, and says why.
        std::cout.flush();
        std::cerr << "korvane: " << e.what() << "\n";
        return kExitRefused;
    } catch (...) {
        std::cout.flush();
        std::cerr << "korvane: the run failed\n";
        return kExitRefused;
    }
    return context.exitCode;
}

} // namespace korvane::cli
