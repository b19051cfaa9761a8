#include "format/NumberFormat.h"

#include "format/StrPrintf.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace korvane {

std::string formatFixed(double x) {
    // The decimal test looks at the magnitude, so a negative value gets the same decimals
    // as its absolute value.
    const double magnitude = std::fabs(x) + 0.00003;
    for (int p = 3; p >= 0; --p) {
        const double n = std::trunc(std::pow(10.0, p) * magnitude);
        if (std::fmod(n, 10.0) > 0.0) {
            return strprintf("%*.*f", p == 0 ? 1 : p + 2, p, x);
        }
    }
    return strprintf("%.0f", x);
}

namespace {

constexpr std::array<const char*, 13> kLongPrefixes = {"atto",  "femto", "pico", "nano", "micro",
                                                       "milli", "",      "kilo", "mega", "giga",
                                                       "tera",  "peta",  "exa"};

std::string prefixFor(int group, bool longPrefix) {
    if (group < -6 || group > 6) {
        return "";
    }
    const std::string name = kLongPrefixes[static_cast<std::size_t>(group + 6)];
    if (longPrefix || name.empty()) {
        return name;
    }
    if (group == -2) {
        return "u";
    }
    if (group == 2) {
        return "Meg";
    }
    return name.substr(0, 1);
}

} // namespace

std::string formatEngineering(double x, int digits, std::string_view unit, bool longPrefix) {
    const double magnitude = std::fabs(x);
    if (magnitude < 1e-18) {
        return "0.0000";
    }
    if (!std::isfinite(x)) {
        return strprintf("%f %.*s", x, static_cast<int>(unit.size()), unit.data());
    }
    int e = static_cast<int>(std::trunc(std::log10(magnitude)));
    int decimals = 0;
    if (e >= 0) {
        decimals = digits - (e % 3) - 1;
    } else {
        e -= 3;
        decimals = digits + ((-e) % 3) - 3;
    }
    if (magnitude >= 0.1 && magnitude <= 1.0) {
        ++decimals;
    }
    if (decimals < 0) {
        decimals = 0;
    }
    const int group = e / 3;
    const std::string prefix = prefixFor(group, longPrefix);
    const double scaled = x * std::pow(10.0, -3 * group);
    return strprintf("%*.*f %s%.*s", decimals + 2, decimals, scaled, prefix.c_str(),
                     static_cast<int>(unit.size()), unit.data());
}

std::optional<double> readEngineering(std::string_view text, std::string_view unit) {
    // The number is right-aligned in its width, so it may follow blanks.
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    double scaled = 0.0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, scaled, std::chars_format::fixed);
    if (error != std::errc() || !std::isfinite(scaled)) {
        return std::nullopt;
    }
    std::string_view rest(stop, static_cast<std::size_t>(end - stop));
    if (rest.empty()) {
        // Only zero is written without its unit.
        return scaled == 0.0 ? std::optional<double>(0.0) : std::nullopt;
    }
    if (rest.size() < 1 + unit.size() || rest.front() != ' ' || !rest.ends_with(unit)) {
        return std::nullopt;
    }
    rest = rest.substr(1, rest.size() - 1 - unit.size());
    for (int group = -6; group <= 6; ++group) {
        if (rest == prefixFor(group, false)) {
            return scaled * std::pow(10.0, 3 * group);
        }
    }
    return std::nullopt;
}

} // namespace korvane
