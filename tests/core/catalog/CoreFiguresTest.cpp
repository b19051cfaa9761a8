#include "catalog/CoreFigures.h"

#include <array>
#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(CoreFigures, WeightIsDensityTimesVolumeInPounds) {
    // 10 cm^3 * 7.0 g/cm^3 = 70 g; 70 * 0.002204585537918871 = 0.154321 lb
    EXPECT_NEAR(coreWeight(7.0, 10.0), 0.1543, 5e-5);
    EXPECT_FLOAT_EQ(coreWeight(7.0, 0.0), 0.0F);
}

TEST(CoreFigures, WindowFigures) {
    // toroid: ID 0.5 in -> 0.25 in^2 -> 250 thousand circular mils
    EXPECT_FLOAT_EQ(toroidWindowArea(0.5), 250.0F);
    // E-core: 1 cm^2 * 0.15500031 in^2/cm^2 * 1000 = 155.00031
    EXPECT_FLOAT_EQ(eCoreWindowArea(1.0), 155.00031F);
}

TEST(CoreFigures, TurnLengths) {
    // toroid OD 1.0, ID 0.5, Ht 0.4: (0.5 + 0.8 + 0.525) / 12 = 1.825 / 12
    EXPECT_NEAR(toroidTurnLength(1.0, 0.5, 0.4), 1.825 / 12, 1e-7);
    // composite: no hole allowance, (0.5 + 0.8) / 12
    EXPECT_NEAR(compositeTurnLength(1.0, 0.5, 0.4), 1.3 / 12, 1e-7);
    // E-core C 0.3, E 0.3, F 0.72: (2 * 0.6 + 0.42) / 12 = 1.62 / 12 = 0.135
    EXPECT_NEAR(eCoreTurnLength(0.3, 0.3, 0.72), 0.135, 1e-7);
}

TEST(CoreFigures, PriceFromMaterialRow) {
    constexpr std::array<PriceRow, 4> rows = {{
        {"-226", 12.5F, 2.0F, 0.02F},
        {"", 0.0F, 0.0F, 0.0F},
        {"-240", 0.0F, 1.0F, 0.0F}, // unusable: zero denominator
        {"-226", 1.0F, 1.0F, 1.0F}, // later duplicate: the first row wins
    }};
    // V = 10: (2 * 10 + 1) / (0.02 * 10 + 12.5) = 21 / 12.7 = 1.653543
    EXPECT_NEAR(corePrice(rows, "-226", 10.0), 1.653543F, 1e-5);
    // V -> 0: 1 / p = 0.08
    EXPECT_NEAR(corePrice(rows, "-226", 0.0), 0.08F, 1e-7);
    EXPECT_FLOAT_EQ(corePrice(rows, "-233", 10.0), -1.0F);
    // an empty place never matches, not even an empty material
    EXPECT_FLOAT_EQ(corePrice(rows, "", 10.0), -1.0F);
    EXPECT_FLOAT_EQ(corePrice(rows, "-240", 0.0), -1.0F);
    // the code is compared as a whole
    EXPECT_FLOAT_EQ(corePrice(rows, "-22", 10.0), -1.0F);
    EXPECT_FLOAT_EQ(corePrice(rows, "-2260", 10.0), -1.0F);
}

} // namespace
} // namespace korvane
