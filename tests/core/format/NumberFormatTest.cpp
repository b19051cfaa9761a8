#include "format/NumberFormat.h"

#include "format/NumberReader.h"
#include "format/StrPrintf.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace korvane {
namespace {

struct FixedCase {
    double value;
    const char* text;
};

TEST(FormatFixed, UsesFewestDecimalsUpToThree) {
    const FixedCase cases[] = {
        {1.0, "1"},
        {2.5, "2.5"},
        {1.25, "1.25"},
        {0.001, "0.001"},
        {10.0, "10"},
        {0.0, "0"},
        {100.0, "100"},
        {2.0, "2"},
        {0.5, "0.5"},
        {3.125, "3.125"},
        {1.2, "1.2"},
        {12.05, "12.05"},
        // 0.00003 is added before the decimal test, so 0.99997 counts as a whole number
        {0.99997, "1"},
        {1.0004, "1"},
        {1.2345, "1.234"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatFixed(c.value), c.text) << c.value;
    }
}

struct EngineeringCase {
    double value;
    int digits;
    const char* unit;
    const char* text;
};

TEST(FormatEngineering, ScalesToPowersOfThousand) {
    const EngineeringCase cases[] = {
        {0.0047, 4, "H", "4.700 mH"},
        {0.047, 4, "H", "47.00 mH"},
        {0.00047, 4, "H", "470.0 uH"},
        {2.5, 4, "A", "2.500 A"},
        {0.25, 4, "A", "0.2500 A"},
        {0.05, 4, "A", "50.00 mA"},
        {4700, 4, "V", "4.700 kV"},
        {2e6, 4, "H", "2.000 MegH"},
        // exact powers of ten follow the truncated logarithm
        {1e-5, 4, "H", "10.000 uH"},
        {0.001, 4, "H", "1000.0 uH"},
        // the single-precision value of 1e-4 lies just below the power of ten
        {static_cast<double>(1e-4F), 4, "H", "100.00 uH"},
        {1.0, 4, "H", "1.0000 H"},
        // log10(0.1) = -1 exactly: the milli group, with the extra decimal of [0.1, 1]
        {0.1, 4, "A", "100.000 mA"},
        {47e-6, 4, "H", "47.00 uH"},
        {470e-9, 4, "H", "470.0 nH"},
        {0.0123, 3, "", "12.3 m"},
        {1.5, 3, "", "1.50 "},
        {-0.0047, 4, "H", "-4.700 mH"},
        {3.3e-12, 4, "F", "3.300 pF"},
        {1e9, 4, "Hz", "1.000 gHz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatEngineering(c.value, c.digits, c.unit), c.text) << c.value;
    }
}

TEST(FormatEngineering, ZeroAndTinyValuesPrintWithoutUnit) {
    EXPECT_EQ(formatEngineering(0.0, 4, "H"), "0.0000");
    EXPECT_EQ(formatEngineering(1e-19, 4, "H"), "0.0000");
    EXPECT_EQ(formatEngineering(-1e-19, 4, "A"), "0.0000");
}

TEST(FormatEngineering, LongPrefixesSpellTheWord) {
    EXPECT_EQ(formatEngineering(0.0047, 4, "H", true), "4.700 milliH");
    EXPECT_EQ(formatEngineering(2e6, 4, "H", true), "2.000 megaH");
    EXPECT_EQ(formatEngineering(47e-6, 4, "H", true), "47.00 microH");
}

TEST(FormatEngineering, NonFiniteValuesDoNotCrash) {
    EXPECT_EQ(formatEngineering(std::numeric_limits<double>::infinity(), 4, "H"), "inf H");
    EXPECT_EQ(formatEngineering(std::numeric_limits<double>::quiet_NaN(), 4, "H"), "nan H");
}

TEST(ReadEngineering, ReadsWhatFormatEngineeringWrites) {
    struct ReadCase {
        const char* text;
        const char* unit;
        double value;
    };
    const ReadCase cases[] = {
        {"100.0 uH", "H", 1e-4},        {"10.000 mH", "H", 0.01},   {"4.700 mH", "H", 0.0047},
        {"0.5000 A rms", "A rms", 0.5}, {"50.00 mA", "A", 0.05},    {"2.000 MegH", "H", 2e6},
        {"1.000 gHz", "Hz", 1e9},       {"3.300 pF", "F", 3.3e-12}, {"-4.700 mH", "H", -0.0047},
        {"1.0000 H", "H", 1.0},         {"0.0000", "H", 0.0},       {" 1.50 ", "", 1.5},
    };
    for (const ReadCase& c : cases) {
        const std::optional<double> v = readEngineering(c.text, c.unit);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
    // Every prefix and digit count reads back to the value within the digits written; peta
    // (1e15 to 1e17) is written with pico's letter and reads as pico.
    EXPECT_DOUBLE_EQ(readEngineering(formatEngineering(2e15, 4, "A"), "A").value_or(0.0), 2e-12);
    for (int exponent = -17; exponent <= 14; ++exponent) {
        for (double mantissa : {1.0, 2.2, 4.7, 9.99}) {
            const double x = mantissa * std::pow(10.0, exponent);
            for (int digits : {3, 4, 5}) {
                const std::string text = formatEngineering(x, digits, "A");
                const std::optional<double> v = readEngineering(text, "A");
                ASSERT_TRUE(v.has_value()) << text;
                EXPECT_NEAR(*v / x, 1.0, 5 * std::pow(10.0, -digits)) << text;
            }
        }
    }
}

TEST(ReadEngineering, RefusesOtherTexts) {
    for (const char* text : {"100.0 xH", "100.0uH", "100.0 uA", "100.0 H extra", "nan H", "inf H",
                             "12", "", "uH", "1e-4 H", "100.0  uH"}) {
        EXPECT_EQ(readEngineering(text, "H"), std::nullopt) << text;
    }
    EXPECT_EQ(readEngineering("2.000 A", "A rms"), std::nullopt);
}

TEST(StrPrintf, FormatsTextsOfAnyLength) {
    EXPECT_EQ(strprintf("Parameter%2d. (%6.2f)", 1, 200.01), "Parameter 1. (200.01)");
    const std::string longText(500, 'x');
    EXPECT_EQ(strprintf("%s!", longText.c_str()).size(), 501U);
    EXPECT_EQ(strprintf("%s", ""), "");
    // Around the 512 characters formatted in one pass, and well beyond them.
    for (const std::size_t n : {510U, 511U, 512U, 513U, 2000U}) {
        const std::string text(n, 'y');
        EXPECT_EQ(strprintf("%s%d", text.c_str(), 7), text + "7") << n;
    }
}

// What the C library's printf writes for the same template and arguments.
[[gnu::format(printf, 1, 2)]] std::string libraryPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> text(static_cast<std::size_t>(std::max(length, 0)) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

TEST(StrPrintf, WritesWhatPrintfWritesForEveryTemplateAndValue) {
    // Fixed-point doubles are composed without printf; every other template goes to it.
    // Values over twenty decades, exact ties at each precision, zeros of both signs, the
    // extremes and the non-finite ones.
    std::vector<double> values = {0.0,    -0.0,  0.5,     1.5,   2.5,     0.125, 0.375,
                                  9.9995, 1e22,  -1e300,  1e300, 5e-324,  -2.5,  1234.5625,
                                  1e-7,   99.95, 0.00049, 1e15,  -0.0625, 7.0,   10000.0};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-9, 12);
    for (int i = 0; i < 4000; ++i) {
        values.push_back((i % 3 == 0 ? -1.0 : 1.0) * mantissa(random) *
                         std::pow(10.0, exponent(random)));
    }
    for (int k = -300; k <= 300; ++k) {
        values.push_back(k / 16.0); // ties at one to three decimals
    }
    const double inf = std::numeric_limits<double>::infinity();
    values.insert(values.end(), {inf, -inf, std::numeric_limits<double>::quiet_NaN()});
    const char* const doubleTemplates[] = {
        "%f",     "%.0f", "%.1f",  "%6.3f", "%6.1f",     "%-9.2f|", "%4.0f", "%3.1f",
        "%12.4f", "%lf",  "%.12f", "%.f",   "%300.2f",   "%05.1f",  "%+.2f", "% .3f",
        "%#.0f",  "%e",   "%g",    "%7.2e", "x%%%6.2fy", "%.300f",
    };
    for (const char* t : doubleTemplates) {
        for (const double v : values) {
            ASSERT_EQ(strprintf(t, v), libraryPrintf(t, v)) << t << " " << v;
        }
    }
    const int ints[] = {std::numeric_limits<int>::min(), -1, 0, 7, 12345,
                        std::numeric_limits<int>::max()};
    for (const char* t : {"%d", "%2d", "%-4d|", "%4d", "%i", "%05d", "%.3d", "%x", "%3c"}) {
        for (const int v : ints) {
            EXPECT_EQ(strprintf(t, v), libraryPrintf(t, v)) << t << " " << v;
        }
    }
    const std::string longText(700, 'z');
    for (const char* t : {"%s", "%-15s|", "%8s", "%.3s", "%10.2s", "%-6.0s|"}) {
        for (const char* v : {"", "abc", "T80-275", longText.c_str()}) {
            EXPECT_EQ(strprintf(t, v), libraryPrintf(t, v)) << t << " " << v;
        }
    }
    // A template that starts plainly and then needs printf.
    EXPECT_EQ(strprintf("%6.3f then %x and %s", 2.5, 255U, "end"), " 2.500 then ff and end");
    EXPECT_EQ(strprintf("Material %s B_ac_zero = %6.3f B_err %6.1f  last est %6.3f", "-226",
                        11722.555, 5978.46, -0.0004),
              "Material -226 B_ac_zero = 11722.555 B_err 5978.5  last est -0.000");
}

TEST(NumberReader, TextWithoutNumberLeavesValue) {
    float f = 7.0F;
    EXPECT_FALSE(scanFloat("", f));
    EXPECT_FALSE(scanFloat("   ", f));
    EXPECT_FALSE(scanFloat(" . ", f));
    EXPECT_FALSE(scanFloat("-", f));
    EXPECT_EQ(f, 7.0F);
    int n = 3;
    EXPECT_FALSE(scanInt("  ", n));
    EXPECT_EQ(n, 3);
}

TEST(NumberReader, ReadsLongestNumberPrefix) {
    float f = 0.0F;
    EXPECT_TRUE(scanFloat("  12.5abc", f));
    EXPECT_FLOAT_EQ(f, 12.5F);
    EXPECT_TRUE(scanFloat("1.2.3", f));
    EXPECT_FLOAT_EQ(f, 1.2F);
    EXPECT_TRUE(scanFloat("-20", f));
    EXPECT_FLOAT_EQ(f, -20.0F);
    EXPECT_TRUE(scanFloat("5-", f));
    EXPECT_FLOAT_EQ(f, 5.0F);
    int n = 0;
    EXPECT_TRUE(scanInt(" 3 ", n));
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(scanInt("2.9", n));
    EXPECT_EQ(n, 2);
}

TEST(NumberReader, OverlongIntegersSaturateInsteadOfOverflowing) {
    int n = 0;
    EXPECT_TRUE(scanInt("99999999999999999999", n));
    EXPECT_EQ(n, std::numeric_limits<int>::max());
}

} // namespace
} // namespace korvane
