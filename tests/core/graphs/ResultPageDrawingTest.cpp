#include "graphs/ResultPageDrawing.h"

#include "engine/DesignSearch.h"
#include "format/Messages.h"
#include "requirements/RequirementEntry.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "support/BuiltInData.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::vector<RecordedLine> redLines(const RecordingCanvas& canvas) {
    std::vector<RecordedLine> result;
    for (const RecordedLine& l : canvas.lines()) {
        if (l.pen.color == colors::kRed) {
            result.push_back(l);
        }
    }
    return result;
}

RequirementBlock sampleBlock() {
    RequirementBlock block;
    const char* labels[] = {"L1", "Rs", "I1", "L2", "I2", "V1", "V2", "f", "Ta"};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = {labels[i], "100.00", "uH"};
    }
    return block;
}

TEST(ResultPageDrawing, GeometryAndVisibleRows) {
    // 1280 x 1024: top 0.175 * 1024 = 179, left 0.025 * 1280 = 32, 0.67 * 1024 = 686 high
    // (taller than 720), 0.95 * 1280 = 1216 wide. 1024 x 600: 0.8 * 600 = 480 high.
    EXPECT_EQ(resultWindowRect({1280, 1024}), (Rect{32, 179, 32 + 1216, 179 + 686}));
    EXPECT_EQ(resultWindowRect({1024, 600}), (Rect{25, 105, 25 + 972, 105 + 480}));
    // 0.67 * 1024 = 686.08: a window of 836 has (836 - 686.08) / 15 = 9.99 -> 9 more rows.
    EXPECT_EQ(resultVisibleRows({1280, 1024}, 836, 15, 41, 10), 19);
    EXPECT_EQ(resultVisibleRows({1280, 1024}, 836, 15, 12, 10), 12); // at most the rows
    EXPECT_EQ(resultVisibleRows({1280, 1024}, 686, 15, 41, 10), 10); // standard height
    EXPECT_EQ(resultVisibleRows({1280, 1024}, 300, 15, 41, 10), 1);  // at least one
    EXPECT_EQ(resultVisibleRows({1024, 600}, 836, 15, 41, 7), 7);    // small screen
}

TEST(ResultPageDrawing, BlockColumnsLabelAndSelectedRowLines) {
    ResultTables tables;
    tables.prepareTables(1.0F, UnitSystem::English);
    ResultPageState state("2026-12-08 18:00:00");
    state.beginRun(Application::DcBiased);
    state.finishRun(CoreShape::Toroid, " AWG", 4, 10.0F, 10.0F, 10.0F);
    state.setRequirementBlock(sampleBlock());
    state.selectRow(1);

    // 1200 x 600, 11 pt at one pixel per point: font 11 px, rows trunc(15.4) = 15, margin
    // trunc(33.6) = 33, table 1104, values end 0.3 * 1200 = 360 after a column start; block
    // top 3 * 11 + trunc(1.5 * 15) = 55.
    RecordingCanvas canvas({1200, 600});
    drawResultPage(canvas, tables, state, "DC BIASED", "  2026-12-08 18:00:00 ");

    const RecordedText* title = canvas.findText("DC BIASED");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->topLeft, (Point{33, 5}));
    EXPECT_EQ(title->height, 24);
    // Date of 19 characters, 19 * 6.6 = 125 px, ending two margins before the edge.
    const RecordedText* date = canvas.findText("2026-12-08 18:00:00");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->topLeft.x + date->width, 1200 - 66);

    // The short first label is replaced; first five lines on the left 15 px apart, the rest
    // from half the table width (33 + 552 = 585).
    EXPECT_FALSE(canvas.hasText("L1"));
    const RecordedText* first = canvas.findText("Inductance At Max Current:");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->topLeft, (Point{33, 55}));
    EXPECT_EQ(canvas.findText("I2")->topLeft, (Point{33, 55 + 4 * 15}));
    EXPECT_EQ(canvas.findText("V1")->topLeft, (Point{585, 55}));
    EXPECT_EQ(canvas.findText("Ta")->topLeft, (Point{585, 55 + 3 * 15}));
    // Values "100.00" (40 px) end at 33 + 360 = 393, units start half a margin (16) later.
    std::vector<Point> values;
    std::vector<Point> units;
    for (const RecordedText& t : canvas.texts()) {
        if (t.text == "100.00") {
            values.push_back(t.topLeft);
        } else if (t.text == "uH") {
            units.push_back(t.topLeft);
        }
    }
    ASSERT_EQ(values.size(), 9U);
    EXPECT_EQ(values[0], (Point{393 - 40, 55}));
    EXPECT_EQ(values[5], (Point{585 + 360 - 40, 55}));
    EXPECT_EQ(units[0], (Point{409, 55}));

    // Headings from 55 + 5 * 15 + 7 = 137, three lines without underline: rows from 182. Row 1
    // at 197; red lines 2 px (half of 15 - 11) above and below its text, across the table.
    const std::vector<RecordedLine> red = redLines(canvas);
    ASSERT_EQ(red.size(), 2U);
    EXPECT_EQ(red[0].from, (Point{33, 195}));
    EXPECT_EQ(red[0].to, (Point{33 + 1104, 195}));
    EXPECT_EQ(red[1].from, (Point{33, 210}));
    EXPECT_EQ(canvas.findText("Core Part Number")->topLeft.y, 137);
}

TEST(ResultPageDrawing, DimensionHeadingsUnderlineGroupsAndAddHalfARow) {
    ResultTables tables;
    tables.prepareTables(1.0F, UnitSystem::English);
    ResultPageState state("");
    state.finishRun(CoreShape::Toroid, " AWG", 3, 0.0F, 0.0F, 0.0F);
    state.showDimensions();
    RecordingCanvas canvas({1200, 600});
    drawResultPage(canvas, tables, state, "", "");
    // "Core" spans three columns of 0.077 * 1104 = 85.0 px each from the part number column
    // (0.142 * 1104 = 156.8): underline 0.9 of the span, centred, one row below the text.
    const RecordedText* core = canvas.findText("Core");
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(core->topLeft.y, 137);
    int underlines = 0;
    for (const RecordedLine& l : canvas.lines()) {
        if (l.from.y == 137 + 15 && l.pen.color == colors::kBlack) {
            ++underlines;
        }
    }
    EXPECT_EQ(underlines, 4);
    // The second line follows one and a half rows later.
    EXPECT_EQ(canvas.findText("OD")->topLeft.y, 137 + 15 + 7);
}

TEST(ResultPageDrawing, PrintLayoutAndTitles) {
    struct Case {
        Size page;
        double pixelsPerPoint;
        int blockRow;
        int rowHeight;
    };
    // 1100 x 850 at one pixel per point: block rows 850 / 60 = 14, rows 850 / 50 = 17.
    // 3300 x 2550 at 300 dpi: the 11 pt font is 45.8 -> 46 px, more than 2550 / 60 = 42, so
    // block rows are 46 apart; table rows 1.2 x 46 = 55, more than 2550 / 50 = 51.
    const Case cases[] = {{{1100, 850}, 1.0, 14, 17}, {{3300, 2550}, 300.0 / 72.0, 46, 55}};
    for (const Case& c : cases) {
        RecordingCanvas canvas(c.page, true, c.pixelsPerPoint);
        const ResultPageLayout layout = resultPrintLayout(canvas);
        EXPECT_EQ(layout.margin, c.page.width / 22);
        EXPECT_EQ(layout.tableWidth, static_cast<int>(0.9 * c.page.width));
        EXPECT_EQ(layout.valueColumn, static_cast<int>(0.3 * c.page.width));
        EXPECT_EQ(layout.blockRow, c.blockRow);
        EXPECT_EQ(layout.rowHeight, c.rowHeight);
        EXPECT_EQ(layout.headingTop, c.page.height / 4);
    }

    ResultTables tables;
    ResultPageState state("");
    state.finishRun(CoreShape::Toroid, " AWG", 2, 0.0F, 0.0F, 0.0F);
    RecordingCanvas canvas({1100, 850}, true);
    drawResultPrintPage(canvas, tables, state, "DC BIASED", " 2026-12-08 ");
    // Fixed title in 13.75 pt: 47 characters of 8.25 px = 388 px, centred at 85 - 3 * 14 = 43.
    const RecordedText* title = canvas.findText(kResultsTitle);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->topLeft, (Point{(1100 - 388) / 2, 43}));
    // Application title centred 1.5 block rows (21 px) above 850 / 10 = 85: 9 characters of
    // 6.6 px = 59 px.
    EXPECT_EQ(canvas.findText("DC BIASED")->topLeft, (Point{(1100 - 59) / 2, 64}));
    EXPECT_EQ(canvas.findText("ELECTRICAL PROPERTIES DATA")->topLeft, (Point{50, 85}));
    const RecordedText* date = canvas.findText("2026-12-08");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->topLeft.x + date->width, 1100 - 50);
    EXPECT_TRUE(canvas.filledRects().empty()); // a page is not cleared
}

class TableSink : public SearchRowSink {
  public:
    TableSink(ResultTables& tables, Application a, UnitSystem units)
        : tables_(tables), application_(a), units_(units) {}
    void prepareTables(float stackCount) override {
        stackCount_ = stackCount;
        tables_.prepareTables(stackCount, units_);
    }
    void writeRow(int slot, const CoreRecord& core, const DesignCandidate& candidate,
                  const std::optional<BobbinRecord>& bobbin) override {
        tables_.writeRow(slot, core, candidate, stackCount_, application_, units_, bobbin);
    }

  private:
    ResultTables& tables_;
    Application application_;
    UnitSystem units_;
    float stackCount_ = 1.0F;
};

void expectInside(const RecordingCanvas& canvas) {
    const Size size = canvas.size();
    for (const RecordedText& t : canvas.texts()) {
        EXPECT_GE(t.topLeft.x, 0) << t.text;
        EXPECT_GE(t.topLeft.y, 0) << t.text;
        EXPECT_LE(t.topLeft.x + t.width, size.width) << t.text;
        EXPECT_LE(t.topLeft.y + t.height, size.height) << t.text;
    }
    for (const RecordedLine& l : canvas.lines()) {
        for (Point p : {l.from, l.to}) {
            EXPECT_TRUE(p.x >= 0 && p.x <= size.width && p.y >= 0 && p.y <= size.height);
        }
    }
}

TEST(ResultPageDrawing, RealSearchStaysInsideWindowAndPrintedPage) {
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    DesignParameters parameters;
    MaterialSelection selection;
    RequirementEntry entry(parameters);
    entry.activate(Application::DcBiased);
    entry.setShape(CoreShape::Toroid);
    // 100 uH buck choke, 10 A, 12 V in / 5 V out at 100 kHz.
    ASSERT_TRUE(entry.accept({"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"}));
    DesignPFE design = makeDesignRun(entry.requirement(), parameters.wireSystem());
    ResultTables tables;
    TableSink rows(tables, Application::DcBiased, parameters.unitSystem());
    const SearchResult result =
        runDesignSearch(design, parameters, selection, builtInCatalog(), builtInModel(), &rows);
    ASSERT_TRUE(result.valid);
    ASSERT_GT(result.accepted, 10);

    ResultPageState state("2026-12-08 18:00:00");
    state.beginRun(Application::DcBiased);
    state.finishRun(CoreShape::Toroid, result.wireSystemName, result.rowCount, result.I1peak,
                    result.I1rms, result.Ipk);
    state.setRequirementBlock(entry.requirementBlock());
    state.selectRow(12); // scrolled: rows 3 to 12 are shown
    const std::string& part0 = result.table.slots[0].partNumber;
    const std::string& part3 = result.table.slots[3].partNumber;

    for (ResultPage page : {ResultPage::Electrical, ResultPage::Dimension}) {
        page == ResultPage::Electrical ? state.showElectrical() : state.showDimensions();
        // 0.95 x 0.67 of a 1280 x 1024 screen, and a letter page at 300 dpi in landscape.
        RecordingCanvas window({1216, 686});
        drawResultPage(window, tables, state, "DC BIASED", state.dateTime());
        expectInside(window);
        RecordingCanvas printer({3300, 2550}, true, 300.0 / 72.0);
        drawResultPrintPage(printer, tables, state, "DC BIASED", state.dateTime());
        expectInside(printer);

        for (const RecordingCanvas* canvas : {&window, &printer}) {
            EXPECT_EQ(redLines(*canvas).size(), 2U);
            EXPECT_TRUE(canvas->hasText(part3));
            if (part0 != part3) {
                EXPECT_FALSE(canvas->hasText(part0));
            }
        }
        EXPECT_TRUE(printer.hasText("KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS"));
        EXPECT_TRUE(printer.hasText(state.caption()));
    }
}

} // namespace
} // namespace korvane
