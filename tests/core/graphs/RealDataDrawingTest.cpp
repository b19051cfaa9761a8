// Every graph kind drawn once from real data, on the window and on a printed page: nothing
// leaves the surface and every curve stays inside the plot frame.
#include "analysis/AnalysisEntry.h"
#include "format/Messages.h"
#include "graphs/AgingGraph.h"
#include "graphs/GraphDrawing.h"
#include "graphs/InductanceGraph.h"
#include "graphs/MaterialGraphs.h"
#include "materials/PowderMaterialModel.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "support/BuiltInData.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using F = AnalysisField;

void expectOnSurface(const RecordingCanvas& canvas, const std::string& what) {
    const Size s = canvas.size();
    for (const RecordedText& t : canvas.texts()) {
        EXPECT_GE(t.topLeft.x, 0) << what << ": " << t.text;
        EXPECT_GE(t.topLeft.y, 0) << what << ": " << t.text;
        EXPECT_LE(t.topLeft.x + t.width, s.width) << what << ": " << t.text;
        EXPECT_LE(t.topLeft.y + t.height, s.height) << what << ": " << t.text;
    }
    for (const RecordedLine& l : canvas.lines()) {
        if (l.pen == Pen{colors::kRed, 1}) {
            continue; // curves: see expectCurvesInFrame
        }
        for (const Point p : {l.from, l.to}) {
            EXPECT_TRUE(p.x >= 0 && p.x <= s.width && p.y >= 0 && p.y <= s.height)
                << what << ": line point " << p.x << "," << p.y;
        }
    }
}

// Curves are drawn with a red pen of width 1 (the marker cross uses width 2). A point above
// or below the plot breaks the curve; a current below the axis start is still drawn (x is not
// clipped), so the automatic inductance axes must at least reach the largest current.
void expectCurvesInFrame(const RecordingCanvas& canvas, const PixelFrame& f,
                         const std::string& what) {
    int vertices = 0;
    for (const RecordedLine& l : canvas.lines()) {
        if (l.pen != Pen{colors::kRed, 1}) {
            continue;
        }
        for (const Point p : {l.from, l.to}) {
            ++vertices;
            EXPECT_LE(p.x, f.right) << what;
            EXPECT_TRUE(p.y >= f.highestRow() && p.y <= f.lowestRow()) << what << ": y " << p.y;
        }
    }
    EXPECT_GT(vertices, 0) << what << ": no curve drawn";
}

// Draws the state in a 1200 x 600 window and on a 3300 x 2550 landscape page.
void drawBoth(const GraphState& state, const std::string& what) {
    GraphState window = state;
    RecordingCanvas screen({1200, 600});
    drawGraph(window, screen);
    expectOnSurface(screen, what + " window");
    expectCurvesInFrame(screen, screenFrame(1200, 600), what + " window");

    GraphState printed = state;
    RecordingCanvas page({3300, 2550}, true, 300.0 / 72.0);
    drawGraphPage(printed, page, "Tue Dec 08 20:00:00 2026");
    expectOnSurface(page, what + " page");
    expectCurvesInFrame(page, printFrame(3300, 2550), what + " page");
}

TEST(RealDataDrawing, MaterialGraphsOfTheSelection) {
    const PowderMaterialModel model;
    const std::vector<std::string> selected = MaterialSelection().selected();
    for (int kind = 1; kind <= 6; ++kind) {
        RecordingSink sink;
        ScopedMessageSink scoped(sink);
        GraphState state;
        state.curveCount = static_cast<int>(selected.size());
        show_material_graph(state, model, kind, selected);
        drawBoth(state, "kind " + std::to_string(kind));
    }
}

TEST(RealDataDrawing, InductanceGraphOfAnAnalysis) {
    const PowderMaterialModel model;
    for (Application app : {Application::DcBiased, Application::Line60Hz, Application::Resonant}) {
        DesignParameters parameters;
        AnalysisEntry entry(parameters, builtInCatalog(), builtInModel());
        entry.setApplication(app);
        const bool line = app == Application::Line60Hz;
        const std::pair<F, const char*> texts[] = {{F::PartNumber, "T106-275"},
                                                   {F::StackCount, "1"},
                                                   {F::Wire, "#16"},
                                                   {F::Strands, "1"},
                                                   {F::Turns, "40"},
                                                   {F::Current, line ? "3" : "6"},
                                                   {F::Voltage1, "24"},
                                                   {F::Voltage2, "12"},
                                                   {F::Ambient, "40"},
                                                   {F::Frequency, line ? "60" : "50"}};
        for (const auto& [field, text] : texts) {
            entry.setText(field, text);
        }
        RecordingSink sink;
        ScopedMessageSink scoped(sink);
        ASSERT_EQ(entry.ok(), AnalysisOutcome::Analysed) << applicationTitle(app);
        const Requirement& r = entry.conditions();
        const double current = line ? r.I1rms : app == Application::Resonant ? r.Ipk : r.I1peak;
        GraphState state;
        ASSERT_TRUE(show_inductance_graph(state, model, app, entry.candidate(), current));
        drawBoth(state, std::string(applicationTitle(app)));
    }
}

TEST(RealDataDrawing, AgingGraphOfAnAnalysis) {
    // A T80-275 choke at 473 G and 50 kHz in 60 C that ages over the years.
    DesignParameters parameters;
    AnalysisEntry entry(parameters, builtInCatalog(), builtInModel());
    const std::pair<F, const char*> texts[] = {
        {F::PartNumber, "T80-275"}, {F::StackCount, "1"}, {F::Wire, "#18"},    {F::Strands, "1"},
        {F::Turns, "30"},           {F::Current, "5"},    {F::Voltage1, "50"}, {F::Voltage2, "5"},
        {F::Ambient, "60"},         {F::Frequency, "50"}};
    for (const auto& [field, text] : texts) {
        entry.setText(field, text);
    }
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    ASSERT_EQ(entry.ok(), AnalysisOutcome::Analysed);
    const PowderMaterialModel model;
    GraphState state;
    ASSERT_EQ(show_aging_graph(state, model, Application::DcBiased, entry.candidate(), 50000.0,
                               60.0, parameters),
              1);
    EXPECT_EQ(sink.size(), 0U);
    drawBoth(state, "aging");
}

} // namespace
} // namespace korvane
