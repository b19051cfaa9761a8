#include "RunKorvane.h"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace korvane::test {
namespace {

using nlohmann::json;

const std::vector<std::string> kAnalysisConditions = {"--V1", "12", "--V2", "5", "--f", "100"};

// A DC biased choke: T80-275 (AL 60, Ae 0.3201, le 4.711), 30 turns of AWG 18, 5 A,
// 12 V / 5 V at 100 kHz, 25 C.
std::vector<std::string> dcChoke(std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"analyze", "--part", "t80-275", "--turns", "30", "--wire",
                                     "#18",     "--I1",   "5",       "--V1",    "12", "--V2",
                                     "5",       "--f",    "100",     "--ta",    "25"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(AnalyzeCommand, TextShowsBothListsAsTheWindowDoes) {
    const RunResult r = runKorvane(dcChoke());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS\nELECTRICAL PROPERTIES:\n", 0),
              0U);
    const std::size_t electrical = r.out.find("ELECTRICAL PROPERTIES:");
    const std::size_t mechanical = r.out.find("MECHANICAL PROPERTIES:");
    ASSERT_NE(mechanical, std::string::npos);
    EXPECT_LT(electrical, mechanical);
    // H = 1.256636 * 30 * 5 / 4.711 = 40.01 Oe; B = 7.0588 * 25000 / (30 * 0.3201 * 100) = 184 G
    EXPECT_NE(r.out.find("  DC MAGNETIZING FORCE             40.0  OERSTEDS\n"), std::string::npos);
    EXPECT_NE(r.out.find("  PEAK AC FLUX DENSITY              184  GAUSS\n"), std::string::npos);
    EXPECT_NE(r.out.find("  CORE OD                         0.800  in.\n"), std::string::npos);
    EXPECT_NE(r.out.find("  Life Limit"), std::string::npos);
}

TEST(AnalyzeCommand, JsonCarriesRowsCandidateAgingAndMessages) {
    const RunResult r = runKorvane(dcChoke({"--format", "json", "--units", "metric"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["input"]["partNumber"], "T80-275"); // upper-cased as typed into the window
    EXPECT_EQ(j["input"]["wire"], "# 18 AWG");
    ASSERT_EQ(j["electrical"].size(), 15U);
    ASSERT_EQ(j["mechanical"].size(), 17U);
    const auto& h = j["electrical"][4];
    EXPECT_EQ(h["label"], "DC MAGNETIZING FORCE");
    EXPECT_NEAR(h["value"].get<double>(), 40.0118, 1e-3);
    EXPECT_EQ(h["text"], "  40.0");
    // 0.8 in = 20.32 mm
    EXPECT_EQ(j["mechanical"][0]["text"], "20.320");
    EXPECT_EQ(j["mechanical"][0]["units"], "mm ");
    const auto& c = j["candidate"];
    EXPECT_EQ(c["partNumber"], "T80-275");
    EXPECT_NEAR(c["acFlux"].get<double>(), 183.766, 1e-2);
    EXPECT_EQ(c["frequency"].get<double>(), 100000.0);
    EXPECT_EQ(c["wire"]["size"].get<double>(), 18.0);
    for (const char* field : {"rdc", "rac", "coreLoss", "copperLoss", "tempRise", "surfaceArea",
                              "woundOD", "coreVolume", "biasScale", "inductance"}) {
        EXPECT_TRUE(c.contains(field)) << field;
    }
    EXPECT_TRUE(j["aging"].contains("timeTo115PercentLoss"));
    EXPECT_EQ(j["aging"]["lifeLimit"].get<double>(), j["electrical"][14]["value"].get<double>());
    EXPECT_TRUE(j["messages"].empty());

    // A mix that does not age: 13 electrical rows and no aging.
    const RunResult stable = runKorvane({"analyze", "--part", "T80-300A", "--turns", "30", "--wire",
                                         "18 AWG", "--I1", "5", "--format", "json"});
    ASSERT_EQ(stable.exitCode, 0) << stable.err;
    const auto k = nlohmann::json::parse(stable.out);
    EXPECT_EQ(k["electrical"].size(), 13U);
    EXPECT_FALSE(k.contains("aging"));
    EXPECT_EQ(k["candidate"]["wire"]["size"].get<double>(), 18.0);
}

TEST(AnalyzeCommand, ParametersAndWarningsReachTheResult) {
    // Trise_f 2 instead of 1 raises the rise by 2^0.833 = 1.7818 for the same losses.
    const RunResult one = runKorvane(dcChoke({"--format", "json"}));
    const RunResult two = runKorvane(dcChoke({"--format", "json", "--param", "Trise_f=2"}));
    ASSERT_EQ(two.exitCode, 0) << two.err;
    const double rise1 = nlohmann::json::parse(one.out)["candidate"]["tempRise"].get<double>();
    const double rise2 = nlohmann::json::parse(two.out)["candidate"]["tempRise"].get<double>();
    EXPECT_NEAR(rise2 / rise1, 1.7818, 1e-3);

    // 60 Hz beyond the AC permeability data: warned, still analysed.
    const RunResult line =
        runKorvane({"analyze", "--app", "60hz", "--part", "T200-275", "--turns", "100", "--wire",
                    "#14", "--I1", "40", "--f", "60", "--format", "json"});
    ASSERT_EQ(line.exitCode, 0) << line.err;
    const auto j = nlohmann::json::parse(line.out);
    ASSERT_EQ(j["messages"].size(), 1U);
    EXPECT_EQ(j["messages"][0]["text"],
              "WARNING: RANGE OF AC PERM DATA EXCEEDED.\n\r RESULTS MAY BE INACCURATE");
    EXPECT_GT(j["candidate"]["inductance"].get<double>(), 0.0);
}

TEST(AnalyzeCommand, TimeTo115PercentOfABoostChokeNearRunaway) {
    // A hot PFC choke whose loss passes 15 % on a sample that runs away before its time: the
    // crossing lies between the times asked for, 398554 h, just before the life limit.
    const RunResult r =
        runKorvane({"analyze", "--app",   "pfc-boost", "--part",   "E100-240",
                    "--turns", "111",     "--wire",    "1.4mm",    "--I1",
                    "5.91",    "--f",     "60",        "--ta",     "-20",
                    "--V1",    "342",     "--V2",      "385",      "--wire-standard",
                    "metric",  "--param", "Fill=30",   "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["electrical"].size(), 15U);
    EXPECT_EQ(j["electrical"][13]["label"], "Time To 115 % Loss");
    EXPECT_NEAR(j["electrical"][13]["value"].get<double>(), 398553.6, 1.0);
    EXPECT_LT(j["electrical"][13]["value"].get<double>(),
              j["electrical"][14]["value"].get<double>());
}

TEST(AnalyzeCommand, RefusedInputPrintsTheMessageAndExitsOne) {
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    const Case cases[] = {
        {{"analyze", "--part", "T999", "--turns", "30"},
         "DATA ENTRY ERROR: MISSING OR INCOMPLETE CORE PART NUMBER T999 \n"},
        {{"analyze", "--part", "T80-999", "--turns", "30", "--wire", "#18"},
         "KORVANE CATALOG LOOKUP ERROR : Core P/N T80-999 not found in 536 listings\n"},
        {{"analyze", "--part", "T80-275", "--turns", "30", "--ta", "2-0"},
         "DATA ENTRY ERROR: INVALID CHARACTER in position  2 in Parameter 8.  2-0 \n"},
        {{"analyze", "--part", "T80-275", "--turns", "30", "--param", "Fill=150"},
         "PARAMETER OUT OF RANGE ERROR: Parameter 3. (150.00) Must Be In The Range:   0.10 To  "
         "99.00\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = runKorvane(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
    const RunResult json = runKorvane({"analyze", "--part", "T999", "--format", "json"});
    EXPECT_EQ(json.exitCode, 1);
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_FALSE(j.contains("electrical"));
    EXPECT_EQ(j["messages"][0]["caption"], "DATA ENTRY ERROR");

    EXPECT_EQ(runKorvane({"analyze", "--param", "Foo=1"}).exitCode, 2);
    EXPECT_EQ(runKorvane({"analyze", "--units", "furlongs"}).exitCode, 2);
}

TEST(AnalyzeCommand, AnalysisBeyondWhatThePagesCanShowIsRefused) {
    const std::vector<std::vector<std::string>> runs = {
        with({"analyze", "--part", "E125-255", "--wire", "#22", "--turns", "9999999999999", "--I1",
              "9999999999999"},
             kAnalysisConditions),
        {"analyze", "--app", "resonant", "--part", "E62-226", "--wire", "#40", "--turns",
         "121976034", "--I1", "121976034", "--V1", "121976034", "--f", "121976034"},
        with({"analyze", "--part", "T80-275", "--wire", "#18", "--turns", "1", "--I1",
              "10000000000000"},
             kAnalysisConditions),
    };
    for (const auto& args : runs) {
        const RunResult text = runKorvane(args);
        EXPECT_EQ(text.exitCode, 1) << args[2];
        EXPECT_EQ(text.out, "") << args[2];
        EXPECT_NE(text.err.find("PROGRAM ERROR : THE ANALYSIS RESULT "), std::string::npos)
            << text.err;
        const RunResult j = runKorvane(with(args, {"--format", "json"}));
        const json document = json::parse(j.out);
        EXPECT_FALSE(document.contains("electrical"));
        EXPECT_EQ(j.out.find("inf"), std::string::npos);
    }
}

TEST(AnalyzeCommand, WireTextsThatGiveNoSizeAreRefused) {
    struct Case {
        std::string wire;
        std::string standard;
        int exitCode;
        std::string shown; // the wire entry after OK
    };
    const std::vector<Case> cases = {
        {"18", "awg", 0, "# 18 AWG"},
        {"22", "swg", 0, "# 22 SWG"},
        {"0.5", "metric", 0, " 0.50 mm"},
        {"nan", "awg", 1, ""},
        {"-5", "awg", 1, ""},
        {"0", "swg", 1, ""},
        {"abc", "awg", 1, ""},
        {"", "awg", 1, ""},
        {"nan x nan", "awg", 1, ""},
        {"0.1 x -0.02", "awg", 1, ""},
        {"0.100 x 0.020", "awg", 0, "0.100 x 0.020 Cu"},
    };
    for (const Case& c : cases) {
        const RunResult r =
            runKorvane(with({"analyze", "--part", "T80-275", "--wire", c.wire, "--wire-standard",
                             c.standard, "--turns", "30", "--I1", "1", "--format", "json"},
                            kAnalysisConditions));
        EXPECT_EQ(r.exitCode, c.exitCode) << c.wire << r.err;
        const json document = json::parse(r.out);
        if (c.exitCode == 0) {
            EXPECT_EQ(document["input"]["wire"], c.shown) << c.wire;
            EXPECT_EQ(r.out.find("nan"), std::string::npos) << c.wire;
        } else {
            ASSERT_EQ(document["messages"].size(), 1U) << c.wire;
            EXPECT_EQ(document["messages"][0]["text"], "Invalid Wire Size") << c.wire;
            EXPECT_FALSE(document.contains("electrical")) << c.wire;
        }
    }
}

} // namespace
} // namespace korvane::test
