#include "results/DesignRun.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "requirements/RequirementEntry.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "support/BuiltInData.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(DesignRun, PrintedCellsAgreeWithTheDesigns) {
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    for (CoreShape shape : {CoreShape::Toroid, CoreShape::ECore}) {
        DesignParameters parameters;
        const MaterialSelection selection;
        RequirementEntry entry(parameters);
        entry.activate(Application::PfcBoost);
        entry.setShape(shape);
        ASSERT_TRUE(entry.accept({"400", "0", "6", "", "", "375", "400", "65", "25", "2", "1"}));
        const DesignRunOutput run =
            runAutomaticDesign(entry.requirement(), entry.requirementBlock(), parameters, selection,
                               builtInCatalog(), builtInModel());
        ASSERT_GT(run.search.accepted, 0);
        EXPECT_TRUE(run.state.run().valid);
        EXPECT_EQ(run.state.run().rowCount, run.search.accepted + 1);
        EXPECT_EQ(run.state.requirementBlock()[0].value, "400");
        const TextGrid& electrical = run.tables.grid(ResultGrid::Electrical);
        const TextGrid& dimensions = run.tables.grid(dimensionGrid(shape));
        for (int i = 0; i < run.search.accepted; ++i) {
            const DesignCandidate& c = run.search.table.slots[static_cast<std::size_t>(i)];
            SCOPED_TRACE(c.partNumber);
            // two stacked cores: "%s x%s" with the compact stack count
            EXPECT_EQ(electrical.cell(i, 0), c.partNumber + " x2");
            EXPECT_EQ(electrical.cell(i, 2), strprintf("%6.0f", static_cast<double>(c.al)));
            EXPECT_EQ(electrical.cell(i, 3), strprintf("%4.0f", static_cast<double>(c.turns)));
            EXPECT_EQ(electrical.cell(i, 7), strprintf("%6.1f", static_cast<double>(c.acFlux)));
            EXPECT_EQ(electrical.cell(i, 8),
                      strprintf("%6.1f", static_cast<double>(c.percentPerm)));
            EXPECT_EQ(electrical.cell(i, 9),
                      strprintf("%6.2f", static_cast<double>(c.coreLoss) * 0.001));
            EXPECT_EQ(electrical.cell(i, 10),
                      strprintf("%6.2f", static_cast<double>(c.copperLoss) * 0.001));
            EXPECT_EQ(electrical.cell(i, 11), strprintf("%6.1f", static_cast<double>(c.tempRise)));
            EXPECT_EQ(dimensions.cell(i, 0), c.partNumber + " x2");
        }
        // the search's END OF CATALOG row, or forty designs without it
        const int end = run.search.accepted;
        if (run.search.endOfCatalog) {
            EXPECT_EQ(electrical.cell(end, 0), "END OF CATALOG");
            EXPECT_EQ(electrical.cell(end, 3), "");
        } else {
            EXPECT_EQ(end, 40);
            EXPECT_EQ(electrical.cell(end, 0), "");
        }
    }
}

} // namespace
} // namespace korvane
