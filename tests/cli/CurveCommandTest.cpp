#include "RunKorvane.h"

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

TEST(CurveCommand, InductanceOfACatalogCore) {
    const RunResult r = runKorvane({"curve", "--kind", "7", "--part", "T106-275", "--turns", "20",
                                    "--current", "5", "--percent-perm", "80", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["caption"], "INDUCTANCE vs CURRENT");
    EXPECT_EQ(j["axes"]["x"]["label"], "CURRENT IN AMPERES");
    ASSERT_EQ(j["curves"].size(), 1U);
    EXPECT_EQ(j["curves"][0]["points"].size(), 60U);
    EXPECT_DOUBLE_EQ(j["marker"]["x"].get<double>(), 5.0);
    // The marker lies at 80 % of the inductance at full permeability, in the y unit.
    EXPECT_NEAR(j["marker"]["y"].get<double>(), 0.8 * j["inductanceScale"].get<double>(), 1e-4);
    EXPECT_EQ(j["description"].get<std::string>().rfind("CORE:  T106-275:   20 Turns,  ", 0), 0U);

    EXPECT_EQ(runKorvane({"curve", "--kind", "7", "--part", "T999-99", "--turns", "20"}).exitCode,
              1);
    EXPECT_EQ(runKorvane({"curve", "--kind", "7", "--part", "T106-275"}).exitCode, 2);
    EXPECT_EQ(runKorvane({"curve", "--kind", "8"}).exitCode, 2);
}

} // namespace
} // namespace korvane::test
