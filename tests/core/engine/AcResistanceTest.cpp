#include "engine/AcResistance.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace korvane {
namespace {

WireRecord awg(double gauge) {
    WireRecord wire;
    EXPECT_TRUE(lookupWire(wire, WireSystem::Awg, WireLookupKind::BySize, gauge, 20.0));
    return wire;
}

TEST(AcResistance, ToroidByHand) {
    // AWG 18 (bare 0.0403, insulated 0.0423), 10 turns, 1 strand, ID 0.5, OD 1.0, mu 75,
    // 100 kHz.
    // skin depth 2.7952756 / sqrt(1e5) = 0.00883944; r = 0.0403 / 0.00883944 = 4.5591
    // x = 1.768 x 0.0403 / 0.00893944 = 7.97034; sinh x ~ cosh x ~ 1445.8, sin x = 0.99333,
    // cos x = -0.11529: ratio 1.000607, q = 7.97034 x 1.000607 / 2 - 1 = 2.987587
    // h = (0.001 + 0.003 gap (OD > 0.259)) / 0.0403 = 0.0993 -> K2 row h = 0.1
    // K1 row: first midpoint above 4.559 is 6 -> r = 5; K2 column: first midpoint >= 4.559 is
    // 6 -> r = 5.
    // inner: p = 3.14159 x 0.5 / 0.403 = 3.89775 -> K1 column 11: 1.002; K2-A3: 0.8526
    // outer: p = 3.14159 x 1.0 / 0.403 = 7.7955, cut to 5 -> K1 column 16: 1.17; K2-A3: 0.8526
    // Fr = 1 + 0.5 x 2.987587 x (1.002 x 0.8526 / 3.89775 + 1.17 x 0.8526 / 5)
    //    = 1 + 0.5 x 2.987587 x 0.418687 = 1.625432
    WireRecord wire = awg(18);
    EXPECT_NEAR(calc_ac_res_Fr(wire, 10.0, 1, 0.5, 1.0, 75.0, 100.0), 1.625432, 2e-5);
}

TEST(AcResistance, ECoreUsesWindingWidthOnBothSides) {
    // Same wire and frequency (q = 2.987587, r = 4.5591); winding width 0.6, 10 turns:
    // p = 0.6 / 0.403 = 1.48883 on both sides -> K1 column 1 (r = 5): 0.984; K2-A2 (p 1.22 to
    // 1.6); gap 0.001: h = 0.002 / 0.0403 = 0.0496 -> row h = 0.04, column r = 5: 0.9061
    // Fr = 1 + 2 x 0.5 x 2.987587 x 0.984 x 0.9061 / 1.48883 = 2.789145
    WireRecord wire = awg(18);
    EXPECT_NEAR(calc_ac_res_Fr(wire, 10.0, 1, BobbinWinding{0.6}, 75.0, 100.0), 2.789145, 2e-5);
}

TEST(AcResistance, NoCorrectionGivesExactlyOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        double gauge;
        double turns;
        int strands;
        double id;
        double od;
        double fkHz;
    };
    const Case cases[] = {
        // wire size x frequency below 0.01: 18 x 0.0005 = 0.009
        {"low frequency", 18, 10, 1, 0.5, 1.0, 0.0005},
        {"no frequency", 18, 10, 1, 0.5, 1.0, 0.0},
        {"frequency not a number", 18, 10, 1, 0.5, 1.0, nan},
        // AWG 1/0 and thicker have size 0 or below
        {"AWG 1/0", 0, 10, 1, 0.5, 1.0, 100.0},
        {"no turns", 18, 0, 1, 0.5, 1.0, 100.0},
        {"no strands", 18, 10, 0, 0.5, 1.0, 100.0},
        {"missing ID", 18, 10, 1, 0.0, 1.0, 100.0},
        {"missing OD", 18, 10, 1, 0.5, nan, 100.0},
    };
    for (const Case& c : cases) {
        WireRecord wire = awg(c.gauge);
        EXPECT_EQ(calc_ac_res_Fr(wire, c.turns, c.strands, c.id, c.od, 75.0, c.fkHz), 1.0)
            << c.what;
    }
    WireRecord wire = awg(18);
    EXPECT_EQ(calc_ac_res_Fr(wire, 10.0, 1, BobbinWinding{0.0}, 75.0, 100.0), 1.0);

    // A size the tables do not hold (SWG 60) cannot be looked up.
    WireRecord unknown;
    unknown.system = WireSystem::Swg;
    unknown.size = 60.0F;
    EXPECT_EQ(calc_ac_res_Fr(unknown, 10.0, 1, 0.5, 1.0, 75.0, 100.0), 1.0);
}

TEST(AcResistance, RefreshesWireAt20Degrees) {
    WireRecord wire = awg(18);
    ASSERT_TRUE(lookupWire(wire, WireSystem::Awg, WireLookupKind::BySize, 18, 150.0));
    wire.bareDiameter = 1.0F; // stale data is replaced
    calc_ac_res_Fr(wire, 10.0, 1, 0.5, 1.0, 75.0, 100.0);
    EXPECT_FLOAT_EQ(wire.bareDiameter, 0.0403F);
    EXPECT_NEAR(wire.ohmsPerFoot, 10.3713 / 1624.09, 1e-8);
}

TEST(AcResistance, PitchRatioAboveFiveIsCutBeforeBothLookups) {
    // ID 0.5 gives p = 3.9 inside; OD 1.0 and 3.0 both give p above 5 outside: with p cut to 5
    // for K1, K2 and the division alike, Fr does not change.
    WireRecord wire = awg(18);
    const double od1 = calc_ac_res_Fr(wire, 10.0, 1, 0.5, 1.0, 75.0, 100.0);
    const double od3 = calc_ac_res_Fr(wire, 10.0, 1, 0.5, 3.0, 75.0, 100.0);
    EXPECT_DOUBLE_EQ(od1, od3);
    EXPECT_EQ(k1Factor(7.8, 4.0), k1Factor(5.0, 4.0));
    EXPECT_EQ(k1Factor(5.0, 4.0), 0.95F); // r = 4 row, last column
}

TEST(AcResistance, PitchRatioBelowOneUsesFirstColumn) {
    EXPECT_EQ(k1Factor(0.5, 50.0), 1.0F);
    EXPECT_EQ(k1Factor(1.2, 50.0), 1.0F);
    EXPECT_EQ(k1Factor(1.25, 50.0), 1.022F);
    // Crowded winding (p below 1) still gives a finite, larger Fr.
    WireRecord wire = awg(18);
    const double crowded = calc_ac_res_Fr(wire, 100.0, 1, 0.5, 1.0, 75.0, 100.0);
    EXPECT_TRUE(std::isfinite(crowded));
    EXPECT_GT(crowded, calc_ac_res_Fr(wire, 10.0, 1, 0.5, 1.0, 75.0, 100.0));
}

TEST(AcResistance, BreakpointMidpoints) {
    // K1 row: the midpoint must exceed r, so r exactly at the 2-3 midpoint (2.5) takes the r = 3
    // row. Last column: r = 2 row 0.5, r = 3 row 0.7.
    EXPECT_EQ(k1Factor(5.0, 2.4999), 0.5F);
    EXPECT_EQ(k1Factor(5.0, 2.5), 0.7F);
    EXPECT_EQ(k1Factor(5.0, 0.1), 0.44F);  // below the table: first row
    EXPECT_EQ(k1Factor(5.0, 500.0), 1.8F); // beyond it: last row
    // K2 column: the midpoint need only reach r, so r = 2.5 stays at r = 2.
    // K2-A3, h = 0.1 row: r = 2 column 0.8766, r = 3 column 0.8582.
    EXPECT_EQ(k2Factor(75.0, 2.0, 0.1, 2.5), 0.8766F);
    EXPECT_EQ(k2Factor(75.0, 2.0, 0.1, 2.5001), 0.8582F);
    EXPECT_EQ(k2Factor(75.0, 2.0, 0.1, 1000.0), 0.8858F);
    EXPECT_EQ(k2Factor(75.0, 2.0, 0.0, 0.0), 0.8746F);
}

TEST(AcResistance, K2TableChoice) {
    struct Case {
        double perm;
        double p;
        double h;
        float k2;
    };
    // r = 2.5 -> r = 2 column throughout.
    const Case cases[] = {
        {75.0, 1.21, 0.1, 0.9903F}, // A1
        {75.0, 1.22, 0.1, 0.9632F}, // A2
        {75.0, 1.6, 0.1, 0.8766F},  // A3
        {20.0, 1.21, 0.1, 0.9938F}, // exactly 20: B1
        {20.0, 1.22, 0.1, 0.979F},  // B2
        {20.0, 2.0, 0.1, 0.9226F},  // B3
        {20.0001, 2.0, 0.1, 0.8766F},
        // h beyond the table: the last row of the four-row tables, row 0.8 of the others
        {75.0, 1.0, 0.9, 0.9979F},
        {75.0, 1.5, 0.9, 0.9982F},
        {10.0, 1.0, 0.9, 0.9984F},
        {10.0, 3.0, 0.9, 0.9911F},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(k2Factor(c.perm, c.p, c.h, 2.5), c.k2) << c.perm << " " << c.p << " " << c.h;
    }
}

TEST(AcResistance, SkinTerm) {
    // q = x (sinh x + sin x) / (2 (cosh x - cos x)) - 1; for small x q -> x^4 / 180.
    // Reference values to 1e-16 from the series and from the closed form at 50 digits.
    EXPECT_EQ(acSkinTerm(0.0), 0.0);
    EXPECT_EQ(acSkinTerm(1e-8), 0.0);
    EXPECT_EQ(acSkinTerm(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_NEAR(acSkinTerm(0.01), 5.5555555554232804e-11, 1e-22);
    EXPECT_NEAR(acSkinTerm(1.0), 0.0055423617745912508, 1e-15);
    // Both sides of the switch to the series agree with the closed form.
    for (const double x : {0.0999, 0.1, 0.1001, 0.5, 3.0, 10.0}) {
        const double closed =
            x * (std::sinh(x) + std::sin(x)) / (2.0 * (std::cosh(x) - std::cos(x))) - 1.0;
        EXPECT_NEAR(acSkinTerm(x), closed, 1e-12 + 1e-9 * closed) << x;
    }
    // Large x, where sinh and cosh overflow: q -> x / 2 - 1.
    EXPECT_NEAR(acSkinTerm(10000.0), 4999.0, 1e-9);
}

TEST(AcResistance, FactorTablesAreComplete) {
    // Every K1 row starts at 1 (one conductor per pitch); no K2 entry used is a gap.
    for (std::size_t row = 0; row < kK1Rows; ++row) {
        EXPECT_EQ(K1Table[row][0], 1.0F) << row;
        for (const float k : K1Table[row]) {
            EXPECT_GT(k, 0.4F) << row;
        }
    }
    for (std::size_t i = 1; i < kK1Rows; ++i) {
        EXPECT_GT(K1RatioBreakpoints[i], K1RatioBreakpoints[i - 1]);
    }
    for (std::size_t j = 1; j < kK2Columns; ++j) {
        EXPECT_GT(K2RatioBreakpoints[j], K2RatioBreakpoints[j - 1]);
    }
    for (std::size_t group = 0; group < 2; ++group) {
        for (std::size_t band = 0; band < 3; ++band) {
            const K2Table& table = K2Tables[group][band];
            EXPECT_EQ(table.rows, band == 0 ? 4U : 5U);
            for (std::size_t row = 0; row < table.rows; ++row) {
                for (const float k : table.values[row]) {
                    EXPECT_GT(k, 0.8F) << group << band << row;
                    EXPECT_LE(k, 1.0005F) << group << band << row;
                }
            }
        }
    }
}

} // namespace
} // namespace korvane
