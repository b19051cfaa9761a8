// Input a careless or hostile user might give: every command answers with the system's
// message and exit status, never an abort, a blocked read, an invalid JSON document or a
// number that is not one.
#include "RunKorvane.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::vector<std::string> kAnalysisConditions = {"--V1", "12", "--V2", "5", "--f", "100"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(HostileInput, TextThatIsNotUtf8StillGivesValidJson) {
    const std::vector<std::vector<std::string>> runs = {
        {"requirement", "--L1", "1234567890\xc3\xa9", "--format", "json"},
        {"requirement", "--L1", "\xff", "--format", "json"},
        {"analyze", "--part", "T80-275\xff", "--format", "json"},
        {"catalog", "--part", "T80-\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", "--format",
         "json"},
        {"requirement", "--L1", "100", "--I1", "10", "--V1", "12", "--V2", "5", "--f", "100",
         "--save", "dir\xff/x", "--format", "json"},
    };
    for (const auto& args : runs) {
        const RunResult r = runKorvane(args);
        EXPECT_EQ(r.exitCode, 1) << args[2] << r.err;
        json document;
        ASSERT_NO_THROW(document = json::parse(r.out)) << args[2];
        ASSERT_FALSE(document["messages"].empty()) << args[2];
        // What is not UTF-8 is replaced, the rest of the text kept.
        const std::string text = document["messages"].back()["text"];
        EXPECT_EQ(text.find('\xff'), std::string::npos);
    }
    const RunResult cut =
        runKorvane({"requirement", "--L1", "1234567890\xc3\xa9", "--format", "json"});
    const std::string text = json::parse(cut.out)["messages"][0]["text"];
    // Read back at 11 bytes, the field ends inside the two-byte letter: shown as U+FFFD.
    EXPECT_EQ(text, "INVALID CHARACTER in Parameter 0.  1234567890\xef\xbf\xbd ");
}

TEST(HostileInput, AnalysisBeyondWhatThePagesCanShowIsRefused) {
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

TEST(HostileInput, WireTextsThatGiveNoSizeAreRefused) {
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

TEST(HostileInput, ADesignTheSearchFoundCanBeAnalysed) {
    // So little current asks for a wire finer than AWG 50: the search takes AWG 50.
    const RunResult r =
        runKorvane({"design", "--app", "dc-biased", "--L1", "100000", "--I1", "0.001", "--V1", "12",
                    "--V2", "5", "--f", "100", "--analyze", "1", "--format", "json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const json document = json::parse(r.out);
    EXPECT_TRUE(document["messages"].empty()) << r.out;
    EXPECT_LE(document["candidate"]["wire"]["size"].get<double>(), 50.0);
}

TEST(HostileInput, OptionsThatReadAsNothingAreUsageErrors) {
    const std::vector<std::string> design = {"design", "--L1", "100", "--I1", "10", "--V1",
                                             "12",     "--V2", "5",   "--f",  "100"};
    for (const char* k : {"", "x", "1.5", "1 "}) {
        const RunResult r = runKorvane(with(design, {"--analyze", k}));
        EXPECT_EQ(r.exitCode, 2) << '"' << k << '"';
        EXPECT_EQ(r.out, "");
    }
    const RunResult bogus = runKorvane({"curve", "--kind", "1", "--materials", "bogus"});
    EXPECT_EQ(bogus.exitCode, 2);
    EXPECT_NE(bogus.err.find("-bogus"), std::string::npos);
    EXPECT_EQ(bogus.out, "");
}

TEST(HostileInput, ARangeMessageShowsTheFieldAsTyped) {
    const RunResult r = runKorvane({"design", "--L1", "100", "--I1", "10", "--V1", "12", "--V2",
                                    "5", "--f", "100", "--param", "Trise_lim="});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Parameter 1. (      ) Must Be In The Range:   0.00 To 200.00"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("nan"), std::string::npos);
}

TEST(HostileInput, DerivedResonantFrequencyIsNotCutToElevenCharacters) {
    const RunResult r = runKorvane({"requirement", "--app", "resonant", "--L1", "0.1", "--I1",
                                    "0.000001", "--V1", "99999999999", "--format", "json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // 159.155 / 0.1 x 1e11 / 1e-6 = 1.59155e20 kHz
    EXPECT_NEAR(json::parse(r.out)["resonantFrequency"].get<double>() / 1.59155e20, 1.0, 1e-5);
}

TEST(HostileInput, SettingsFilesThatAreNotOnesAreRefusedAtOnce) {
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
