#include "graphs/AnalysisPageDrawing.h"

#include "analysis/AnalysisRows.h"
#include "format/Messages.h"
#include "settings/DesignParameters.h"
#include "support/BuiltInData.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using F = AnalysisField;

// A DC biased choke on a T80-275 analysed as the window does, or the same core as a 60 Hz
// line inductor.
struct Analysed {
    DesignParameters parameters;
    AnalysisEntry entry{parameters, builtInCatalog(), builtInModel()};
    RecordingSink sink;

    explicit Analysed(Application a = Application::DcBiased) {
        entry.setApplication(a);
        const std::pair<F, const char*> texts[] = {
            {F::PartNumber, "T80-275"}, {F::StackCount, "1"},
            {F::Wire, "#18"},           {F::Strands, "1"},
            {F::Turns, "30"},           {F::Current, "5"},
            {F::Voltage1, "12"},        {F::Voltage2, "5"},
            {F::Ambient, "25"},         {F::Frequency, a == Application::Line60Hz ? "60" : "100"}};
        for (const auto& [field, text] : texts) {
            entry.setText(field, text);
        }
        ScopedMessageSink scoped(sink);
        outcome = entry.ok();
    }
    AnalysisOutcome outcome = AnalysisOutcome::Refused;
};

void expectInside(const RecordingCanvas& canvas) {
    const Size page = canvas.size();
    for (const RecordedText& t : canvas.texts()) {
        EXPECT_GE(t.topLeft.x, 0) << t.text;
        EXPECT_GE(t.topLeft.y, 0) << t.text;
        EXPECT_LE(t.topLeft.x + t.width, page.width) << t.text;
        EXPECT_LE(t.topLeft.y + t.height, page.height) << t.text;
    }
}

TEST(AnalysisPageDrawing, RowsFillTheLeftColumnFirst) {
    // Width 936, font 10 px: rows 14 apart from 210, margin 26, right column at 468 - 26 + 26.
    struct Case {
        int i, n, column, x, y;
    };
    const Case cases[] = {{0, 13, 0, 26, 210},   {6, 13, 0, 26, 294},  {7, 13, 1, 468, 210},
                          {12, 13, 1, 468, 280}, {7, 15, 0, 26, 308},  {8, 15, 1, 468, 210},
                          {8, 17, 0, 26, 322},   {9, 17, 1, 468, 210}, {16, 17, 1, 468, 308}};
    for (const Case& c : cases) {
        const RowPlacement p = analysisRowPlacement(c.i, c.n, 936, -10.0);
        EXPECT_EQ(p.column, c.column) << c.i << " of " << c.n;
        EXPECT_EQ(p.x, c.x) << c.i << " of " << c.n;
        EXPECT_EQ(p.y, c.y) << c.i << " of " << c.n;
    }
}

TEST(AnalysisPageDrawing, WindowRowsOfARealAnalysis) {
    Analysed a;
    ASSERT_EQ(a.outcome, AnalysisOutcome::Analysed);
    RecordingCanvas canvas({936, 615});
    canvas.setFont({"Arial", 10.0});
    const auto rows = std::span<const ResultRow>(a.entry.electricalRows())
                          .first(static_cast<std::size_t>(a.entry.electricalRowCount()));
    drawAnalysisRows(canvas, rows, a.parameters);

    // The rows' area is cleared first: from 210 down (15 + 3) / 2 = 9 rows of 14.
    ASSERT_FALSE(canvas.filledRects().empty());
    EXPECT_EQ(canvas.filledRects().front(), (Rect{0, 210, 936, 336}));

    // The DC magnetizing force (row 4): label at the margin, value ending 0.3125 * 936 = 292
    // after it, units two margins after that.
    const RecordedText* label = canvas.findText("DC MAGNETIZING FORCE");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->topLeft, (Point{26, 210 + 4 * 14}));
    const RecordedText* value = canvas.findText(rowValueText(rows[4], a.parameters));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->topLeft.x + value->width, 26 + 292);
    EXPECT_EQ(value->topLeft.y, label->topLeft.y);
    const RecordedText* units = canvas.findText("OERSTEDS");
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->topLeft.x, 26 + 52 + 292);

    // A single-layer DC winding has no AC resistance above the DC one: its value is blank,
    // so one text fewer than three per row is written.
    ASSERT_EQ(rows[2].value, 0.0F);
    EXPECT_EQ(canvas.texts().size(), 3 * rows.size() - 1);
    expectInside(canvas);
}

TEST(AnalysisPageDrawing, PrintedPageLayout) {
    for (Application app : {Application::DcBiased, Application::Line60Hz}) {
        Analysed a(app);
        ASSERT_EQ(a.outcome, AnalysisOutcome::Analysed);
        RecordingCanvas page({2400, 3300}, true);
        page.setFont({"Arial", 30.0});
        printAnalysisPage(page, a.entry, a.parameters);

        // Heading and title centred from 330 down, lines 3300 / 60 = 55 apart.
        const RecordedText* heading = page.findText(kAnalysisPageHeading);
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->topLeft.y, 330);
        EXPECT_NEAR(heading->topLeft.x + heading->width / 2, 1200, 1);
        // The analysis window's own titles, the 60 Hz one as the window spells it.
        const std::string title = app == Application::Line60Hz
                                      ? "POWERLINE REQUENCY INDUCTOR  ANALYSIS"
                                      : "DC BIASED OUTPUT FILTER INDUCTOR  ANALYSIS";
        const RecordedText* titleText = page.findText(title);
        ASSERT_NE(titleText, nullptr);
        EXPECT_EQ(titleText->topLeft.y, 385);

        // The part number with its stack count at 0.54 W, its label at W / 5.
        const auto labels = a.entry.labels();
        const RecordedText* part = page.findText(labels[0].label);
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->topLeft, (Point{480, 495}));
        const RecordedText* partValue = page.findText("T80-275 X 1 " + labels[0].units);
        ASSERT_NE(partValue, nullptr);
        EXPECT_EQ(partValue->topLeft, (Point{1296, 495}));
        // The 60 Hz inductor hides both voltage rows.
        const int entryRows = app == Application::Line60Hz ? 6 : 8;
        const RecordedText* electrical = page.findText("ELECTRICAL PROPERTIES:");
        ASSERT_NE(electrical, nullptr);
        EXPECT_EQ(electrical->topLeft, (Point{141, 495 + (entryRows + 1) * 55}));
        // 15 electrical rows: 8 lines in the left column, then a blank line.
        const RecordedText* mechanical = page.findText("MECHANICAL PROPERTIES:");
        ASSERT_NE(mechanical, nullptr);
        EXPECT_EQ(mechanical->topLeft.y, electrical->topLeft.y + 10 * 55);
        // The right column of the mechanical list starts at W/2 - W/17 + W/17.
        const RecordedText* weight = page.findText("WIRE WEIGHT");
        ASSERT_NE(weight, nullptr);
        EXPECT_EQ(weight->topLeft, (Point{1200, mechanical->topLeft.y + 55}));
        expectInside(page);
    }
}

TEST(AnalysisPageDrawing, PrintedLinesNeverOverlapInALargeFont) {
    Analysed a;
    RecordingCanvas page({600, 800}, true);
    page.setFont({"Arial", 20.0});
    printAnalysisPage(page, a.entry, a.parameters);
    const RecordedText* heading = page.findText(kAnalysisPageHeading);
    const RecordedText* mechanical = page.findText("MECHANICAL PROPERTIES:");
    ASSERT_NE(heading, nullptr);
    ASSERT_NE(mechanical, nullptr);
    // 800 / 60 = 13 is less than the font's 20: the lines are 20 apart.
    EXPECT_EQ(page.findText("ELECTRICAL PROPERTIES:")->topLeft.y, 80 + 3 * 20 + 9 * 20);
}

} // namespace
} // namespace korvane
