#pragma once

#include <string>

namespace korvane {

// printf-style formatting into a std::string of whatever length the result needs.
[[gnu::format(printf, 1, 2)]] std::string strprintf(const char* format, ...);

} // namespace korvane
