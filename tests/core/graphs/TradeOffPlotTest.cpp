#include "graphs/TradeOffPlot.h"

#include "session/DesignSession.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvane {
namespace {

const RequirementTexts kDcBiased = {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"};

TEST(TradeOff, ValuesOfADesign) {
    DesignCandidate d;
    d.coreLoss = 250.0F; // mW
    d.copperLoss = 1750.0F;
    d.tempRise = 31.5F;
    d.rdc = 0.027F;
    d.woundOD = 1.0F; // in
    d.woundHeight = 0.5F;
    d.build = 0.1F;
    CoreRecord toroid;
    toroid.price = 1.39F;
    toroid.weight = 0.12F;
    struct Case {
        TradeOffQuantity q;
        double value;
    };
    // pi/4 x 1^2 x 0.5 = 0.392699 in^3 = 6.43513 cm^3 (3.14159 for pi).
    const Case cases[] = {{TradeOffQuantity::Price, 1.39},
                          {TradeOffQuantity::TotalLoss, 2.0},
                          {TradeOffQuantity::TempRise, 31.5},
                          {TradeOffQuantity::Rdc, 0.027},
                          {TradeOffQuantity::CoreWeight, 0.12},
                          {TradeOffQuantity::WoundVolume, 0.3926987 * 16.387064}};
    for (const Case& c : cases) {
        const auto v = tradeOffValue(d, toroid, c.q);
        ASSERT_TRUE(v) << tradeOffName(c.q);
        EXPECT_NEAR(*v, c.value, 1e-5 * std::fabs(c.value)) << tradeOffName(c.q);
    }
    // An E-core pair: A x 2B x (C + 2 build) = 2.5 x 2.28 x 1.346 in^3.
    CoreRecord ecore;
    ecore.shape = CoreShape::ECore;
    ecore.dimA = 2.5F;
    ecore.dimB = 1.14F;
    ecore.dimC = 1.146F;
    EXPECT_NEAR(*tradeOffValue(d, ecore, TradeOffQuantity::WoundVolume),
                2.5 * 2.28 * 1.346 * 16.387064, 1e-3);
    // A core without a price has no price to plot.
    EXPECT_FALSE(tradeOffValue(d, ecore, TradeOffQuantity::Price));
    for (const TradeOffQuantity q : kTradeOffQuantities) {
        EXPECT_EQ(tradeOffFromName(tradeOffName(q)), q);
    }
    EXPECT_FALSE(tradeOffFromName("volts"));
}

TEST(TradeOff, ParetoPointsOfARunAndClicks) {
    RecordingSink sink;
    DesignSession session(&sink);
    session.requirementEntry().activate(Application::DcBiased);
    ASSERT_EQ(session.acceptRequirement(kDcBiased), DesignOutcome::Designed);
    const SearchResult& run = session.lastRun()->search;
    const auto points =
        tradeOffPoints(run, TradeOffQuantity::WoundVolume, TradeOffQuantity::TotalLoss);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(run.accepted));
    int pareto = 0;
    for (const TradeOffPoint& p : points) {
        const bool dominated = std::any_of(points.begin(), points.end(), [&](const auto& q) {
            return q.x <= p.x && q.y <= p.y && (q.x < p.x || q.y < p.y);
        });
        EXPECT_EQ(p.pareto, !dominated) << p.row;
        pareto += p.pareto ? 1 : 0;
    }
    EXPECT_GT(pareto, 0);
    // The smallest wound volume (the least loss among equal volumes) and the smallest loss
    // are Pareto-optimal.
    const auto smallest =
        std::min_element(points.begin(), points.end(), [](const auto& a, const auto& b) {
            return a.x < b.x || (a.x == b.x && a.y < b.y);
        });
    const auto coolest =
        std::min_element(points.begin(), points.end(), [](const auto& a, const auto& b) {
            return a.y < b.y || (a.y == b.y && a.x < b.x);
        });
    EXPECT_TRUE(smallest->pareto && coolest->pareto);

    // Drawn inside its frame, the selected row ringed and named; a click on a point finds it.
    RecordingCanvas canvas({900, 600});
    drawTradeOff(canvas, points, TradeOffQuantity::WoundVolume, TradeOffQuantity::TotalLoss, 3);
    EXPECT_TRUE(canvas.hasText("WOUND VOLUME, cu cm"));
    EXPECT_TRUE(canvas.hasText("TOTAL LOSS, W"));
    EXPECT_TRUE(canvas.hasText("row 4"));
    const Rect frame = tradeOffFrame({900, 600});
    for (const Rect& r : canvas.filledRects()) {
        if (r.right - r.left < 20) { // a Pareto point
            EXPECT_GE(r.left, frame.left - 10);
            EXPECT_LE(r.right, frame.right + 10);
            EXPECT_GE(r.top, frame.top - 10);
            EXPECT_LE(r.bottom, frame.bottom + 10);
        }
    }
    const Rect ring = [&] {
        for (const RecordedLine& l : canvas.lines()) {
            if (l.pen.width == 2) {
                return Rect{l.from.x, l.from.y, l.to.x, l.to.y};
            }
        }
        return Rect{};
    }();
    const Point centre{(ring.left + ring.right) / 2, ring.top + (ring.right - ring.left) / 2};
    EXPECT_EQ(tradeOffRowAt({900, 600}, points, centre), 3);
    EXPECT_FALSE(tradeOffRowAt({900, 600}, points, {2, 2}));
}

} // namespace
} // namespace korvane
