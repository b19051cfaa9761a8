#include "Commands.h"

#include <CLI/CLI.hpp>

namespace korvane::cli {

int run(int argc, char** argv) {
    CLI::App app{"korvane: design and analysis of inductors on Korvane iron-powder cores"};
    app.require_subcommand(1);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }
    return 0;
}

} // namespace korvane::cli
