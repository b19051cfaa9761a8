#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace korvane {

// The bytes of a file; empty when it cannot be read.
inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replaces a file with exactly `text`.
inline void writeFileText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

} // namespace korvane
