#include "RunKorvane.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// T80-275, 30 turns of AWG 18 at 5 A, 12 V / 5 V, 100 kHz, 25 C.
const std::vector<std::string> kAnalyze = {
    "analyze", "--part", "T80-275", "--turns", "30",  "--wire", "#18",  "--I1", "5",
    "--V1",    "12",     "--V2",    "5",       "--f", "100",    "--ta", "25"};

class SpiceCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("korvane-spice-cli-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Names in the test's directory: a temporary file left behind would show here.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    fs::path dir_;
};

TEST_F(SpiceCommand, WritesTheModelBesideTheListing) {
    const fs::path file = dir_ / "t80.lib";
    std::ofstream(file) << "an older model\n";
    const RunResult r = runKorvane(with(kAnalyze, {"--spice", file.string()}), dir_);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("ELECTRICAL PROPERTIES:"), std::string::npos);
    const std::string model = fileText(file);
    EXPECT_EQ(model.rfind("* KORVANE_T80_275: ", 0), 0U) << model.substr(0, 200);
    EXPECT_NE(model.find("\n* Core:              T80-275\n* Turns:             30\n"),
              std::string::npos);
    EXPECT_NE(model.find("\n.SUBCKT KORVANE_T80_275 1 2\n"), std::string::npos);
    EXPECT_EQ(model.find("older"), std::string::npos);
    EXPECT_EQ(model.substr(model.size() - 22), ".ENDS KORVANE_T80_275\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"t80.lib"});
}

TEST_F(SpiceCommand, DashPrintsOnlyTheModel) {
    const RunResult r = runKorvane(with(kAnalyze, {"--spice", "-"}), dir_);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("* KORVANE_T80_275: ", 0), 0U) << r.out.substr(0, 200);
    EXPECT_EQ(r.out.find("ELECTRICAL PROPERTIES:"), std::string::npos);
    EXPECT_TRUE(entries().empty());
}

TEST_F(SpiceCommand, UnwritablePathIsRefusedAndLeavesNothing) {
    const fs::path file = dir_ / "missing" / "t80.lib";
    const RunResult r =
        runKorvane(with(kAnalyze, {"--spice", file.string(), "--format", "json"}), dir_);
    EXPECT_EQ(r.exitCode, 1);
    const std::string text = "CANNOT WRITE FILE " + file.string() + ": No such file or directory";
    EXPECT_NE(r.err.find("FILE ERROR: " + text), std::string::npos) << r.err;
    const json out = json::parse(r.out);
    ASSERT_FALSE(out["messages"].empty());
    EXPECT_EQ(out["messages"].back(), (json{{"caption", "FILE ERROR"}, {"text", text}}));
    EXPECT_TRUE(entries().empty());
}

TEST_F(SpiceCommand, NoModelWithoutAnInductanceCurveOrAnAnalysis) {
    const fs::path file = dir_ / "m702.lib";
    const RunResult composite =
        runKorvane({"analyze", "--app", "60hz", "--part", "ST106-M702", "--turns", "50", "--wire",
                    "#18", "--I1", "2", "--f", "60", "--spice", file.string()},
                   dir_);
    EXPECT_EQ(composite.exitCode, 1);
    EXPECT_NE(composite.err.find("SPICE MODEL: NO INDUCTANCE CURVE FOR ST106-M702: NO SPICE MODEL"),
              std::string::npos)
        << composite.err;

    // A refused analysis writes no model either.
    std::vector<std::string> noTurns = kAnalyze;
    noTurns[4] = "0";
    const RunResult refused = runKorvane(with(noTurns, {"--spice", file.string()}), dir_);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.find("SPICE MODEL"), std::string::npos) << refused.err;
    EXPECT_TRUE(entries().empty());
}

} // namespace
} // namespace korvane::test
