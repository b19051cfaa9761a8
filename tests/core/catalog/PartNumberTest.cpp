#include "catalog/PartNumber.h"

#include <gtest/gtest.h>

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

TEST(PartNumber, ShapeFollowsLeadingLetters) {
    EXPECT_EQ(shapeFromPartNumber("E187-226"), CoreShape::ECore);
    EXPECT_EQ(shapeFromPartNumber("ST150-M702"), CoreShape::Composite);
    EXPECT_EQ(shapeFromPartNumber("T80-275"), CoreShape::Toroid);
    EXPECT_EQ(shapeFromPartNumber("S80-275"), CoreShape::Toroid);
    EXPECT_EQ(shapeFromPartNumber(""), CoreShape::Toroid);
}

} // namespace
} // namespace korvane
