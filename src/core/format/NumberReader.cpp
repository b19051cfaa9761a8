#include "format/NumberReader.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace korvane {

// The strto* family reads exactly what the scanf conversions "%f", "%lf" and "%d" read
// (leading white space, the longest number prefix) but defines what happens on overflow.

bool scanFloat(std::string_view text, float& value) {
    const std::string copy(text);
    char* end = nullptr;
    const float read = std::strtof(copy.c_str(), &end);
    if (end == copy.c_str()) {
        return false;
    }
    value = read;
    return true;
}

bool scanDouble(std::string_view text, double& value) {
    const std::string copy(text);
    char* end = nullptr;
    const double read = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str()) {
        return false;
    }
    value = read;
    return true;
}

bool scanInt(std::string_view text, int& value) {
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const long read = std::strtol(copy.c_str(), &end, 10);
    if (end == copy.c_str()) {
        return false;
    }
    if (errno == ERANGE || read > INT_MAX || read < INT_MIN) {
        value = read < 0 ? INT_MIN : INT_MAX;
        return true;
    }
    value = static_cast<int>(read);
    return true;
}

std::string_view leadingChars(std::string_view text, std::size_t maxChars) {
    return text.substr(0, maxChars);
}

} // namespace korvane
