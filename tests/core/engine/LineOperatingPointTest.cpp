#include "engine/LineOperatingPoint.h"

#include "catalog/CoreCatalog.h"
#include "catalog/CoreRecord.h"
#include "engine/Stacking.h"
#include "materials/AcPermeability.h"
#include "materials/FluxIteration.h"
#include "support/BuiltInData.h"
#include "support/RecordingSink.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvane {
namespace {

struct LineCase {
    const char* name;
    CoreShape shape;
    double stack;
    double L1, I1, L2, I2; // mH, A rms
};

// Requirements whose walks reach every branch: operating points found and refused, cores
// driven into saturation, the high-flux mixes' knee and diagnostics, a single inductance.
const LineCase kLineCases[] = {
    {"toroid", CoreShape::Toroid, 1.0, 10.0, 2.0, 8.0, 0.5},
    {"e-core", CoreShape::ECore, 1.0, 10.0, 2.0, 8.0, 0.5},
    {"toroid-heavy", CoreShape::Toroid, 1.0, 1.0, 20.0, 0.5, 30.0},
    {"toroid-stacked", CoreShape::Toroid, 3.0, 2.0, 8.0, 0.0, 0.0},
    {"e-core-light", CoreShape::ECore, 1.0, 0.2, 0.2, 0.1, 0.1},
    {"toroid-saturating", CoreShape::Toroid, 1.0, 0.2, 60.0, 0.2, 60.0},
};

class LineOperatingPointsTest : public ::testing::TestWithParam<LineCase> {};

// The interleaved evaluation of a whole walk gives, listing by listing, the point and the
// messages of the call made on that listing alone.
TEST_P(LineOperatingPointsTest, BatchMatchesEachCallAlone) {
    const LineCase& c = GetParam();
    const CoreCatalog& catalog = builtInCatalog();
    const MaterialModel& model = builtInModel();
    RecordingSink quiet;
    ScopedMessageSink scopedQuiet(quiet);

    std::deque<std::string> materials;
    std::vector<LineListing> listings;
    CoreRecord core;
    for (int line = 0; catalog.readCatalogLine(core, line, c.shape) > 0; ++line) {
        stackCore(core, c.stack);
        materials.push_back(core.material);
        listings.push_back({materials.back(), core.Ae, core.AL});
    }
    ASSERT_GT(listings.size(), 20U);

    const auto outcomes = line60HzOperatingPoints(listings, c.L1, c.I1, c.L2, c.I2, model);
    ASSERT_EQ(outcomes.size(), listings.size());
    int found = 0;
    for (std::size_t i = 0; i < listings.size(); ++i) {
        RecordingSink alone;
        std::optional<LineOperatingPoint> expected;
        {
            ScopedMessageSink scoped(alone);
            expected = line60HzOperatingPoint(listings[i].material, c.L1, c.I1, c.L2, c.I2,
                                              listings[i].Ae, listings[i].AL, model);
        }
        SCOPED_TRACE(testing::Message() << "listing " << i << " " << listings[i].material);
        ASSERT_EQ(outcomes[i].point.has_value(), expected.has_value());
        if (expected) {
            ++found;
            EXPECT_EQ(outcomes[i].point->turns, expected->turns);
            EXPECT_EQ(outcomes[i].point->permFraction, expected->permFraction);
        }
        EXPECT_EQ(outcomes[i].messages, alone.messages());
    }
    EXPECT_GT(found, 0);
    // Nothing reaches the caller's sink: every message is the listing's.
    EXPECT_TRUE(quiet.empty());
}

// The lookahead, with its helper thread, gives every listing the walk asks for what the
// listing's own call gives, whether the walk runs to the end, skips listings, or stops
// early while the helper is still ahead of it.
TEST_P(LineOperatingPointsTest, LookaheadMatchesEachCallAlone) {
    const LineCase& c = GetParam();
    const MaterialModel& model = builtInModel();
    RecordingSink quiet;
    ScopedMessageSink scopedQuiet(quiet);
    std::deque<std::string> materials;
    std::vector<LineListing> listings;
    CoreRecord core;
    for (int line = 0; builtInCatalog().readCatalogLine(core, line, c.shape) > 0; ++line) {
        stackCore(core, c.stack);
        materials.push_back(core.material);
        listings.push_back({materials.back(), core.Ae, core.AL});
    }
    const auto expected = line60HzOperatingPoints(listings, c.L1, c.I1, c.L2, c.I2, model);

    for (std::size_t stride : {1U, 3U}) {
        for (std::size_t stop : {listings.size(), listings.size() / 5}) {
            LineLookahead lookahead(listings, c.L1, c.I1, c.L2, c.I2, model);
            for (std::size_t i = 0; i < stop; i += stride) {
                SCOPED_TRACE(testing::Message() << "listing " << i << " stride " << stride);
                const LineOutcome& got = lookahead.outcome(i);
                ASSERT_EQ(got.point.has_value(), expected[i].point.has_value());
                if (got.point) {
                    EXPECT_EQ(got.point->turns, expected[i].point->turns);
                    EXPECT_EQ(got.point->permFraction, expected[i].point->permFraction);
                }
                EXPECT_EQ(got.messages, expected[i].messages);
            }
        }
    }
    EXPECT_TRUE(quiet.empty());
}

INSTANTIATE_TEST_SUITE_P(Walks, LineOperatingPointsTest, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 ch = ch == '-' ? '_' : ch;
                             }
                             return name;
                         });

// Iterations stepped together, in groups of every size and across both fits, end where each
// ends alone: same pair, same number of passes, same diagnostics.
TEST(FluxIterationsTogetherTest, EndAsEachAlone) {
    const MaterialModel& model = builtInModel();
    // Rational and polynomial fits, the high-flux mixes (knee and diagnostics).
    const std::vector<std::string> materials = {"-275", "-240", "-226", "-110", "-260",
                                                "-233", "-125", "-116", "-385"};
    const std::vector<double> fluxes = {50.0, 900.0, 1999.0, 4000.0, 7500.0, 12000.0, 30000.0};
    struct Job {
        ResolvedAcMag acMag;
        AcLimits limits;
        double B;
    };
    std::vector<Job> jobs;
    for (const std::string& m : materials) {
        const auto resolved = model.resolvedAcMag(m);
        ASSERT_TRUE(resolved.has_value()) << m;
        AcLimits limits;
        ASSERT_NE(model.acLimits(m, limits.Bmax, limits.satFraction, limits.initialPerm), -1);
        for (double B : fluxes) {
            if (!limits.saturated(B)) {
                jobs.push_back({*resolved, limits, B});
            }
        }
    }
    auto make = [](const Job& j) {
        return FluxIteration<ResolvedAcMag>(j.B, "m", j.limits.Bmax, j.limits.initialPerm, true,
                                            j.acMag);
    };
    auto reports = [](const FluxIteration<ResolvedAcMag>& it) {
        RecordingSink sink;
        ScopedMessageSink scoped(sink);
        it.showReports();
        return sink.messages();
    };
    int diagnostics = 0;
    for (bool widest : {true, false}) {
        for (std::size_t group : {1U, 2U, 3U, 5U, 8U}) {
            for (std::size_t start = 0; start + group <= jobs.size(); start += group) {
                std::vector<FluxIteration<ResolvedAcMag>> together;
                std::vector<FluxIteration<ResolvedAcMag>> alone;
                for (std::size_t k = start; k < start + group; ++k) {
                    together.push_back(make(jobs[k]));
                    alone.push_back(make(jobs[k]));
                }
                std::vector<int> passesTogether(group, 0);
                std::vector<int> passesAlone(group, 0);
                while (true) {
                    std::vector<FluxIteration<ResolvedAcMag>*> running;
                    for (std::size_t k = 0; k < group; ++k) {
                        if (together[k].running()) {
                            running.push_back(&together[k]);
                            ++passesTogether[k];
                        }
                    }
                    if (running.empty()) {
                        break;
                    }
                    stepFluxIterations(running, widest);
                }
                for (std::size_t k = 0; k < group; ++k) {
                    while (alone[k].running()) {
                        alone[k].step();
                        ++passesAlone[k];
                    }
                    SCOPED_TRACE(testing::Message() << "group " << group << " job " << start + k
                                                    << (widest ? " widest" : " two lanes"));
                    EXPECT_EQ(passesTogether[k], passesAlone[k]);
                    EXPECT_EQ(together[k].failed(), alone[k].failed());
                    EXPECT_EQ(together[k].pair(), alone[k].pair());
                    const auto expected = reports(alone[k]);
                    EXPECT_EQ(reports(together[k]), expected);
                    diagnostics += static_cast<int>(expected.size());
                }
            }
        }
    }
    EXPECT_GT(diagnostics, 0); // the high-flux diagnostics were exercised
}

} // namespace
} // namespace korvane
