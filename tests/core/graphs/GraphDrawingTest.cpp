#include "graphs/GraphDrawing.h"

#include "support/RecordingCanvas.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace korvane {
namespace {

// Screen 1200 x 600 as in the engine tests: x origin 120, x length 980, lowest row 520,
// y length -470, left 60, right 1100; font 9 pt, one pixel per point.
constexpr Size kScreen{1200, 600};

std::vector<RecordedLine> linesWithPen(const RecordingCanvas& canvas, Pen pen) {
    std::vector<RecordedLine> result;
    for (const RecordedLine& l : canvas.lines()) {
        if (l.pen == pen) {
            result.push_back(l);
        }
    }
    return result;
}

std::vector<std::vector<Point>> redPolylines(const RecordingCanvas& canvas) {
    // Curves are the only runs drawn with a red pen of width 1; rebuild them from the
    // primitives so the axes' runs are left out.
    std::vector<std::vector<Point>> result;
    for (const RecordedPrimitive& p : canvas.primitives()) {
        if (p.pen != Pen{colors::kRed, 1}) {
            continue;
        }
        if (p.kind == RecordedPrimitive::Kind::MoveTo) {
            result.push_back({p.from});
        } else if (p.kind == RecordedPrimitive::Kind::Line && !result.empty()) {
            result.back().push_back(p.to);
        }
    }
    return result;
}

GraphState materialState() {
    GraphState state;
    state.graphKind = kGraphPercentPermVsDcBias;
    state.xStart = 1.0F;
    state.xDecades = 3;
    state.yMin = 0.0F;
    state.yMax = 100.0F;
    state.curveCount = 3;
    state.pointsPerCurve = 3;
    for (std::size_t c = 0; c < 3; ++c) {
        state.points[c][0] = {1.0F, 100.0F};
        state.points[c][1] = {10.0F, 50.0F};
        state.points[c][2] = {100.0F, 10.0F};
        state.labelAnchors[c] = {10.0F, 50.0F};
    }
    state.setCurveName(0, "-26");
    state.setCurveName(1, ""); // empty name: not drawn
    state.setCurveName(2, "-52");
    state.curveReference[2] = 0.0F; // non-positive reference: not drawn
    return state;
}

TEST(GraphState, TextBuffersCountsAndWindowPlacement) {
    GraphState state;
    // Buffers of 18, 64 and 44 characters keep 17, 63 and 43 of them.
    state.setCurveName(3, std::string(30, 'N'));
    EXPECT_EQ(state.curveNames[3].size(), 17U);
    state.setCurveName(16, "outside"); // no such curve: ignored
    state.setDescription(std::string(70, 'D'));
    EXPECT_EQ(state.description.size(), 63U);
    state.setPrintTitle("CORE LOSS vs PEAK AC FLUX DENSITY @ 100 kHZ"); // 43 characters fit
    EXPECT_EQ(state.printTitle, "CORE LOSS vs PEAK AC FLUX DENSITY @ 100 kHZ");

    state.curveCount = 40;
    state.pointsPerCurve = 500;
    EXPECT_EQ(state.drawableCurveCount(), 16);
    EXPECT_EQ(state.drawablePointCount(), 100);
    state.curveLimit = 5;
    state.pointsPerCurve = -3;
    EXPECT_EQ(state.drawableCurveCount(), 5);
    EXPECT_EQ(state.drawablePointCount(), 0);

    // 1280 x 1024: left 1280/12 = 106, top 1024/6 = 170, 640 x 512.
    EXPECT_EQ(graphWindowRect({1280, 1024}), (Rect{106, 170, 746, 682}));
}

TEST(DrawGraph, MaterialCurvesSkipEmptyNamesAndNonPositiveReferences) {
    GraphState state = materialState();
    state.titleLabel = "old title";
    RecordingCanvas canvas(kScreen);
    drawGraph(state, canvas);

    // Cleared from (1200/100, 0) to the corner with the face colour, first of all.
    ASSERT_FALSE(canvas.primitives().empty());
    EXPECT_EQ(canvas.primitives()[0].kind, RecordedPrimitive::Kind::FillRect);
    EXPECT_EQ(canvas.primitives()[0].rect, (Rect{12, 0, 1200, 600}));
    EXPECT_EQ(canvas.primitives()[0].brush, colors::kFace);

    // Axes in black: 11 rows and 31 columns.
    EXPECT_EQ(linesWithPen(canvas, {colors::kBlack, 1}).size(), 11U + 31U);
    // One curve: (1,100) -> (120,50), (10,50) -> (447,285), (100,10) -> (773,473).
    const std::vector<std::vector<Point>> expected = {{{120, 50}, {447, 285}, {773, 473}}};
    EXPECT_EQ(redPolylines(canvas), expected);
    const RecordedText* name = canvas.findText("-26");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->font.color, colors::kRed);
    EXPECT_EQ(name->topLeft, (Point{447 - 8, 285 - 4})); // 3*5.4 = 16.2 -> 16 wide
    EXPECT_FALSE(canvas.hasText("-52"));

    EXPECT_TRUE(state.titleLabel.empty());
    EXPECT_TRUE(state.printButtonVisible);
}

TEST(DrawGraph, CoreLossCurveAndNameUseTheLogarithmicReference) {
    // Core loss axes: x from 10 over 3 decades, y over 3 decades from the reference 10.
    GraphState state;
    state.graphKind = kGraphCoreLoss1kHz;
    state.xStart = 10.0F;
    state.xDecades = 3;
    state.yDecades = 3;
    state.curveCount = 1;
    state.pointsPerCurve = 4;
    state.curveReference[0] = 10.0F;
    state.setCurveName(0, "-26");
    state.points[0][0] = {10.0F, 10.0F};      // (120, 520): the bottom is y 10
    state.points[0][1] = {100.0F, 100.0F};    // (447, 520 - 470/3 = 363.3)
    state.points[0][2] = {1000.0F, 10000.0F}; // (773, 50): three decades up
    state.points[0][3] = {5000.0F, 5.0F};     // below the reference: not drawn
    state.labelAnchors[0] = {100.0F, 1000.0F};
    RecordingCanvas canvas(kScreen);
    drawGraph(state, canvas);
    const std::vector<std::vector<Point>> expected = {{{120, 520}, {447, 363}, {773, 50}}};
    EXPECT_EQ(redPolylines(canvas), expected);
    // The name at (100, 1000): (447, 520 - 470*2/3 = 206.7), placed with the same reference;
    // "-26" is 16 wide and 9 high.
    const RecordedText* name = canvas.findText("-26");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->topLeft, (Point{447 - 8, 207 - 4}));
    // The y labels, left of the origin, are the tick values times x start: 10 on the bottom
    // row, 10k on the top row.
    std::vector<RecordedText> yLabels;
    for (const RecordedText& t : canvas.texts()) {
        if (t.topLeft.x + t.width <= 120) {
            yLabels.push_back(t);
        }
    }
    ASSERT_FALSE(yLabels.empty());
    EXPECT_EQ(yLabels.front().text, " 10");
    EXPECT_EQ(yLabels.front().topLeft.y, 520 - 4);
    EXPECT_EQ(yLabels.back().text, " 10k");
    EXPECT_EQ(yLabels.back().topLeft.y, 50 - 4);
}

TEST(DrawGraph, NoMaterialCurveWithoutPositiveYMax) {
    GraphState state = materialState();
    state.yMax = 0.0F;
    RecordingCanvas canvas(kScreen);
    drawGraph(state, canvas);
    EXPECT_TRUE(redPolylines(canvas).empty());
    EXPECT_FALSE(canvas.hasText("-26"));
}

TEST(DrawGraph, HostileStateDrawsWithinBounds) {
    // Zero x start on a log axis, an empty y range, runaway counts and non-finite points:
    // nothing is positioned, nothing divides by zero, every loop ends.
    GraphState state = materialState();
    state.xStart = 0.0F;
    state.yMin = 50.0F;
    state.yMax = 50.0F;
    state.curveCount = 1000;
    state.pointsPerCurve = 1000;
    state.xDecades = 1000000;
    state.points[0][1] = {std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN()};
    RecordingCanvas canvas(kScreen);
    drawGraph(state, canvas);
    EXPECT_TRUE(redPolylines(canvas).empty());
    EXPECT_LE(canvas.primitives().size(), 2000U);

    // A minimised window: a zero frame collapses every line onto the corner.
    GraphState sane = materialState();
    RecordingCanvas empty({0, 0});
    drawGraph(sane, empty);
    ASSERT_FALSE(empty.lines().empty());
    for (const RecordedLine& l : empty.lines()) {
        EXPECT_EQ(l.from, (Point{0, 0}));
        EXPECT_EQ(l.to, (Point{0, 0}));
    }

    state.graphKind = kGraphInductanceVsCurrent;
    for (auto& p : state.points[0]) {
        p = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
    }
    canvas.clear();
    drawGraph(state, canvas);
    EXPECT_TRUE(redPolylines(canvas).empty());
}

struct InductanceMaximumCase {
    double yMax;
    double expected;
};

TEST(AutomaticAxes, InductanceMaximumIsOneOrThreeTimesAPowerOfTen) {
    const InductanceMaximumCase cases[] = {
        {25.0, 30.0},     // 2*log10(25) = 2.80 -> 3: 10^1.5 is no whole power -> 3*10
        {47.0, 100.0},    // 2*log10(47) = 3.34 -> 4: 10^2
        {100.0, 100.0},   // 4 -> 10^2
        {3000.0, 3000.0}, // 2*3.477 = 6.95 -> 7: 3*10^3
        {0.5, 1.0},       // 2*(-0.301) = -0.60 -> 0: 10^0
        {0.2, 0.3},       // 2*(-0.699) = -1.40 -> -1: 10^-0.5 -> 3*10^-1
        {31.0, 100.0},    // 2.98 -> 3 gives 30, below 31: the next power of ten
    };
    for (const InductanceMaximumCase& c : cases) {
        SCOPED_TRACE(c.yMax);
        EXPECT_NEAR(inductanceAxisMaximum(c.yMax), c.expected, c.expected * 1e-12);
    }
}

GraphState inductanceState(float xMax, float yFirst) {
    GraphState state;
    state.graphKind = kGraphInductanceVsCurrent;
    state.xDecades = 3;
    // 60 points: current rising geometrically to xMax, inductance falling from yFirst.
    for (int i = 0; i < 60; ++i) {
        state.points[0][static_cast<std::size_t>(i)] = {
            xMax * static_cast<float>(std::pow(10.0, (i - 59) / 59.0)),
            yFirst * (1.0F - 0.5F * static_cast<float>(i) / 59.0F)};
    }
    state.points[0][59].x = xMax;
    return state;
}

TEST(AutomaticAxes, InductanceXStartAndYRange) {
    struct Case {
        float xMax;
        float xStart;
    };
    const Case cases[] = {
        {5.0F, 0.01F},   // ceil(log10 5 - 3) = ceil(-2.30) = -2
        {100.0F, 0.1F},  // ceil(2 - 3) = -1: the axis ends at 100
        {0.05F, 0.001F}, // ceil(-1.30 - 3) = -4: 1e-4 raised to 0.001
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xMax);
        GraphState state = inductanceState(c.xMax, 47.0F);
        state.yMin = 12.0F;
        applyAutomaticAxes(state);
        EXPECT_FLOAT_EQ(state.xStart, c.xStart);
        EXPECT_FLOAT_EQ(state.yMax, 100.0F);
        EXPECT_FLOAT_EQ(state.yMin, 0.0F);
        EXPECT_EQ(state.xDecades, 3);
    }
    GraphState none = inductanceState(0.0F, 47.0F);
    none.xStart = 7.0F;
    applyAutomaticAxes(none); // no positive x: x start stays
    EXPECT_FLOAT_EQ(none.xStart, 7.0F);
}

TEST(DrawGraph, InductanceGraphWithDescriptionAndMarker) {
    GraphState state = inductanceState(5.0F, 47.0F);
    state.setDescription("CORE");
    state.marker = {2.0F, 30.0F};
    RecordingCanvas canvas(kScreen);
    drawGraph(state, canvas);
    // Axis 0.01 to 10 A, 0 to 100: description at x = 100*0.01 = 1 and y = 0.8*100 + 0.2*0:
    // (120 + 980*log10(1/0.01)/3, 520 - 470*0.8) = (773.3, 144); "CORE" is 22 wide.
    const RecordedText* description = canvas.findText("CORE");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->topLeft, (Point{773 - 11, 144 - 4}));
    // Marker at (2 A, 30): (120 + 980*log10(200)/3, 520 - 470*0.3) = (871.7, 379), s = 13.
    const auto cross = linesWithPen(canvas, {colors::kRed, 2});
    ASSERT_EQ(cross.size(), 2U);
    EXPECT_EQ(cross[0].from, (Point{859, 379}));
    EXPECT_EQ(cross[0].to, (Point{885, 379}));
    EXPECT_EQ(cross[1].from, (Point{872, 366}));
    EXPECT_EQ(cross[1].to, (Point{872, 392}));
    // The whole curve lies between 23.5 and 47 inside the plot: one polyline of 60 points.
    const auto curves = redPolylines(canvas);
    ASSERT_EQ(curves.size(), 1U);
    EXPECT_EQ(curves[0].size(), 60U);
}

GraphState agingState(float firstTemperature, float lastTemperature) {
    GraphState state;
    state.graphKind = kGraphAging;
    state.xDecades = 3;
    state.pointsPerCurve = 32;
    for (int i = 0; i < 32; ++i) {
        const double t = i / 31.0;
        state.points[0][static_cast<std::size_t>(i)] = {
            static_cast<float>(std::pow(10.0, 5.0 * t)),
            static_cast<float>(firstTemperature + (lastTemperature - firstTemperature) * t)};
    }
    state.points[0][31].x = 100000.0F;
    return state;
}

TEST(DrawGraph, AgingAxesFromEightyTo160OverFourDecades) {
    GraphState state = agingState(87.0F, 143.0F);
    state.setDescription("AGING");
    RecordingCanvas canvas(kScreen);
    drawGraph(state, canvas);
    EXPECT_EQ(state.xDecades, 4);
    EXPECT_FLOAT_EQ(state.xStart, 10.0F); // 10^ceil(5 - 4): the axis ends at 100000 hours
    EXPECT_FLOAT_EQ(state.yMin, 80.0F);   // floor(87/20)*20
    EXPECT_FLOAT_EQ(state.yMax, 160.0F);  // ceil(143/20)*20
    // 16 divisions of 5 degrees, "%3.1f".
    EXPECT_TRUE(canvas.hasText("80.0"));
    EXPECT_TRUE(canvas.hasText("85.0"));
    EXPECT_TRUE(canvas.hasText("160.0"));
    EXPECT_FALSE(canvas.hasText("165.0"));
    // Four decades: only ones and threes are labelled.
    EXPECT_TRUE(canvas.hasText("100k"));
    EXPECT_TRUE(canvas.hasText(" 30k"));
    EXPECT_FALSE(canvas.hasText(" 20"));
    // Description at (100*10, 0.8*160 + 0.2*80 = 144):
    // (120 + 980*log10(1000/10)/4, 520 - 470*(144 - 80)/80) = (610, 144); 27 wide.
    const RecordedText* description = canvas.findText("AGING");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->topLeft, (Point{610 - 13, 144 - 4}));
    EXPECT_TRUE(linesWithPen(canvas, {colors::kRed, 2}).empty()); // no marker
}

TEST(AutomaticAxes, FlatAgingSeriesKeepsOneStep) {
    GraphState state = agingState(80.0F, 80.0F);
    applyAutomaticAxes(state);
    EXPECT_FLOAT_EQ(state.yMin, 80.0F);
    EXPECT_FLOAT_EQ(state.yMax, 100.0F);
}

TEST(DrawGraphPage, PlacesTitleLabelsDateAndThePrinterFrame) {
    GraphState state = agingState(87.0F, 143.0F);
    state.font.height = 10.0;
    state.setPrintTitle("CORE TEMPERATURE vs TIME");
    state.xLabel = "TIME IN HOURS";
    state.yLabel = "TEMP, DEG C";
    RecordingCanvas page({1100, 850}, true);
    drawGraphPage(state, page, "  08/12/2026 17:30  ");

    // Title in 15 pt: 24 characters * 0.6 * 15 = 216 wide, centred, at 850/10.
    const RecordedText* title = page.findText("CORE TEMPERATURE vs TIME");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->topLeft, (Point{(1100 - 216) / 2, 85}));
    EXPECT_DOUBLE_EQ(title->font.height, 15.0);
    // X label in 7 pt: 13 * 4.2 = 54.6 -> 55 wide, centred at 0.9*850 = 765.
    const RecordedText* xLabel = page.findText("TIME IN HOURS");
    ASSERT_NE(xLabel, nullptr);
    EXPECT_EQ(xLabel->topLeft, (Point{(1100 - 55) / 2, 765}));
    EXPECT_DOUBLE_EQ(xLabel->font.height, 7.0);
    // Y label at (1100/36, 850/2).
    const RecordedText* yLabel = page.findText("TEMP, DEG C");
    ASSERT_NE(yLabel, nullptr);
    EXPECT_EQ(yLabel->topLeft, (Point{30, 425}));
    // Date trimmed: 16 * 4.2 = 67.2 -> 67 wide, ending 3*30 before the right edge, at
    // 0.95*850 + 850/60 = 807 + 14.
    const RecordedText* date = page.findText("08/12/2026 17:30");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->topLeft, (Point{1100 - 90 - 67, 821}));

    // The graph follows in the printer frame (x origin 110, lowest row 807 - 106 = 701,
    // right 1008), without clearing the page.
    EXPECT_TRUE(page.filledRects().empty());
    const auto grid = linesWithPen(page, {colors::kBlack, 1});
    ASSERT_FALSE(grid.empty());
    EXPECT_EQ(grid.front().from, (Point{110, 701}));
    EXPECT_EQ(grid.front().to, (Point{1008, 701}));
    EXPECT_FALSE(state.printRequested);
    EXPECT_FALSE(state.printButtonVisible);
}

TEST(DrawGraph, PrintRequestUsesThePrinterFrameOnce) {
    GraphState state = materialState();
    state.printRequested = true;
    RecordingCanvas canvas({1100, 850}); // an export canvas that does not say it prints
    drawGraph(state, canvas);
    EXPECT_FALSE(state.printRequested);
    EXPECT_TRUE(canvas.filledRects().empty());
    EXPECT_EQ(linesWithPen(canvas, {colors::kBlack, 1}).front().from, (Point{110, 701}));

    canvas.clear();
    drawGraph(state, canvas); // the next paint is the screen again
    EXPECT_EQ(canvas.filledRects().size(), 1U);
    EXPECT_TRUE(state.printButtonVisible);
}

TEST(DrawGraph, RepaintDrawsTheSameFromTheStoredPoints) {
    const GraphState states[] = {materialState(), inductanceState(5.0F, 47.0F),
                                 agingState(87.0F, 143.0F)};
    for (GraphState state : states) {
        SCOPED_TRACE(static_cast<int>(state.graphKind));
        RecordingCanvas first(kScreen);
        drawGraph(state, first);
        RecordingCanvas second(kScreen);
        drawGraph(state, second);
        EXPECT_EQ(first.primitives(), second.primitives());
    }
}

TEST(RecordingCanvas, MetricsAndPolylines) {
    RecordingCanvas canvas({100, 100}, false, 2.0);
    canvas.setFontHeight(10.0); // 20 pixels
    EXPECT_EQ(canvas.textHeight("ABC"), 20);
    EXPECT_EQ(canvas.textWidth("ABC"), 36); // 3 * 0.6 * 20
    canvas.moveTo(1, 1);
    canvas.lineTo(2, 2);
    canvas.textOut(0, 0, "x"); // text does not move the pen
    canvas.lineTo(3, 3);
    canvas.line({5, 5}, {6, 6});
    const std::vector<std::vector<Point>> expected = {{{1, 1}, {2, 2}, {3, 3}}, {{5, 5}, {6, 6}}};
    EXPECT_EQ(canvas.polylines(), expected);
    EXPECT_EQ(canvas.lines().size(), 3U);
}

} // namespace
} // namespace korvane
