#include "RunKorvane.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace korvane::test {
namespace {

TEST(CatalogCommand, JsonListsEveryListingAsACompleteRecord) {
    const RunResult r = runKorvane({"catalog", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["count"].get<int>(), 536 + 174 + 10);
    int toroids = 0;
    int eCores = 0;
    int composites = 0;
    for (const auto& core : j["cores"]) {
        const std::string shape = core["shape"];
        toroids += shape == "toroid";
        composites += shape == "composite";
        if (shape == "e-core") {
            ++eCores;
            EXPECT_GT(core["bobbin"]["windingWidth"].get<double>(), 0.0) << core["partNumber"];
        }
        EXPECT_GT(core["Ae"].get<double>(), 0.0) << core["partNumber"];
        EXPECT_GT(core["le"].get<double>(), 0.0) << core["partNumber"];
        EXPECT_GT(core["weight"].get<double>(), 0.0) << core["partNumber"];
    }
    EXPECT_EQ(toroids, 536);
    EXPECT_EQ(eCores, 174);
    EXPECT_EQ(composites, 10);
    EXPECT_TRUE(j["messages"].empty());
}

TEST(CatalogCommand, PartLookupAndShapeFilter) {
    const RunResult csv = runKorvane({"catalog", "--shape", "composite", "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0);
    // one header line and ten composite listings
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 11);

    const RunResult missing = runKorvane({"catalog", "--part", "T999-99"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err,
              "KORVANE CATALOG LOOKUP ERROR : Core P/N T999-99 not found in 536 listings\n");
}

TEST(MaterialsCommand, ListsTwentyTwoMaterialsAndTheLists) {
    const RunResult r = runKorvane({"materials", "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["materials"].size(), 22U);
    int selectable = 0;
    for (const auto& m : j["materials"]) {
        selectable += m["selectable"].get<bool>() ? 1 : 0;
    }
    EXPECT_EQ(selectable, 18);
    EXPECT_EQ(j["lists"]["negligibleAging"].size(), 6U);
    EXPECT_EQ(j["lists"]["discontinued"].size(), 2U);
    EXPECT_EQ(j["lists"]["replacements"].size(), 3U);
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

} // namespace
} // namespace korvane::test
