#pragma once

#include <string_view>

namespace korvane {

// The text without its leading and trailing `blanks`; empty when it holds nothing else.
constexpr std::string_view trimmed(std::string_view text, std::string_view blanks = " \t\r\n") {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace korvane
