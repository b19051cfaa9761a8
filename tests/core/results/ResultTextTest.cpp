#include "results/ResultText.h"

#include "results/ResultPageState.h"
#include "results/ResultTables.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace korvane {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

TEST(ResultText, SmallPage) {
    // 20 characters: columns 0.5, 0.25, 0.25 -> bounds 0, 10, 15, 20
    HeadingPage page;
    page.columnWidths = {0.5, 0.25, 0.25};
    page.lines.push_back({{0.5, "Part", 0.0, 1}, {0.5, "Group", 0.8, 2}});
    page.lines.push_back({{0.5, "", 0.0, 1}, {0.25, "A", 0.0, 1}, {0.25, "B", 0.0, 1}});
    TextGrid grid;
    const char* cells[][3] = {
        {"T1", "1.5", "22"}, {"T2", "10.25", "3"}, {"LONGPARTNUMBER", "1.5", "22"}};
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 3; ++k) {
            grid.setCell(r, k, cells[r][k]);
        }
    }
    const std::vector<std::string> expected = {
        "   Part     Group",    // "Part" at (10 - 4) / 2 = 3; "Group" at 10 + (10 - 5) / 2 = 12
        "           --------",  // 0.8 x 10 = 8 dashes at 10 + 1
        "            A    B",   // "A" at 10 + 2, "B" at 15 + 2
        "T1          1.5   22", // right-aligned to 15 and 20
        "T2        10.25    3",
        "LONGPARTNUMBER 1.5 22", // moved right to keep a blank after the text before
    };
    EXPECT_EQ(lines(renderGridText(page, grid, 0, 3, 20)), expected);
    // a window of rows
    EXPECT_EQ(lines(renderGridText(page, grid, 1, 1, 20)).back(), "T2        10.25    3");
    EXPECT_EQ(lines(renderGridText(page, grid, 1, 1, 20)).size(), 4U);
}

TEST(ResultText, PageOfARun) {
    ResultTables tables;
    tables.prepareTables(1.0F, UnitSystem::English);
    CoreRecord core;
    core.partNumber = "T80-275";
    core.OD = 0.795F;
    DesignCandidate c;
    c.turns = 52.0F;
    tables.writeRow(0, core, c, 1.0F, Application::DcBiased, UnitSystem::English, std::nullopt);
    core.partNumber = "END OF CATALOG";
    tables.writeRow(1, core, c, 1.0F, Application::DcBiased, UnitSystem::English, std::nullopt);

    ResultPageState state("");
    state.beginRun(Application::DcBiased);
    state.finishRun(CoreShape::Toroid, " AWG", 2, 1.0F, 0.0F, 0.0F);
    state.showDimensions();
    const std::vector<std::string> text = lines(renderPageText(tables, state));
    // group line, its underline, two more heading lines, two rows
    ASSERT_EQ(text.size(), 6U);
    // 160 x 0.142 = 22.7 -> first column 23 wide: "Core Part Number" at (23 - 16) / 2 = 3
    EXPECT_EQ(text[0].substr(0, 19), "   Core Part Number");
    EXPECT_NE(text[1].find("---"), std::string::npos);
    EXPECT_EQ(text[4].substr(0, 7), "T80-275");
    // OD column ends at round(160 x 0.219) = 35
    EXPECT_EQ(text[4].substr(29, 6), " 0.795");
    EXPECT_EQ(text[5], "END OF CATALOG");
}

} // namespace
} // namespace korvane
