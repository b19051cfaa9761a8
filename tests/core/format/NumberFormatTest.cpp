#include "format/NumberFormat.h"

#include "format/NumberReader.h"
#include "format/StrPrintf.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

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

TEST(StrPrintf, FormatsTextsOfAnyLength) {
    EXPECT_EQ(strprintf("Parameter%2d. (%6.2f)", 1, 200.01), "Parameter 1. (200.01)");
    const std::string longText(500, 'x');
    EXPECT_EQ(strprintf("%s!", longText.c_str()).size(), 501U);
    EXPECT_EQ(strprintf("%s", ""), "");
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
