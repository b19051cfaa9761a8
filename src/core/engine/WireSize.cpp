#include "engine/WireSize.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace korvane {

namespace {

bool holds(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

void skipSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])) != 0) {
        ++pos;
    }
}

// scanf "%f" at `pos`: skips white space, reads the longest number prefix and moves past it.
// Nothing read leaves `value` and `pos` as they were.
bool readFloat(std::string_view text, std::size_t& pos, float& value) {
    const std::string rest(text.substr(pos));
    char* end = nullptr;
    const float read = std::strtof(rest.c_str(), &end);
    if (end == rest.c_str()) {
        return false;
    }
    value = read;
    pos += static_cast<std::size_t>(end - rest.c_str());
    return true;
}

// scanf "%[c]" at `pos`: one or more `c`, no white space skipped.
bool readRun(std::string_view text, std::size_t& pos, char c) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] == c) {
        ++pos;
    }
    return pos > start;
}

// "%f %[x] %f": width, the letter x, thickness; stops at the first conversion that fails.
void readStrip(std::string_view text, WireSizeEntry& entry) {
    std::size_t pos = 0;
    if (!readFloat(text, pos, entry.width)) {
        return;
    }
    skipSpace(text, pos);
    if (!readRun(text, pos, 'x')) {
        return;
    }
    skipSpace(text, pos);
    readFloat(text, pos, entry.thickness);
}

// "%[#] %f": a number sign (one or more), then the gauge.
void readGauge(std::string_view text, float& size) {
    std::size_t pos = 0;
    if (!readRun(text, pos, '#')) {
        return;
    }
    skipSpace(text, pos);
    readFloat(text, pos, size);
}

// Whole gauge for "%3d", truncated toward zero; kept inside int so no conversion overflows.
int wholeGauge(float size) {
    const double truncated = std::trunc(static_cast<double>(size));
    if (truncated >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (truncated <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(truncated);
}

} // namespace

bool wireSizeReads(std::string_view text, WireSystem system) {
    WireSizeEntry probe;
    probe.system = system;
    const float none = std::numeric_limits<float>::quiet_NaN();
    probe.size = probe.width = probe.thickness = none;
    CollectingSink quiet(false);
    const ScopedMessageSink scope(quiet);
    parseWireSize(text, probe);
    return quiet.messages().empty() &&
           (holds(text, "x") ? std::isfinite(probe.width) : std::isfinite(probe.size));
}

// Shows the refusal of a wire text and returns the text unchanged.
std::string refuse(std::string_view text, WireSizeEntry& entry) {
    entry.refused = true;
    showMessage("Invalid Wire Size", "DATA ENTRY ERROR");
    return std::string(text);
}

std::string parseWireSize(std::string_view text, WireSizeEntry& entry) {
    if (holds(text, "x")) {
        const WireSizeEntry before = entry;
        readStrip(text, entry);
        // A conductor needs a real width and thickness, and a display that fits the field.
        std::string shown;
        if (std::isfinite(entry.width) && entry.width > 0.0F && std::isfinite(entry.thickness) &&
            entry.thickness > 0.0F) {
            shown = strprintf("%5.3f x %5.3f %s", static_cast<double>(entry.width),
                              static_cast<double>(entry.thickness), "Cu");
        }
        if (shown.empty() || shown.size() > kWireDisplayLength) {
            entry = before; // the entry keeps its last wire
            return refuse(text, entry);
        }
        entry.refused = false;
        entry.stripFlag = static_cast<double>(entry.width) < 0.01 ? 3 : 0;
        return shown;
    }
    entry.stripFlag = 0;
    entry.refused = false;
    const float sizeBefore = entry.size;

    // Each marker (or the current system) reads the size again; a later form overrides an
    // earlier one, so "#18" typed in metric first fails as "%f" and then reads as AWG 18.
    const char* label = "";
    if (holds(text, "S") || entry.system == WireSystem::Swg) {
        entry.system = WireSystem::Swg;
        label = "SWG";
        std::size_t pos = 0;
        readFloat(text, pos, entry.size);
    }
    if (holds(text, "m") || entry.system == WireSystem::Metric) {
        entry.system = WireSystem::Metric;
        label = "mm";
        std::size_t pos = 0;
        readFloat(text, pos, entry.size);
    }
    if (holds(text, "#") || holds(text, "A") || entry.system == WireSystem::Awg) {
        entry.system = WireSystem::Awg;
        label = "AWG";
        readGauge(text, entry.size);
    }

    // The tables: AWG 4/0 (-3) to 50, SWG from 1 (the lookup rounds to the nearest gauge),
    // metric from 0.05 mm. Sizes past the top of the SWG and metric tables are left to the
    // analysis's gauge range check.
    const bool awg = entry.system == WireSystem::Awg;
    const bool metric = entry.system == WireSystem::Metric;
    const bool swg = entry.system == WireSystem::Swg;
    const double size = entry.size;
    if (!std::isfinite(size) || (awg && (size > 50.0 || size < -3.0)) || (metric && size < 0.05) ||
        (swg && std::floor(size + 0.5) < 1.0)) {
        if (!std::isfinite(size)) {
            entry.size = sizeBefore; // no NaN or infinity stays for a later text to reuse
        }
        return refuse(text, entry);
    }

    // 1/0 to 4/0: the longest run of zeros typed gives the gauge.
    if (awg && entry.size < 1.0F) {
        if (holds(text, "00")) {
            entry.size = -1.0F;
        }
        if (holds(text, "000")) {
            entry.size = -2.0F;
        }
        if (holds(text, "0000")) {
            entry.size = -3.0F;
        }
    }

    std::string shown;
    if (metric) {
        shown = strprintf("%5.2f %s", static_cast<double>(entry.size), label);
    } else if (entry.size > 0.0F) {
        shown = strprintf("#%3d %s", wholeGauge(entry.size), label);
    } else {
        // AWG 1/0 shows one zero, 2/0 two, ... (a zero for every step below 1).
        int zeros = 0;
        while (static_cast<double>(zeros) < 1.0 - static_cast<double>(entry.size)) {
            ++zeros;
        }
        shown =
            strprintf("#%s %s", std::string(static_cast<std::size_t>(zeros), '0').c_str(), label);
    }
    if (shown.size() > kWireDisplayLength) {
        return refuse(text, entry); // a metric size too large to show
    }
    return shown;
}

} // namespace korvane
