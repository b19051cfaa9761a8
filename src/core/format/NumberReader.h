#pragma once

#include <string_view>

namespace korvane {

// Numbers typed by the user are read with scanf semantics: leading white space is skipped and
// the longest number prefix is taken ("12.5abc" reads 12.5). A text that holds no number leaves
// the value as it was; the functions tell whether a number was read.
bool scanFloat(std::string_view text, float& value);
bool scanDouble(std::string_view text, double& value);
bool scanInt(std::string_view text, int& value);

// The first `maxChars` characters of an entry field, as the windows read their texts back.
std::string_view leadingChars(std::string_view text, std::size_t maxChars);

} // namespace korvane
