#include "results/ResultPageState.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(ResultPageState, PageChoiceFollowsTheRunShape) {
    ResultPageState state("2026-12-08 17:00:00");
    EXPECT_EQ(state.dateTime(), "2026-12-08 17:00:00");
    EXPECT_EQ(state.shownGrid(), ResultGrid::Electrical);
    EXPECT_EQ(state.columnCount(), 12);
    EXPECT_EQ(state.caption(), "ELECTRICAL PROPERTIES DATA");

    state.beginRun(Application::DcBiased);
    state.finishRun(CoreShape::Toroid, " AWG", 4, 2.0F, 0.0F, 0.0F);
    state.showDimensions();
    EXPECT_EQ(state.shownGrid(), ResultGrid::ToroidDimension);
    EXPECT_EQ(state.columnCount(), 12);
    EXPECT_EQ(state.caption(), "CORE DIMENSION PROPERTIES DATA");

    // a new run of E-cores while the toroid DIMENSION page is up shows the E-core page
    state.beginRun(Application::DcBiased);
    EXPECT_FALSE(state.run().valid);
    state.finishRun(CoreShape::ECore, " AWG", 4, 2.0F, 0.0F, 0.0F);
    EXPECT_TRUE(state.run().valid);
    EXPECT_EQ(state.shownGrid(), ResultGrid::ECoreDimension);
    EXPECT_EQ(state.columnCount(), 15);

    state.finishRun(CoreShape::Composite, " AWG", 4, 2.0F, 0.0F, 0.0F);
    EXPECT_EQ(state.shownGrid(), ResultGrid::ToroidDimension);
    state.showElectrical();
    EXPECT_EQ(state.shownGrid(), ResultGrid::Electrical);
}

TEST(ResultPageState, SelectedRowStaysWithinTheDesigns) {
    ResultPageState state("");
    EXPECT_EQ(state.visibleRows(), 10);
    state.beginRun(Application::DcBiased);
    // 12 designs + the end row: scroll range 0 to 11
    state.finishRun(CoreShape::Toroid, " AWG", 13, 1.0F, 0.0F, 0.0F);
    EXPECT_EQ(state.scrollMaximum(), 11);
    state.selectRow(40);
    EXPECT_EQ(state.selectedRow(), 11);
    EXPECT_EQ(state.firstVisibleRow(), 2); // rows 2 to 11 in view
    state.selectRow(4);
    EXPECT_EQ(state.firstVisibleRow(), 0);
    state.selectRow(-3);
    EXPECT_EQ(state.selectedRow(), 0);

    state.selectRow(7);
    state.showDimensions();
    EXPECT_EQ(state.selectedRow(), 7);
    // a run of 3 designs: the selection moves back to the last design
    state.finishRun(CoreShape::Toroid, " AWG", 4, 1.0F, 0.0F, 0.0F);
    EXPECT_EQ(state.selectedRow(), 2);
    // a row count beyond the grid is held to its rows
    state.finishRun(CoreShape::Toroid, " AWG", 500, 1.0F, 0.0F, 0.0F);
    EXPECT_EQ(state.run().rowCount, 120);
}

TEST(ResultPageState, SelectedDesignOfTheTable) {
    CandidateTable table;
    table.count = 3;
    table.slots[2].turns = 25.0F;
    ResultPageState state("");
    state.beginRun(Application::DcBiased);
    EXPECT_EQ(selectedDesign(table, state), nullptr); // not valid yet
    state.finishRun(CoreShape::Toroid, " AWG", 4, 1.0F, 0.0F, 0.0F);
    state.selectRow(2);
    ASSERT_EQ(selectedDesign(table, state), &table.slots[2]);
    EXPECT_TRUE(graphableDesign(table.slots[2]));
    // a table that holds fewer designs than the run's rows
    table.count = 2;
    EXPECT_EQ(selectedDesign(table, state), nullptr);
    EXPECT_FALSE(graphableDesign(table.slots[0]));
}

TEST(ResultPageState, GraphCurrentAndFrequencyByApplication) {
    ResultRunState run;
    run.I1peak = 5.0F;
    run.I1rms = 3.0F;
    run.Ipk = 7.0F;
    const struct {
        Application application;
        float current;
        double frequency; // fHz 50, fkHz 100
    } cases[] = {
        {Application::DcBiased, 5.0F, 100000.0},  {Application::ControlledSwing, 5.0F, 100000.0},
        {Application::WideSwing, 5.0F, 100000.0}, {Application::PfcBoost, 5.0F, 100000.0},
        {Application::Line60Hz, 3.0F, 50.0},      {Application::Resonant, 7.0F, 100000.0},
    };
    for (const auto& c : cases) {
        run.application = c.application;
        EXPECT_EQ(inductanceGraphCurrent(run), c.current) << toIndex(c.application);
        EXPECT_DOUBLE_EQ(agingGraphFrequency(c.application, 50.0F, 100.0F), c.frequency)
            << toIndex(c.application);
    }
}

TEST(ResultPageState, ShortFirstRequirementLabelIsReplacedForDisplay) {
    ResultPageState state("");
    RequirementBlock block;
    block[0] = {"L1:", "100.00", "uH"};
    block[1] = {"Max Current:", "5.00", "A"};
    state.setRequirementBlock(block);
    EXPECT_EQ(state.requirementBlock()[0].label, "L1:");
    const RequirementBlock shown = state.displayedRequirementBlock();
    EXPECT_EQ(shown[0].label, "Inductance At Max Current:");
    EXPECT_EQ(shown[0].value, "100.00");
    EXPECT_EQ(shown[1].label, "Max Current:");

    block[0].label = "Inductance:"; // 11 characters stays
    state.setRequirementBlock(block);
    EXPECT_EQ(state.displayedRequirementBlock()[0].label, "Inductance:");
}

} // namespace
} // namespace korvane
