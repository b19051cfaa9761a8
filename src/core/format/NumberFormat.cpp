#include "format/NumberFormat.h"

#include "format/StrPrintf.h"

#include <array>
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

} // namespace korvane
