#include "graphs/MaterialGraphs.h"

#include "format/Messages.h"
#include "graphs/GraphDrawing.h"
#include "materials/MaterialLists.h"
#include "materials/PowderMaterialModel.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvane {
namespace {

// The 18 selectable mixes and the two composite materials: 20 names.
std::vector<std::string> twentyMaterials() {
    std::vector<std::string> list;
    for (const SelectableMaterial& m : selectableMaterials()) {
        list.emplace_back(m.code);
    }
    for (const CompositeMaterial& c : compositeMaterials()) {
        list.emplace_back(c.code);
    }
    return list;
}

// Names written in red on the drawn graph: one per drawn curve.
int drawnNames(GraphState& state) {
    RecordingCanvas canvas({1200, 600});
    drawGraph(state, canvas);
    int count = 0;
    for (const RecordedText& t : canvas.texts()) {
        count += t.font.color == colors::kRed ? 1 : 0;
    }
    return count;
}

TEST(MaterialGraph, TwentyMaterialsShowTheNoticeAndDrawSixteen) {
    const std::vector<std::string> list = twentyMaterials();
    ASSERT_EQ(list.size(), 20U);
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    GraphState state;
    state.curveCount = 20;
    show_material_graph(state, PowderMaterialModel{}, kGraphPercentPermVsDcBias, list);

    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last().text, "Graphs for Only the first 16 in the list will be shown");
    EXPECT_EQ(sink.last().caption, "Number of Materials Selected Exceeds Number of Graphs Limit");
    EXPECT_EQ(state.curveCount, 16);
    EXPECT_EQ(state.curveNames[15], list[15]);
    EXPECT_EQ(drawnNames(state), 16);
}

TEST(MaterialGraph, EmptyThirdNameEndsTheListAtTwoCurves) {
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    GraphState state;
    state.curveNames[2] = "-240"; // left from an earlier graph
    state.curveCount = 4;
    const std::vector<std::string> list = {"-275", "-226", "", "-260"};
    show_material_graph(state, PowderMaterialModel{}, kGraphInitialPermVsDcBias, list);
    EXPECT_TRUE(sink.empty());
    EXPECT_EQ(state.curveCount, 2);
    EXPECT_TRUE(state.curveNames[2].empty());
    EXPECT_EQ(drawnNames(state), 2);
}

TEST(MaterialGraph, RangesResetByEveryKind) {
    const PowderMaterialModel model;
    GraphState state;
    state.xDecades = 4; // from an aging graph
    state.curveCount = 1;
    const std::vector<std::string> list = {"-275"};
    // Core loss at 100 kHz: log y over 3 decades from the reference 10, x from 10.
    show_material_graph(state, model, kGraphCoreLoss100kHz, list);
    EXPECT_EQ(state.caption, "CORE LOSS vs PEAK AC FLUX DENSITY @ 100 kHZ");
    EXPECT_EQ(state.printTitle, state.caption);
    EXPECT_EQ(state.yLabel, "LOSS mW/cm3");
    EXPECT_EQ(state.xDecades, 3);
    EXPECT_EQ(state.yDecades, 3);
    EXPECT_FLOAT_EQ(state.xStart, 10.0F);
    EXPECT_FLOAT_EQ(state.curveReference[0], 10.0F);
    // Frequency graph after it: linear y again, 5 x decades from 1000 Hz, reference 1.
    show_material_graph(state, model, kGraphPermVsFrequency, list);
    EXPECT_EQ(state.yDecades, 0);
    EXPECT_EQ(state.xDecades, 5);
    EXPECT_FLOAT_EQ(state.xStart, 1000.0F);
    EXPECT_FLOAT_EQ(state.yMax, 125.0F);
    EXPECT_FLOAT_EQ(state.curveReference[0], 1.0F);
    EXPECT_EQ(state.pointsPerCurve, 60);
}

TEST(MaterialGraph, SampleSequences) {
    // DC bias: floor(2.5 * 1.27045^i) capped at 350. 1.27045^10 = e^(10 * 0.2393712) = 10.954,
    // so point 10 is floor(27.39) = 27; point 21 would be 2.5 * 152.5 = 381, capped.
    EXPECT_EQ(dcBiasSample("-275", 0), 2.0);
    EXPECT_EQ(dcBiasSample("-275", 1), 3.0); // 2.5 * 1.27045 = 3.18
    EXPECT_EQ(dcBiasSample("-275", 10), 27.0);
    EXPECT_EQ(dcBiasSample("-275", 21), 350.0);
    // The two lower-range mixes: floor(1.27045^i), capped at 250; 1.27045^23 = 246.6 and
    // 1.27045^24 = 313.3.
    for (std::string_view code : lowDcBiasRangeSubstrings()) {
        EXPECT_EQ(dcBiasSample(code, 0), 1.0);
        EXPECT_EQ(dcBiasSample(code, 10), 10.0);
        EXPECT_EQ(dcBiasSample(code, 23), 246.0);
        EXPECT_EQ(dcBiasSample(code, 24), 250.0);
    }
    // Composites: 0.1 * 280^(i/59): 0.1 at the start, 28 at the end.
    EXPECT_DOUBLE_EQ(dcBiasSample("-M714", 0), 0.1);
    EXPECT_NEAR(dcBiasSample("-M714", 59), 28.0, 1e-9);

    // AC flux: floor(10 * 1.12421^i + 0.5); 1.12421^59 = e^(59 * 0.1170807) = 1000.0, and
    // 10 * 1.12421^55 = 6261 passes the 6000 gauss limit of the two limited mixes
    // (10 * 1.12421^54 = 5569).
    EXPECT_EQ(acFluxSample("-275", 0), 10.0);
    EXPECT_EQ(acFluxSample("-275", 1), 11.0);
    EXPECT_EQ(acFluxSample("-275", 55), 6261.0);
    EXPECT_EQ(acFluxSample("-275", 59), 10000.0);
    for (std::string_view code : acGraph6000GaussSubstrings()) {
        EXPECT_EQ(acFluxSample(code, 54), 5569.0);
        EXPECT_EQ(acFluxSample(code, 55), 6000.0);
        EXPECT_EQ(acFluxSample(code, 59), 6000.0);
    }
    // Core-loss flux: 10 * floor(1.12421^i + 0.5): 1.12421^3 = 1.42 gives 10, 1.12421^4 = 1.597
    // gives 20.
    EXPECT_EQ(coreLossFluxSample(3), 10.0);
    EXPECT_EQ(coreLossFluxSample(4), 20.0);
    EXPECT_EQ(coreLossFluxSample(59), 10000.0);
    // Frequency: 1000 * 1.2153999805^20 = 49474.85 Hz.
    EXPECT_NEAR(frequencySample(20), 49474.85, 0.01);
}

TEST(MaterialGraph, CurvesAnchorsAndCompositeRules) {
    const PowderMaterialModel model;
    GraphState state;
    state.curveCount = 2;
    const std::vector<std::string> list = {"-M702", "-275"};
    show_material_graph(state, model, kGraphPercentPermVsDcBias, list);
    // Each material keeps its own sequence; the composite first moves x start to 0.1.
    EXPECT_FLOAT_EQ(state.xStart, 0.1F);
    EXPECT_FLOAT_EQ(state.points[0][0].x, 0.1F);
    EXPECT_FLOAT_EQ(state.points[1][0].x, 2.0F);
    // Kind 7143 at H = 2: sqrt((10090 + 13.1 * 2 + 0.0212 * 4) / (1 + 0.00505 * 2 + 0.00117 * 4))
    // = sqrt(10116.28 / 1.01478) = 99.84.
    EXPECT_NEAR(state.points[1][0].y, 99.84, 0.01);
    // Name at point 59.
    EXPECT_EQ(state.labelAnchors[1], state.points[1][59]);

    // AC permeability: the composite gets no curve (nor name), the mix its anchor at point 52
    // raised by 10.
    show_material_graph(state, model, kGraphPercentPermVsAcFlux, list);
    EXPECT_FLOAT_EQ(state.curveReference[0], 0.0F);
    EXPECT_FLOAT_EQ(state.curveReference[1], 1.0F);
    EXPECT_FLOAT_EQ(state.labelAnchors[1].x, state.points[1][52].x);
    EXPECT_FLOAT_EQ(state.labelAnchors[1].y, state.points[1][52].y + 10.0F);
    EXPECT_EQ(drawnNames(state), 1);

    // Core loss at 1 kHz: log y from 10, name at point 50.
    state.curveCount = 1;
    const std::vector<std::string> one = {"-275"};
    show_material_graph(state, model, kGraphCoreLoss1kHz, one);
    EXPECT_EQ(state.labelAnchors[0], state.points[0][50]);
    EXPECT_FLOAT_EQ(state.points[0][50].y,
                    model.coreLossDensity("-275", 1000.0, state.points[0][50].x));
}

TEST(MaterialGraph, DesignPermeabilityGraphNeedsTurnsAndMaterial) {
    const PowderMaterialModel model;
    GraphState state;
    DesignCandidate design;
    design.partNumber = "T106-226";
    EXPECT_FALSE(showDesignPermeabilityGraph(state, model, kGraphPercentPermVsDcBias, design));
    EXPECT_EQ(state.graphKind, 0);

    design.turns = 20.0F;
    ASSERT_TRUE(showDesignPermeabilityGraph(state, model, kGraphPercentPermVsAcFlux, design));
    EXPECT_EQ(state.graphKind, kGraphPercentPermVsAcFlux);
    EXPECT_EQ(state.curveCount, 1);
    EXPECT_EQ(state.curveNames[0], "-226");

    design.partNumber = "T106";
    EXPECT_FALSE(showDesignPermeabilityGraph(state, model, kGraphPercentPermVsDcBias, design));
}

} // namespace
} // namespace korvane
