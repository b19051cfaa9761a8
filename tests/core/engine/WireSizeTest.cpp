#include "engine/WireSize.h"

#include "format/Messages.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvane {
namespace {

struct SizeCase {
    const char* text;
    WireSystem before;
    float sizeBefore;
    const char* display;
    WireSystem after;
    float sizeAfter;
};

TEST(WireSize, ReadsEachFormAndComposesDisplay) {
    const SizeCase cases[] = {
        {"#18", WireSystem::Awg, 22.0F, "# 18 AWG", WireSystem::Awg, 18.0F},
        // "%f" fails on the number sign, then "%[#] %f" reads AWG 18
        {"#18", WireSystem::Metric, 0.5F, "# 18 AWG", WireSystem::Awg, 18.0F},
        // read as metric 18 first, then the A makes it AWG; "%[#] %f" reads nothing
        {"18 AWG", WireSystem::Metric, 0.5F, "# 18 AWG", WireSystem::Awg, 18.0F},
        // without a number sign "%[#] %f" reads nothing: the previous gauge stays
        {"18 AWG", WireSystem::Awg, 22.0F, "# 22 AWG", WireSystem::Awg, 22.0F},
        {"18", WireSystem::Awg, 22.0F, "# 22 AWG", WireSystem::Awg, 22.0F},
        {"0.5mm", WireSystem::Awg, 22.0F, " 0.50 mm", WireSystem::Metric, 0.5F},
        {"0.05", WireSystem::Metric, 0.5F, " 0.05 mm", WireSystem::Metric, 0.05F},
        {"22 SWG", WireSystem::Awg, 18.0F, "# 22 SWG", WireSystem::Swg, 22.0F},
        {"12", WireSystem::Swg, 22.0F, "# 12 SWG", WireSystem::Swg, 12.0F},
        // SWG has no upper limit here; the gauge range of OK refuses gauges past 50
        {"51", WireSystem::Swg, 22.0F, "# 51 SWG", WireSystem::Swg, 51.0F},
        {"# 7", WireSystem::Awg, 18.0F, "#  7 AWG", WireSystem::Awg, 7.0F},
        {"#50", WireSystem::Awg, 18.0F, "# 50 AWG", WireSystem::Awg, 50.0F},
        {"#18.7", WireSystem::Awg, 18.0F, "# 18 AWG", WireSystem::Awg, 18.7F},
        // 1/0 to 4/0: the longest run of zeros wins
        {"#0", WireSystem::Awg, 18.0F, "#0 AWG", WireSystem::Awg, 0.0F},
        {"#00", WireSystem::Awg, 18.0F, "#00 AWG", WireSystem::Awg, -1.0F},
        {"#000", WireSystem::Awg, 18.0F, "#000 AWG", WireSystem::Awg, -2.0F},
        {"#0000", WireSystem::Awg, 18.0F, "#0000 AWG", WireSystem::Awg, -3.0F},
        // a gauge typed as -1 shows as 2/0
        {"#-1", WireSystem::Awg, 18.0F, "#00 AWG", WireSystem::Awg, -1.0F},
    };
    for (const SizeCase& c : cases) {
        RecordingSink sink;
        ScopedMessageSink scope(sink);
        WireSizeEntry entry;
        entry.system = c.before;
        entry.size = c.sizeBefore;
        entry.stripFlag = 3;
        EXPECT_EQ(parseWireSize(c.text, entry), c.display) << c.text;
        EXPECT_EQ(entry.system, c.after) << c.text;
        EXPECT_FLOAT_EQ(entry.size, c.sizeAfter) << c.text;
        EXPECT_EQ(entry.stripFlag, 0) << c.text;
        EXPECT_TRUE(sink.empty()) << c.text;
    }
}

TEST(WireSize, RefusesSizesOutsideTheTablesAndKeepsText) {
    struct Case {
        const char* text;
        WireSystem before;
        WireSystem after;
    };
    const Case cases[] = {
        {"#51", WireSystem::Awg, WireSystem::Awg},
        // read as metric 51 first, then the A makes it AWG 51
        {"51 AWG", WireSystem::Metric, WireSystem::Awg},
        {"#50.5", WireSystem::Awg, WireSystem::Awg},
        {"0.04", WireSystem::Metric, WireSystem::Metric},
        {"0.04mm", WireSystem::Awg, WireSystem::Metric},
        {"nan mm", WireSystem::Awg, WireSystem::Metric},
        {"#inf", WireSystem::Awg, WireSystem::Awg},
        {"nan", WireSystem::Swg, WireSystem::Swg},
        // past the float range: infinite
        {"1e308", WireSystem::Swg, WireSystem::Swg},
        {"1e308", WireSystem::Metric, WireSystem::Metric},
        // thicker than 4/0
        {"#-5", WireSystem::Awg, WireSystem::Awg},
        {"#-3.5", WireSystem::Awg, WireSystem::Awg},
        {"#-1e9", WireSystem::Awg, WireSystem::Awg},
        // SWG 1 is the table's thickest gauge; 0.4 rounds below it
        {"0", WireSystem::Swg, WireSystem::Swg},
        {"0.4", WireSystem::Swg, WireSystem::Swg},
        {"-40", WireSystem::Swg, WireSystem::Swg},
        // " 1000000015047466219876688855040.00 mm" does not fit the field
        {"1e30", WireSystem::Metric, WireSystem::Metric},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        ScopedMessageSink scope(sink);
        WireSizeEntry entry;
        entry.system = c.before;
        entry.size = 18.0F;
        EXPECT_EQ(parseWireSize(c.text, entry), c.text);
        EXPECT_EQ(entry.system, c.after) << c.text;
        ASSERT_EQ(sink.size(), 1U) << c.text;
        EXPECT_EQ(sink.last(), (Message{"Invalid Wire Size", "DATA ENTRY ERROR"})) << c.text;
        EXPECT_TRUE(entry.refused) << c.text;
        EXPECT_TRUE(std::isfinite(entry.size)) << c.text;
    }
}

TEST(WireSize, DisplaysAtTheEndsOfTheTablesFitTheField) {
    struct Case {
        const char* text;
        WireSystem system;
        const char* display;
    };
    const Case cases[] = {
        {"#-3", WireSystem::Awg, "#0000 AWG"},
        {"0.5", WireSystem::Swg, "#  0 SWG"}, // the lookup rounds it to SWG 1
        {"1e9", WireSystem::Swg, "#1000000000 SWG"},
        {"1e20", WireSystem::Metric, "100000002004087734272.00 mm"},
        {"99999999 x 1", WireSystem::Awg, "100000000.000 x 1.000 Cu"},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        ScopedMessageSink scope(sink);
        WireSizeEntry entry;
        entry.system = c.system;
        entry.refused = true;
        const std::string shown = parseWireSize(c.text, entry);
        EXPECT_EQ(shown, c.display) << c.text;
        EXPECT_LE(shown.size(), kWireDisplayLength) << c.text;
        EXPECT_FALSE(entry.refused) << c.text;
        EXPECT_TRUE(sink.empty()) << c.text;
    }
}

TEST(WireSize, StripReadsWidthAndThickness) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    WireSizeEntry entry;
    entry.system = WireSystem::Swg;
    entry.size = 22.0F;
    EXPECT_EQ(parseWireSize("0.100 x 0.020", entry), "0.100 x 0.020 Cu");
    EXPECT_FLOAT_EQ(entry.width, 0.1F);
    EXPECT_FLOAT_EQ(entry.thickness, 0.02F);
    EXPECT_EQ(entry.stripFlag, 0);
    EXPECT_EQ(entry.system, WireSystem::Swg); // round-wire fields untouched
    EXPECT_EQ(entry.size, 22.0F);

    // narrower than 0.01: flag 3; 0.01 typed is stored as 0.00999999978, below 0.01 too
    EXPECT_EQ(parseWireSize("0.005x0.002", entry), "0.005 x 0.002 Cu");
    EXPECT_EQ(entry.stripFlag, 3);
    EXPECT_EQ(parseWireSize("0.01x0.002", entry), "0.010 x 0.002 Cu");
    EXPECT_EQ(entry.stripFlag, 3);
    EXPECT_EQ(parseWireSize("0.0101x0.002", entry), "0.010 x 0.002 Cu");
    EXPECT_EQ(entry.stripFlag, 0);

    // a thickness that does not read keeps the previous one
    EXPECT_EQ(parseWireSize("0.2 x", entry), "0.200 x 0.002 Cu");
    EXPECT_EQ(entry.stripFlag, 0);
    EXPECT_TRUE(sink.empty());
}

TEST(WireSize, StripWithoutAPositiveFiniteSizeIsRefusedAndTheLastWireKept) {
    // The last one is a real strip whose display would not fit the field.
    for (const char* text : {"nan x nan", "0 x 0.02", "-1 x 2", "inf x 1", "0.1 x nan",
                             "0.1 x -0.02", "x 0.02", "1e30 x 8"}) {
        RecordingSink sink;
        ScopedMessageSink scope(sink);
        WireSizeEntry entry;
        entry.system = WireSystem::Awg;
        entry.size = 18.0F;
        entry.width = 0.1F;
        entry.thickness = 0.0F; // no earlier strip: "x 0.02" has no width of its own
        EXPECT_EQ(parseWireSize(text, entry), text);
        ASSERT_EQ(sink.size(), 1U) << text;
        EXPECT_EQ(sink.last(), (Message{"Invalid Wire Size", "DATA ENTRY ERROR"})) << text;
        EXPECT_TRUE(entry.refused) << text;
        EXPECT_EQ(entry.width, 0.1F) << text;
        EXPECT_EQ(entry.thickness, 0.0F) << text;
        EXPECT_EQ(entry.size, 18.0F) << text;
        // The next good text clears the refusal.
        parseWireSize("#20", entry);
        EXPECT_FALSE(entry.refused);
    }
}

TEST(WireSize, WhetherATextGivesASizeOfItsOwn) {
    struct Case {
        const char* text;
        WireSystem system;
        bool reads;
    };
    const Case cases[] = {
        {"#18", WireSystem::Awg, true},        {"18", WireSystem::Awg, false},
        {"18", WireSystem::Swg, true},         {"0.5", WireSystem::Metric, true},
        {"0.5mm", WireSystem::Awg, true},      {"22 SWG", WireSystem::Awg, true},
        {"nan", WireSystem::Swg, false},       {"#nan", WireSystem::Awg, false},
        {"#60", WireSystem::Awg, false},       {"0.01mm", WireSystem::Awg, false},
        {"", WireSystem::Awg, false},          {"abc", WireSystem::Metric, false},
        {"0.1 x 0.02", WireSystem::Awg, true}, {"0.1 x", WireSystem::Awg, false},
        {"#0000", WireSystem::Awg, true},
    };
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    for (const Case& c : cases) {
        EXPECT_EQ(wireSizeReads(c.text, c.system), c.reads) << c.text;
    }
    EXPECT_TRUE(sink.empty()); // the check itself shows nothing
}

} // namespace
} // namespace korvane
