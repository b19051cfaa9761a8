#pragma once

// What every target asserts, and how a failed assertion is reported: libFuzzer gets an abort
// (a crash it minimises and saves); the replay test gets an exception, so it can name every
// corpus file that fails and go on with the next one.

#include "engine/DesignCandidate.h"
#include "format/Messages.h"
#include "support/BuiltInData.h"
#include "support/RecordingSink.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane::fuzz {

struct CheckFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Set by the replay main: a failed check throws CheckFailure instead of aborting.
inline bool throwOnFailure = false;

[[noreturn]] inline void fail(const char* file, int line, const std::string& what) {
    const std::string text = std::string(file) + ":" + std::to_string(line) + ": " + what;
    std::fprintf(stderr, "check failed: %s\n", text.c_str());
    if (throwOnFailure) {
        throw CheckFailure(text);
    }
    std::abort();
}

// Characters a record can hold: a text cell, an entry buffer or a row value (32 with the
// terminator).
inline constexpr std::size_t kTextBufferLength = 31;

// The inputs of one run, as far as output may repeat them: a message that quotes a typed
// "nan" is no fault, while a "nan" made from a number is.
class Echo {
  public:
    void add(std::string_view text);
    bool nan() const { return nan_; }
    bool inf() const { return inf_; }
    // Whether `bytes` stand somewhere in one input.
    bool quotes(std::string_view bytes) const;

  private:
    bool nan_ = false;
    bool inf_ = false;
    std::vector<std::string> texts_;
};

// Whether "nan" or "inf" stands in a text as a word (any case), as printf writes a value that is
// not a number or infinite: "-nan", "inf", "(  nan)", "infinity"; "nano" and "INFO" do not.
struct NonFiniteWords {
    bool nan = false;
    bool inf = false;
};

inline NonFiniteWords nonFiniteWords(std::string_view text) {
    NonFiniteWords found;
    auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        const std::string word{lower(text[i]), lower(text[i + 1]), lower(text[i + 2])};
        if (word != "nan" && word != "inf") {
            continue;
        }
        if (i > 0 && letter(text[i - 1])) {
            continue;
        }
        std::string_view after = text.substr(i + 3);
        if (word == "inf" && after.size() >= 5) {
            std::string tail;
            for (char c : after.substr(0, 5)) {
                tail += lower(c);
            }
            if (tail == "inity") {
                after = after.substr(5);
            }
        }
        if (!after.empty() && letter(after.front())) {
            continue;
        }
        (word == "nan" ? found.nan : found.inf) = true;
    }
    return found;
}

inline bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1FU;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0FU;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07U;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0U) != 0x80U) {
                return false;
            }
            code = (code << 6U) | (next & 0x3FU);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

inline void Echo::add(std::string_view text) {
    const NonFiniteWords words = nonFiniteWords(text);
    // A typed text may hold the letters anywhere ("1nan2"): any occurrence may be echoed.
    std::string lowered;
    for (char c : text) {
        lowered += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    nan_ = nan_ || words.nan || lowered.find("nan") != std::string::npos;
    inf_ = inf_ || words.inf || lowered.find("inf") != std::string::npos;
    texts_.emplace_back(text);
}

inline bool Echo::quotes(std::string_view bytes) const {
    for (const std::string& t : texts_) {
        if (t.find(bytes) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The runs of non-ASCII bytes in `text` that are not valid UTF-8 by themselves.
inline std::vector<std::string_view> brokenNonAsciiRuns(std::string_view text) {
    std::vector<std::string_view> broken;
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) {
            ++end;
        }
        const std::string_view run = text.substr(i, end - i);
        if (!isValidUtf8(run)) {
            broken.push_back(run);
        }
        i = end;
    }
    return broken;
}

#define KORVANE_FUZZ_CHECK(condition, what)                                                        \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::korvane::fuzz::fail(__FILE__, __LINE__, std::string(#condition ": ") + (what));      \
        }                                                                                          \
    } while (false)

// A text the program made from numbers alone (a result cell, a row value, a requirement
// line): it never shows "nan" or "inf".
inline void checkNumberText(std::string_view text, const char* where) {
    const NonFiniteWords words = nonFiniteWords(text);
    KORVANE_FUZZ_CHECK(!words.nan && !words.inf, std::string(where) +
                                                     " shows a value that is not finite: \"" +
                                                     std::string(text) + "\"");
}

// A text that may quote the inputs (a message, an entry echoed on a page): "nan" or "inf" only
// when an input holds those letters. A quoted field may be cut to a fixed number of bytes,
// inside a multi-byte character, and be no valid UTF-8 then; but bytes of no character come
// only from an input, never from the program.
inline void checkQuotingText(std::string_view text, const Echo& echo, const char* where) {
    const NonFiniteWords words = nonFiniteWords(text);
    KORVANE_FUZZ_CHECK((!words.nan || echo.nan()) && (!words.inf || echo.inf()),
                       std::string(where) + " shows a value that is not finite: \"" +
                           std::string(text) + "\"");
    for (std::string_view run : brokenNonAsciiRuns(text)) {
        KORVANE_FUZZ_CHECK(echo.quotes(run), std::string(where) +
                                                 " holds bytes that are no character of any "
                                                 "input: \"" +
                                                 std::string(text) + "\"");
    }
}

inline void checkMessages(const RecordingSink& sink, const Echo& echo) {
    for (const Message& m : sink.messages()) {
        KORVANE_FUZZ_CHECK(!m.caption.empty(), "a message without a caption: " + m.text);
        checkQuotingText(m.text, echo, "message text");
        checkQuotingText(m.caption, echo, "message caption");
    }
}

inline void checkFinite(double value, const std::string& what) {
    KORVANE_FUZZ_CHECK(std::isfinite(value), what + " is " + std::to_string(value));
}

// Every number of a design record, by name.
inline std::vector<std::pair<const char*, double>> candidateNumbers(const DesignCandidate& c) {
    auto d = [](float v) { return static_cast<double>(v); };
    return {{"ae", d(c.ae)},
            {"al", d(c.al)},
            {"turns", d(c.turns)},
            {"stackCount", d(c.stackCount)},
            {"rdc", d(c.rdc)},
            {"rac", d(c.rac)},
            {"inductance", d(c.inductance)},
            {"dcBias", d(c.dcBias)},
            {"acFlux", d(c.acFlux)},
            {"percentPerm", d(c.percentPerm)},
            {"ripple", d(c.ripple)},
            {"biasScale", d(c.biasScale)},
            {"pfcRatio", d(c.pfcRatio)},
            {"frequency", d(c.frequency)},
            {"lineFrequency", d(c.lineFrequency)},
            {"coreLoss", d(c.coreLoss)},
            {"copperLoss", d(c.copperLoss)},
            {"tempRise", d(c.tempRise)},
            {"mlt", d(c.mlt)},
            {"build", d(c.build)},
            {"hole", d(c.hole)},
            {"woundOD", d(c.woundOD)},
            {"woundHeight", d(c.woundHeight)},
            {"wireLength", d(c.wireLength)},
            {"surfaceArea", d(c.surfaceArea)},
            {"coreVolume", d(c.coreVolume)},
            {"wire.areaCmil", d(c.wire.areaCmil)},
            {"wire.bareDiameter", d(c.wire.bareDiameter)},
            {"wire.insulatedDiameter", d(c.wire.insulatedDiameter)},
            {"wire.size", d(c.wire.size)},
            {"wire.ohmsPerFoot", d(c.wire.ohmsPerFoot)}};
}

// A design that the program shows as a result: every number finite, no loss, resistance or
// temperature rise below zero.
inline void checkDesignNumbers(const DesignCandidate& c, const std::string& what) {
    for (const auto& [name, value] : candidateNumbers(c)) {
        checkFinite(value, what + " " + name);
    }
    KORVANE_FUZZ_CHECK(c.coreLoss >= 0.0F && c.copperLoss >= 0.0F, what + " has a negative loss");
    KORVANE_FUZZ_CHECK(c.rdc >= 0.0F && c.rac >= 0.0F, what + " has a negative resistance");
    KORVANE_FUZZ_CHECK(c.tempRise >= 0.0F, what + " has a negative temperature rise");
    KORVANE_FUZZ_CHECK(c.surfaceArea >= 0.0F, what + " has a negative surface");
}

} // namespace korvane::fuzz
