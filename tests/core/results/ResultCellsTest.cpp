#include "results/ResultCells.h"

#include <gtest/gtest.h>
#include <limits>

namespace korvane {
namespace {

WireRecord wire(WireSystem system, float size, float areaCmil = 0.0F) {
    WireRecord w;
    w.system = system;
    w.size = size;
    w.areaCmil = areaCmil;
    return w;
}

struct WireCase {
    WireSystem system;
    float size;
    int strands;
    const char* text;
};

TEST(ResultCells, WireText) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    const WireCase cases[] = {
        {WireSystem::Awg, -3.0F, 1, "# 0000"}, // 4/0: 1 - (-3) = 4 zeros
        {WireSystem::Awg, 0.0F, 1, "# 0"},     // 1/0
        {WireSystem::Awg, -1.0F, 1, "# 00"},   // 2/0
        {WireSystem::Awg, 1.0F, 1, "#  1"},
        {WireSystem::Awg, 18.0F, 1, "# 18"},
        {WireSystem::Swg, 22.0F, 1, "# 22"},
        {WireSystem::Awg, 30.0F, 3, "  3 x # 30"},
        {WireSystem::Awg, 30.0F, 2, "  2 x # 30"},
        {WireSystem::Awg, 30.0F, 0, "# 30"},
        {WireSystem::Awg, -3.0F, 12, " 12 x # 0000"},
        {WireSystem::Metric, 0.5F, 1, "0.50"},
        {WireSystem::Metric, 1.25F, 1, "1.25"},
        {WireSystem::Metric, 0.1F, 12, " 12 x 0.10"},
        // no gauge at all: nothing rather than an undefined conversion
        {WireSystem::Awg, nan, 1, ""},
        {WireSystem::Awg, 1e9F, 1, ""},
        {WireSystem::Swg, -1e9F, 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wireCellText(wire(c.system, c.size), c.strands), c.text)
            << c.size << " x" << c.strands;
    }
}

TEST(ResultCells, PartNumberPriceAndResistance) {
    EXPECT_EQ(partNumberCellText("T80-275", 1.0F), "T80-275");
    EXPECT_EQ(partNumberCellText("T80-275", 2.0F), "T80-275 x2");
    EXPECT_EQ(partNumberCellText("E125-226", 1.5F), "E125-226 x1.5");

    EXPECT_EQ(priceCellText(12.5F), " 12.50");
    EXPECT_EQ(priceCellText(0.35F), "  0.35");
    EXPECT_EQ(priceCellText(-1.0F), "");
    EXPECT_EQ(priceCellText(0.0F), "");

    // 0.0123: log10 = -1.91 -> e = -1 -> -4, decimals 3 + 4 % 3 - 3 = 1, group -1 "m"
    EXPECT_EQ(resistanceCellText(0.0123F), "12.3 m");
    // 1.5: e = 0, decimals 3 - 0 - 1 = 2, no prefix: "%4.2f " leaves the blank
    EXPECT_EQ(resistanceCellText(1.5F), "1.50 ");
    // 0.25: e = 0, decimals 2, +1 inside [0.1, 1]
    EXPECT_EQ(resistanceCellText(0.25F), "0.250 ");
    EXPECT_EQ(resistanceCellText(0.0F), "0.0000");
}

TEST(ResultCells, FillPercent) {
    // 1624 cmil x 40 turns x 1 x 0.1 / 180 = 6496 / 180 = 36.09
    EXPECT_EQ(fillCellText(wire(WireSystem::Awg, 18.0F, 1624.0F), 40.0F, 1, 180.0F), "  36.1");
    // 100.5 x 25 x 3 x 0.1 / 20 = 753.75 / 20 = 37.69
    EXPECT_EQ(fillCellText(wire(WireSystem::Awg, 30.0F, 100.5F), 25.0F, 3, 20.0F), "  37.7");
    EXPECT_EQ(fillCellText(wire(WireSystem::Awg, 30.0F, 100.5F), 25.0F, 3, 0.0F), "");
}

} // namespace
} // namespace korvane
