#include "spice/SpiceModel.h"

#include "AnalysedDesigns.h"
#include "format/StrPrintf.h"
#include "session/DesignSession.h"
#include "settings/SettingsFile.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace korvane {
namespace {

using test::analyse;
using test::AnalysedDesign;
using test::kDcChoke;
using test::kLineChoke;
using test::kResonant;

TEST(SpiceModel, IdentifierIsThePartNumberAsASpiceName) {
    const struct {
        const char* part;
        float stack;
        const char* name;
    } cases[] = {
        {"T80-275", 1.0F, "KORVANE_T80_275"},       {"T200-275", 2.0F, "KORVANE_T200_275x2"},
        {"ST106-M702", 1.0F, "KORVANE_ST106_M702"}, {"e100-40/2 ", 3.0F, "KORVANE_E100_40_2x3"},
        {"T80-275", 1.5F, "KORVANE_T80_275x1_5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(spiceIdentifier(c.part, c.stack), c.name) << c.part << " x" << c.stack;
    }
}

// Three points of 10, 6 and 2 uH at 1, 2 and 4 A; 10 turns of AL 100 put L100 at 10 uH, so
// the axis is in uH. Flux linkage: 1 A: 10 uH x 1 A = 10 uWb; 2 A: 10 + (10 + 6) / 2 = 18;
// 4 A: 18 + (6 + 2) / 2 x 2 = 26; 3 A: 18 + 6 x 1 - 4 / 2 x 1 / 2 = 23 with L(3 A) = 4 uH;
// 5 A: 26 + 2 = 28.
GraphState threePointGraph() {
    GraphState graph;
    graph.points[0][0] = {1.0F, 10.0F};
    graph.points[0][1] = {2.0F, 6.0F};
    graph.points[0][2] = {4.0F, 2.0F};
    graph.points[0][3] = {4.0F, 2.0F}; // the sample sequence repeats its end
    return graph;
}

DesignCandidate tenTurns() {
    DesignCandidate design;
    design.turns = 10.0F;
    design.al = 100.0F;
    return design;
}

TEST(SpiceModel, FluxLinkageIsTheIntegralOfTheLinearInductance) {
    const std::optional<FluxLinkageCurve> curve =
        fluxLinkageCurve(threePointGraph(), Application::DcBiased, tenTurns());
    ASSERT_TRUE(curve);
    ASSERT_EQ(curve->points.size(), 7U); // three mirrored, the origin, three
    const struct {
        double current, inductance, fluxLinkage;
    } expected[] = {{0.0, 10e-6, 0.0},  {0.5, 10e-6, 5e-6},  {1.0, 10e-6, 10e-6},
                    {2.0, 6e-6, 18e-6}, {3.0, 4e-6, 23e-6},  {4.0, 2e-6, 26e-6},
                    {5.0, 2e-6, 28e-6}, {-3.0, 4e-6, -23e-6}};
    for (const auto& e : expected) {
        EXPECT_NEAR(curve->inductanceAt(e.current), e.inductance, 1e-12) << e.current << " A";
        EXPECT_NEAR(curve->fluxLinkageAt(e.current), e.fluxLinkage, 1e-12) << e.current << " A";
    }
    EXPECT_NEAR(curve->points.back().fluxLinkage, 26e-6, 1e-12);
    EXPECT_NEAR(curve->points.front().fluxLinkage, -26e-6, 1e-12);
}

TEST(SpiceModel, LineFrequencyCurveIsInPeakAmperes) {
    const std::optional<FluxLinkageCurve> curve =
        fluxLinkageCurve(threePointGraph(), Application::Line60Hz, tenTurns());
    ASSERT_TRUE(curve);
    EXPECT_NEAR(curve->points.back().current, 4.0 * std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(curve->inductanceAt(2.0 * std::sqrt(2.0)), 6e-6, 1e-12);
    // The resonant graph is drawn in peak amperes already.
    const std::optional<FluxLinkageCurve> resonant =
        fluxLinkageCurve(threePointGraph(), Application::Resonant, tenTurns());
    ASSERT_TRUE(resonant);
    EXPECT_NEAR(resonant->points.back().current, 4.0, 1e-6);
}

TEST(SpiceModel, NoCurveWithoutPointsOrWithANegativeInductance) {
    EXPECT_FALSE(fluxLinkageCurve(GraphState{}, Application::Line60Hz, tenTurns()));
    GraphState negative = threePointGraph();
    negative.points[0][1].y = -1.0F;
    EXPECT_FALSE(fluxLinkageCurve(negative, Application::DcBiased, tenTurns()));
}

// Every curve of a real design: odd, rising, its points on the integral, and the expression's
// slope the inductance (checked against a central difference of the curve itself).
TEST(SpiceModel, CurvesOfAnalysedDesignsAreOddAndMonotone) {
    for (const AnalysedDesign& d : {kDcChoke, kLineChoke, kResonant}) {
        SCOPED_TRACE(d.part);
        DesignSession session;
        ASSERT_EQ(analyse(session, d), AnalysisOutcome::Analysed);
        ASSERT_TRUE(session.showInductanceGraphOfAnalysis());
        const std::optional<FluxLinkageCurve> curve =
            fluxLinkageCurve(session.graph(), d.application, session.analysis().candidate());
        ASSERT_TRUE(curve);
        const std::vector<FluxLinkagePoint>& p = curve->points;
        ASSERT_GT(p.size(), 21U);
        ASSERT_EQ(p.size() % 2, 1U);
        for (std::size_t k = 0; k < p.size(); ++k) {
            const FluxLinkagePoint& mirror = p[p.size() - 1 - k];
            EXPECT_EQ(p[k].current, -mirror.current);
            EXPECT_EQ(p[k].fluxLinkage, -mirror.fluxLinkage);
            EXPECT_EQ(p[k].inductance, mirror.inductance);
            if (k > 0) {
                EXPECT_GT(p[k].current, p[k - 1].current);
                EXPECT_GT(p[k].fluxLinkage, p[k - 1].fluxLinkage);
            }
            EXPECT_NEAR(curve->fluxLinkageAt(p[k].current), p[k].fluxLinkage,
                        1e-9 * std::abs(p.back().fluxLinkage));
        }
        for (double i = -p.back().current * 1.1; i < p.back().current * 1.1; i += 0.037) {
            const double h = 1e-4;
            const double slope =
                (curve->fluxLinkageAt(i + h) - curve->fluxLinkageAt(i - h)) / (2 * h);
            EXPECT_NEAR(slope, curve->inductanceAt(i), 2e-3 * curve->inductanceAt(i)) << i;
        }
    }
}

TEST(SpiceModel, CommentBlockDescribesTheDesign) {
    DesignSession session;
    ASSERT_EQ(analyse(session, kDcChoke), AnalysisOutcome::Analysed);
    const std::time_t now = 1'780'000'000;
    const std::optional<std::string> model = session.spiceModelOfAnalysis(now);
    ASSERT_TRUE(model);
    const DesignCandidate& design = session.analysis().candidate();

    std::istringstream lines(*model);
    std::string line;
    std::string comments;
    while (std::getline(lines, line) && line.rfind(".SUBCKT", 0) != 0) {
        EXPECT_EQ(line.front(), '*') << line;
        comments += line + "\n";
    }
    EXPECT_EQ(line, ".SUBCKT KORVANE_T80_275 1 2");
    EXPECT_NE(comments.find("* Core:              T80-275\n"), std::string::npos) << comments;
    EXPECT_NE(comments.find("* Turns:             30\n"), std::string::npos);
    EXPECT_NE(comments.find("* Wire:              # 18 AWG, 1 strand(s)\n"), std::string::npos);
    const std::string rdc = strprintf("* Rdc:               %.6g ohm\n", design.rdc);
    EXPECT_NE(comments.find(rdc), std::string::npos);
    EXPECT_NE(comments.find("* Operating current: 5 A\n"), std::string::npos);
    EXPECT_NE(comments.find("* Written:           " + dateStamp(now)), std::string::npos);
    EXPECT_NE(model->find("\nR1 1 3 " + strprintf("%.9g", design.rdc) + "\n"), std::string::npos);
    EXPECT_NE(model->find("\n.ENDS KORVANE_T80_275\n"), std::string::npos);

    // L at the operating current from the curve agrees with the analysis's inductance under
    // load (its percent permeability at 5 A) to the curve's interpolation: 31.92 vs 31.78 uH.
    const std::size_t at = comments.find("* L at 5 A:          ");
    ASSERT_NE(at, std::string::npos);
    const double microhenries = std::stod(comments.substr(at + 21));
    EXPECT_NEAR(microhenries * 1e-6, design.inductance, 0.01 * design.inductance);
}

TEST(SpiceModel, StackedCoresAndLineCurrentInTheComments) {
    DesignSession session;
    ASSERT_EQ(analyse(session, kLineChoke), AnalysisOutcome::Analysed);
    const std::optional<std::string> model = session.spiceModelOfAnalysis(0);
    ASSERT_TRUE(model);
    EXPECT_NE(model->find("* Core:              T200-275, 2 stacked cores\n"), std::string::npos);
    EXPECT_NE(model->find("* Wire:              0.100 x 0.020 Cu, 1 strand(s)\n"),
              std::string::npos);
    EXPECT_NE(model->find("* Operating current: 4 A rms (5.657 A peak)\n"), std::string::npos);
    EXPECT_NE(model->find("\n.SUBCKT KORVANE_T200_275x2 1 2\n"), std::string::npos);
}

TEST(SpiceModel, RefusedWithoutAnAnalysisOrAnInductanceCurve) {
    RecordingSink sink;
    DesignSession session(&sink);
    EXPECT_FALSE(session.spiceModelOfAnalysis());
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last(),
              (Message{"NO ANALYSED DESIGN.  ANALYSE A DESIGN FIRST.", "SPICE MODEL"}));

    // A composite material has no AC curve: its 60 Hz design has no model.
    const AnalysedDesign composite = {
        Application::Line60Hz, "ST106-M702", "1", "#18", "50", "2", "", "", "60"};
    ASSERT_EQ(analyse(session, composite), AnalysisOutcome::Analysed);
    sink.clear();
    EXPECT_FALSE(session.spiceModelOfAnalysis());
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last(),
              (Message{"NO INDUCTANCE CURVE FOR ST106-M702: NO SPICE MODEL", "SPICE MODEL"}));
}

} // namespace
} // namespace korvane
