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

} // namespace
} // namespace korvane::test
