#include "RunKorvane.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kDcChoke = {"--L1", "100",  "--Rs", "0",   "--I1", "10",   "--V1",
                                           "12",   "--V2", "5",    "--f", "100",  "--ta", "25"};
const std::vector<std::string> kPfcBoost = {"--app", "pfc-boost", "--L1", "400", "--Rs", "0",
                                            "--I1",  "6",         "--V1", "375", "--V2", "400",
                                            "--f",   "65",        "--ta", "25"};

// A DC BIASED entry as FILES, SAVE REQUIREMENT TO FILE writes it with two mixes selected,
// the metric unit system and a 30 C temperature-rise limit.
const char* const kHandSaved =
    "    List of Requirements for Various Inductor Designs\n"
    "    Produced by KORVANE Power Inductor Design Program       Tue Dec  8 01:05:09 2026\n"
    "\n\n\n"
    "Tue Dec  8 01:05:09 2026 \n"
    "DC BIASED, L1: 100.0 uH, Rs: 0, I1: 10.00 A, Von: 12, Voff: 5, f: 100 k, Ta: 25 C \n"
    "    Shape: T, Stack: 1, Windg: Full, Strands: 1 \n"
    "    Materials: 226, 240, \n"
    "    Units: MET, Wire: AWG, \n"
    "    Params: Trise_lim: 30, Cudens: 1316 cm/Amp, Fill%: 40, Min%mu: 40, LeadL: 0.25in, \n"
    "            Rho_f: 1, Trise_ex: 0.833, Trise_f: 1\n"
    " \n";

class RequirementFileCommand : public ::testing::Test {
  protected:
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("korvane-cli-reqfile-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    RunResult run(const std::vector<std::string>& args) const { return runKorvane(args, dir); }

    void write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
};

TEST_F(RequirementFileCommand, DesignsTheChosenEntryAsIfTyped) {
    ASSERT_EQ(run(with({"requirement", "--save", "two.REQ"}, kDcChoke)).exitCode, 0);
    ASSERT_EQ(run(with({"requirement", "--save", "two.REQ"}, kPfcBoost)).exitCode, 0);

    const RunResult first = run({"design", "--requirement-file", "two.REQ", "--entry", "1"});
    const RunResult typed = run(with({"design"}, kDcChoke));
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(withoutDateLine(first.out), withoutDateLine(typed.out));
    EXPECT_EQ(first.err, typed.err);

    // Without --entry: the last entry.
    const RunResult last = run({"design", "--requirement-file", "two.REQ", "--format", "csv"});
    const RunResult typedLast = run(with({"design", "--format", "csv"}, kPfcBoost));
    ASSERT_EQ(last.exitCode, 0) << last.err;
    EXPECT_EQ(last.out, typedLast.out);
}

TEST_F(RequirementFileCommand, SavedMaterialsAndParametersApplyAndOptionsComeAfterThem) {
    write("hand.REQ", kHandSaved);
    const std::vector<std::string> typed =
        with({"design", "--materials", "-226,-240", "--units", "metric"}, kDcChoke);

    const RunResult fromFile = run({"design", "--requirement-file", "hand.REQ"});
    const RunResult asTyped = run(with(typed, {"--param", "Trise_lim=30"}));
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    EXPECT_EQ(withoutDateLine(fromFile.out), withoutDateLine(asTyped.out));

    const RunResult overridden =
        run({"design", "--requirement-file", "hand.REQ", "--param", "Trise_lim=60"});
    const RunResult overriddenTyped = run(with(typed, {"--param", "Trise_lim=60"}));
    ASSERT_EQ(overridden.exitCode, 0) << overridden.err;
    EXPECT_EQ(withoutDateLine(overridden.out), withoutDateLine(overriddenTyped.out));
    EXPECT_NE(withoutDateLine(overridden.out), withoutDateLine(fromFile.out));
}

TEST_F(RequirementFileCommand, RefusedFileOrEntryExitsOneWithTheMessage) {
    write("hand.REQ", kHandSaved);
    std::string garbled = kHandSaved;
    garbled.replace(garbled.find("Windg: Full"), 11, "Windg: Half");
    write("garbled.REQ", garbled);
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"--requirement-file", "missing.REQ"},
         "REQUIREMENT FILE ERROR: Unable to read the requirement file missing.REQ.\n"},
        {{"--requirement-file", "garbled.REQ"},
         "REQUIREMENT FILE ERROR: LINE 8: expected a winding (Full, Singl) at column 32\n"},
        {{"--requirement-file", "hand.REQ", "--entry", "2"},
         "REQUIREMENT FILE ERROR: ENTRY 2: the file holds 1 entry\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = run(with({"design"}, c.args));
        EXPECT_EQ(r.exitCode, 1) << c.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
    const RunResult json = run({"design", "--requirement-file", "missing.REQ", "--format", "json"});
    EXPECT_EQ(json.exitCode, 1);
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_FALSE(j["accepted"].get<bool>());
    EXPECT_EQ(j["messages"][0]["caption"], "REQUIREMENT FILE ERROR");

    // The file stands for the whole requirement: requirement options beside it are a usage
    // error, as is --entry without a file.
    EXPECT_EQ(run({"design", "--requirement-file", "hand.REQ", "--L1", "50"}).exitCode, 2);
    EXPECT_EQ(run({"design", "--entry", "1"}).exitCode, 2);
}

TEST_F(RequirementFileCommand, ListsTheEntriesAsTextAndJson) {
    write("hand.REQ", std::string(kHandSaved) + "\nWed Dec  9 10:00:00 2026 \n \n");
    const RunResult text = run({"requirement", "--list-file", "hand.REQ"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out,
              "  1  Tue Dec  8 01:05:09 2026  dc-biased         DC BIASED, L1: 100.0 uH, Rs: 0, "
              "I1: 10.00 A, Von: 12, Voff: 5, f: 100 k, Ta: 25 C\n"
              "  2  Wed Dec  9 10:00:00 2026  -                 no requirement entered\n");

    const RunResult json = run({"requirement", "--list-file", "hand.REQ", "--format", "json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto j = nlohmann::json::parse(json.out);
    ASSERT_EQ(j["entries"].size(), 2U);
    EXPECT_EQ(j["entries"][0]["entry"], 1);
    EXPECT_EQ(j["entries"][0]["application"], "dc-biased");
    EXPECT_TRUE(j["entries"][0]["loadable"].get<bool>());
    EXPECT_TRUE(j["entries"][1]["application"].is_null());
    EXPECT_FALSE(j["entries"][1]["loadable"].get<bool>());

    const RunResult missing = run({"requirement", "--list-file", "missing.REQ"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err,
              "REQUIREMENT FILE ERROR: Unable to read the requirement file missing.REQ.\n");
    EXPECT_EQ(run({"requirement", "--list-file", "hand.REQ", "--L1", "100"}).exitCode, 2);
}

} // namespace
} // namespace korvane::test
