#include "RunKorvane.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace korvane::test {
namespace {

TEST(CurveCommand, CsvOfKindOneForTwoMaterials) {
    const RunResult r =
        runKorvane({"curve", "--kind", "1", "--materials", "275,-226", "--format", "csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream in(r.out);
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    // Three comment lines, the header and 60 points per material.
    ASSERT_EQ(lines.size(), 4U + 120U);
    EXPECT_EQ(lines[0], "# INITIAL PERMEABILITY vs DC BIAS");
    EXPECT_EQ(lines[1], "# x: DC BIAS IN OERSTEADS, log from 1, 3 decades");
    EXPECT_EQ(lines[2], "# y: INIT PERM, linear from 0 to 125");
    EXPECT_EQ(lines[3], "material,point,x,y");
    // Point 1 of -275: floor(2.5 * 1.27045) = 3 Oe.
    EXPECT_EQ(lines[5].rfind("-275,1,3,", 0), 0U) << lines[5];
    EXPECT_EQ(lines[64].rfind("-226,0,2,", 0), 0U) << lines[64];
}

TEST(CurveCommand, JsonOfEveryMaterialKind) {
    for (int kind = 1; kind <= 6; ++kind) {
        SCOPED_TRACE(kind);
        const RunResult r =
            runKorvane({"curve", "--kind", std::to_string(kind), "--format", "json"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["kind"].get<int>(), kind);
        // The full selection holds 18 materials: the notice, and the first 16 drawn.
        ASSERT_EQ(j["curves"].size(), 16U);
        EXPECT_EQ(j["messages"].size(), 1U);
        for (const auto& c : j["curves"]) {
            EXPECT_EQ(c["points"].size(), 60U) << c["material"];
        }
        EXPECT_EQ(j["axes"]["y"]["scale"], kind >= 5 ? "log" : "linear");
    }
}

TEST(CurveCommand, CurveLimitNoticeAndCompositeWithoutAcCurve) {
    const RunResult r = runKorvane(
        {"curve", "--kind", "3", "--format", "json", "--materials",
         "104,106,109,110,112,116,120,125,226,235,240,255,260,275,280,385,390,300,M702,M714"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["curves"].size(), 16U);
    ASSERT_EQ(j["messages"].size(), 1U);
    EXPECT_EQ(j["messages"][0]["text"], "Graphs for Only the first 16 in the list will be shown");

    const RunResult composite =
        runKorvane({"curve", "--kind", "3", "--format", "json", "--materials", "M702,275"});
    const auto k = nlohmann::json::parse(composite.out);
    EXPECT_TRUE(k["curves"][0]["points"].empty());
    EXPECT_EQ(k["curves"][1]["points"].size(), 60U);
}

TEST(CurveCommand, InductanceOfAnAnalysedDesign) {
    const std::vector<std::string> design = {
        "curve", "--kind", "7",    "--part", "T106-275", "--turns", "20",  "--wire", "#18",
        "--I1",  "5",      "--V1", "12",     "--V2",     "5",       "--f", "100"};
    std::vector<std::string> json = design;
    json.insert(json.end(), {"--format", "json"});
    const RunResult r = runKorvane(json);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["caption"], "INDUCTANCE vs CURRENT");
    EXPECT_EQ(j["axes"]["x"]["label"], "CURRENT IN AMPERES");
    ASSERT_EQ(j["curves"].size(), 1U);
    EXPECT_EQ(j["curves"][0]["points"].size(), 60U);
    EXPECT_DOUBLE_EQ(j["marker"]["x"].get<double>(), 5.0);
    // The marker lies at the analysed percent permeability of the full-permeability inductance.
    const double percent = j["design"]["percentPerm"].get<double>();
    EXPECT_GT(percent, 10.0);
    EXPECT_LT(percent, 100.0);
    EXPECT_NEAR(j["marker"]["y"].get<double>(),
                percent / 100.0 * j["inductanceScale"].get<double>(),
                1e-3 * j["inductanceScale"].get<double>());
    EXPECT_EQ(j["description"].get<std::string>().rfind("CORE:  T106-275:   20 Turns,  ", 0), 0U);

    // The analysis window's refusals: an unknown core, no turns, a wrong character.
    auto with = [&design](std::vector<std::string> change) {
        std::vector<std::string> args = design;
        for (std::size_t i = 0; i + 1 < change.size(); i += 2) {
            const auto at = std::find(args.begin(), args.end(), change[i]);
            *(at + 1) = change[i + 1];
        }
        return runKorvane(args);
    };
    EXPECT_EQ(with({"--part", "T999-99"}).exitCode, 1);
    const RunResult noTurns = with({"--turns", "0"});
    EXPECT_EQ(noTurns.exitCode, 1);
    EXPECT_NE(noTurns.err.find("CHECK TURNS, STRANDS, STACKED CORES"), std::string::npos);
    EXPECT_EQ(noTurns.out, "");
    EXPECT_EQ(with({"--I1", "5a"}).exitCode, 1);
    EXPECT_EQ(runKorvane({"curve", "--kind", "8"}).exitCode, 2);
}

TEST(CurveCommand, AgingOfAnAnalysedDesign) {
    const std::vector<std::string> design = {
        "curve", "--kind", "9",  "--part", "T80-275", "--turns", "30", "--wire", "#18", "--I1",
        "5",     "--V1",   "50", "--V2",   "5",       "--f",     "50", "--ta",   "60"};
    std::vector<std::string> json = design;
    json.insert(json.end(), {"--format", "json"});
    const RunResult r = runKorvane(json);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["kind"], 9);
    EXPECT_EQ(j["caption"], "CORE TEMPERATURE vs TIME");
    EXPECT_EQ(j["axes"]["x"]["label"], "TIME IN HOURS");
    EXPECT_EQ(j["axes"]["x"]["decades"], 4);
    EXPECT_EQ(j["axes"]["y"]["label"], "TEMP, DEG C");
    ASSERT_EQ(j["curves"].size(), 1U);
    const auto& points = j["curves"][0]["points"];
    ASSERT_EQ(points.size(), 32U);
    // The core starts at ambient plus its rise and only warms as it ages.
    const double start = points[0]["y"].get<double>();
    EXPECT_GT(start, 60.0);
    for (std::size_t i = 1; i < points.size(); ++i) {
        EXPECT_GE(points[i]["y"].get<double>(), points[i - 1]["y"].get<double>()) << i;
    }
    EXPECT_EQ(j["axes"]["y"]["min"].get<double>(), 20.0 * std::floor(start / 20.0));
    EXPECT_EQ(
        j["description"].get<std::string>().rfind("CORE:  T80-275 @  473 Gauss ac,  98 deg C", 0),
        0U);

    // The T RISE refusals: a mix that does not age, an ambient of 0 C, a lightly driven core.
    std::vector<std::string> stable = design;
    *(std::find(stable.begin(), stable.end(), "T80-275")) = "T80-300A";
    const RunResult none = runKorvane(stable);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find(" UNABLE TO DISPLAY AGING "), std::string::npos);
    std::vector<std::string> frozen = design;
    frozen.back() = "0";
    const RunResult cold = runKorvane(frozen);
    EXPECT_EQ(cold.exitCode, 1);
    EXPECT_NE(cold.err.find("ERROR in AgingGraph: incomplete data"), std::string::npos);
    const RunResult negligible =
        runKorvane({"curve", "--kind", "9", "--part", "T80-275", "--turns", "30", "--wire", "#18",
                    "--I1", "5", "--V1", "12", "--V2", "5", "--f", "100", "--ta", "25"});
    EXPECT_EQ(negligible.exitCode, 1);
    EXPECT_NE(negligible.err.find("Aging Data:  CORE:  T80-275 @  184 Gauss ac,  49 deg C:  "
                                  "EXHIBITS NEGLIGIBLE AGING OVER  1e+05 HOURS "),
              std::string::npos);
}

} // namespace
} // namespace korvane::test
