#include "Commands.h"

int main(int argc, char** argv) {
    return korvane::cli::run(argc, argv);
}
