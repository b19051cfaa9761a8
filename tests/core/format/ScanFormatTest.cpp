#include "format/ScanFormat.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(ScanFormat, FollowsScanfRules) {
    std::vector<ScanValue> items;
    EXPECT_EQ(scanFormat("  Units: ENG, 40, x", " %s %s %g, %s", items), 4);
    EXPECT_EQ(std::get<std::string>(items[0]), "Units:");
    EXPECT_EQ(std::get<std::string>(items[1]), "ENG,");
    EXPECT_FLOAT_EQ(std::get<float>(items[2]), 40.0F);
    EXPECT_EQ(std::get<std::string>(items[3]), "x");

    // a literal that does not match ends the read
    items.clear();
    EXPECT_EQ(scanFormat("40; 50", "%g, %g", items), 1);
    // a number directly followed by letters: the number ends where the letters start
    items.clear();
    EXPECT_EQ(scanFormat("LeadL: 0.25in, Rho", " %s %g%s %s", items), 4);
    EXPECT_FLOAT_EQ(std::get<float>(items[1]), 0.25F);
    EXPECT_EQ(std::get<std::string>(items[2]), "in,");
    // scan sets with ranges, and an integer
    items.clear();
    EXPECT_EQ(scanFormat("0.100 x 0.020", "%f %[x] %f", items), 3);
    EXPECT_EQ(std::get<std::string>(items[1]), "x");
    items.clear();
    EXPECT_EQ(scanFormat("#18", "%[#] %f", items), 2);
    items.clear();
    EXPECT_EQ(scanFormat("18", "%[#] %f", items), 0);
    items.clear();
    EXPECT_EQ(scanFormat(" 12 ", "%d", items), 1);
    EXPECT_EQ(std::get<long>(items[0]), 12);
    items.clear();
    EXPECT_EQ(scanFormat("", "%s", items), 0);
    EXPECT_EQ(scanFormat("abc", "%[^b]", items), 1);
    EXPECT_EQ(std::get<std::string>(items[0]), "a");
}

TEST(ScanFormat, ReadsScanSetsAsTheCLibraryDoes) {
    struct Case {
        const char* text;
        const char* format;
        std::vector<std::string> read;
    };
    const Case cases[] = {
        // a range may open the set
        {"## 18", "%[#] %[0-9]", {"##", "18"}},
        {"7-3x", "%[0-9]", {"7"}},
        {"-12M", "%[-0-9M]", {"-12M"}},
        // ']' or '-' first is a member; '-' before ']' too
        {"]-a", "%[]-]", {"]-"}},
        {"a-b", "%[a-]", {"a-"}},
        {"x-q", "%[^-a]", {"x"}},
        // chained ranges: "a-c-e" spans a to e
        {"abcde", "%[a-c-e]", {"abcde"}},
        // a falling range is the three characters themselves
        {"z-am", "%[z-a]", {"z-a"}},
        {"m", "%[z-a]", {}},
        // a set without its ']' converts nothing
        {"abc", "%[abc", {}},
    };
    for (const Case& c : cases) {
        std::vector<ScanValue> items;
        const int count = scanFormat(c.text, c.format, items);
        ASSERT_EQ(count, static_cast<int>(c.read.size())) << c.format << " on " << c.text;
        for (std::size_t i = 0; i < c.read.size(); ++i) {
            EXPECT_EQ(std::get<std::string>(items[i]), c.read[i]) << c.format << " on " << c.text;
        }
    }
    // The conversions before an unterminated set still count.
    std::vector<ScanValue> items;
    EXPECT_EQ(scanFormat("5 abc", "%d %[abc", items), 1);
}

} // namespace
} // namespace korvane
