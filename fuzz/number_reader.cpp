// The number reader and the scanf-template reader: the float, double and int readers agree
// with each other and leave the value alone when they read nothing; scanFormat reads the
// program's text templates as the C library's scanf does, its number conversions as the
// number reader does, and stays within its template on any template.
//
// Input: the text, then a template for the free-template run, then a choice item (the read
// length for leadingChars).

#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "format/NumberReader.h"
#include "format/ScanFormat.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

std::string shown(const std::string& text) {
    return "\"" + text + "\"";
}

bool sameFloat(float a, float b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

// Whole prefix the C library reads as a long, clamped to int as scanInt promises.
int expectedInt(const std::string& text) {
    errno = 0;
    const long long read = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || read > INT_MAX || read < INT_MIN) {
        return read < 0 ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(read);
}

void checkNumberReader(const std::string& text) {
    constexpr float kUntouched = -12345.0F;
    float f = kUntouched;
    double d = kUntouched;
    int i = -12345;
    const bool readF = scanFloat(text, f);
    const bool readD = scanDouble(text, d);
    const bool readI = scanInt(text, i);
    KORVANE_FUZZ_CHECK(readF || f == kUntouched, "scanFloat read nothing but wrote " + shown(text));
    KORVANE_FUZZ_CHECK(readD || d == kUntouched,
                       "scanDouble read nothing but wrote " + shown(text));
    KORVANE_FUZZ_CHECK(readI || i == -12345, "scanInt read nothing but wrote " + shown(text));
    KORVANE_FUZZ_CHECK(readF == readD, "float and double readers disagree on " + shown(text));
    KORVANE_FUZZ_CHECK(!readI || readD, "an int without a number in " + shown(text));
    if (readF) {
        // The float is the double rounded once more: at most one step of the float apart, or
        // infinite (or the largest float) where the double is beyond the float's range.
        bool near = false;
        if (std::isfinite(d) && std::fabs(d) > static_cast<double>(FLT_MAX)) {
            near = std::isinf(f) || std::fabs(f) == FLT_MAX;
        } else {
            const auto rounded = static_cast<float>(d);
            near = sameFloat(f, rounded) || std::nextafter(f, rounded) == rounded;
        }
        KORVANE_FUZZ_CHECK(near, "float " + std::to_string(f) + " and double " + std::to_string(d) +
                                     " of " + shown(text));
    }
    if (readI) {
        KORVANE_FUZZ_CHECK(i == expectedInt(text),
                           "int " + std::to_string(i) + " of " + shown(text));
    }
    // Something was read only where a number can start.
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (readD) {
        KORVANE_FUZZ_CHECK(start != std::string::npos &&
                               std::strchr("+-.0123456789iInN", text[start]) != nullptr &&
                               text[start] != '\0',
                           "a number read from " + shown(text));
    }
}

// Templates without number conversions, read by the C library for comparison.
struct TextTemplate {
    const char* format;
    int conversions;
};
constexpr TextTemplate kTextTemplates[] = {
    {"%[EST0-9] %[-0-9M] %[ABCDEH] ", 3}, // part number
    {" %s %s %s %s %s %s", 6},            // parameters text, its words
    {"%[#] %[0-9]", 2},                   // wire gauge sign
    {"%[^x] %[x] %s", 3},                 // strip
    {"%[^,], %s %[]a-c]", 3},             // literal, ']' first in a set
    {"%[^]0-9] %s", 2},                   // negated set with ']'
};

void checkAgainstScanf(const std::string& text) {
    if (text.find('\0') != std::string::npos) {
        return; // the C library stops at the terminator
    }
    for (const TextTemplate& t : kTextTemplates) {
        std::vector<std::vector<char>> buffers(6, std::vector<char>(text.size() + 1, '\0'));
        int expected =
            std::sscanf(text.c_str(), t.format, buffers[0].data(), buffers[1].data(),
                        buffers[2].data(), buffers[3].data(), buffers[4].data(), buffers[5].data());
        expected = std::max(expected, 0); // EOF: nothing converted
        std::vector<ScanValue> items;
        const int count = scanFormat(text, t.format, items);
        KORVANE_FUZZ_CHECK(count == expected, std::string(t.format) + " read " +
                                                  std::to_string(count) + " items, scanf " +
                                                  std::to_string(expected) + " of " + shown(text));
        KORVANE_FUZZ_CHECK(count <= t.conversions, "more items than conversions");
        KORVANE_FUZZ_CHECK(items.size() == static_cast<std::size_t>(count), "items and count");
        for (int k = 0; k < count; ++k) {
            const auto* s = std::get_if<std::string>(&items[static_cast<std::size_t>(k)]);
            KORVANE_FUZZ_CHECK(s != nullptr && *s == buffers[static_cast<std::size_t>(k)].data(),
                               std::string(t.format) + " item " + std::to_string(k) + " of " +
                                   shown(text));
        }
    }
}

void checkNumberConversions(const std::string& text) {
    for (const char* format : {"%f", "%g", "%e"}) {
        std::vector<ScanValue> items;
        const int count = scanFormat(text, format, items);
        float f = 0.0F;
        const bool read = scanFloat(text, f);
        KORVANE_FUZZ_CHECK(count == (read ? 1 : 0), std::string(format) + " of " + shown(text));
        if (read) {
            KORVANE_FUZZ_CHECK(sameFloat(std::get<float>(items[0]), f),
                               std::string(format) + " value of " + shown(text));
        }
    }
    std::vector<ScanValue> items;
    const int count = scanFormat(text, "%d", items);
    int i = 0;
    const bool read = scanInt(text, i);
    KORVANE_FUZZ_CHECK(count == (read ? 1 : 0), "%d of " + shown(text));
    if (read) {
        KORVANE_FUZZ_CHECK(std::get<long>(items[0]) == i, "%d value of " + shown(text));
    }

    // "%s %f": a word, then the number the reader finds after it.
    items.clear();
    const int two = scanFormat(text, "%s %f", items);
    const std::size_t begin = text.find_first_not_of(" \t\n\v\f\r");
    if (begin == std::string::npos) {
        KORVANE_FUZZ_CHECK(two == 0, "a word in blanks");
        return;
    }
    const std::size_t end = std::min(text.find_first_of(" \t\n\v\f\r", begin), text.size());
    KORVANE_FUZZ_CHECK(two >= 1 &&
                           std::get<std::string>(items[0]) == text.substr(begin, end - begin),
                       "the word of " + shown(text));
    float after = 0.0F;
    const bool number = scanFloat(text.substr(end), after);
    KORVANE_FUZZ_CHECK(two == (number ? 2 : 1), "the number after the word of " + shown(text));
    if (number) {
        KORVANE_FUZZ_CHECK(sameFloat(std::get<float>(items[1]), after),
                           "the number after the word of " + shown(text));
    }
}

// Any template: never more items than conversion signs, every item appended.
void checkFreeTemplate(const std::string& text, const std::string& format) {
    std::vector<ScanValue> items;
    const int count = scanFormat(text, format, items);
    const auto signs = static_cast<int>(std::count(format.begin(), format.end(), '%'));
    KORVANE_FUZZ_CHECK(count >= 0 && count <= signs, "more items than conversions");
    KORVANE_FUZZ_CHECK(items.size() == static_cast<std::size_t>(count), "items and count");
    for (const ScanValue& v : items) {
        if (const auto* s = std::get_if<std::string>(&v)) {
            KORVANE_FUZZ_CHECK(!s->empty(), "an empty text item");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string text = in.text();
    const std::string format = in.text();
    const auto length = static_cast<std::size_t>(FuzzInput::choiceAt(in.text(), 0, 40));

    checkNumberReader(text);
    checkAgainstScanf(text);
    checkNumberConversions(text);
    checkFreeTemplate(text, format);

    const std::string_view lead = leadingChars(text, length);
    KORVANE_FUZZ_CHECK(lead.size() == std::min(length, text.size()) &&
                           std::string_view(text).starts_with(lead),
                       "leadingChars is not the text's beginning");
    return 0;
}
