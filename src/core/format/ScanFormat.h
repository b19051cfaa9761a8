#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvane {

// One converted item of scanFormat: a text (%s, %[...]), a float (%f, %g, %e) or an integer (%d).
using ScanValue = std::variant<std::string, float, long>;

// Reads `text` with a scanf template, with scanf's rules: white space in the template skips any
// white space, a literal character must match the next one, %s and the number conversions skip
// leading white space, %[set] (ranges and a leading ^ allowed, read as the C library reads
// them) takes the longest non-empty run.
// Reading stops at the first failure; returns the number of items converted.
int scanFormat(std::string_view text, std::string_view format, std::vector<ScanValue>& items);

} // namespace korvane
