#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace korvane::test {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

// A result page without its second line, which carries the time of the run.
inline std::string withoutDateLine(const std::string& text) {
    const std::size_t first = text.find('\n');
    const std::size_t second = text.find('\n', first + 1);
    if (first == std::string::npos || second == std::string::npos) {
        return text;
    }
    return text.substr(0, first + 1) + text.substr(second + 1);
}

// The arguments followed by more.
inline std::vector<std::string> with(std::vector<std::string> args,
                                     const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Runs the korvane binary with the arguments in `workDir` (the test's own temporary
// directory when empty) and captures its exit status, stdout and stderr.
inline RunResult runKorvane(const std::vector<std::string>& args,
                            const std::filesystem::path& workDir = {}) {
    namespace fs = std::filesystem;
    const fs::path dir = workDir.empty() ? fs::temp_directory_path() : workDir;
    const fs::path errFile = dir / ("korvane-stderr-" + std::to_string(::getpid()) + ".txt");
    std::string command = "cd " + quoted(dir.string()) + " && " + quoted(KORVANE_BINARY);
    for (const std::string& a : args) {
        command += " " + quoted(a);
    }
    command += " 2>" + quoted(errFile.string());
    RunResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream s;
    s << err.rdbuf();
    result.err = s.str();
    fs::remove(errFile);
    return result;
}

} // namespace korvane::test
