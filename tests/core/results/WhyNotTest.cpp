#include "results/WhyNot.h"

#include "session/DesignSession.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const RequirementTexts kDcBiased = {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"};

const DesignRunOutput& design(DesignSession& session, CoreShape shape,
                              const RequirementTexts& texts = kDcBiased) {
    session.requirementEntry().activate(Application::DcBiased);
    session.requirementEntry().setShape(shape);
    session.acceptRequirement(texts, true);
    return *session.lastRun();
}

TEST(WhyNot, EveryVisitedListingInOrderWithItsReason) {
    RecordingSink sink;
    DesignSession session(&sink);
    const std::string mixes[] = {"-226", "-240"};
    ASSERT_FALSE(session.selectOnly(mixes));
    const DesignRunOutput& run = design(session, CoreShape::Toroid);
    const std::vector<WhyNotRow> rows = whyNotRows(run.trace);
    ASSERT_EQ(rows.size(), run.trace.size());
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_LT(rows[i - 1].line, rows[i].line);
    }
    int accepted = 0;
    for (const WhyNotRow& r : rows) {
        EXPECT_FALSE(r.reason.empty());
        switch (r.outcome) {
        case TraceOutcome::MaterialNotSelected:
            EXPECT_EQ(r.reason, "material " + r.partNumber.substr(r.partNumber.find('-')) +
                                    " is not selected");
            break;
        case TraceOutcome::Accepted:
            ++accepted;
            EXPECT_EQ(r.reason.rfind("accepted into row " + std::to_string(accepted) + ":", 0), 0U)
                << r.reason;
            break;
        case TraceOutcome::TemperatureRise:
            EXPECT_NE(r.reason.find("over the limit"), std::string::npos);
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(accepted, run.search.accepted);
    const auto counts = outcomeCounts(rows);
    int total = 0;
    for (int c : counts) {
        total += c;
    }
    EXPECT_EQ(total, static_cast<int>(rows.size()));
    EXPECT_EQ(counts[static_cast<std::size_t>(TraceOutcome::Accepted)], run.search.accepted);
    EXPECT_GT(counts[static_cast<std::size_t>(TraceOutcome::MaterialNotSelected)], 0);
    EXPECT_NE(countsText(rows).find("Accepted " + std::to_string(run.search.accepted)),
              std::string::npos);
}

TEST(WhyNot, FilterAndListingsTheRunNeverReached) {
    RecordingSink sink;
    DesignSession session(&sink);
    const DesignRunOutput& run = design(session, CoreShape::Toroid);
    ASSERT_EQ(run.search.accepted, kCandidateSlots);
    const std::vector<WhyNotRow> rows = whyNotRows(run.trace);
    // Part numbers and materials, either case.
    const auto of240 = filteredRows(rows, "-240");
    ASSERT_FALSE(of240.empty());
    for (const WhyNotRow& r : of240) {
        EXPECT_NE(r.partNumber.find("-240"), std::string::npos);
    }
    EXPECT_EQ(filteredRows(rows, "t1").size(), filteredRows(rows, "T1").size());
    EXPECT_EQ(filteredRows(rows, "").size(), rows.size());
    EXPECT_FALSE(notReachedText("-240", rows, session.catalog(), CoreShape::Toroid, run.search));

    // A big toroid lies after the fortieth design: never reached, and why.
    CoreRecord last;
    int line = 0;
    while (session.catalog().readCatalogLine(last, line + 1, CoreShape::Toroid) > 0) {
        ++line;
    }
    session.catalog().readCatalogLine(last, line, CoreShape::Toroid);
    ASSERT_GT(line, rows.back().line);
    const auto never =
        notReachedText(last.partNumber, rows, session.catalog(), CoreShape::Toroid, run.search);
    ASSERT_TRUE(never);
    EXPECT_NE(never->find(last.partNumber + " was never reached"), std::string::npos) << *never;
    EXPECT_NE(never->find("stops at 40 designs"), std::string::npos) << *never;
    EXPECT_NE(never->find(rows.back().partNumber), std::string::npos) << *never;

    // An E-core in a toroid run, and a text no listing holds.
    const auto ecore =
        notReachedText("E250", rows, session.catalog(), CoreShape::Toroid, run.search);
    ASSERT_TRUE(ecore);
    EXPECT_NE(ecore->find("is an E-CORE listing"), std::string::npos) << *ecore;
    EXPECT_EQ(*notReachedText("QQ7", rows, session.catalog(), CoreShape::Toroid, run.search),
              "No listing of the catalog matches QQ7");
}

} // namespace
} // namespace korvane
