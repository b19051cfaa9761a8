#include "graphs/AgingGraph.h"

#include "catalog/CoreCatalog.h"
#include "format/Messages.h"
#include "graphs/GraphDrawing.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace korvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const Message kIncompleteData{"incomplete data", "ERROR in AgingGraph"};

std::vector<Message> onlyMessage(const Message& message) {
    return {message};
}

// A T106-226 toroid driven at 500 gauss, 100 kHz: its core loss from the material's fit,
// 300 mW of copper loss on a 30 cm^2 wound surface.
DesignCandidate agingT106() {
    CoreRecord core;
    EXPECT_EQ(CoreCatalog().lookupPartNumber(core, "T106-226"), 1);
    const PowderMaterialModel model;
    DesignCandidate d;
    d.partNumber = "T106-226";
    d.ae = core.Ae;
    d.coreVolume = core.volume;
    d.acFlux = 500.0F;
    d.coreLoss = model.coreLossDensity("-226", 1e5, 500.0) * core.volume;
    d.copperLoss = 300.0F;
    d.surfaceArea = 30.0F;
    d.tempRise = 48.0F;
    return d;
}

struct Shown {
    int result = 0;
    GraphState state;
    RecordingSink sink;
};

void show(Shown& out, Application application, const DesignCandidate& design, double ambient,
          const DesignParameters& parameters = DesignParameters()) {
    const PowderMaterialModel model;
    ScopedMessageSink scope(out.sink);
    out.result = show_aging_graph(out.state, model, application, design, 1e5, ambient, parameters);
}

// Inputs of AgingGraph that refuse: a product of the inputs that is zero, negative or not a
// number gives "incomplete data"; a tiny surface or a mode without a series refuses silently.
TEST(AgingGraph, RefusesIncompleteOrTinyDesigns) {
    struct Case {
        const char* name;
        int mode;
        double B;
        double Ta;
        double A;
        double e;
        bool message;
    };
    const Case cases[] = {
        {"ambient 0", kAgingSeriesTemp, 500.0, 0.0, 30.0, 0.833, true},
        {"ambient below 0", kAgingSeriesTemp, 500.0, -20.0, 30.0, 0.833, true},
        {"flux not a number", kAgingSeriesTemp, kNaN, 25.0, 30.0, 0.833, true},
        {"surface not a number", kAgingSeriesTemp, 500.0, 25.0, kNaN, 0.833, true},
        {"no rise exponent", kAgingSeriesTemp, 500.0, 25.0, 30.0, 0.0, true},
        {"surface 0.05", kAgingSeriesTemp, 500.0, 25.0, 0.05, 0.833, false},
        {"not a series mode", kAgingTimeTo115, 500.0, 25.0, 30.0, 0.833, false},
    };
    const PowderMaterialModel model;
    for (const Case& c : cases) {
        RecordingSink sink;
        ScopedMessageSink scope(sink);
        EXPECT_FALSE(AgingGraph(c.mode, model, "-226", c.B, 1e5, 0.5, c.Ta, 300.0, 2400.0, c.A, 3.2,
                                1.0, c.e))
            << c.name;
        if (c.message) {
            EXPECT_EQ(sink.messages(), onlyMessage(kIncompleteData)) << c.name;
        } else {
            EXPECT_TRUE(sink.empty()) << c.name;
        }
    }
}

TEST(AgingGraph, SeriesOfTheTotalLoss) {
    const PowderMaterialModel model;
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    // 0.1 cm^2 is the smallest surface accepted.
    for (double A : {30.0, 0.1}) {
        const std::optional<AgingSeries> series =
            AgingGraph(kAgingSeriesTemp, model, "-226", 500.0, 1e5, 0.5, 40.0, 300.0, 2400.0, A,
                       3.2, 1.0, 0.833);
        ASSERT_TRUE(series) << A;
        AgingSeries expected{};
        calc_aging_time(kAgingSeriesTemp, &expected, "-226", 500.0, 1e5, 0.5, 40.0, 2700.0, A, 3.2,
                        1.0, 0.833, model);
        for (std::size_t j = 0; j < kAgingSamples; ++j) {
            EXPECT_EQ((*series)[j].time, expected[j].time) << A << " " << j;
            EXPECT_EQ((*series)[j].value, expected[j].value) << A << " " << j;
        }
    }
    EXPECT_TRUE(sink.empty());
}

// Times rising geometrically from `first` to `last`, temperatures from 90 C by 1 C.
AgingSeries seriesOfTimes(double first, double last) {
    AgingSeries series{};
    for (std::size_t j = 0; j < kAgingSamples; ++j) {
        const double step = static_cast<double>(j) / (static_cast<double>(kAgingSamples) - 1.0);
        series[j] = {static_cast<float>(first * std::pow(last / first, step)),
                     static_cast<float>(90.0 + static_cast<double>(j))};
    }
    return series;
}

// The first `flat` samples at `time`, the rest at 200000 hours.
AgingSeries flatThenPastTheHorizon(double time, std::size_t flat) {
    AgingSeries series = seriesOfTimes(2e5, 2e5);
    for (std::size_t j = 0; j < flat; ++j) {
        series[j].time = static_cast<float>(time);
    }
    return series;
}

// The graph is refused when the time does not move off the first sample's before the
// horizon: the first sample already reaches it, or the samples before the one that reaches it
// (or all 32, when none does) keep the first sample's time.
TEST(SetAgingGraph, NegligibleAgingIsRefusedAfterTheNotice) {
    struct Case {
        const char* name;
        AgingSeries series;
        int result;
    };
    AgingSeries twoTimesThenPast = flatThenPastTheHorizon(500.0, 2);
    twoTimesThenPast[1].time = 800.0F;
    const Case cases[] = {
        {"first sample at the horizon", seriesOfTimes(1e5, 1e5), 0},
        {"first sample past the horizon", seriesOfTimes(2e5, 1e7), 0},
        {"flat until the horizon", flatThenPastTheHorizon(500.0, 12), 0},
        {"only the first sample before the horizon", flatThenPastTheHorizon(500.0, 1), 0},
        {"flat and never reaching", seriesOfTimes(500.0, 500.0), 0},
        {"rising through the horizon", seriesOfTimes(100.0, 1e6), 1},
        {"rising, never reaching", seriesOfTimes(100.0, 5e4), 1},
        {"two times, then past the horizon", twoTimesThenPast, 1},
    };
    for (const Case& c : cases) {
        GraphState state;
        state.setDescription("CORE:  T106-226 @  500 Gauss ac,  88 deg C");
        // A core loss graph was shown before.
        state.graphKind = kGraphCoreLoss100kHz;
        state.yDecades = 3;
        state.curveCount = 4;
        state.curveReference[0] = 10.0F;
        state.points[0][50] = {7.0F, 7.0F};
        RecordingSink sink;
        ScopedMessageSink scope(sink);
        EXPECT_EQ(set_aging_graph(state, c.series, 1e5), c.result) << c.name;

        EXPECT_EQ(state.graphKind, kGraphAging) << c.name;
        EXPECT_EQ(state.xStart, 1.0F);
        EXPECT_EQ(state.curveReference[0], 1.0F);
        EXPECT_EQ(state.yDecades, 0);
        EXPECT_EQ(state.curveCount, 1);
        EXPECT_EQ(state.drawablePointCount(), 32);
        for (std::size_t j = 0; j < kAgingSamples; ++j) {
            EXPECT_EQ(state.points[0][j], (GraphPoint{c.series[j].time, c.series[j].value}));
        }
        EXPECT_EQ(state.points[0][50], GraphPoint{}) << c.name;

        if (c.result == 0) {
            EXPECT_EQ(sink.messages(), onlyMessage({" CORE:  T106-226 @  500 Gauss ac,  88 deg C:  "
                                                    "EXHIBITS NEGLIGIBLE AGING OVER  1e+05 HOURS ",
                                                    "Aging Data"}))
                << c.name;
            EXPECT_EQ(state.caption, "GraphicsForm Constructor") << c.name;
            EXPECT_TRUE(state.xLabel.empty()) << c.name;
        } else {
            EXPECT_TRUE(sink.empty()) << c.name;
            EXPECT_EQ(state.caption, "CORE TEMPERATURE vs TIME");
            EXPECT_EQ(state.printTitle, "CORE TEMPERATURE vs TIME");
            EXPECT_EQ(state.xLabel, "TIME IN HOURS");
            EXPECT_EQ(state.yLabel, "TEMP, DEG C");
        }
    }
}

// The material and the core loss are checked first: nothing is computed for a part without a
// material, a non-aging mix or a design without core loss.
TEST(ShowAgingGraph, UnableToDisplayAging) {
    struct Case {
        const char* partNumber;
        float coreLoss;
        const char* text;
    };
    const Case cases[] = {
        {"T106", 2400.0F, "No Aging Data Available , Core P/N T106, Material "},
        {"T106-390", 2400.0F,
         " -390, -300, -385, -106, -104, and -280  MATERIALS EXHIBIT NEGLIGABLE AGING"},
        {"T106-226", 0.0F, "Design Exhibits Negligable Core Loss, 0.00e+00"},
        {"T106-226", 0.0009F, "Design Exhibits Negligable Core Loss, 9.00e-04"},
        // The last reason found gives the text.
        {"T106-280", 0.0F, "Design Exhibits Negligable Core Loss, 0.00e+00"},
    };
    for (const Case& c : cases) {
        DesignCandidate d = agingT106();
        d.partNumber = c.partNumber;
        d.coreLoss = c.coreLoss;
        Shown out;
        show(out, Application::DcBiased, d, 40.0);
        EXPECT_EQ(out.result, -1) << c.partNumber;
        EXPECT_EQ(out.sink.messages(), onlyMessage({c.text, " UNABLE TO DISPLAY AGING "}))
            << c.partNumber;
        EXPECT_EQ(out.state.graphKind, 0) << c.partNumber;
    }
}

TEST(ShowAgingGraph, NoSeriesNoGraph) {
    struct Case {
        const char* name;
        double ambient;
        float surface;
        float riseExponent;
        bool message;
    };
    const Case cases[] = {
        {"ambient 0", 0.0, 30.0F, 0.833F, true},
        {"no rise exponent for the application", 40.0, 30.0F, 0.0F, true},
        {"surface 0.05", 40.0, 0.05F, 0.833F, false},
    };
    for (const Case& c : cases) {
        DesignCandidate d = agingT106();
        d.surfaceArea = c.surface;
        DesignParameters parameters;
        parameters.set(Application::WideSwing).Trise_ex = c.riseExponent;
        Shown out;
        show(out, Application::WideSwing, d, c.ambient, parameters);
        EXPECT_EQ(out.result, 0) << c.name;
        EXPECT_EQ(out.state.graphKind, 0) << c.name;
        EXPECT_TRUE(out.state.description.empty()) << c.name;
        if (c.message) {
            EXPECT_EQ(out.sink.messages(), onlyMessage(kIncompleteData)) << c.name;
        } else {
            EXPECT_TRUE(out.sink.empty()) << c.name;
        }
    }
}

TEST(ShowAgingGraph, LightlyDrivenCoreShowsNegligibleAging) {
    // At 10 gauss the loss grows by less than 1 % in 100000 hours: every sample is at 100000.
    DesignCandidate d = agingT106();
    d.acFlux = 10.0F;
    d.coreLoss = 0.4F;
    d.tempRise = 5.0F;
    Shown out;
    show(out, Application::DcBiased, d, 40.0);
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.sink.messages(),
              onlyMessage({" CORE:  T106-226 @   10 Gauss ac,  45 deg C:  EXHIBITS "
                           "NEGLIGIBLE AGING OVER  1e+05 HOURS ",
                           "Aging Data"}));
    EXPECT_EQ(out.state.points[0][0].x, 100000.0F);
}

TEST(ShowAgingGraph, CoreTemperatureAgainstTime) {
    Shown out;
    show(out, Application::DcBiased, agingT106(), 40.0);
    ASSERT_EQ(out.result, 1);
    EXPECT_TRUE(out.sink.empty());
    GraphState& state = out.state;
    EXPECT_EQ(state.description, "CORE:  T106-226 @  500 Gauss ac,  88 deg C");
    EXPECT_EQ(state.caption, "CORE TEMPERATURE vs TIME");
    EXPECT_EQ(state.yLabel, "TEMP, DEG C");

    const CurvePoints& points = state.points[0];
    ASSERT_EQ(state.drawablePointCount(), 32);
    // The core starts above the ambient and heats as it ages.
    EXPECT_GT(points[0].y, 40.0F);
    for (std::size_t j = 1; j < kAgingSamples; ++j) {
        EXPECT_GT(points[j].x, points[j - 1].x) << j;
        EXPECT_GE(points[j].y, points[j - 1].y) << j;
    }
    EXPECT_LT(points[0].x, 1e5F);
    EXPECT_GT(points[31].x, 1e5F);

    RecordingCanvas canvas({1200, 600});
    drawGraph(state, canvas);
    EXPECT_EQ(state.xDecades, 4);
    EXPECT_EQ(std::fmod(state.yMin, 20.0F), 0.0F);
    EXPECT_EQ(std::fmod(state.yMax, 20.0F), 0.0F);
    EXPECT_LE(state.yMin, points[0].y);
    EXPECT_GT(state.yMin, points[0].y - 20.0F);
    EXPECT_GE(state.yMax, points[31].y);
    EXPECT_LT(state.yMax, points[31].y + 20.0F);
    // The axis ends at the first power of ten at or above the longest time.
    const double xEnd = state.xStart * 1e4;
    EXPECT_GE(xEnd, points[31].x);
    EXPECT_LT(xEnd, 10.0 * points[31].x);

    const Size page = canvas.size();
    const auto inside = [&](Point p) {
        return p.x >= 0 && p.x <= page.width && p.y >= 0 && p.y <= page.height;
    };
    for (const RecordedLine& line : canvas.lines()) {
        EXPECT_TRUE(inside(line.from) && inside(line.to));
    }
    for (const RecordedText& text : canvas.texts()) {
        EXPECT_TRUE(inside(text.topLeft) &&
                    inside({text.topLeft.x + text.width, text.topLeft.y + text.height}))
            << text.text;
    }
    ASSERT_TRUE(canvas.hasText(state.description));
    // All 32 samples lie within the temperature axis: one unbroken red curve.
    std::size_t redPoints = 0;
    for (const RecordedLine& line : canvas.lines()) {
        redPoints += line.pen.color == colors::kRed ? 1U : 0U;
    }
    EXPECT_EQ(redPoints, 31U);
}

// A boost inductor ages at sqrt(M) times its ripple flux; with r = 0.5, M = 0.67735 and
// sqrt(M) = 0.82301 (the analysis rows use half of that).
TEST(ShowAgingGraph, PfcBoostAgesAtTheLineAveragedFlux) {
    DesignCandidate pfc = agingT106();
    pfc.pfcRatio = 0.5F;
    pfc.acFlux = 500.0F / 0.82301F;
    Shown boost;
    show(boost, Application::PfcBoost, pfc, 40.0);
    Shown dc;
    show(dc, Application::DcBiased, agingT106(), 40.0);
    ASSERT_EQ(boost.result, 1);
    ASSERT_EQ(dc.result, 1);
    EXPECT_EQ(boost.state.description, "CORE:  T106-226 @  500 Gauss ac,  88 deg C");
    for (std::size_t j = 0; j < kAgingSamples; ++j) {
        EXPECT_NEAR(boost.state.points[0][j].y, dc.state.points[0][j].y, 0.01) << j;
    }
}

} // namespace
} // namespace korvane
