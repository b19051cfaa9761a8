#include "engine/Winding.h"

#include "catalog/CoreCatalog.h"
#include "format/Messages.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace korvane {
namespace {

constexpr double tol = 2e-5;

// T106-226: ID 0.611, OD 1.06, Ht 0.357 in; window 0.611^2 x 1e6 = 373321 cmil.
CoreRecord t106() {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    CoreRecord core;
    EXPECT_EQ(catalog.lookupPartNumber(core, "T106-226"), 1);
    EXPECT_EQ(core.ID, 0.611F);
    EXPECT_EQ(core.OD, 1.06F);
    EXPECT_EQ(core.Ht, 0.357F);
    EXPECT_NEAR(core.Aw, 373.321, 1e-3);
    return core;
}

// E125-226: A 1.25, B 0.555, C 0.366, D 0.724, E 0.36, F 0.9 in. Its bobbin (worked out in
// the bobbin tests): windingWidth 0.625, windingDepth 0.2125, tubePerimeter 1.75.
CoreRecord e125(BobbinRecord& bobbin) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    CoreRecord core;
    EXPECT_EQ(catalog.lookupPartNumber(core, "E125-226"), 1);
    EXPECT_EQ(catalog.get_Bobbin_data(bobbin, "E125-226", 1), 1);
    EXPECT_NEAR(bobbin.windingWidth, 0.625, 1e-6);
    EXPECT_NEAR(bobbin.tubePerimeter, 1.75, 1e-6);
    return core;
}

struct Geometry {
    double build, hole, woundOD, woundHeight, surface, mlt, length, rdc;
};

void expectGeometry(const DesignCandidate& c, double rdc, const Geometry& g) {
    EXPECT_NEAR(c.build, g.build, tol);
    EXPECT_NEAR(c.hole, g.hole, tol);
    EXPECT_NEAR(c.woundOD, g.woundOD, tol);
    EXPECT_NEAR(c.woundHeight, g.woundHeight, tol);
    EXPECT_NEAR(c.surfaceArea, g.surface, 1e-4);
    EXPECT_NEAR(c.mlt, g.mlt, tol);
    EXPECT_NEAR(c.wireLength, g.length, 1e-4);
    EXPECT_NEAR(rdc, g.rdc, 1e-6);
}

DesignCandidate withStrands(int strands) {
    DesignCandidate c;
    c.strands = strands;
    return c;
}

// AWG 18 throughout: bare 0.0403, build 0.0020, d = 0.0423, c = 1624.09 cmil,
// 20 degC: 10.3713 / 1624.09 = 0.00638591 ohm/ft.

TEST(CalcWinding, ToroidFullWindow) {
    // N 80, S 1: cNS = 129927.2; 2.15 x cNS = 279343 < 373321, not full.
    // t = min(0.83, 0.218 x 373321 / 129927.2 = 0.626381); u = cNS / Aw / t = 0.555621
    // sqrt(1 - u) = 0.666617; build = max(0.333383 x 0.3055 = 0.101848, 0.0423)
    // hole = min(0.611 - 0.0846, 0.611 x 0.666617 = 0.407303)
    // woundOD = max(1.1446, sqrt(1.1236 + 1e-6 x 129927.2 / 0.626381 = 1.331025) = 1.153701)
    // woundHeight = 0.357 + 0.093701 = 0.450701
    // surface = 3.14159 x 1.153701 x (1.153701 + 0.576851 + 0.357 - 1.06) x 6.4516 = 24.02777
    // MLT = (0.449 + 0.714 + 3.14159 x 0.101848) / 12 = 1.482964 / 12 = 0.123580
    // length = 80 x 0.123580 + 2 x 0.25 / 12 = 9.928106; rdc = 9.928106 x 0.00638591
    const CoreRecord core = t106();
    DesignCandidate c = withStrands(1);
    const double rdc = calcWinding(c, core, 80, WireSystem::Awg, 18.0F, 0.25, 20.0,
                                   WindingType::FullWindow, BobbinRecord{});
    expectGeometry(
        c, rdc, {0.101848, 0.407303, 1.153701, 0.450701, 24.02777, 0.123580, 9.928106, 0.0634000});
    EXPECT_FLOAT_EQ(c.wire.size, 18.0F);
    EXPECT_NEAR(c.wire.ohmsPerFoot, 0.00638591, 1e-8);
}

TEST(CalcWinding, StrandsLeadsAndAmbientTemperature) {
    // N 40, S 2: the same copper as 80 x 1, so the same geometry; leads 0.5 in at 100 degC:
    // length = 40 x 0.123580 + 1 / 12 = 5.026553
    // ohm/ft = (80 / 254.4 + 1) x 0.00638591 = 1.314465 x 0.00638591 = 0.00839405
    // rdc = 5.026553 x 0.00839405 / 2 = 0.0210966
    const CoreRecord core = t106();
    DesignCandidate c = withStrands(2);
    const double rdc = calcWinding(c, core, 40, WireSystem::Awg, 18.0F, 0.5, 100.0,
                                   WindingType::FullWindow, BobbinRecord{});
    EXPECT_NEAR(c.build, 0.101848, tol);
    EXPECT_NEAR(c.wireLength, 5.026553, 1e-4);
    EXPECT_NEAR(rdc, 0.0210966, 1e-6);
}

TEST(CalcWinding, ToroidSingleLayer) {
    // N 20: cNS = 32481.8, t = 0.83, u = 0.104829, sqrt(1 - u) = 0.946135
    // build = max(0.053865 x 0.3055 = 0.016456, 0.0423) = 0.0423; hole = 0.611 - 0.0846
    // woundOD = 1.06 + 0.0846 = 1.1446; woundHeight = 0.4416
    // surface = 3.14159 x 1.1446 x (1.1446 + 0.5723 + 0.357 - 1.06) x 6.4516 = 23.52154
    // MLT = (1.163 + 3.14159 x 0.0423) / 12 = 0.107991; length = 20 x MLT + 0.041667
    // = 2.201482; rdc = 2.201482 x 0.00638591 = 0.0140585
    const CoreRecord core = t106();
    DesignCandidate c = withStrands(1);
    const double rdc = calcWinding(c, core, 20, WireSystem::Awg, 18.0F, 0.25, 20.0,
                                   WindingType::SingleLayer, BobbinRecord{});
    expectGeometry(c, rdc,
                   {0.0423, 0.5264, 1.1446, 0.4416, 23.52154, 0.107991, 2.201482, 0.0140585});
}

TEST(CalcWinding, OverFullToroidWindow) {
    // N 150: 2.15 x 1624.09 x 150 = 523769 >= 373321, the window counts as full:
    // build = 0.3055, hole 0, woundOD = max(1.1446, sqrt(1.1236 + 0.373321) = 1.223487)
    // woundHeight = 0.520487; surface = 3.14159 x 1.223487 x (1.223487 + 0.611744 + 0.357 -
    // 1.06) x 6.4516 = 28.07704; MLT = (1.163 + 3.14159 x 0.3055) / 12 = 0.176896
    // length = 150 x 0.176896 + 0.041667 = 26.576113; rdc = x 0.00638591 = 0.169713
    const CoreRecord core = t106();
    for (const WindingType winding : {WindingType::FullWindow, WindingType::SingleLayer}) {
        DesignCandidate c = withStrands(1);
        const double rdc =
            calcWinding(c, core, 150, WireSystem::Awg, 18.0F, 0.25, 20.0, winding, {});
        expectGeometry(c, rdc,
                       {0.3055, 0.0, 1.223487, 0.520487, 28.07704, 0.176896, 26.576113, 0.169713});
    }
}

TEST(CalcWinding, NoTurnsLeavesTheBareCoreAndTheLeads) {
    // build 0, hole = ID, woundOD = OD, woundHeight = Ht
    // surface = 3.14159 x 1.06 x (1.06 + 0.53 + 0.357 - 1.06) x 6.4516 = 19.05664
    // MLT = 1.163 / 12 = 0.0969167; length = leads only = 0.5 / 12 = 0.0416667
    // rdc = 0.0416667 x 0.00638591 = 0.000266080
    const CoreRecord core = t106();
    for (const int turns : {0, -3}) {
        DesignCandidate c = withStrands(1);
        const double rdc = calcWinding(c, core, turns, WireSystem::Awg, 18.0F, 0.25, 20.0,
                                       WindingType::FullWindow, {});
        expectGeometry(c, rdc,
                       {0.0, 0.611, 1.06, 0.357, 19.05664, 0.0969167, 0.0416667, 0.000266080});
    }
}

TEST(CalcWinding, ECoreLayersOnTheBobbin) {
    // width 0.625 / d 0.0423 = 14.775 -> floor(13.775) = 13 wires a layer
    // N 30: layers = ceil(30 / 13) = 3; build = 3 x 0.0423 = 0.1269
    // MLT = (3.14159 x 0.1269 + 1.75) / 12 = 2.148668 / 12 = 0.179056
    // woundHeight = 2 x 0.1269 + 0.366 = 0.6198
    // surface = (2 x 1.25 x (0.555 + 0.366) + 0.555 x 0.366 + (0.724 + 0.9) x (0.9 - 0.36))
    //         x 6.451 = (2.3025 + 0.20313 + 0.87696) x 6.451 = 21.82114
    // length = 30 x 0.179056 + 0.041667 = 5.413334; rdc = x 0.00638591 = 0.0345687
    BobbinRecord bobbin;
    const CoreRecord core = e125(bobbin);
    DesignCandidate c = withStrands(1);
    c.hole = 9.0F;
    const double rdc = calcWinding(c, core, 30, WireSystem::Awg, 18.0F, 0.25, 20.0,
                                   WindingType::FullWindow, bobbin);
    expectGeometry(c, rdc, {0.1269, 0.0, 0.0, 0.6198, 21.82114, 0.179056, 5.413334, 0.0345687});

    // 3 strands: 90 conductors -> ceil(90 / 13) = 7 layers, build 0.2961
    DesignCandidate s = withStrands(3);
    calcWinding(s, core, 30, WireSystem::Awg, 18.0F, 0.25, 20.0, WindingType::FullWindow, bobbin);
    EXPECT_NEAR(s.build, 0.2961, tol);
}

TEST(CalcWinding, ECoreNarrowerThanTwoWires) {
    BobbinRecord bobbin;
    const CoreRecord core = e125(bobbin);
    struct Case {
        const char* what;
        float width;
        double expected;
    };
    const Case cases[] = {
        {"0.08 / 0.0423 = 1.89 wires", 0.08F, -1.0},
        {"no bobbin", 0.0F, -1.0},
    };
    for (const Case& k : cases) {
        BobbinRecord narrow = bobbin;
        narrow.windingWidth = k.width;
        DesignCandidate c = withStrands(1);
        c.build = 5.0F;
        EXPECT_EQ(calcWinding(c, core, 30, WireSystem::Awg, 18.0F, 0.25, 20.0,
                              WindingType::FullWindow, narrow),
                  k.expected)
            << k.what;
        EXPECT_EQ(c.build, 5.0F) << k.what; // geometry left alone
    }
    // 0.0846 / 0.0423 = 2 wires: one a layer
    BobbinRecord two = bobbin;
    two.windingWidth = 0.0846F;
    DesignCandidate c = withStrands(1);
    EXPECT_GT(
        calcWinding(c, core, 3, WireSystem::Awg, 18.0F, 0.25, 20.0, WindingType::FullWindow, two),
        0.0);
    EXPECT_NEAR(c.build, 3 * 0.0423, tol);
}

TEST(CalcWinding, UnknownWireGivesZero) {
    const CoreRecord core = t106();
    DesignCandidate c = withStrands(1);
    c.build = 5.0F;
    EXPECT_EQ(
        calcWinding(c, core, 10, WireSystem::Swg, 60.0F, 0.25, 20.0, WindingType::FullWindow, {}),
        0.0);
    EXPECT_EQ(calcWinding(c, core, 10, WireSystem::Awg, 18.0F, 0.25,
                          std::numeric_limits<double>::quiet_NaN(), WindingType::FullWindow, {}),
              0.0);
    EXPECT_EQ(c.build, 5.0F);
}

TEST(CalcSurfaceArea, EqualsTheWindingSurface) {
    BobbinRecord bobbin;
    const CoreRecord toroid = t106();
    const CoreRecord eCore = e125(bobbin);
    CoreRecord composite = toroid;
    composite.shape = CoreShape::Composite;
    struct Case {
        const char* what;
        const CoreRecord* core;
        WindingType winding;
        int turns;
        int strands;
    };
    const Case cases[] = {
        {"toroid full window", &toroid, WindingType::FullWindow, 80, 1},
        {"toroid strands", &toroid, WindingType::FullWindow, 20, 3},
        {"toroid few turns", &toroid, WindingType::FullWindow, 5, 1},
        {"toroid single layer", &toroid, WindingType::SingleLayer, 20, 1},
        {"toroid over-full", &toroid, WindingType::FullWindow, 150, 1},
        {"toroid no turns", &toroid, WindingType::FullWindow, 0, 1},
        {"composite", &composite, WindingType::FullWindow, 60, 1},
        {"E-core", &eCore, WindingType::FullWindow, 30, 1},
    };
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    for (const Case& k : cases) {
        DesignCandidate c = withStrands(k.strands);
        ASSERT_GT(
            calcWinding(c, *k.core, k.turns, WireSystem::Awg, 18.0F, 0.25, 20.0, k.winding, bobbin),
            0.0)
            << k.what;
        EXPECT_NEAR(calcSurfaceArea(k.winding, k.turns, k.strands, c.wire.areaCmil,
                                    c.wire.insulatedDiameter, *k.core),
                    c.surfaceArea, 1e-4)
            << k.what;
    }
    // turns 0 has no copper: reported, as the caller asked for a surface of no winding
    ASSERT_EQ(sink.size(), 1U);
}

TEST(CalcSurfaceArea, NoCopperIsReportedAndTakenAsFull) {
    // Full window: woundOD = max(sqrt(1.1236 + 0.373321), 1.1446) = 1.223487, surface 28.07704
    const CoreRecord core = t106();
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_NEAR(calcSurfaceArea(WindingType::FullWindow, 40, 0, 1624.09, 0.0423, core), 28.07704,
                1e-4);
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last().text,
              " Wire / strands error \n A_Cu: 1624.0900, Dia: 0.042,Turns 40, Strands 0");
    EXPECT_EQ(sink.last().caption, "calcSurfaceArea ");
}

TEST(CalcSurfaceArea, OtherShapeGivesMinusOne) {
    CoreRecord core = t106();
    core.shape = static_cast<CoreShape>(3);
    EXPECT_EQ(calcSurfaceArea(WindingType::FullWindow, 40, 1, 1624.09, 0.0423, core), -1.0);
}

} // namespace
} // namespace korvane
