#include "session/DesignSession.h"

#include "support/RecordingSink.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace korvane {
namespace {

const RequirementTexts kDcBiased = {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"};

// A requirement typed into the requirements window of an application.
DesignOutcome design(DesignSession& session, Application app, const RequirementTexts& texts,
                     CoreShape shape = CoreShape::Toroid) {
    session.requirementEntry().activate(app);
    session.requirementEntry().setShape(shape);
    return session.acceptRequirement(texts);
}

int drawnCurves(const GraphState& graph) {
    int drawn = 0;
    for (int c = 0; c < graph.drawableCurveCount(); ++c) {
        drawn += graph.curveReference[static_cast<std::size_t>(c)] > 0.0F ? 1 : 0;
    }
    return drawn;
}

// The windows' path through a design: OK on the requirement, a row chosen in the results,
// ANALYSIS with OK, then the graphs of that design.
TEST(DesignSession, RequirementToDesignToAnalysisToGraphs) {
    RecordingSink sink;
    DesignSession session(&sink);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased), DesignOutcome::Designed);
    ASSERT_TRUE(session.resultsAvailable());
    const DesignRunOutput& run = *session.lastRun();
    ASSERT_GT(run.search.accepted, 3);

    session.selectRow(2);
    EXPECT_EQ(session.selectedRow(), 2);
    const DesignCandidate* chosen = session.selectedDesign();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->partNumber, run.search.table.slots[2].partNumber);

    session.setUpAnalysisFromSelectedRow();
    sink.clear();
    ASSERT_EQ(session.analyse(), AnalysisOutcome::Analysed)
        << (sink.empty() ? "" : sink.last().text);
    const DesignCandidate& analysed = session.analysis().candidate();
    EXPECT_EQ(analysed.partNumber, chosen->partNumber);
    EXPECT_EQ(analysed.turns, chosen->turns);
    // The analysed winding gives at least the 100 uH asked for, within the turns' rounding.
    EXPECT_GE(analysed.inductance, 0.99e-4F);
    EXPECT_LT(analysed.inductance, 1.5e-4F);

    ASSERT_TRUE(session.showInductanceGraphOfAnalysis());
    EXPECT_EQ(drawnCurves(session.graph()), 1);
    ASSERT_TRUE(session.showPermeabilityGraphOfSelectedRow(2));
    EXPECT_EQ(drawnCurves(session.graph()), 1);
    session.showMaterialGraph(1);
    EXPECT_EQ(drawnCurves(session.graph()),
              static_cast<int>(
                  std::min<std::size_t>(session.selection().selected().size(), kGraphCurveLimit)));
}

TEST(DesignSession, RowSelectionStaysOnTheDesigns) {
    RecordingSink sink;
    DesignSession session(&sink);
    EXPECT_EQ(session.selectedDesign(), nullptr); // no run yet
    EXPECT_FALSE(session.showInductanceGraphOfSelectedRow());
    EXPECT_FALSE(session.showAgingGraphOfSelectedRow());
    // One mix only: fewer than 40 designs, the END OF CATALOG row after them.
    const std::array<std::string, 1> only = {"-226"};
    ASSERT_EQ(session.selectOnly(only), std::nullopt);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased), DesignOutcome::Designed);
    ASSERT_TRUE(session.lastRun()->search.endOfCatalog);
    const int accepted = session.lastRun()->search.accepted;
    session.selectRow(accepted + 5);
    EXPECT_EQ(session.selectedRow(), accepted - 1);
    ASSERT_NE(session.selectedDesign(), nullptr);
    EXPECT_EQ(
        session.selectedDesign()->partNumber,
        session.lastRun()->search.table.slots[static_cast<std::size_t>(accepted - 1)].partNumber);
    session.selectRow(-3);
    EXPECT_EQ(session.selectedRow(), 0);
}

// A refused requirement shows its message and leaves the run the results window shows.
TEST(DesignSession, RefusedRequirementKeepsThePreviousRun) {
    RecordingSink sink;
    DesignSession session(&sink);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased), DesignOutcome::Designed);
    session.selectRow(1);
    const std::string first = session.selectedDesign()->partNumber;
    const int accepted = session.lastRun()->search.accepted;

    RequirementTexts bad = kDcBiased;
    bad[0] = "nan";
    sink.clear();
    EXPECT_EQ(design(session, Application::DcBiased, bad), DesignOutcome::Refused);
    EXPECT_FALSE(sink.empty());
    ASSERT_TRUE(session.resultsAvailable());
    EXPECT_EQ(session.lastRun()->search.accepted, accepted);
    EXPECT_EQ(session.selectedRow(), 1);
    EXPECT_EQ(session.selectedDesign()->partNumber, first);
}

// The results window is created once: its page and selected row stay from one run to the
// next, the row kept within the new run's designs.
TEST(DesignSession, ResultsWindowKeepsItsPageRowAndDateAcrossRuns) {
    RecordingSink sink;
    DesignSession session(&sink);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased), DesignOutcome::Designed);
    session.lastRun()->state.showDimensions();
    session.selectRow(20);

    RequirementTexts other = kDcBiased;
    other[0] = "150";
    ASSERT_EQ(design(session, Application::DcBiased, other), DesignOutcome::Designed);
    EXPECT_EQ(session.lastRun()->state.page(), ResultPage::Dimension);
    EXPECT_EQ(session.selectedRow(), 20);

    // A run of E-cores with one mix has fewer designs: the row comes down to its last one and
    // the DIMENSION page is the E-core one.
    const std::array<std::string, 1> only = {"-226"};
    ASSERT_EQ(session.selectOnly(only), std::nullopt);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased, CoreShape::ECore),
              DesignOutcome::Designed);
    const int accepted = session.lastRun()->search.accepted;
    ASSERT_LT(accepted, 20);
    EXPECT_EQ(session.selectedRow(), session.lastRun()->state.scrollMaximum());
    EXPECT_EQ(
        session.selectedDesign()->partNumber,
        session.lastRun()->search.table.slots[static_cast<std::size_t>(accepted - 1)].partNumber);
    EXPECT_EQ(session.lastRun()->state.shownGrid(), ResultGrid::ECoreDimension);
}

// A graph the session refuses leaves the graph window's state as it was.
TEST(DesignSession, RefusedGraphKeepsTheGraphShown) {
    RecordingSink sink;
    DesignSession session(&sink);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased), DesignOutcome::Designed);
    ASSERT_TRUE(session.showInductanceGraphOfSelectedRow());
    const GraphState shown = session.graph();
    ASSERT_EQ(drawnCurves(shown), 1);

    // -390 is one of the mixes without aging: TEMP RISE shows its message and no graph.
    const std::array<std::string, 1> only = {"-390"};
    ASSERT_EQ(session.selectOnly(only), std::nullopt);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased), DesignOutcome::Designed);
    sink.clear();
    EXPECT_FALSE(session.showAgingGraphOfSelectedRow());
    EXPECT_FALSE(sink.empty());
    EXPECT_EQ(session.graph().caption, shown.caption);
    EXPECT_EQ(session.graph().graphKind, shown.graphKind);
    EXPECT_EQ(drawnCurves(session.graph()), 1);

    // No design to draw: the same.
    RequirementTexts huge = kDcBiased;
    huge[0] = "100000000";
    huge[2] = "50";
    ASSERT_EQ(design(session, Application::DcBiased, huge), DesignOutcome::NoDesign);
    EXPECT_FALSE(session.showPermeabilityGraphOfSelectedRow(2));
    EXPECT_FALSE(session.showInductanceGraphOfSelectedRow());
    EXPECT_EQ(session.graph().caption, shown.caption);
    EXPECT_EQ(drawnCurves(session.graph()), 1);
}

TEST(DesignSession, SearchWithoutADesignReplacesTheRun) {
    RecordingSink sink;
    DesignSession session(&sink);
    ASSERT_EQ(design(session, Application::DcBiased, kDcBiased), DesignOutcome::Designed);
    // 100 H at 50 A fits no core of the catalog.
    RequirementTexts huge = kDcBiased;
    huge[0] = "100000000";
    huge[2] = "50";
    EXPECT_EQ(design(session, Application::DcBiased, huge), DesignOutcome::NoDesign);
    // The run stays for its messages, but no results are available any more.
    EXPECT_FALSE(session.resultsAvailable());
    ASSERT_NE(session.lastRun(), nullptr);
    EXPECT_EQ(session.lastRun()->search.accepted, 0);
    EXPECT_EQ(session.selectedDesign(), nullptr);
}

TEST(DesignSession, SelectOnlyRefusesAnUnknownCodeAndKeepsTheSelection) {
    DesignSession session;
    const std::vector<std::string> before = session.selection().selected();
    const std::array<std::string, 2> codes = {"-226", "bogus"};
    EXPECT_EQ(session.selectOnly(codes), std::optional<std::string>("bogus"));
    EXPECT_EQ(session.selection().selected(), before);

    const std::array<std::string, 2> known = {"-226", "-275"};
    EXPECT_EQ(session.selectOnly(known), std::nullopt);
    EXPECT_EQ(session.selection().selected(), std::vector<std::string>({"-226", "-275"}));
}

// Two sessions, as two windows of two programs would be: their parameters, material
// selections, runs and messages stay their own, also with one of them on a worker thread.
TEST(DesignSession, TwoSessionsKeepTheirOwnState) {
    RecordingSink sinkA;
    RecordingSink sinkB;
    DesignSession a(&sinkA);
    DesignSession b(&sinkB);
    b.parameters().setWireSystem(WireSystem::Metric);
    const std::array<std::string, 1> only = {"-226"};
    ASSERT_EQ(b.selectOnly(only), std::nullopt);

    RequirementTexts bad = kDcBiased;
    bad[2] = "-5";
    std::thread worker([&b] {
        for (int i = 0; i < 3; ++i) {
            design(b, Application::DcBiased, kDcBiased);
        }
    });
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(design(a, Application::DcBiased, bad), DesignOutcome::Refused);
    }
    worker.join();

    EXPECT_EQ(a.parameters().wireSystem(), WireSystem::Awg);
    EXPECT_FALSE(a.resultsAvailable());
    EXPECT_GT(a.selection().selected().size(), 1U);
    ASSERT_EQ(sinkA.size(), 3U);
    for (const Message& m : sinkA.messages()) {
        EXPECT_EQ(m.caption, sinkA.messages().front().caption);
    }

    ASSERT_TRUE(b.resultsAvailable());
    ASSERT_GT(b.lastRun()->search.accepted, 0);
    for (int i = 0; i < b.lastRun()->search.accepted; ++i) {
        const DesignCandidate& d = b.lastRun()->search.table.slots[static_cast<std::size_t>(i)];
        EXPECT_NE(d.partNumber.find("-226"), std::string::npos) << d.partNumber;
        EXPECT_EQ(d.wire.system, WireSystem::Metric);
    }
    for (const Message& m : sinkB.messages()) {
        EXPECT_NE(m.caption, sinkA.messages().front().caption) << m.text;
    }
}

// The session's sink is installed for its operations only: the thread's own sink is back
// after each.
TEST(DesignSession, OperationsRestoreTheThreadsSink) {
    RecordingSink threadSink;
    ScopedMessageSink scoped(threadSink);
    RecordingSink sessionSink;
    DesignSession session(&sessionSink);
    RequirementTexts bad = kDcBiased;
    bad[0] = "";
    EXPECT_EQ(design(session, Application::DcBiased, bad), DesignOutcome::Refused);
    EXPECT_FALSE(sessionSink.empty());
    showMessage("after", "CAPTION");
    ASSERT_EQ(threadSink.size(), 1U);
    EXPECT_EQ(threadSink.last().text, "after");
}

} // namespace
} // namespace korvane
