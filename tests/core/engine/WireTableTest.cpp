#include "engine/WireTable.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace korvane {
namespace {

constexpr double Mm = 0.03937007874015748; // inch per millimetre

WireRecord lookup(WireSystem system, WireLookupKind kind, double value, double temp = 20.0) {
    WireRecord wire;
    EXPECT_TRUE(lookupWire(wire, system, kind, value, temp))
        << toIndex(system) << " " << static_cast<int>(kind) << " " << value;
    return wire;
}

TEST(WireLookup, RefusesRequestsNoTableCanAnswerAndLeavesRecord) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        WireSystem system;
        WireLookupKind kind;
        double value;
        double temp;
    };
    const Case cases[] = {
        // below 0.61 cmil and 0.0011 inch: refused before any table is read
        {WireSystem::Awg, WireLookupKind::ByArea, 0.5, 20.0},
        {WireSystem::Awg, WireLookupKind::ByMaxDiameter, 0.001, 20.0},
        // finer than the smallest metric wire (0.04 + 0.001 < 0.05 mm)
        {WireSystem::Metric, WireLookupKind::BySize, 0.04, 20.0},
        // outside SWG 1 to 50 (floor(50.6 + 0.5) = 51, floor(0.4 + 0.5) = 0)
        {WireSystem::Swg, WireLookupKind::BySize, 50.6, 20.0},
        {WireSystem::Swg, WireLookupKind::BySize, 0.4, 20.0},
        // finer than SWG 50 (0.0010 in): 0.61e-6 > d^2 needs d < 0.00078;
        // 0.99 x 0.0011 - 0.0001 = 0.000989 is below 0.0010
        {WireSystem::Swg, WireLookupKind::ByArea, 0.61, 20.0},
        {WireSystem::Swg, WireLookupKind::ByMaxDiameter, 0.0011, 20.0},
        // AWG 80: 1019 e^(-70 x 0.115943) = 0.3 rounds to no copper at all
        {WireSystem::Awg, WireLookupKind::BySize, 80.0, 20.0},
        {WireSystem::Awg, WireLookupKind::BySize, 1e30, 20.0},
        // not a number
        {WireSystem::Awg, WireLookupKind::ByArea, nan, 20.0},
        {WireSystem::Metric, WireLookupKind::ByMaxDiameter, inf, 20.0},
        {WireSystem::Awg, WireLookupKind::BySize, 18.0, nan},
    };
    for (const Case& c : cases) {
        WireRecord wire;
        wire.size = 123.0F;
        wire.systemName = "keep";
        EXPECT_FALSE(lookupWire(wire, c.system, c.kind, c.value, c.temp))
            << toIndex(c.system) << " " << c.value;
        EXPECT_EQ(wire.size, 123.0F);
        EXPECT_EQ(wire.systemName, "keep");
    }
}

TEST(WireLookup, MetricBySizeTakesLargestPreferredDiameterWithinTolerance) {
    struct Case {
        double request;
        float size;
    };
    const Case cases[] = {
        {0.999, 1.0F}, // 0.999 + 0.001 reaches 1.0
        {0.95, 0.9F},  // 0.95 is not a preferred size
        {1.0, 1.0F},   {0.05, 0.05F}, {100.0, 8.0F}, {0.3, 0.29F},
    };
    for (const Case& c : cases) {
        const WireRecord w = lookup(WireSystem::Metric, WireLookupKind::BySize, c.request);
        EXPECT_EQ(w.size, c.size) << c.request;
        EXPECT_EQ(w.system, WireSystem::Metric);
        EXPECT_EQ(w.systemName, "Metric");
        EXPECT_NEAR(w.bareDiameter, c.size * Mm, 1e-7) << c.request;
    }
}

TEST(WireLookup, MetricBuildFromEnamelTableOrProportional) {
    // 1.0 mm: thickness 0.025 -> build 0.050 mm = 0.0019685 in; max overall 1.102 mm.
    const WireRecord one = lookup(WireSystem::Metric, WireLookupKind::BySize, 1.0);
    EXPECT_NEAR(one.build, 0.050 * Mm, 1e-7);
    EXPECT_NEAR(one.insulatedDiameter, 1.050 * Mm, 1e-7);
    EXPECT_NEAR(one.maxOverallDiameter, 1.102 * Mm, 1e-7);

    // 0.9 mm: thickness 0.023 -> build 0.046 mm; max overall 0.986 mm.
    const WireRecord pt9 = lookup(WireSystem::Metric, WireLookupKind::BySize, 0.95);
    EXPECT_NEAR(pt9.build, 0.046 * Mm, 1e-7);
    EXPECT_NEAR(pt9.maxOverallDiameter, 0.986 * Mm, 1e-7);

    // 8.0 mm is not in the enamel table: bare 8 x 0.0393701 = 0.3149606 in,
    // build 0.0373333 x 0.3149606 = 0.0117585, max overall 1.0746667 x 0.3149606 = 0.3384777.
    const WireRecord eight = lookup(WireSystem::Metric, WireLookupKind::BySize, 8.0);
    EXPECT_NEAR(eight.bareDiameter, 0.3149606, 1e-6);
    EXPECT_NEAR(eight.build, 0.0117585, 1e-6);
    EXPECT_NEAR(eight.insulatedDiameter, 0.3267191, 1e-6);
    EXPECT_NEAR(eight.maxOverallDiameter, 0.3384777, 1e-6);
}

TEST(WireLookup, Awg18ByHand) {
    // bare = floor(1019 e^(-8 x 0.115943) + 0.5) x 1e-4 = floor(403.08 + 0.5) x 1e-4 = 0.0403
    // build: 7.449 log10(79.365079 x 0.0403) + 16 = 7.449 x 0.50494 + 16 = 19.76 -> 20 -> 0.0020
    // area 0.0403^2 x 1e6 = 1624.09 cmil; ohms/ft at 20 degC 10.3713 / 1624.09 = 0.00638591;
    // at 75 degC x (55 / 254.4 + 1) = 0.00776652; lb/ft 3.044e-6 x 1624.09 = 0.00494373.
    const WireRecord w = lookup(WireSystem::Awg, WireLookupKind::BySize, 18.0);
    EXPECT_EQ(w.systemName, " AWG");
    EXPECT_EQ(w.size, 18.0F);
    EXPECT_FLOAT_EQ(w.bareDiameter, 0.0403F);
    EXPECT_FLOAT_EQ(w.build, 0.0020F);
    EXPECT_FLOAT_EQ(w.insulatedDiameter, 0.0423F);
    EXPECT_FLOAT_EQ(w.maxOverallDiameter, 0.0437F); // AWG 18 entry of the table
    EXPECT_NEAR(w.areaCmil, 1624.09, 1e-2);
    EXPECT_NEAR(w.ohmsPerFoot, 0.00638591, 1e-8);
    EXPECT_NEAR(w.poundsPerFoot, 0.00494373, 1e-8);

    const WireRecord hot = lookup(WireSystem::Awg, WireLookupKind::BySize, 18.0, 75.0);
    EXPECT_NEAR(hot.ohmsPerFoot, 0.00776652, 1e-8);
    EXPECT_NEAR(hot.poundsPerFoot, w.poundsPerFoot, 1e-12);
}

TEST(WireLookup, AwgOutsideTheTable) {
    // 4/0 held as -3: bare floor(1019 e^(13 x 0.115943) + 0.5) = floor(4600.3 + 0.5) -> 0.4600;
    // build 7.449 log10(36.5079) + 16 = 27.64 -> 0.0028; max overall 0.4600 + 0.0037.
    for (const double request : {-3.0, -7.0}) {
        const WireRecord w = lookup(WireSystem::Awg, WireLookupKind::BySize, request);
        EXPECT_EQ(w.size, -3.0F);
        EXPECT_FLOAT_EQ(w.bareDiameter, 0.4600F);
        EXPECT_FLOAT_EQ(w.build, 0.0028F);
        EXPECT_FLOAT_EQ(w.maxOverallDiameter, 0.4637F);
    }
    // AWG 52: bare 1019 e^(-42 x 0.115943) = 7.83 -> 0.0008; build 7.449 log10(0.063492) + 16
    // = 7.08 -> 0.0007; no table entry, so max overall = insulated 0.0015.
    const WireRecord fine = lookup(WireSystem::Awg, WireLookupKind::BySize, 52.0);
    EXPECT_FLOAT_EQ(fine.bareDiameter, 0.0008F);
    EXPECT_FLOAT_EQ(fine.build, 0.0007F);
    EXPECT_FLOAT_EQ(fine.maxOverallDiameter, fine.insulatedDiameter);
    EXPECT_FLOAT_EQ(fine.insulatedDiameter, 0.0015F);
}

TEST(WireLookup, Swg22ByHand) {
    // bare 0.028 in; build 7.449 log10(79.365079 x 0.028) + 16 = 18.58 -> 0.0019; the table has
    // no maximum, so max overall = insulated 0.0299. floor(21.6 + 0.5) = 22.
    for (const double request : {22.0, 21.6, 22.4}) {
        const WireRecord w = lookup(WireSystem::Swg, WireLookupKind::BySize, request);
        EXPECT_EQ(w.systemName, " SWG");
        EXPECT_EQ(w.size, 22.0F);
        EXPECT_FLOAT_EQ(w.bareDiameter, 0.028F);
        EXPECT_FLOAT_EQ(w.build, 0.0019F);
        EXPECT_FLOAT_EQ(w.maxOverallDiameter, 0.0299F);
    }
}

TEST(WireLookup, ByAreaInEachSystem) {
    struct Case {
        WireSystem system;
        double area;
        float size;
    };
    const Case cases[] = {
        // metric: (D x 0.03937)^2 <= 1000e-6 needs D <= 0.803 mm -> 0.8
        {WireSystem::Metric, 1000.0, 0.8F},
        // AWG: floor(9.9298 log10(10384 / 1624) + 10.7) = floor(18.70) = 18
        {WireSystem::Awg, 1624.0, 18.0F},
        // AWG: floor(9.9298 log10(10384 / 2000) + 10.7) = floor(17.80) = 17: 2052 cmil, a bit
        // more than asked for
        {WireSystem::Awg, 2000.0, 17.0F},
        // AWG: a huge area clamps to 4/0
        {WireSystem::Awg, 1e9, -3.0F},
        // SWG: first d with 1000e-6 > d^2: SWG 21 (0.032^2 = 0.001024) no, SWG 22 (0.000784)
        {WireSystem::Swg, 1000.0, 22.0F},
    };
    for (const Case& c : cases) {
        const WireRecord w = lookup(c.system, WireLookupKind::ByArea, c.area);
        EXPECT_EQ(w.size, c.size) << toIndex(c.system) << " " << c.area;
    }
    EXPECT_NEAR(lookup(WireSystem::Awg, WireLookupKind::ByArea, 2000.0).areaCmil, 2052.09, 1e-2);
}

TEST(WireLookup, AreaAndDiameterRequestsStopAtAwg50) {
    // 0.61 cmil: floor(9.9298 log10(10384 / 0.61) + 10.7) = floor(52.7) = 52, held at 50:
    // bare floor(1019 e^(-40 x 0.115943) + 0.5) = 10 -> 0.0010 in, 1 cmil, more than asked;
    // build 7.449 log10(0.0794) + 16 = 7.80 -> 0.0008, so the maximum becomes the insulated
    // 0.0018 (the table's 0.0014 is smaller).
    const WireRecord fine = lookup(WireSystem::Awg, WireLookupKind::ByArea, 0.61);
    EXPECT_EQ(fine.size, 50.0F);
    EXPECT_FLOAT_EQ(fine.bareDiameter, 0.0010F);
    EXPECT_FLOAT_EQ(fine.maxOverallDiameter, 0.0018F);
    EXPECT_EQ(lookup(WireSystem::Awg, WireLookupKind::ByArea, 1.0).size, 50.0F);
    // floor(9.9298 log10(5192) + 10.7) = floor(47.59) = 47
    EXPECT_EQ(lookup(WireSystem::Awg, WireLookupKind::ByArea, 2.0).size, 47.0F);

    // 0.0011 in first gives AWG 50 (0.0010 + 0.0008 too big), then with build 0.0008
    // ceil(19.8596 log10(0.1019 / 0.000189) + 10) = 65: finer than any table wire.
    WireRecord none;
    none.size = 7.0F;
    EXPECT_FALSE(lookupWire(none, WireSystem::Awg, WireLookupKind::ByMaxDiameter, 0.0011, 20.0));
    EXPECT_EQ(none.size, 7.0F);
    // 0.0025 in: ceil(19.8596 log10(0.1019 / 0.002375) + 10) = ceil(42.42) = 43, bare 0.0022 +
    // build 0.0010 too big; with that build ceil(19.8596 log10(0.1019 / 0.001375) + 10) = 48,
    // bare 0.0012 + build 0.0008 = 0.0020 fits.
    EXPECT_EQ(lookup(WireSystem::Awg, WireLookupKind::ByMaxDiameter, 0.0025).size, 48.0F);
}

TEST(WireLookup, ByMaxDiameterTakesLargestWireWhoseInsulationFits) {
    struct Case {
        WireSystem system;
        double maxDiameter;
        float size;
        float insulated;
    };
    const Case cases[] = {
        // AWG, first pass fits: ceil(19.8596 log10(0.1019 / (0.99 x 0.0425 - 0.0001)) + 10)
        // = ceil(17.65) = 18, insulated 0.0423 <= 0.0425 (AWG 17 would be 0.0473)
        {WireSystem::Awg, 0.0425, 18.0F, 0.0423F},
        // AWG, retry: 0.0415 first gives ceil(17.86) = 18, insulated 0.0423 too big; with build
        // 0.0020: ceil(19.8596 log10(0.1019 / 0.038985) + 10) = ceil(18.29) = 19,
        // bare 0.0359 + build 0.0019 = 0.0378
        {WireSystem::Awg, 0.0415, 19.0F, 0.0378F},
        // metric, first pass fits: 0.99 x 0.0415 - 0.0001 = 0.040985 in = 1.041 mm -> 1.0 mm,
        // insulated 1.050 mm = 0.0413386 in
        {WireSystem::Metric, 0.0415, 1.0F, 0.0413386F},
        // metric, retry: 0.0410 -> 1.0 mm (too big with insulation); 0.0404 - 0.0019685 =
        // 0.0384315 in = 0.976 mm -> 0.9 mm, insulated 0.946 mm = 0.0372441 in
        {WireSystem::Metric, 0.0410, 0.9F, 0.0372441F},
        // SWG, first pass fits: 0.0296 > 0.028 -> SWG 22, insulated 0.0299
        {WireSystem::Swg, 0.030, 22.0F, 0.0299F},
        // SWG, retry: 0.029105 -> SWG 22 (0.0299 too big); 0.029105 - 0.0019 = 0.027205 ->
        // SWG 23, bare 0.024 + build 0.0018
        {WireSystem::Swg, 0.0295, 23.0F, 0.0258F},
    };
    for (const Case& c : cases) {
        const WireRecord w = lookup(c.system, WireLookupKind::ByMaxDiameter, c.maxDiameter);
        EXPECT_EQ(w.size, c.size) << toIndex(c.system) << " " << c.maxDiameter;
        EXPECT_NEAR(w.insulatedDiameter, c.insulated, 1e-7) << toIndex(c.system);
        EXPECT_LE(w.insulatedDiameter, c.maxDiameter);
    }
}

TEST(WireLookup, ByMaxDiameterRetryAllowsForTheRejectedWiresBuild) {
    // Limit 0.0064796 in: 0.99 x 0.0064796 - 0.0001 = 0.0063148 in = 0.1604 mm -> 0.16 mm,
    // insulated 0.182 mm = 0.0071654 in, too big. The retry subtracts that wire's build
    // (0.022 mm = 0.000866 in): 0.0054487 in = 0.1384 mm -> 0.12 mm, although 0.14 mm
    // (insulated 0.16 mm = 0.0062992 in) would also have fitted.
    const WireRecord w = lookup(WireSystem::Metric, WireLookupKind::ByMaxDiameter, 0.0064796);
    EXPECT_EQ(w.size, 0.12F);
    EXPECT_NEAR(w.insulatedDiameter, 0.140 * Mm, 1e-7);
}

TEST(WireLookup, ByMaxDiameterAlwaysFitsAcrossTheRange) {
    for (const WireSystem system : {WireSystem::Metric, WireSystem::Awg, WireSystem::Swg}) {
        int found = 0;
        for (double limit = 0.0011; limit < 0.6; limit *= 1.003) {
            WireRecord w;
            if (!lookupWire(w, system, WireLookupKind::ByMaxDiameter, limit, 20.0)) {
                continue;
            }
            ++found;
            ASSERT_LE(w.insulatedDiameter, limit * (1 + 1e-6)) << toIndex(system) << " " << limit;
            ASSERT_GE(w.maxOverallDiameter, w.insulatedDiameter) << toIndex(system) << " " << limit;
        }
        EXPECT_GT(found, 1000) << toIndex(system);
    }
}

TEST(WireLookup, ShrinkingTwoMillimetreWireByTenPercentGivesOnePointEight) {
    // Neither 2.0 nor 1.8 mm is in the enamel table: both take 3.73333 % build, so 1.8 mm
    // insulated is exactly 0.9 x 2.0 mm insulated in decimal. As stored fields:
    // 2.0 mm: bare 0.0787402f + build 0.00293963f -> 0.0816797838f, x 0.9 = 0.0735118054;
    // 1.8 mm: bare 0.0708661f + build 0.00264567f -> 0.0735118017f, which fits. (Summed in
    // double before storing, 0.0735118067 did not, and the E-core build loop fell to 1.6 mm.)
    const WireRecord two = lookup(WireSystem::Metric, WireLookupKind::BySize, 2.0);
    const WireRecord w = lookup(WireSystem::Metric, WireLookupKind::ByMaxDiameter,
                                0.9 * static_cast<double>(two.insulatedDiameter));
    EXPECT_EQ(w.size, 1.8F);
    EXPECT_EQ(w.insulatedDiameter, 0.0735118017F);
}

TEST(WireLookup, RecordFiguresFollowFromTheStoredFields) {
    // Each figure is stored in its float field and the next one computed from that field:
    // insulated = bare + build, area = bare^2 x 1e6, then resistance and weight from the area.
    struct Sweep {
        WireSystem system;
        double from;
        double to;
        double step;
    };
    const Sweep sweeps[] = {
        {WireSystem::Metric, 0.05, 8.0, 0.01},
        {WireSystem::Awg, -3.0, 50.0, 1.0},
        {WireSystem::Swg, 1.0, 50.0, 1.0},
    };
    for (const Sweep& sweep : sweeps) {
        for (double size = sweep.from; size <= sweep.to + 1e-9; size += sweep.step) {
            const double temperature = 75.0;
            const WireRecord w = lookup(sweep.system, WireLookupKind::BySize, size, temperature);
            const double bare = w.bareDiameter;
            const double area = w.areaCmil;
            EXPECT_EQ(w.insulatedDiameter, static_cast<float>(bare + static_cast<double>(w.build)))
                << toIndex(sweep.system) << " " << size;
            EXPECT_EQ(w.areaCmil, static_cast<float>(bare * bare * 1e6))
                << toIndex(sweep.system) << " " << size;
            EXPECT_EQ(w.ohmsPerFoot,
                      static_cast<float>(((temperature - 20.0) / 254.4 + 1.0) * 10.3713 / area))
                << toIndex(sweep.system) << " " << size;
            EXPECT_EQ(w.poundsPerFoot, static_cast<float>(3.044e-6 * area))
                << toIndex(sweep.system) << " " << size;
        }
    }
}

TEST(WireTables, DataIsOrderedAndComplete) {
    // A dropped or mistyped entry breaks the strict ordering or leaves a zero.
    for (std::size_t i = 1; i < MetricDiameterTable.size(); ++i) {
        EXPECT_LT(MetricDiameterTable[i], MetricDiameterTable[i - 1]) << i;
    }
    EXPECT_EQ(MetricDiameterTable.back(), 0.05F);
    for (std::size_t i = 1; i < AwgMaxOverallTable.size(); ++i) {
        EXPECT_LT(AwgMaxOverallTable[i], AwgMaxOverallTable[i - 1]) << i;
    }
    EXPECT_EQ(AwgMaxOverallTable.back(), 0.0014F);
    for (std::size_t i = 1; i < SwgDiameterTable.size(); ++i) {
        EXPECT_LT(SwgDiameterTable[i], SwgDiameterTable[i - 1]) << i;
    }
    EXPECT_EQ(SwgDiameterTable.back(), 0.0010F);
    for (std::size_t i = 0; i < MetricEnamelTable.size(); ++i) {
        const MetricEnamelRow& row = MetricEnamelTable[i];
        if (i > 0) {
            EXPECT_GT(row.diameter, MetricEnamelTable[i - 1].diameter) << i;
            EXPECT_LT(row.ohmsPerKm, MetricEnamelTable[i - 1].ohmsPerKm) << i;
        }
        EXPECT_GT(row.maxOverall, row.diameter + 2 * row.thickness) << i;
    }
    EXPECT_EQ(MetricEnamelTable.back().diameter, 1.50F);
    // Whole AWG gauges take their table entry, raised to the insulated diameter where the
    // finest gauges' nominal build exceeds it (AWG 50: 0.0010 + 0.0008 over 0.0014).
    for (int gauge = 4; gauge <= 50; ++gauge) {
        const WireRecord w = lookup(WireSystem::Awg, WireLookupKind::BySize, gauge);
        const float entry = AwgMaxOverallTable[static_cast<std::size_t>(gauge - 4)];
        EXPECT_EQ(w.maxOverallDiameter, std::max(entry, w.insulatedDiameter)) << gauge;
    }
    EXPECT_FLOAT_EQ(lookup(WireSystem::Awg, WireLookupKind::BySize, 50).maxOverallDiameter,
                    0.0018F);
}

} // namespace
} // namespace korvane
