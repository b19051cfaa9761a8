#include "engine/Stacking.h"

#include "catalog/CoreCatalog.h"
#include "format/Messages.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

CoreRecord lookUp(const char* partNumber) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    CoreRecord core;
    EXPECT_EQ(catalog.lookupPartNumber(core, partNumber), 1);
    return core;
}

TEST(StackCore, OneCoreIsUnchanged) {
    for (const char* pn : {"T106-226", "E125-226"}) {
        const CoreRecord single = lookUp(pn);
        CoreRecord stacked = single;
        stackCore(stacked, 1.0);
        for (const auto field :
             {&CoreRecord::Ae, &CoreRecord::AL, &CoreRecord::volume, &CoreRecord::weight,
              &CoreRecord::MLT, &CoreRecord::Ht, &CoreRecord::dimC, &CoreRecord::dimE}) {
            EXPECT_EQ(stacked.*field, single.*field) << pn;
        }
    }
}

TEST(StackCore, TwoToroidsDoubleHeightAndGrowTheTurn) {
    // T106-226: Ht 0.357 -> 0.714; MLT + 2 x 0.357 x 1 / 12 = + 0.0595 ft (Ht / 6)
    const CoreRecord single = lookUp("T106-226");
    CoreRecord stacked = single;
    stackCore(stacked, 2.0);
    EXPECT_FLOAT_EQ(stacked.Ht, 0.714F);
    EXPECT_FLOAT_EQ(stacked.AL, 2.0F * single.AL);
    EXPECT_FLOAT_EQ(stacked.Ae, 2.0F * single.Ae);
    EXPECT_FLOAT_EQ(stacked.volume, 2.0F * single.volume);
    EXPECT_FLOAT_EQ(stacked.weight, 2.0F * single.weight);
    EXPECT_NEAR(stacked.MLT, single.MLT + 0.0595, 1e-6);
    // what a stack does not change
    EXPECT_EQ(stacked.OD, single.OD);
    EXPECT_EQ(stacked.ID, single.ID);
    EXPECT_EQ(stacked.le, single.le);
    EXPECT_EQ(stacked.Aw, single.Aw);
}

TEST(StackCore, TwoECores) {
    // E125-226 stacks along its depth: C 0.366 -> 0.732, E stays 0.36;
    // MLT + 2 x 0.366 x 1 / 12 = + 0.061 ft
    const CoreRecord single = lookUp("E125-226");
    ASSERT_EQ(single.dimE, 0.36F);
    CoreRecord stacked = single;
    stackCore(stacked, 2.0);
    EXPECT_FLOAT_EQ(stacked.dimC, 0.732F);
    EXPECT_FLOAT_EQ(stacked.dimE, 0.36F);
    EXPECT_NEAR(stacked.MLT, single.MLT + 0.061, 1e-6);
    EXPECT_FLOAT_EQ(stacked.AL, 2.0F * single.AL);
    EXPECT_FLOAT_EQ(stacked.Ae, 2.0F * single.Ae);
    EXPECT_FLOAT_EQ(stacked.volume, 2.0F * single.volume);
    EXPECT_FLOAT_EQ(stacked.weight, 2.0F * single.weight);
    EXPECT_EQ(stacked.dimA, single.dimA);
    EXPECT_EQ(stacked.dimF, single.dimF);
    EXPECT_EQ(stacked.Ht, 0.0F);
}

} // namespace
} // namespace korvane
