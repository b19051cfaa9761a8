#include "RunKorvane.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace korvane::test {
namespace {

using nlohmann::json;

TEST(RequirementCommand, PrintsTextLinesAndRipple) {
    const RunResult r = runKorvane({"requirement", "--app", "dc-biased", "--L1", "100", "--I1",
                                    "10", "--V1", "12", "--V2", "5", "--f", "100", "--ta", "55"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // ripple = 2*12*5/17 / 100 kHz / 100 uH * 500 = 0.353 A p-p
    EXPECT_EQ(r.out,
              "DC BIASED, L1: 100.0 uH, Rs: 0, I1: 10.00 A, Von: 12, Voff: 5, f: 100 k, Ta: 55 C \n"
              "    Shape: T, Stack: 1, Windg: Full, Strands: 1 \n"
              "RIPPLE CURRENT:   0.353 Amperes  p-p\n");
    EXPECT_EQ(r.err, "");
}

TEST(RequirementCommand, RefusedInputPrintsTheMessageAndExitsOne) {
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    const Case cases[] = {
        {{"requirement", "--L1", "12a", "--I1", "10"},
         "DATA ENTRY ERROR: INVALID CHARACTER in Parameter 0.  12a \n"},
        {{"requirement", "--L1", "100", "--I1", "10", "--stack", "0"},
         "DATA ENTRY ERROR: ERROR: STACKED CORES and MIN WIRE STRANDS MUST BE GREATER THAN "
         "ZERO\n"},
        {{"requirement", "--app", "wide-swing", "--L1", "100", "--L2", "50", "--I1", "1", "--I2",
          "2"},
         "DATA ENTRY ERROR: Min Current must be less than Max Current\n"},
        {{"requirement", "--app", "pfc-boost", "--L1", "100", "--I1", "5", "--f", "65"},
         "DATA ENTRY ERROR:  Invalid voltage and/or frequency for PFC Boost Regulator\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = runKorvane(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(RequirementCommand, JsonCarriesTheDerivedValueAndMessages) {
    const RunResult ok = runKorvane({"requirement", "--app", "resonant", "--L1", "10", "--I1", "2",
                                     "--V1", "100", "--f", "5", "--format", "json"});
    ASSERT_EQ(ok.exitCode, 0) << ok.err;
    const auto j = nlohmann::json::parse(ok.out);
    EXPECT_TRUE(j["accepted"].get<bool>());
    // the typed frequency is ignored: 159.155 / 10 uH * 100 V / 2 A = 795.8 kHz
    EXPECT_DOUBLE_EQ(j["resonantFrequency"].get<double>(), 795.8);
    EXPECT_FALSE(j.contains("rippleCurrent"));
    EXPECT_EQ(j["requirement"]["windingType"].get<int>(), 1); // forced SINGLE LAYER
    EXPECT_TRUE(j["messages"].empty());
    EXPECT_NE(j["requirementText"].get<std::string>().find("RESONANT, L1: 10.000 uH"),
              std::string::npos);

    const RunResult refused =
        runKorvane({"requirement", "--L1", "0.05", "--I1", "1", "--format", "json"});
    EXPECT_EQ(refused.exitCode, 1);
    const auto k = nlohmann::json::parse(refused.out);
    EXPECT_FALSE(k["accepted"].get<bool>());
    ASSERT_EQ(k["messages"].size(), 1U);
    EXPECT_EQ(k["messages"][0]["caption"], "DATA ENTRY ERROR");
    EXPECT_EQ(k["messages"][0]["text"],
              "SPECIFIED INDUCTANCE: 50.0 nH is beyond the 100 nano H lower Limit ");
}

TEST(RequirementCommand, UsageErrorsExitTwo) {
    EXPECT_EQ(runKorvane({"requirement", "--bogus"}).exitCode, 2);
    EXPECT_EQ(runKorvane({"requirement", "--app", "boost"}).exitCode, 2);
    EXPECT_EQ(runKorvane({"requirement", "--L1"}).exitCode, 2);
    EXPECT_EQ(runKorvane({}).exitCode, 2);
}

TEST(RequirementCommand, SaveAppendsToTheRequirementFile) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "korvane-cli-save.REQ";
    std::filesystem::remove(file);
    const std::vector<std::string> args = {"requirement", "--L1",   "100",        "--I1", "10",
                                           "--V1",        "12",     "--V2",       "5",    "--f",
                                           "100",         "--save", file.string()};
    ASSERT_EQ(runKorvane(args).exitCode, 0);
    ASSERT_EQ(runKorvane(args).exitCode, 0);
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    const std::string text = s.str();
    std::filesystem::remove(file);
    // one header, two entries, each with the materials line of the full selection
    EXPECT_EQ(text.find("    List of Requirements for Various Inductor Designs\n"), 0U);
    EXPECT_EQ(text.find("List of Requirements", 10), std::string::npos);
    std::size_t entries = 0;
    for (std::size_t at = text.find("DC BIASED, L1: 100.0 uH"); at != std::string::npos;
         at = text.find("DC BIASED, L1: 100.0 uH", at + 1)) {
        ++entries;
    }
    EXPECT_EQ(entries, 2U);
    EXPECT_NE(text.find("    Materials: 104, 106, 109,"), std::string::npos);

    const RunResult unwritable =
        runKorvane({"requirement", "--L1", "100", "--I1", "10", "--save", "/no/such/dir/x.REQ"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("FILE ERROR: "), std::string::npos);
}

TEST(RequirementCommand, DerivedResonantFrequencyIsNotCutToElevenCharacters) {
    const RunResult r = runKorvane({"requirement", "--app", "resonant", "--L1", "0.1", "--I1",
                                    "0.000001", "--V1", "99999999999", "--format", "json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // 159.155 / 0.1 x 1e11 / 1e-6 = 1.59155e20 kHz
    EXPECT_NEAR(json::parse(r.out)["resonantFrequency"].get<double>() / 1.59155e20, 1.0, 1e-5);
}

} // namespace
} // namespace korvane::test
