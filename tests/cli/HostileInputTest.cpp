// Input a careless or hostile user might give: every command answers with the system's
// message and exit status, never an abort, a blocked read, an invalid JSON document or a
// number that is not one.
#include "RunKorvane.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace korvane::test {
namespace {

using nlohmann::json;

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

} // namespace
} // namespace korvane::test
