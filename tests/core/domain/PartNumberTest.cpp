#include "domain/PartNumber.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace korvane {
namespace {

struct ParseCase {
    const char* text;
    int fields;
    const char* size;
    const char* material;
    const char* variant;
    const char* key;
};

TEST(PartNumber, ReadsFieldsWithScanSetSemantics) {
    const ParseCase cases[] = {
        {"T80-275", 2, "T80", "-275", "", "80"},
        {"T80-275A", 3, "T80", "-275", "A", "80A"},
        {"E187-226", 2, "E187", "-226", "", "187"},
        {"ST150-M702", 2, "ST150", "-M702", "", "T150"},
        // a qualifier after the variant is not read
        {"T300-260H/90", 3, "T300", "-260", "H", "300H"},
        // white space may separate the fields
        {"T80 -275 B", 3, "T80", "-275", "B", "80B"},
        // a letter outside the variant set ends the read after the material
        {"T80-275X", 2, "T80", "-275", "", "80"},
        {"T80", 1, "T80", "", "", "80"},
        {"X80-275", 0, "", "", "", ""},
        {"", 0, "", "", "", ""},
        {"T999-", 2, "T999", "-", "", "999"},
        // no white space before the size field: nothing is read
        {" T80-275", 0, "", "", "", ""},
        // a variant field is a run of variant letters, all appended to the size key
        {"T80-275AB", 3, "T80", "-275", "AB", "80AB"},
        // white space then a qualifier: no variant
        {"T80-275 /90", 2, "T80", "-275", "", "80"},
    };
    for (const auto& c : cases) {
        const PartNumberFields f = parsePartNumber(c.text);
        EXPECT_EQ(f.fieldsRead, c.fields) << c.text;
        EXPECT_EQ(f.sizeField, c.size) << c.text;
        EXPECT_EQ(f.material, c.material) << c.text;
        EXPECT_EQ(f.variant, c.variant) << c.text;
        EXPECT_EQ(sizeKey(f), c.key) << c.text;
    }
}

// The reader agrees with the C library's sscanf of the same pattern on texts built from the
// characters of the three fields and a few others (sscanf's EOF for an empty text counts as
// no field read).
TEST(PartNumber, AgreesWithTheLibraryScanf) {
    constexpr std::string_view alphabet = "EST0123456789-MABCDHX /\t";
    std::mt19937 rng(1);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const auto length = rng() % 12;
        for (unsigned k = 0; k < length; ++k) {
            text += alphabet[rng() % alphabet.size()];
        }
        std::array<char, 32> size{};
        std::array<char, 32> material{};
        std::array<char, 32> variant{};
        const int read =
            std::max(0, std::sscanf(text.c_str(), "%31[EST0-9] %31[-0-9M] %31[ABCDEH] ",
                                    size.data(), material.data(), variant.data()));
        const PartNumberFields f = parsePartNumber(text);
        ASSERT_EQ(f.fieldsRead, read) << "[" << text << "]";
        EXPECT_EQ(f.sizeField, read >= 1 ? size.data() : "") << "[" << text << "]";
        EXPECT_EQ(f.material, read >= 2 ? material.data() : "") << "[" << text << "]";
        EXPECT_EQ(f.variant, read >= 3 ? variant.data() : "") << "[" << text << "]";
    }
}

TEST(PartNumber, ShapeFollowsLeadingLetters) {
    EXPECT_EQ(shapeFromPartNumber("E187-226"), CoreShape::ECore);
    EXPECT_EQ(shapeFromPartNumber("ST150-M702"), CoreShape::Composite);
    EXPECT_EQ(shapeFromPartNumber("T80-275"), CoreShape::Toroid);
    EXPECT_EQ(shapeFromPartNumber("S80-275"), CoreShape::Toroid);
    EXPECT_EQ(shapeFromPartNumber(""), CoreShape::Toroid);
}

} // namespace
} // namespace korvane
