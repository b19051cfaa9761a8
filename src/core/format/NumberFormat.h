#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Fixed-point text with the fewest decimals (at most three) that show the value:
// 1 -> "1", 2.5 -> "2.5", 1.25 -> "1.25", 0.001 -> "0.001".
std::string formatFixed(double x);

// Engineering notation: the value scaled to a power of 1000 with its SI prefix and unit, to
// `digits` significant digits: 0.0047 "H" -> "4.700 mH". Zero gives "0.0000" without unit.
std::string formatEngineering(double x, int digits, std::string_view unit, bool longPrefix = false);

// The value of a text as formatEngineering writes it with a short prefix, in the unit itself:
// "100.0 uH" with unit "H" -> 1e-4, "0.0000" -> 0; nullopt for any other text. "p" reads as
// pico (the writer gives peta the same letter).
std::optional<double> readEngineering(std::string_view text, std::string_view unit);

} // namespace korvane
