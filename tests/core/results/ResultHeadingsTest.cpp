#include "results/ResultHeadings.h"

#include <gtest/gtest.h>
#include <numeric>

namespace korvane {
namespace {

std::vector<std::string> texts(const HeadingLine& line) {
    std::vector<std::string> t;
    for (const auto& cell : line) {
        t.push_back(cell.text);
    }
    return t;
}

// Every line covers all columns, and a cell is as wide as the columns it spans.
void expectLinesCoverColumns(const HeadingPage& page) {
    ASSERT_LE(page.lines.size(), HeadingPage::kMaxLines);
    for (const auto& line : page.lines) {
        std::size_t column = 0;
        for (const auto& cell : line) {
            ASSERT_GE(cell.columns, 1);
            double width = 0.0;
            for (int k = 0; k < cell.columns; ++k) {
                ASSERT_LT(column, page.columnWidths.size());
                width += page.columnWidths[column++];
            }
            EXPECT_NEAR(cell.width, width, 1e-12) << cell.text;
        }
        EXPECT_EQ(column, page.columnWidths.size());
    }
}

HeadingOptions options(Application a, float stack, const char* wireName, UnitSystem units) {
    HeadingOptions o;
    o.application = a;
    o.stackCount = stack;
    o.wireSystemName = wireName;
    o.units = units;
    return o;
}

TEST(ResultHeadings, ElectricalPage) {
    const HeadingPage page = buildHeadingPage(
        ResultGrid::Electrical, options(Application::DcBiased, 1.0F, " AWG", UnitSystem::English));
    EXPECT_EQ(page.caption, "ELECTRICAL PROPERTIES DATA");
    ASSERT_EQ(page.columnWidths.size(), 12U);
    EXPECT_DOUBLE_EQ(page.columnWidths[0], 0.154);
    EXPECT_DOUBLE_EQ(page.columnWidths[11], 0.077);
    // 0.154 + 11 x 0.077 = 1.001
    EXPECT_NEAR(std::accumulate(page.columnWidths.begin(), page.columnWidths.end(), 0.0), 1.001,
                1e-12);
    expectLinesCoverColumns(page);
    ASSERT_EQ(page.lines.size(), 3U);
    EXPECT_EQ(texts(page.lines[0]),
              (std::vector<std::string>{"Core Part Number", "Price", "AL", "Turns", "Wire", "%Fill",
                                        "Rdc", "Bac", "%Perm", "Core", "Copper", "Temp"}));
    EXPECT_EQ(texts(page.lines[1]),
              (std::vector<std::string>{"", "", "nH", "", " AWG", "", "Ohms", "Gauss", "", "Loss",
                                        "Loss", "Rise"}));
    EXPECT_EQ(texts(page.lines[2]), (std::vector<std::string>{"", "", "", "", "", "", "", "", "",
                                                              "Watts", "Watts", "deg C"}));
}

TEST(ResultHeadings, ResonantStackedMetricVariants) {
    const HeadingPage page = buildHeadingPage(
        ResultGrid::Electrical, options(Application::Resonant, 2.0F, "Metric", UnitSystem::Metric));
    // columns 8 and 9: Rac / Ohms and Bac / Gauss
    EXPECT_EQ(page.lines[0][7].text, "Rac");
    EXPECT_EQ(page.lines[1][7].text, "Ohms");
    EXPECT_EQ(page.lines[0][8].text, "Bac");
    EXPECT_EQ(page.lines[1][8].text, "Gauss");
    EXPECT_EQ(page.lines[1][0].text, " ( # Stacked ) ");
    EXPECT_EQ(page.lines[1][4].text, "Metric");
    EXPECT_EQ(page.lines[2][4].text, "mm");
}

TEST(ResultHeadings, ToroidDimensionPage) {
    const HeadingPage page =
        buildHeadingPage(ResultGrid::ToroidDimension,
                         options(Application::DcBiased, 2.0F, " SWG", UnitSystem::Metric));
    EXPECT_EQ(page.caption, "CORE DIMENSION PROPERTIES DATA");
    ASSERT_EQ(page.columnWidths.size(), 12U);
    EXPECT_DOUBLE_EQ(page.columnWidths[0], 0.142);
    EXPECT_DOUBLE_EQ(page.columnWidths[1], 0.077);
    expectLinesCoverColumns(page);
    ASSERT_EQ(page.lines.size(), 3U);
    const HeadingLine& groups = page.lines[0];
    EXPECT_EQ(texts(groups), (std::vector<std::string>{"Core Part Number", "Core", "Magnetic",
                                                       "Wire", "Wound, Overall"}));
    const int spans[] = {1, 3, 2, 3, 3};
    const double underline[] = {0.0, 0.9, 0.9, 0.9, 0.9};
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].columns, spans[i]);
        EXPECT_DOUBLE_EQ(groups[i].underline, underline[i]);
    }
    EXPECT_NEAR(groups[1].width, 0.231, 1e-12); // 3 x 0.077
    EXPECT_EQ(texts(page.lines[1]),
              (std::vector<std::string>{" ( # Stacked ) ", "OD", "ID", "Height", "Ac", "Lm",
                                        "Turns", " SWG", "Dia", "OD", "ID", "Height"}));
    EXPECT_EQ(texts(page.lines[2]),
              (std::vector<std::string>{"", "mm ", "mm ", "mm ", "sq cm", "cm", "", "", "mm ",
                                        "mm ", "mm ", "mm "}));
}

TEST(ResultHeadings, ECoreDimensionPage) {
    const HeadingPage page =
        buildHeadingPage(ResultGrid::ECoreDimension,
                         options(Application::DcBiased, 1.0F, "Metric", UnitSystem::English));
    ASSERT_EQ(page.columnWidths.size(), 15U);
    EXPECT_EQ(columnCount(ResultGrid::ECoreDimension), 15);
    EXPECT_DOUBLE_EQ(page.columnWidths[0], 0.142);
    EXPECT_DOUBLE_EQ(page.columnWidths[14], 0.061);
    expectLinesCoverColumns(page);
    EXPECT_EQ(page.lines[0][1].columns, 6);
    EXPECT_NEAR(page.lines[0][1].width, 0.366, 1e-12); // 6 x 0.061
    EXPECT_EQ(texts(page.lines[1]),
              (std::vector<std::string>{"", "A", "B", "C", "D", "F", "G", "Ac", "Lm", "Turns",
                                        "Metric", "Dia", "Build", "Height", "Flange"}));
    EXPECT_EQ(texts(page.lines[2]),
              (std::vector<std::string>{"", "in.", "in.", "in.", "in.", "in.", "in.", "sq cm", "cm",
                                        "", "mm", "in.", "in.", "in.", "in."}));
}

} // namespace
} // namespace korvane
