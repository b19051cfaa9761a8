#include "RunKorvane.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

TEST(ParamsCommand, PrintsTheParametersTextAfterASettingsFile) {
    const RunResult r = runKorvane({"params", "--app", "60hz"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "    Units: ENG, Wire: AWG, \n"
                     "    Params: Trise_lim: 40, Cudens: 150 cm/Amp, Fill%: 40, Min%mu: 40, "
                     "LeadL: 0.25in, \n"
                     "            Rho_f: 1, Trise_ex: 0.833, Trise_f: 1\n");

    const std::filesystem::path settings =
        std::filesystem::temp_directory_path() / "korvane-cli-params.log";
    {
        std::ofstream out(settings);
        out << "DC BIASED \n     Units: MET, Wire: METRIC, \n    Params: Trise_lim: 40, I_dens: "
               "987 A/sqcm, Fill%: 40, Min%mu: 40, LeadL: 0.25in, \n            Rho_f: 1, "
               "Trise_ex: 0.833, Trise_f: 1\n \n";
    }
    const RunResult m = runKorvane({"params", "--settings", settings.string(), "--format", "json"});
    std::filesystem::remove(settings);
    ASSERT_EQ(m.exitCode, 0) << m.err;
    const auto j = nlohmann::json::parse(m.out);
    EXPECT_EQ(j["unitSystem"], "MET");
    EXPECT_EQ(j["wireSystem"], "METRIC");
    EXPECT_DOUBLE_EQ(j["parameters"]["Cudens"].get<double>(), 200.0); // 197400 / 987

    EXPECT_EQ(runKorvane({"params", "--settings", "/no/such/file.log"}).exitCode, 2);
}

TEST(ParamsCommand, SettingsFilesThatAreNotOnesAreRefusedAtOnce) {
    const fs::path dir =
        fs::temp_directory_path() / ("korvane-hostile-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A FIFO with no writer, or a kernel file, would block a plain read forever.
    for (const std::string& path : {fifo.string(), std::string("/proc/self/status")}) {
        const RunResult r = runKorvane({"params", "--settings", path});
        EXPECT_EQ(r.exitCode, 2) << path;
        EXPECT_NE(r.err.find("not a readable settings file"), std::string::npos) << r.err;
    }
    fs::remove_all(dir);
}

TEST(ParamsCommand, WritesTheSettingsFileAsTheProgramCloses) {
    const fs::path dir =
        fs::temp_directory_path() / ("korvane-params-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const RunResult written =
        runKorvane({"params", "--app", "60hz", "--units", "metric", "--wire-standard", "metric",
                    "--param", "Cudens=300", "--write", "KorvaneParams.log"},
                   dir);
    EXPECT_EQ(written.exitCode, 0) << written.err;
    ASSERT_TRUE(fs::exists(dir / "KorvaneParams.log"));
    const RunResult read = runKorvane(
        {"params", "--app", "60hz", "--settings", "KorvaneParams.log", "--format", "json"}, dir);
    EXPECT_EQ(read.exitCode, 0) << read.err;
    const json document = json::parse(read.out);
    EXPECT_EQ(document["unitSystem"], "MET");
    EXPECT_EQ(document["wireSystem"], "METRIC");
    EXPECT_NEAR(document["parameters"]["Cudens"].get<double>(), 300.0, 0.01);

    const RunResult unwritable =
        runKorvane({"params", "--write", (dir / "no" / "such" / "KorvaneParams.log").string()});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("could not be written"), std::string::npos);
    fs::remove_all(dir);
}

} // namespace
} // namespace korvane::test
