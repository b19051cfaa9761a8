#include "graphs/InductanceGraph.h"

#include "format/Messages.h"
#include "graphs/GraphDrawing.h"
#include "materials/AcPermeability.h"
#include "materials/PowderMaterialModel.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(InductanceGraph, UnitGroupsAndLabels) {
    struct Case {
        double henries;
        int group;
    };
    // (trunc(log10 L), minus 3 when negative) / 3: 47e-6: -4 -> -7 -> -2; 1e-6: -6 -> -9 -> -3;
    // 5e-3: -2 -> -5 -> -1; 0.05: -1 -> -4 -> -1; 0.5: 0 -> 0; 2000: 3 -> 1.
    const Case cases[] = {{47e-6, -2}, {1e-6, -3}, {5e-3, -1}, {0.05, -1}, {0.5, 0}, {2000.0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(inductanceUnitGroup(c.henries), c.group) << c.henries;
    }
    EXPECT_FALSE(inductanceUnitGroup(0.0));
    EXPECT_FALSE(inductanceUnitGroup(std::nan("")));
    EXPECT_EQ(inductanceAxisLabel(-3), "L, nH");
    EXPECT_EQ(inductanceAxisLabel(-2), "L, uH");
    EXPECT_EQ(inductanceAxisLabel(-1), "L, mH");
    EXPECT_EQ(inductanceAxisLabel(0), "L, H");
    EXPECT_FALSE(inductanceAxisLabel(1));
}

// 10 turns on AL 470 nH: L100 = 100 * 470e-9 = 47 uH.
DesignCandidate design47uH() {
    DesignCandidate d;
    d.partNumber = "T106-275";
    d.turns = 10.0F;
    d.al = 470.0F;
    d.percentPerm = 80.0F;
    d.biasScale = 0.5F;
    return d;
}

TEST(InductanceGraph, DcDesignInMicrohenries) {
    const PowderMaterialModel model;
    GraphState state;
    // An aging graph and a core loss graph were shown before.
    state.xDecades = 4;
    state.yDecades = 3;
    state.curveCount = 5;
    ASSERT_TRUE(show_inductance_graph(state, model, Application::DcBiased, design47uH(), 5.0));

    EXPECT_EQ(state.graphKind, kGraphInductanceVsCurrent);
    EXPECT_EQ(state.caption, "INDUCTANCE vs CURRENT");
    EXPECT_EQ(state.printTitle, "INDUCTANCE vs CURRENT");
    EXPECT_EQ(state.xLabel, "CURRENT IN AMPERES");
    EXPECT_EQ(state.yLabel, "L, uH");
    EXPECT_EQ(state.xDecades, 3);
    EXPECT_EQ(state.yDecades, 0);
    EXPECT_EQ(state.curveCount, 1);
    EXPECT_EQ(state.pointsPerCurve, 60);
    EXPECT_FLOAT_EQ(state.inductanceScale, 47.0F);
    EXPECT_FLOAT_EQ(state.currentScale, 0.5F);
    // Marker: 5 A at 47 * 80 / 100 = 37.6 uH; the operating inductance 37.6e-6 H in the
    // engineering format with 4 digits is "37.60 uH".
    EXPECT_FLOAT_EQ(state.marker.x, 5.0F);
    EXPECT_FLOAT_EQ(state.marker.y, 37.6F);
    EXPECT_EQ(state.description, "CORE:  T106-275:   10 Turns,  37.60 uH @ 5.0 Amperes");

    // Point 0: H = 2 Oe, 2 * 0.5 = 1 A; %mu of -275 at 2 Oe is 99.84 (kind 7143 fit), so
    // 0.9984 * 47 = 46.93 uH.
    EXPECT_FLOAT_EQ(state.points[0][0].x, 1.0F);
    EXPECT_NEAR(state.points[0][0].y, 46.93, 0.01);
    // Point 10: H = 27 Oe -> 13.5 A; y is the model's percent times 0.47.
    const auto pct = model.dcPercentPermPair("-275", 0, 27.0);
    ASSERT_TRUE(pct);
    EXPECT_FLOAT_EQ(state.points[0][10].x, 13.5F);
    EXPECT_NEAR(state.points[0][10].y, pct->value * 0.47, 1e-4);

    // The window draws the x axis over three decades ending at the first power of ten at or
    // above the largest current (350 Oe * 0.5 = 175 A -> 1000): x start 1.
    applyAutomaticAxes(state);
    EXPECT_FLOAT_EQ(state.xStart, 1.0F);
    EXPECT_FLOAT_EQ(state.yMax, 100.0F); // 46.93 -> 10^(ceil(3.34) / 2) = 100
}

TEST(InductanceGraph, SixtyHertzUsesRmsAmperesAndTheAcSequence) {
    const PowderMaterialModel model;
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    GraphState state;
    DesignCandidate d = design47uH();
    d.biasScale = 0.01F; // rms A per gauss
    ASSERT_TRUE(show_inductance_graph(state, model, Application::Line60Hz, d, 2.0));
    EXPECT_EQ(state.description, "CORE:   T106-275:   10 Turns,  37.60 uH @ 2.0 Amperes RMS");
    EXPECT_FLOAT_EQ(state.marker.x, 2.0F);
    // Point 59: B = 10000 gauss at mu_i -> 100 A rms; y from calc_pct_perm_ac.
    const auto pct = calc_pct_perm_ac(10000.0, "-275", model, AcDiagnostics::Quiet);
    ASSERT_TRUE(pct);
    EXPECT_FLOAT_EQ(state.points[0][59].x, 100.0F);
    EXPECT_NEAR(state.points[0][59].y, pct->value * 0.47, 1e-4);
    EXPECT_TRUE(sink.empty());

    // Resonant designs are drawn in peak amperes, like their marker: sqrt(2) * 0.01 * 10 G.
    ASSERT_TRUE(show_inductance_graph(state, model, Application::Resonant, d, 2.0));
    EXPECT_EQ(state.description, "CORE:  T106-275:   10 Turns,  37.60 uH @ 2.0 Amperes");
    EXPECT_NEAR(state.points[0][0].x, std::sqrt(2.0) * 0.1, 1e-6);
}

TEST(InductanceGraph, CompositeHasNoAcCurveAndNoTurnsNoGraph) {
    const PowderMaterialModel model;
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    GraphState state;
    DesignCandidate d = design47uH();
    d.partNumber = "ST106-M702";
    ASSERT_TRUE(show_inductance_graph(state, model, Application::Line60Hz, d, 2.0));
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(state.points[0][static_cast<std::size_t>(i)], (GraphPoint{}));
    }
    EXPECT_TRUE(sink.empty()); // no "unrecognized material" boxes
    // The DC curve of a composite does exist.
    ASSERT_TRUE(show_inductance_graph(state, model, Application::DcBiased, d, 2.0));
    EXPECT_GT(state.points[0][0].y, 0.0F);

    GraphState untouched;
    d.turns = 0.0F;
    EXPECT_FALSE(show_inductance_graph(untouched, model, Application::DcBiased, d, 2.0));
    EXPECT_EQ(untouched.graphKind, 0);
    EXPECT_EQ(untouched.caption, "GraphicsForm Constructor");
}

TEST(InductanceGraph, LongDescriptionsCloseUpTheirBlanks) {
    // 15-character part number, 4-digit turns, "1000.0 uH": 66 characters with the padding.
    const std::string text =
        inductanceDescription(Application::Line60Hz, "E375-226ABCDEFG", 1234, "1000.0 uH", 12.5);
    EXPECT_EQ(text, "CORE: E375-226ABCDEFG: 1234 Turns, 1000.0 uH @ 12.5 Amperes RMS");
    EXPECT_LT(text.size(), kDescriptionCapacity);
}

} // namespace
} // namespace korvane
