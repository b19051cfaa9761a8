#include "RunKorvane.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace korvane::test {
namespace {

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

} // namespace
} // namespace korvane::test
