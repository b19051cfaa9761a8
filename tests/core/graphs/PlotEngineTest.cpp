#include "graphs/PlotEngine.h"

#include "support/RecordingCanvas.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace korvane {
namespace {

// Screen 1200 x 600: left 60, right 11*1200/12 = 1100, top 600/12 = 50, bottom 19*600/20 = 570,
// x origin 120, x length 980, y length 2*50 - 570 = -470; lowest row 520, highest row 50.
// Font 9 pt at one pixel per point: text 9 pixels high, 5.4 pixels per character.
constexpr int kWidth = 1200;
constexpr int kHeight = 600;

PlotAxes axes(double xStart, int xDecades, double yMin, double yMax, int yDecades = 0) {
    PlotAxes a;
    a.frame = screenFrame(kWidth, kHeight);
    a.xStart = xStart;
    a.xDecades = xDecades;
    a.yMin = yMin;
    a.yMax = yMax;
    a.yDecades = yDecades;
    return a;
}

std::vector<std::string> textsOf(const RecordingCanvas& canvas) {
    std::vector<std::string> result;
    for (const RecordedText& t : canvas.texts()) {
        result.push_back(t.text);
    }
    return result;
}

std::vector<RecordedLine> horizontalLines(const RecordingCanvas& canvas) {
    std::vector<RecordedLine> result;
    for (const RecordedLine& l : canvas.lines()) {
        if (l.from.y == l.to.y && l.from.x != l.to.x) {
            result.push_back(l);
        }
    }
    return result;
}

std::vector<RecordedLine> verticalLines(const RecordingCanvas& canvas) {
    std::vector<RecordedLine> result;
    for (const RecordedLine& l : canvas.lines()) {
        if (l.from.x == l.to.x && l.from.y != l.to.y) {
            result.push_back(l);
        }
    }
    return result;
}

TEST(PixelFrame, ScreenAndPrinterProportions) {
    EXPECT_EQ(screenFrame(1200, 600), (PixelFrame{60, 1100, 50, 570, 120, 980, -470}));
    // Page 1100 x 850: left 55, right 12100/12 = 1008, top 850/8 = 106, bottom 16150/20 = 807,
    // x origin 0.1*1100 = 110, x length 898, y length 212 - 807 = -595.
    EXPECT_EQ(printFrame(1100, 850), (PixelFrame{55, 1008, 106, 807, 110, 898, -595}));
}

TEST(Transforms, LinearAndLogarithmic) {
    const PlotAxes lin = axes(1.0, 3, 0.0, 100.0);
    EXPECT_EQ(pixelX(lin, 1.0), 120);
    EXPECT_EQ(pixelX(lin, 10.0), 447);      // 120 + 980/3 = 446.67
    EXPECT_EQ(pixelY(lin, 50.0, 1.0), 285); // 520 - 470*0.5
    EXPECT_EQ(pixelY(lin, 25.0, 2.0), 285); // reference multiplies y - y min
    EXPECT_EQ(pixelX(lin, 0.0), std::nullopt);
    EXPECT_EQ(pixelX(lin, -3.0), std::nullopt);

    PlotAxes linearX = lin;
    linearX.xDecades = 0;
    linearX.xStart = 50.0;
    EXPECT_EQ(pixelX(linearX, 25.0), 610); // 120 + 980*25/50
    linearX.xStart = 0.0;
    EXPECT_EQ(pixelX(linearX, 25.0), std::nullopt);

    const PlotAxes logY = axes(10.0, 3, 0.0, 100.0, 3);
    EXPECT_EQ(pixelY(logY, 100.0, 10.0), 363); // 520 - 470*log10(10)/3 = 363.33
    EXPECT_EQ(pixelY(logY, 0.0, 10.0), std::nullopt);
    EXPECT_EQ(pixelY(logY, 100.0, 0.0), std::nullopt);

    const PlotAxes flat = axes(1.0, 3, 50.0, 50.0);
    EXPECT_EQ(pixelY(flat, 50.0, 1.0), std::nullopt);

    EXPECT_EQ(pixelX(lin, std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(pixelY(lin, 1e300, 1.0), std::nullopt); // beyond any pixel: no int conversion
    // Labels place non-positive values linearly: x 0 lies on the origin.
    EXPECT_EQ(labelPixelX(lin, 0.0), 120);
    EXPECT_EQ(labelPixelY(logY, 0.0, 10.0), 520);
}

struct DivisionCase {
    double yMin;
    double yMax;
    int divisions;
    const char* format;
};

TEST(LinearAxisRule, DivisionsAndLabelFormat) {
    const DivisionCase cases[] = {
        {0, 100, 10, "%3.0f"},    // log10(10/100) = -1 -> N 0
        {0, 125, 10, "%3.0f"},    // log10(10/125) = -1.1, truncated -1
        {90, 360, 27, "%3.0f"},   // floor(0.2*270) = 54, halved; log10(27/270) = -1
        {0, 1, 10, "%3.1f"},      // log10(10/1.000001) = 0.99999957, truncated 0 -> N 1
        {0, 10, 10, "%3.1f"},     // log10(10/10.000001) = -4e-8, truncated toward zero 0
        {0, 0.1, 10, "%3.2f"},    // log10(10/0.100001) = 1.99999, truncated 1 -> N 2
        {0, 1000, 10, "%3.0f"},   // log10(10/1000) = -2 -> max(0, -1)
        {80, 160, 16, "%3.1f"},   // ratio 2: floor(0.2*80) = 16; log10(16/80) = -0.7 -> 0
        {20, 300, 14, "%3.0f"},   // ratio 15 > 10: floor(15 - 1) = 14; log10(14/280) = -1.3
        {100, 400, 30, "%3.0f"},  // floor(0.2*300) = 60 halved; log10(30/300) = -1
        {9.99, 400, 10, "%3.0f"}, // y min below 10: always 10
        {50, 50, 1, nullptr},     // floor(0) = 0 divisions would divide by zero: one division
        {1000, 2e9, kMaxDivisions, nullptr}, // floor(2e6 - 1) halved, bounded
    };
    for (const DivisionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.yMin << " to " << c.yMax);
        EXPECT_EQ(linearDivisions(c.yMin, c.yMax), c.divisions);
        if (c.format != nullptr) {
            EXPECT_EQ(linearLabelFormat(c.divisions, c.yMin, c.yMax), c.format);
        }
    }
}

TEST(DrawAxes, LinearZeroToHundred) {
    RecordingCanvas canvas({kWidth, kHeight});
    draw_axes(canvas, axes(1.0, 0, 0.0, 100.0)); // linear x: no vertical lines
    EXPECT_TRUE(verticalLines(canvas).empty());
    const std::vector<std::string> expected = {"  0", " 10", " 20", " 30", " 40", " 50",
                                               " 60", " 70", " 80", " 90", "100"};
    EXPECT_EQ(textsOf(canvas), expected);
    const auto grid = horizontalLines(canvas);
    ASSERT_EQ(grid.size(), 11U);
    EXPECT_EQ(grid[0].from, (Point{120, 520}));
    EXPECT_EQ(grid[0].to, (Point{1100, 520}));
    EXPECT_EQ(grid[1].from, (Point{120, 473})); // 520 - 470/10
    EXPECT_EQ(grid[10].from, (Point{120, 50}));
    // " 10": 16 pixels wide, ends 16/4 = 4 before the origin: x 120 - 16 - 4; y 473 - 9/2.
    EXPECT_EQ(canvas.texts()[1].topLeft, (Point{100, 469}));
}

TEST(DrawAxes, LinearNinetyTo360HasTwentySevenDivisions) {
    RecordingCanvas canvas({kWidth, kHeight});
    draw_axes(canvas, axes(10.0, 0, 90.0, 360.0));
    EXPECT_EQ(horizontalLines(canvas).size(), 28U);
    const auto texts = textsOf(canvas);
    ASSERT_EQ(texts.size(), 28U);
    EXPECT_EQ(texts.front(), " 90");
    EXPECT_EQ(texts[1], "100"); // 90 + 270/27
    EXPECT_EQ(texts.back(), "360");
}

TEST(DrawAxes, LabelThatDoesNotFitStartsAtTheLeftEdge) {
    RecordingCanvas canvas({kWidth, kHeight});
    canvas.setFontHeight(40.0); // "100" is 3*24 = 72 wide: 120 - 72 - 18 = 30 < left 60
    draw_axes(canvas, axes(1.0, 0, 0.0, 100.0));
    EXPECT_EQ(canvas.texts().back().topLeft.x, 60);
}

TEST(DrawAxes, LogYLabelsUseXStartAndSkipSixEightNine) {
    RecordingCanvas canvas({kWidth, kHeight});
    PlotAxes a = axes(10.0, 0, 0.0, 100.0, 3); // core-loss axis: 3 decades from 10
    draw_axes(canvas, a);
    // 3 decades of 10 mantissas plus the top line; 1500 reads 1.5k ("%3.0fk" would print a
    // second "  2k").
    EXPECT_EQ(horizontalLines(canvas).size(), 31U);
    const std::vector<std::string> expected = {
        " 10", " 15", " 20", " 30",  " 40",  " 50",  " 70",  "100",  "150",  "200",  "300",
        "400", "500", "700", "  1k", "1.5k", "  2k", "  3k", "  4k", "  5k", "  7k", " 10k"};
    EXPECT_EQ(textsOf(canvas), expected);
    // "100" at row 520 - 470/3 = 363.33: ends half its width (8) before the origin.
    const RecordedText* hundred = canvas.findText("100");
    ASSERT_NE(hundred, nullptr);
    EXPECT_EQ(hundred->topLeft, (Point{120 - 16 - 8, 363 - 4}));
}

TEST(DrawAxes, FiveDecadeXAxisLabelsOnlyOnesAndThrees) {
    RecordingCanvas canvas({kWidth, kHeight});
    draw_axes(canvas, axes(1000.0, 5, 0.0, 125.0));
    // 5 decades of 10 mantissas plus the closing line at the right end.
    const auto columns = verticalLines(canvas);
    ASSERT_EQ(columns.size(), 51U);
    EXPECT_EQ(columns.front().from, (Point{120, 50}));
    EXPECT_EQ(columns.front().to, (Point{120, 520}));
    EXPECT_EQ(columns.back().from.x, 1100);

    std::vector<std::string> xLabels;
    for (const RecordedText& t : canvas.texts()) {
        if (t.topLeft.y == 524) { // 0.92 * 570 = 524.4
            xLabels.push_back(t.text);
        }
    }
    const std::vector<std::string> expected = {"  1k", "  3k", " 10k", " 30k", "100k", "300k",
                                               "  1M", "  3M", " 10M", " 30M", "100M"};
    EXPECT_EQ(xLabels, expected);
    // "  1k" is 4*5.4 = 21.6 -> 22 wide, centred on column 120.
    EXPECT_EQ(canvas.findText("  1k")->topLeft.x, 109);
    // 3k: column 120 + 980*log10(3)/5 = 213.5 -> 214, text from 214 - 11.
    EXPECT_EQ(canvas.findText("  3k")->topLeft.x, 203);
}

struct XLabelCase {
    double xStart;
    std::vector<std::string> labels;
};

TEST(DrawAxes, XLabelExceptions) {
    const XLabelCase cases[] = {
        // 1.5 is skipped (scaled 1.5), as are the unscaled 150 and 400.
        {1.0,
         {"  1", "  2", "  3", "  4", "  5", "  7", " 10", " 15", " 20", " 30", " 40", " 50", " 70",
          "100", "200", "300", "500", "700", "  1k"}},
        // Below 1: no 1.5 and 4 in the first decade, no 1.5 in the second.
        {0.1,
         {"0.1", "0.2", "0.3", "0.5", "0.7", "  1", "  2", "  3", "  4", "  5", "  7", " 10", " 20",
          " 30", " 50", " 70", "100"}},
        // 15 and 150 are written (neither scaled 1.5 nor unscaled 150); 1.5k and 4k are not.
        {10.0, {" 10", " 15", " 20", " 30", " 40",  " 50",  " 70",  "100",  "150",  "200",
                "300", "400", "500", "700", "  1k", "  2k", "  3k", "  5k", "  7k", " 10k"}},
    };
    for (const XLabelCase& c : cases) {
        SCOPED_TRACE(c.xStart);
        RecordingCanvas canvas({kWidth, kHeight});
        PlotAxes a = axes(c.xStart, 3, 0.0, 100.0);
        draw_axes(canvas, a);
        std::vector<std::string> xLabels;
        for (const RecordedText& t : canvas.texts()) {
            if (t.topLeft.y == 524) {
                xLabels.push_back(t.text);
            }
        }
        EXPECT_EQ(xLabels, c.labels);
    }
}

TEST(XTickLabel, FormatsAndFloatXStart) {
    EXPECT_EQ(xTickLabel(2500000.0), "  2M");
    EXPECT_EQ(xTickLabel(1000.0), "  1k");
    EXPECT_EQ(xTickLabel(999.0), "999");
    EXPECT_EQ(xTickLabel(0.5), "0.5");
    // A float x start of 0.001 stands for one thousandth: 1500 of it is the value 1.5, which
    // gets no label; 100 of a float 0.01 is 1, written "  1" and not "1.0".
    EXPECT_FALSE(xTickLabelled(3, 1.5, static_cast<float>(0.001), 3));
    EXPECT_EQ(xTickLabel(scaledTickValue(100.0, static_cast<float>(0.01))), "  1");
}

TEST(PlotCurve, PointsOutsideThePlotBreakTheLine) {
    RecordingCanvas canvas({kWidth, kHeight});
    const GraphPoint points[] = {
        {0.5F, 20}, // left of the x origin: 120 + 980 log10(0.5) / 3 = 21.7, skipped
        {1, 10},    // (120, 473): on the y axis
        {10, 50},   // (447, 285)
        {100, 150}, // above y max: skipped, lifts the pen
        {1000, 20}, // (1100, 426): the end of the x axis
        {5000, 30}, // beyond the x axis: 120 + 980*3.699/3 = 1328.3, skipped
        {2000, -5}, // below y min: skipped
        {0, 40},    // no position on a log axis: skipped
        {std::numeric_limits<float>::quiet_NaN(), 40},
        {100, 100}, // (773, 50): on the top row, alone
    };
    plot_curve(canvas, points, axes(1.0, 3, 0.0, 100.0), 1.0);
    const std::vector<std::vector<Point>> expected = {
        {{120, 473}, {447, 285}}, {{1100, 426}}, {{773, 50}}};
    EXPECT_EQ(canvas.polylines(), expected);
}

TEST(DrawAxes, CrowdedTickLabelsAreLeftOutNotOverlapped) {
    // A narrow plot: 3 x decades over 245 pixels, 3 y decades over 118 rows. Every label
    // written keeps clear of its neighbours; the decades' labels survive.
    RecordingCanvas canvas({300, 150});
    PlotAxes a = axes(10.0, 3, 0.0, 100.0, 3);
    a.frame = screenFrame(300, 150);
    draw_axes(canvas, a);
    std::vector<RecordedText> xs;
    std::vector<RecordedText> ys;
    for (const RecordedText& t : canvas.texts()) {
        (t.topLeft.x >= a.frame.xOrigin - t.width / 2 ? xs : ys).push_back(t);
    }
    ASSERT_GE(xs.size(), 4U);
    for (std::size_t i = 1; i < xs.size(); ++i) {
        EXPECT_GT(xs[i].topLeft.x, xs[i - 1].topLeft.x + xs[i - 1].width) << xs[i].text;
    }
    for (std::size_t i = 1; i < ys.size(); ++i) {
        EXPECT_LE(ys[i].topLeft.y + ys[i].height, ys[i - 1].topLeft.y) << ys[i].text;
    }
    for (const char* decade : {" 10", "100", "  1k", " 10k"}) {
        EXPECT_TRUE(canvas.hasText(decade)) << decade;
    }
}

TEST(DrawAxes, CrowdedLinearLabelsKeepTheEnds) {
    // 90 to 360 in 27 divisions over 118 rows: 4.4 rows apart for 9-row labels.
    RecordingCanvas canvas({300, 150});
    PlotAxes a = axes(1.0, 0, 90.0, 360.0);
    a.frame = screenFrame(300, 150);
    draw_axes(canvas, a);
    EXPECT_EQ(horizontalLines(canvas).size(), 28U);
    const std::vector<RecordedText>& t = canvas.texts();
    ASSERT_GE(t.size(), 3U);
    EXPECT_LT(t.size(), 28U);
    EXPECT_TRUE(canvas.hasText(" 90"));
    EXPECT_TRUE(canvas.hasText("360"));
    std::vector<RecordedText> byRow(t.begin(), t.end());
    std::sort(byRow.begin(), byRow.end(), [](const RecordedText& x, const RecordedText& y) {
        return x.topLeft.y < y.topLeft.y;
    });
    for (std::size_t i = 1; i < byRow.size(); ++i) {
        EXPECT_LE(byRow[i - 1].topLeft.y + byRow[i - 1].height, byRow[i].topLeft.y)
            << byRow[i].text;
    }
}

TEST(PlotLabel, NamesThatWouldOverlapFindRoomOfTheirOwn) {
    const PlotAxes a = axes(1.0, 3, 0.0, 100.0);
    RecordingCanvas canvas({kWidth, kHeight});
    std::vector<Rect> placed;
    // Three names anchored at one point, and one far away.
    for (const char* name : {"-26", "-52", "-8", "-2"}) {
        const double y = std::string_view(name) == "-2" ? 20.0 : 50.0;
        plot_label(canvas, name, 10.0, y, a, placed);
    }
    ASSERT_EQ(placed.size(), 4U);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const Rect& p = placed[i];
            const Rect& q = placed[j];
            EXPECT_FALSE(p.left < q.right && q.left < p.right && p.top < q.bottom &&
                         q.top < p.bottom)
                << i << " " << j;
        }
    }
    // The first keeps its place centred on (447, 285); the next go one line below, then above.
    EXPECT_EQ(canvas.texts()[0].topLeft.y, 285 - 4);
    EXPECT_EQ(canvas.texts()[1].topLeft.y, 285 - 4 + 9);
    EXPECT_EQ(canvas.texts()[2].topLeft.y, 285 - 4 - 9);
}

TEST(PlotCaption, StaysInsideTheFrameOnABox) {
    // Frame of 1200 x 600: x origin 120, x axis to 1100, rows 50 to 520. Text 0.6 font
    // heights a character wide: 9 px font, 40 characters -> 216 px.
    const PlotAxes a = axes(1.0, 3, 0.0, 100.0);
    const std::string text(40, 'A');
    struct Case {
        double x;
        double y;
        int left; // of the text
        int top;
    };
    const Case cases[] = {
        {10.0, 50.0, 447 - 108, 285 - 4},        // room on both sides: centred on (447, 285)
        {1000.0, 50.0, 1100 - 2 - 216, 285 - 4}, // would run past the x axis's end
        {1.0, 50.0, 120 + 2, 285 - 4},           // would run left of the y axis
        {10.0, 99.9F, 447 - 108, 50},            // would rise above the top row
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas({kWidth, kHeight});
        plot_caption(canvas, text, c.x, c.y, a, colors::kFace);
        ASSERT_EQ(canvas.texts().size(), 1U);
        const RecordedText& t = canvas.texts()[0];
        EXPECT_EQ(t.topLeft, (Point{c.left, c.top})) << c.x << " " << c.y;
        EXPECT_GE(t.topLeft.x, 120);
        EXPECT_LE(t.topLeft.x + t.width, 1100);
        ASSERT_EQ(canvas.filledRects().size(), 1U);
        const Rect box = canvas.filledRects()[0];
        EXPECT_LE(box.left, t.topLeft.x);
        EXPECT_GE(box.right, t.topLeft.x + t.width);
        EXPECT_EQ(canvas.primitives().front().brush, colors::kFace);
    }
}

TEST(PlotCurve, LogYUsesTheReferenceAsBottom) {
    RecordingCanvas canvas({kWidth, kHeight});
    const GraphPoint points[] = {{10, 5}, {10, 10}, {100, 100}, {1000, 10000}, {1000, 20000}};
    plot_curve(canvas, points, axes(10.0, 3, 0.0, 100.0, 3), 10.0);
    // y 5 lies below the reference 10; y 10 at the lowest row 520; 100 one decade up
    // (363.33); 10000 three decades up, the top row; 20000 above it.
    const std::vector<std::vector<Point>> expected = {{{120, 520}, {447, 363}, {773, 50}}};
    EXPECT_EQ(canvas.polylines(), expected);
}

TEST(PlotText, CentredTextAndMarkerCross) {
    RecordingCanvas canvas({kWidth, kHeight});
    const PlotAxes a = axes(1.0, 3, 0.0, 100.0);
    plot_text(canvas, "AB", 10.0, 50.0, a);
    ASSERT_EQ(canvas.texts().size(), 1U);
    // (447, 285); "AB" is 2*5.4 = 10.8 -> 11 wide, 9 high.
    EXPECT_EQ(canvas.texts()[0].topLeft, (Point{442, 281}));

    canvas.clear();
    canvas.setPenColor(colors::kRed);
    plot_text(canvas, "SYMBOL", 10.0, 50.0, a);
    EXPECT_TRUE(canvas.texts().empty());
    const auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 2U);
    const int s = (1100 - 60) / 80; // 13
    EXPECT_EQ(lines[0].from, (Point{447 - s, 285}));
    EXPECT_EQ(lines[0].to, (Point{447 + s, 285}));
    EXPECT_EQ(lines[1].from, (Point{447, 285 - s}));
    EXPECT_EQ(lines[1].to, (Point{447, 285 + s}));
    EXPECT_EQ(lines[0].pen, (Pen{colors::kRed, 2}));
    EXPECT_EQ(lines[1].pen.width, 2);
    EXPECT_EQ(canvas.pen().width, 1);
}

} // namespace
} // namespace korvane
