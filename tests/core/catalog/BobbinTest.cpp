#include "catalog/Bobbin.h"

#include "catalog/CoreCatalog.h"
#include "format/Messages.h"
#include "support/RecordingSink.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace korvane {
namespace {

struct RowCase {
    float dimA;
    int row;
};

TEST(Bobbin, ClearanceRowByOverallWidth) {
    // The limits are decimal: 1.68F (1.67999995) and 3.05F (3.04999995) lie just below them,
    // the next floats up are the first of the following row. 1.25 is exact in a float.
    const RowCase cases[] = {
        {0.43F, 0},   {1.2499F, 0}, {1.25F, 1},
        {1.6799F, 1}, {1.68F, 1},   {std::nextafter(1.68F, 2.0F), 2},
        {3.0499F, 2}, {3.05F, 2},   {std::nextafter(3.05F, 4.0F), 3},
        {6.1F, 3},    {0.0F, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bobbinClearanceRow(c.dimA), c.row) << c.dimA;
    }
}

struct Expected {
    double flangeHeight, flangeWidth, tubeDepth, tubeWidth, innerWidth, innerHeight,
        flangeThickness, bobbinLength, windingWidth, windingDepth, tubePerimeter;
};

void expectBobbin(const BobbinRecord& b, const Expected& e) {
    constexpr double tol = 1e-5;
    EXPECT_NEAR(b.flangeHeight, e.flangeHeight, tol);
    EXPECT_NEAR(b.flangeWidth, e.flangeWidth, tol);
    EXPECT_NEAR(b.tubeDepth, e.tubeDepth, tol);
    EXPECT_NEAR(b.tubeWidth, e.tubeWidth, tol);
    EXPECT_NEAR(b.innerWidth, e.innerWidth, tol);
    EXPECT_NEAR(b.innerHeight, e.innerHeight, tol);
    EXPECT_NEAR(b.flangeThickness, e.flangeThickness, tol);
    EXPECT_NEAR(b.bobbinLength, e.bobbinLength, tol);
    EXPECT_NEAR(b.windingWidth, e.windingWidth, tol);
    EXPECT_NEAR(b.windingDepth, e.windingDepth, tol);
    EXPECT_NEAR(b.tubePerimeter, e.tubePerimeter, tol);
}

CoreRecord eCore(float a, float c, float d, float e, float f) {
    CoreRecord core;
    core.shape = CoreShape::ECore;
    core.dimA = a;
    core.dimC = c;
    core.dimD = d;
    core.dimE = e;
    core.dimF = f;
    return core;
}

TEST(Bobbin, SmallCoreSingleStack) {
    // A 1.0 -> row 0: t0 0.005, t1 0.007, t2 0.005, t3 0.007; C 0.3, D 0.6, E 0.3, F 0.72
    // flangeWidth  = down(0.98*0.72 - 0.014 = 0.6916) = 138 * 0.005 = 0.690
    // tubeWidth    = near(1.02*0.3 + 0.010 = 0.316): floor(63.2 + 0.51) = 63 -> 0.315
    // g            = floor(0.375/18*400 + 0.51 = 8.84) * 0.0025 = 0.020
    // windingDepth = 0.375/2 - 0.020 = 0.1675
    // flangeHeight = near(0.010 + 0.306 = 0.316) + 0.375 = 0.315 + 0.375 = 0.690
    // tubeDepth    = floor((0.010 + 0.306 + 0.00255) * 200 = 63.71) * 0.005 = 0.315
    // inner        = 0.690 - 0.335 = 0.355 (both)
    // flangeThick  = near(0.1675/8 = 0.0209): floor(4.19 + 0.51) = 4 -> 0.020 (the minimum)
    // bobbinLength = down(0.588 - 0.014 = 0.574) = 114 * 0.005 = 0.570
    // windingWidth = 0.570 - 0.040 - 0.010 = 0.520; tubePerimeter = 2 * 0.710 = 1.42
    const BobbinRecord b = bobbinForCore(eCore(1.0F, 0.3F, 0.6F, 0.3F, 0.72F), 1);
    expectBobbin(b, {0.690, 0.690, 0.315, 0.315, 0.355, 0.355, 0.020, 0.570, 0.520, 0.1675, 1.42});
    // a count below one is taken as one core
    const BobbinRecord b0 = bobbinForCore(eCore(1.0F, 0.3F, 0.6F, 0.3F, 0.72F), 0);
    EXPECT_FLOAT_EQ(b0.tubeDepth, b.tubeDepth);
    EXPECT_FLOAT_EQ(b0.flangeHeight, b.flangeHeight);
}

TEST(Bobbin, LargeCoreTwoStacked) {
    // A 3.3 -> row 3: t0 0.015, t1 0.02, t2 0.015, t3 0.02; C 0.9, D 2.1, E 1.0, F 2.4; n 2
    // flangeWidth  = down(2.352 - 0.04 = 2.312) = 462 * 0.005 = 2.310
    // tubeWidth    = near(1.02 + 0.03 = 1.05) = 210 * 0.005 = 1.050
    // g            = floor(1.26/18*400 + 0.51 = 28.51) * 0.0025 = 0.070
    // windingDepth = 0.63 - 0.07 = 0.560
    // flangeHeight = near(0.03 + 1.02*2*0.9 = 1.866): floor(373.2 + 0.51) = 373 -> 1.865;
    //                + 1.26 = 3.125
    // tubeDepth    = floor((0.03 + 1.836 + 0.00255) * 200 = 373.71) * 0.005 = 1.865
    // innerWidth   = 2.310 - 1.120 = 1.190; innerHeight = 3.125 - 1.120 = 2.005
    // flangeThick  = near(0.56/8 = 0.07) = 0.070
    // bobbinLength = down(0.98*2.1 - 0.04 = 2.018) = 403 * 0.005 = 2.015
    // windingWidth = 2.015 - 0.14 - 0.01 = 1.865; tubePerimeter = 2 * (1.19 + 2.005) = 6.39
    const BobbinRecord b = bobbinForCore(eCore(3.3F, 0.9F, 2.1F, 1.0F, 2.4F), 2);
    expectBobbin(b, {3.125, 2.310, 1.865, 1.050, 1.190, 2.005, 0.070, 2.015, 1.865, 0.560, 6.39});
}

TEST(Bobbin, CatalogCoreOfWidthExactly125UsesRowOne) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    CoreRecord core;
    ASSERT_EQ(catalog.lookupPartNumber(core, "E125-226"), 1);
    // the figures below were worked out for these listed dimensions
    ASSERT_EQ(core.dimA, 1.25F);
    ASSERT_EQ(core.dimC, 0.366F);
    ASSERT_EQ(core.dimD, 0.724F);
    ASSERT_EQ(core.dimE, 0.36F);
    ASSERT_EQ(core.dimF, 0.9F);

    BobbinRecord b;
    ASSERT_EQ(catalog.get_Bobbin_data(b, "E125-226", 1), 1);
    // row 1: t0 0.007, t1 0.01, t2 0.007, t3 0.01
    // flangeWidth  = down(0.882 - 0.02 = 0.862) = 0.860   (row 0 would give 0.865)
    // tubeWidth    = near(0.3672 + 0.014 = 0.3812): floor(76.24 + 0.51) = 76 -> 0.380
    // g            = floor(0.48/18*400 + 0.51 = 11.18) * 0.0025 = 0.0275
    // windingDepth = 0.24 - 0.0275 = 0.2125
    // flangeHeight = near(0.014 + 0.37332 = 0.38732) = 77 * 0.005 = 0.385; + 0.48 = 0.865
    //                (row 2 would give near(0.39332) = 0.395 -> 0.875)
    // tubeDepth    = floor((0.014 + 0.37332 + 0.00255) * 200 = 77.97) * 0.005 = 0.385
    // innerWidth   = 0.860 - 0.425 = 0.435; innerHeight = 0.865 - 0.425 = 0.440
    // flangeThick  = near(0.2125/8 = 0.0266): floor(5.31 + 0.51) = 5 -> 0.025
    // bobbinLength = down(0.70952 - 0.02 = 0.68952) = 137 * 0.005 = 0.685
    // windingWidth = 0.685 - 0.05 - 0.01 = 0.625; tubePerimeter = 2 * (0.435 + 0.44) = 1.75
    expectBobbin(b, {0.865, 0.860, 0.385, 0.380, 0.435, 0.440, 0.025, 0.685, 0.625, 0.2125, 1.75});
    EXPECT_TRUE(sink.empty());
}

TEST(Bobbin, LaterDimensionsFollowFromTheStoredOnes) {
    // Each dimension is stored in its float field and the later ones are computed from the
    // stored values, over every E-core listing and one to three stacked cores.
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    CoreRecord core;
    int checked = 0;
    for (int line = 0; catalog.readCatalogLine(core, line, CoreShape::ECore) > 0; ++line) {
        for (int stack = 1; stack <= 3; ++stack) {
            const BobbinRecord b = bobbinForCore(core, stack);
            const double flangeWidth = b.flangeWidth;
            const double tubeWidth = b.tubeWidth;
            const double depth = b.windingDepth;
            const double margin = std::max(
                std::floor((flangeWidth - tubeWidth) / 18.0 * 400.0 + 0.51) * 0.0025, 0.015);
            EXPECT_EQ(b.windingDepth, static_cast<float>((flangeWidth - tubeWidth) / 2.0 - margin))
                << core.partNumber << " x" << stack;
            EXPECT_EQ(b.innerWidth, static_cast<float>(flangeWidth - 2.0 * depth))
                << core.partNumber << " x" << stack;
            EXPECT_EQ(b.innerHeight,
                      static_cast<float>(static_cast<double>(b.flangeHeight) - 2.0 * depth))
                << core.partNumber << " x" << stack;
            EXPECT_EQ(b.windingWidth, static_cast<float>(static_cast<double>(b.bobbinLength) -
                                                         2.0 * b.flangeThickness - 0.01))
                << core.partNumber << " x" << stack;
            EXPECT_EQ(b.tubePerimeter,
                      static_cast<float>(2.0 * (static_cast<double>(b.innerWidth) + b.innerHeight)))
                << core.partNumber << " x" << stack;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3 * 174);
    EXPECT_TRUE(sink.empty());
}

TEST(Bobbin, UnknownPartNumberLeavesBobbinAlone) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    BobbinRecord b;
    b.windingWidth = 9.0F;
    EXPECT_EQ(catalog.get_Bobbin_data(b, "E999-226", 1), -2);
    EXPECT_FLOAT_EQ(b.windingWidth, 9.0F);
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last().text, "Core P/N E999-226 not found in 174 listings");
}

} // namespace
} // namespace korvane
