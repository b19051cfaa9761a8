#include "engine/WireSelection.h"

#include "engine/AcResistance.h"
#include "format/Messages.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <utility>
#include <vector>

namespace korvane {
namespace {

namespace R = WireSelectionResult;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A catalog whose bobbins are whatever the test says.
class BobbinStub : public CoreCatalog {
  public:
    BobbinStub(int result, BobbinRecord bobbin) : result_(result), bobbin_(bobbin) {}
    int get_Bobbin_data(BobbinRecord& bobbin, std::string_view, int stackCount) const override {
        stacks.push_back(stackCount);
        if (result_ >= 1) {
            bobbin = bobbin_;
        }
        return result_;
    }

    mutable std::vector<int> stacks; // stack count of every call

  private:
    int result_;
    BobbinRecord bobbin_;
};

// One selection on a catalog core with the default design parameters (fill 40 %, 150 cmil
// per ampere, leads 0.25 in), AWG wire, ambient 20 degC, no resistance limit.
struct Selection {
    explicit Selection(const char* partNumber, float turns) {
        EXPECT_EQ(catalog.lookupPartNumber(core, partNumber), 1);
        design.shape = core.shape;
        design.wireSystem = WireSystem::Awg;
        candidate.turns = turns;
        candidate.strands = 1;
        candidate.stackCount = 1.0F;
    }
    int run(double current, double rs = 0.0) { return runWith(catalog, current, rs); }
    int runWith(const CoreCatalogBase& cat, double current, double rs = 0.0) {
        return select_wire(design, application, wire, candidate, current, 20.0, rs, core.shape,
                           winding, cat, core, bobbin, parameters);
    }

    RecordingSink sink;
    ScopedMessageSink scope{sink};
    CoreCatalog catalog;
    CoreRecord core;
    DesignPFE design;
    DesignParameters parameters;
    Application application = Application::DcBiased;
    WindingType winding = WindingType::FullWindow;
    DesignCandidate candidate;
    WireRecord wire;
    BobbinRecord bobbin;
};

// T106-226: ID 0.611, OD 1.06, Ht 0.357 in, window Aw = 373321 cmil.

TEST(SelectWire, ToroidFullWindow) {
    // area = 0.40 x 373321 / 80 = 1866.6 cmil: AWG floor(9.9298 log10(10384 / 1866.6) + 10.7)
    // = floor(18.10) = 18, c = 1624.09 >= 150 x 2 A; t = min(0.83, 0.218 x 373321 / 129927)
    // = 0.626381, 373321 x t = 233843 >= 129927: fits at once.
    // The winding (see the calcWinding tests): build 0.101848, rdc = 9.928106 ft x 10.3713 /
    // 1624.09 = 0.0634000 ohm
    Selection s("T106-226", 80.0F);
    EXPECT_EQ(s.run(2.0), R::kFound);
    EXPECT_FLOAT_EQ(s.wire.size, 18.0F);
    EXPECT_FLOAT_EQ(s.candidate.wire.size, 18.0F);
    EXPECT_EQ(s.candidate.strands, 1);
    EXPECT_NEAR(s.candidate.build, 0.101848, 2e-5);
    EXPECT_NEAR(s.candidate.rdc, 0.0634000, 1e-6);
    EXPECT_FLOAT_EQ(s.candidate.rac, s.candidate.rdc);
    EXPECT_TRUE(s.sink.empty());
}

TEST(SelectWire, WireShrinksUntilTheWindingFits) {
    // Fill 60 %: area = 0.6 x 373321 / 80 = 2799.9 -> AWG floor(16.35) = 16, bare 0.0508,
    // c = 2580.64; cNS = 206451, t = 0.218 x 373321 / 206451 = 0.394203, 373321 x t = 147164
    // < 206451: area x 0.9 = 2519.9 -> floor(16.81) = 16 again; x 0.9 = 2267.9 -> floor(17.26)
    // = 17, bare 0.0453, c = 2052.09; cNS = 164167, t = 0.495745, 373321 x t = 185071 >= cNS.
    Selection s("T106-226", 80.0F);
    s.parameters.set(Application::DcBiased).Fill = 60.0F;
    EXPECT_EQ(s.run(2.0), R::kFound);
    EXPECT_FLOAT_EQ(s.candidate.wire.size, 17.0F);
    EXPECT_NEAR(s.candidate.wire.areaCmil, 2052.09, 1e-2);
}

TEST(SelectWire, SingleLayerToroid) {
    // N 20: sin(3.14159 / 20) = 0.156434; max diameter = 0.156434 x 0.591 / 1.156434
    // = 0.0799463; AWG ceil(19.8596 log10(0.1019 / (0.99 x 0.0799463 - 0.0001)) + 10) = 13:
    // bare 0.0720 + build 0.0022 = 0.0742 fits; c = 5184, fit loop keeps AWG 13.
    // Winding: u = 103680 / 373321 / 0.784960 = 0.353810, build = max(0.059921, 0.0742);
    // hole = 0.611 - 0.1484 = 0.4626; woundOD = 1.06 + 0.1484 = 1.2084
    Selection s("T106-226", 20.0F);
    s.winding = WindingType::SingleLayer;
    EXPECT_EQ(s.run(2.0), R::kFound);
    EXPECT_FLOAT_EQ(s.candidate.wire.size, 13.0F);
    EXPECT_NEAR(s.candidate.build, 0.0742, 1e-6);
    EXPECT_NEAR(s.candidate.hole, 0.4626, 1e-6);
    EXPECT_NEAR(s.candidate.woundOD, 1.2084, 1e-6);
}

TEST(SelectWire, RejectionCodes) {
    struct Case {
        const char* what;
        float turns;
        int strands;
        WindingType winding;
        double current;
        double rs;
        int expected;
    };
    const Case cases[] = {
        // one conductor in a single layer: sin(3.14159) x 0.591 / 1.0000027 = 1.6e-6 in
        {"single layer N x S = 1", 1.0F, 1, WindingType::SingleLayer, 2.0, 0.0, R::kNoDiameterWire},
        // AWG 18 holds 1624.09 cmil; 20 A x 150 = 3000 cmil
        {"current density", 80.0F, 1, WindingType::FullWindow, 20.0, 0.0, R::kCurrentDensity},
        {"current not a number", 80.0F, 1, WindingType::FullWindow, nan, 0.0, R::kCurrentDensity},
        // 10.8 A x 150 = 1620 <= 1624.09; 10.9 A x 150 = 1635 > 1624.09
        {"current density just met", 80.0F, 1, WindingType::FullWindow, 10.8, 0.0, R::kFound},
        {"current density just missed", 80.0F, 1, WindingType::FullWindow, 10.9, 0.0,
         R::kCurrentDensity},
        // rdc 0.0634
        {"above Rs", 80.0F, 1, WindingType::FullWindow, 2.0, 0.05, R::kResistanceLimit},
        {"below Rs", 80.0F, 1, WindingType::FullWindow, 2.0, 0.07, R::kFound},
        // 1e9 turns: 0.4 x 373321 / 1e9 cmil is below the finest wire
        {"no wire for the window", 1e9F, 1, WindingType::FullWindow, 0.0, 0.0,
         R::kNoFullWindowWire},
    };
    for (const Case& c : cases) {
        Selection s("T106-226", c.turns);
        s.candidate.strands = c.strands;
        s.winding = c.winding;
        EXPECT_EQ(s.run(c.current, c.rs), c.expected) << c.what;
        EXPECT_TRUE(s.sink.empty()) << c.what;
    }
}

TEST(SelectWire, TooFewTurnsStopsWithMessage) {
    Selection s("T106-226", 0.3F);
    s.application = Application::WideSwing;
    EXPECT_EQ(s.run(2.0), R::kInvalidTurns);
    ASSERT_EQ(s.sink.size(), 1U);
    EXPECT_EQ(s.sink.last().text,
              "Application: 2, CORE: T106-226,  turns:     0, Window: 373321.0");
    EXPECT_EQ(s.sink.last().caption, "ERROR: in select_wire, invalid number of turns");

    Selection n("T106-226", std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(n.run(2.0), R::kInvalidTurns);
    EXPECT_EQ(n.sink.size(), 1U);
}

TEST(SelectWire, MinimumStrandsOfTheDesign) {
    // The design asks for 2 strands: area = 0.4 x 373321 / 80 / 2 = 933.3 -> AWG 21.
    Selection s("T106-226", 80.0F);
    s.design.minStrands = 2;
    EXPECT_EQ(s.run(2.0), R::kFound);
    EXPECT_EQ(s.candidate.strands, 2);
    EXPECT_FLOAT_EQ(s.candidate.wire.size, 21.0F);
}

TEST(SelectWire, MissingToroidDimensionIsReportedAndSelectionGoesOn) {
    Selection s("T106-226", 80.0F);
    s.core.ID = 0.0F;
    EXPECT_EQ(s.run(2.0), R::kFound);
    ASSERT_EQ(s.sink.size(), 1U);
    EXPECT_EQ(s.sink.last().text, "Core T106-226 Missing Dimension: Aw = 373321 kcm, ID = "
                                  "0.000, oD = 1.060, Ht = 0.357");
    EXPECT_EQ(s.sink.last().caption, "SELECT WIRE CORE DIMENSION ERROR: ");
}

TEST(SelectWire, ResonantWithoutFrequencyStops) {
    for (const float f : {0.0F, -5.0F}) {
        Selection s("T106-226", 80.0F);
        s.application = Application::Resonant;
        s.candidate.frequency = f;
        EXPECT_EQ(s.run(2.0), R::kFrequencyMissing) << f;
        ASSERT_EQ(s.sink.size(), 1U);
        EXPECT_EQ(s.sink.last().text, "Error: Peak Current, Voltage, or frequency Not Specified");
        EXPECT_EQ(s.sink.last().caption, "ERROR from select_wire");
    }
}

TEST(SelectWire, ResonantStrandsAboveThreeSkinDepths) {
    // 500 kHz: skin depth 2.7952756 / sqrt(500000) = 0.00395312; AWG 18 bare 0.0403 is 10.2
    // skin depths. Strand for 3 x 0.00395312 = 0.0118594: AWG ceil(28.71) = 29 is 0.0113 +
    // 0.0016 = 0.0129, too thick; with its build ceil(19.8596 log10(0.1019 / 0.0100408) + 10)
    // = 30: 0.0100 + 0.0015 = 0.0115. Strands = floor(0.0423 / 0.0115 = 3.68) = 3.
    // Winding: c = 100, cNS = 24000, t = 0.83, u = 24000 / 373321 / 0.83 = 0.0774560,
    // build = max((1 - 0.960492) x 0.3055 = 0.0120697, 0.0115) = 0.0120697
    // MLT = (1.163 + 3.14159 x 0.0120697 = 1.200918) / 12 = 0.100077; length = 80 x MLT
    // + 0.0416667 = 8.047787; rdc = 8.047787 x 10.3713 / 100 / 3 = 0.278220
    // At 1.9 A the three strands carry the 285 cmil asked for.
    Selection s("T106-226", 80.0F);
    s.application = Application::Resonant;
    s.candidate.frequency = 500.0F;
    EXPECT_EQ(s.run(1.9), R::kFound);
    EXPECT_EQ(s.candidate.strands, 3);
    EXPECT_FLOAT_EQ(s.candidate.wire.size, 30.0F);
    EXPECT_NEAR(s.candidate.build, 0.0120697, 1e-6);
    EXPECT_NEAR(s.candidate.rdc, 0.278220, 1e-5);

    // Fr of 80 turns x 3 strands of AWG 30 between the ID and the OD of the core (mu 26)
    WireRecord strand;
    ASSERT_TRUE(lookupWire(strand, WireSystem::Awg, WireLookupKind::BySize, 30.0, 20.0));
    const double fr = calc_ac_res_Fr(strand, 80.0, 3, 0.611, 1.06, 26.0, 500.0);
    EXPECT_GT(fr, 1.0);
    EXPECT_NEAR(s.candidate.rac, fr * 0.278220, 1e-5);
    EXPECT_TRUE(s.sink.empty());

    // At 2 A, 300 cmil: AWG 30's bare diameter is stored as 0.0099999998 in, its area as
    // 99.999992 cmil, and three strands fall just short of the current density.
    Selection exact("T106-226", 80.0F);
    exact.application = Application::Resonant;
    exact.candidate.frequency = 500.0F;
    EXPECT_EQ(exact.run(2.0), R::kCurrentDensity);
    EXPECT_EQ(exact.candidate.strands, 3);
    EXPECT_EQ(exact.wire.areaCmil, 99.999992F);
}

TEST(SelectWire, ResonantSkinDepthBelowTheFinestWire) {
    // 1e5 kHz: 3 skin depths = 3 x 2.7952756 / 1e4 = 0.00084 in, below any wire
    Selection s("T106-226", 80.0F);
    s.application = Application::Resonant;
    s.candidate.frequency = 1e5F;
    EXPECT_EQ(s.run(2.0), R::kNoDiameterWire);
}

// E125-226: A 1.25, B 0.555, C 0.366, D 0.724, E 0.36, F 0.9 in; window 1.261 cm^2 x
// 0.15500031 x 1e6 = 195455 cmil; bobbin windingWidth 0.625, windingDepth 0.2125,
// tubePerimeter 1.75.
TEST(SelectWire, ECoreFullWindowShrinksUntilTheBuildFits) {
    // area = 0.78 x 195455 / 30 = 5081.8 -> AWG floor(13.78) = 13, d 0.0742.
    // pass 1: 0.625 / 0.0742 = 8.42 -> 7 a layer, ceil(30 / 7) = 5 layers, build 0.371 >
    //         0.2125 - 0.0742: next ByMaxDiameter 0.06678 -> AWG 14, d 0.0662
    // pass 2: 9.44 -> 8 a layer, 4 layers, 0.2648 > 0.1463: 0.05958 -> AWG 15, d 0.0592
    // pass 3: 10.56 -> 9 a layer, 4 layers, 0.2368 > 0.1533: 0.05328 -> AWG 16, d 0.0529
    // pass 4: 11.81 -> 10 a layer, 3 layers, build 0.1587 <= 0.2125 - 0.0529 = 0.1596: fits
    // MLT = (3.14159 x 0.1587 + 1.75) / 12 = 0.187381; length = 30 x MLT + 0.0416667
    // = 5.663090; rdc = 5.663090 x 10.3713 / 2580.64 = 0.0227597
    Selection s("E125-226", 30.0F);
    EXPECT_EQ(s.run(2.0), R::kFound);
    EXPECT_NEAR(s.bobbin.windingWidth, 0.625, 1e-6);
    EXPECT_FLOAT_EQ(s.candidate.wire.size, 16.0F);
    EXPECT_NEAR(s.candidate.build, 0.1587, 1e-6);
    EXPECT_NEAR(s.candidate.mlt, 0.187381, 1e-6);
    EXPECT_NEAR(s.candidate.rdc, 0.0227597, 1e-6);
    EXPECT_FLOAT_EQ(s.candidate.rac, s.candidate.rdc);
    EXPECT_TRUE(s.sink.empty());
}

TEST(SelectWire, ECoreResonantUsesTheBobbinWidth) {
    // 10 kHz keeps AWG 16 (0.0508 / 0.0279528 = 1.82 skin depths)
    Selection s("E125-226", 30.0F);
    s.application = Application::Resonant;
    s.candidate.frequency = 10.0F;
    EXPECT_EQ(s.run(2.0), R::kFound);
    WireRecord wire;
    ASSERT_TRUE(lookupWire(wire, WireSystem::Awg, WireLookupKind::BySize, 16.0, 20.0));
    const double fr = calc_ac_res_Fr(wire, 30.0, 1, BobbinWinding{0.625}, s.core.initialPerm, 10.0);
    EXPECT_GT(fr, 1.0);
    EXPECT_NEAR(s.candidate.rac, fr * 0.0227597, 1e-6);
}

TEST(SelectWire, ECoreBobbinTroubles) {
    // No bobbin: reported, then no wire fits a winding width of 0.
    {
        Selection s("E125-226", 30.0F);
        BobbinStub none(0, {});
        EXPECT_EQ(s.runWith(none, 2.0), R::kNoBuildFit);
        ASSERT_GE(s.sink.size(), 1U);
        EXPECT_EQ(s.sink.messages().front().text, "lines remaining 0, Winding Width 0.00");
        EXPECT_EQ(s.sink.messages().front().caption, "get_Bobbin_data ");
    }
    // A bobbin too shallow for any wire: the wire shrinks until the table has none.
    {
        Selection s("E125-226", 30.0F);
        BobbinRecord shallow;
        shallow.windingWidth = 0.625F;
        shallow.windingDepth = 0.0F;
        shallow.tubePerimeter = 1.75F;
        BobbinStub stub(1, shallow);
        EXPECT_EQ(s.runWith(stub, 2.0), R::kNoBuildFit);
        EXPECT_TRUE(s.sink.empty());
    }
}

TEST(SelectWire, BobbinForTheWholeCoresOfTheStack) {
    BobbinRecord bobbin;
    bobbin.windingWidth = 0.625F;
    bobbin.windingDepth = 0.2125F;
    bobbin.tubePerimeter = 1.75F;
    for (const auto& [stack, whole] :
         {std::pair{1.0F, 1}, std::pair{2.0F, 2}, std::pair{2.6F, 2}, std::pair{0.0F, 1}}) {
        Selection s("E125-226", 30.0F);
        s.candidate.stackCount = stack;
        BobbinStub stub(1, bobbin);
        s.runWith(stub, 2.0);
        ASSERT_EQ(stub.stacks.size(), 1U);
        EXPECT_EQ(stub.stacks.front(), whole) << stack;
    }
}

TEST(SelectWire, WireMayBeTheCandidatesOwn) {
    // The same E-core selection as above, choosing into the candidate's wire record.
    Selection s("E125-226", 30.0F);
    EXPECT_EQ(select_wire(s.design, s.application, s.candidate.wire, s.candidate, 2.0, 20.0, 0.0,
                          s.core.shape, s.winding, s.catalog, s.core, s.bobbin, s.parameters),
              R::kFound);
    EXPECT_FLOAT_EQ(s.candidate.wire.size, 16.0F);
    EXPECT_NEAR(s.candidate.build, 0.1587, 1e-6);
    EXPECT_NEAR(s.candidate.rdc, 0.0227597, 1e-6);
}

} // namespace
} // namespace korvane
