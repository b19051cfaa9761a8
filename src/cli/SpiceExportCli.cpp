#include "SpiceExportCli.h"

#include "CliSupport.h"
#include "format/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <random>
#include <unistd.h>

namespace korvane::cli {

namespace {

// A name beside the target that no other writer uses.
std::string temporaryBeside(const std::string& path) {
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    return path + ".partial-" + std::to_string(digits(random));
}

} // namespace

void addSpiceOption(CLI::App* command, std::optional<std::string>& path) {
    command
        ->add_option("--spice", path,
                     "Also write the SPICE subcircuit (ngspice, LTspice) of the analysed design; "
                     "- prints it instead of the analysis")
        ->type_name("FILE");
}

std::optional<std::string> writeFileReplacing(const std::string& path, const std::string& text) {
    const std::string temporary = temporaryBeside(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return std::string(std::strerror(errno));
    }
    int error = 0;
    std::size_t done = 0;
    while (done < text.size() && error == 0) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno != EINTR) {
            error = errno;
        } else if (n > 0) {
            done += static_cast<std::size_t>(n);
        }
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return std::string(std::strerror(error));
    }
    return std::nullopt;
}

int writeSpiceModel(const DesignSession& session, const std::string& path) {
    const std::optional<std::string> model = session.spiceModelOfAnalysis();
    if (!model) {
        return kExitRefused;
    }
    if (path == "-") {
        std::cout << *model << std::flush;
        return kExitOk;
    }
    if (const std::optional<std::string> reason = writeFileReplacing(path, *model)) {
        showMessage("CANNOT WRITE FILE " + path + ": " + *reason, "FILE ERROR");
        return kExitRefused;
    }
    return kExitOk;
}

} // namespace korvane::cli
