#pragma once

// A scratch directory of this process for the targets that write files, removed at exit. It
// lies in memory (/dev/shm) where there is such a place: the settings writer flushes every
// file to the disk, thousands of times a second under the fuzzer.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace korvane::fuzz {

class ScratchDirectory {
  public:
    ScratchDirectory() : path_(base() / ("korvane-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // An empty place for one file (or directory) of the given name.
    std::filesystem::path freshPath(std::string_view name) const {
        const std::filesystem::path p = path_ / std::string(name);
        std::error_code ignored;
        std::filesystem::remove_all(p, ignored);
        return p;
    }

  private:
    static std::filesystem::path base() {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        return std::filesystem::is_directory(memory, error)
                   ? memory
                   : std::filesystem::temp_directory_path();
    }

    std::filesystem::path path_;
};

inline const ScratchDirectory& scratch() {
    static const ScratchDirectory directory;
    return directory;
}

inline void writeFile(const std::filesystem::path& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// The whole content, or nothing when there is no regular file to read.
inline std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace korvane::fuzz
