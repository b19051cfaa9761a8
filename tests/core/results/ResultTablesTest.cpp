#include "results/ResultTables.h"

#include "catalog/CoreCatalog.h"
#include "format/Messages.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvane {
namespace {

CoreRecord toroid(const char* partNumber, float price, float Aw, float OD, float ID, float Ht) {
    CoreRecord core;
    core.partNumber = partNumber;
    core.shape = CoreShape::Toroid;
    core.price = price;
    core.Aw = Aw;
    core.OD = OD;
    core.ID = ID;
    core.Ht = Ht;
    core.le = 5.14F;
    return core;
}

WireRecord awg(float gauge, float areaCmil, float maxOverall) {
    WireRecord w;
    w.system = WireSystem::Awg;
    w.systemName = " AWG";
    w.size = gauge;
    w.areaCmil = areaCmil;
    w.maxOverallDiameter = maxOverall;
    return w;
}

DesignCandidate design(float turns, int strands, const WireRecord& wire) {
    DesignCandidate c;
    c.partNumber = "T80-275";
    c.al = 38.0F;
    c.ae = 0.242F;
    c.turns = turns;
    c.strands = strands;
    c.wire = wire;
    c.rdc = 0.0345F;
    c.rac = 0.0567F;
    c.acFlux = 123.4F;
    c.percentPerm = 78.3F;
    c.coreLoss = 1234.0F;
    c.copperLoss = 567.8F;
    c.tempRise = 38.46F;
    c.woundOD = 0.912F;
    c.hole = 0.301F;
    c.woundHeight = 0.367F;
    c.build = 0.1F;
    return c;
}

std::vector<std::string> row(const TextGrid& grid, int r, int columns) {
    std::vector<std::string> cells;
    for (int k = 0; k < columns; ++k) {
        cells.push_back(grid.cell(r, k));
    }
    return cells;
}

bool rowEmpty(const TextGrid& grid, int r) {
    for (int k = 0; k < TextGrid::kCells; ++k) {
        if (!grid.cell(r, k).empty()) {
            return false;
        }
    }
    return true;
}

using Cells = std::vector<std::string>;
constexpr auto kNoBobbin = std::nullopt;

TEST(TextGrid, CutsCellsAndIgnoresPositionsOutside) {
    TextGrid grid;
    EXPECT_TRUE(grid.setCell(119, 15, std::string(40, 'x')));
    EXPECT_EQ(grid.cell(119, 15), std::string(31, 'x'));
    EXPECT_FALSE(grid.setCell(120, 0, "a"));
    EXPECT_FALSE(grid.setCell(0, 16, "a"));
    EXPECT_FALSE(grid.setCell(-1, 0, "a"));
    EXPECT_EQ(grid.cell(-1, 0), "");
    grid.clear();
    EXPECT_EQ(grid.cell(119, 15), "");
}

TEST(ResultTables, ThreeDesignsAndTheEndOfCatalogRow) {
    ResultTables tables;
    tables.prepareTables(1.0F, UnitSystem::English);
    const auto app = Application::DcBiased;
    const auto units = UnitSystem::English;

    ASSERT_TRUE(tables.writeRow(0, toroid("T80-275", 0.35F, 61.0F, 0.795F, 0.495F, 0.25F),
                                design(52.0F, 1, awg(22.0F, 640.0F, 0.0281F)), 1.0F, app, units,
                                kNoBobbin));
    ASSERT_TRUE(tables.writeRow(1, toroid("T94-26", -1.0F, 80.0F, 0.942F, 0.56F, 0.312F),
                                design(60.0F, 3, awg(30.0F, 100.5F, 0.0114F)), 1.0F, app, units,
                                kNoBobbin));
    ASSERT_TRUE(tables.writeRow(2, toroid("T106-26", 0.8F, 97.0F, 1.06F, 0.57F, 0.437F),
                                design(8.0F, 1, awg(0.0F, 105600.0F, 0.337F)), 1.0F, app, units,
                                kNoBobbin));
    // the search names its core record and writes it with whatever the slot still holds
    CoreRecord end = toroid("END OF CATALOG", 0.5F, 10.0F, 1.0F, 0.5F, 0.3F);
    ASSERT_TRUE(tables.writeRow(3, end, design(9.0F, 1, awg(20.0F, 1024.0F, 0.0346F)), 1.0F, app,
                                units, kNoBobbin));

    const TextGrid& e = tables.grid(ResultGrid::Electrical);
    // fill 640 x 52 x 1 x 0.1 / 61 = 54.56; rdc 0.0345 -> 34.5 m; losses 1.234 W, 0.5678 W
    EXPECT_EQ(row(e, 0, 12), (Cells{"T80-275", "  0.35", "    38", "  52", "# 22", "  54.6",
                                    "34.5 m", " 123.4", "  78.3", "  1.23", "  0.57", "  38.5"}));
    // no price row; fill 100.5 x 60 x 3 x 0.1 / 80 = 22.61
    EXPECT_EQ(row(e, 1, 6), (Cells{"T94-26", "", "    38", "  60", "  3 x # 30", "  22.6"}));
    // AWG 1/0; fill 105600 x 8 x 0.1 / 97 = 870.93
    EXPECT_EQ(row(e, 2, 6), (Cells{"T106-26", "  0.80", "    38", "   8", "# 0", " 870.9"}));

    const TextGrid& d = tables.grid(ResultGrid::ToroidDimension);
    EXPECT_EQ(row(d, 0, 12), (Cells{"T80-275", " 0.795", " 0.495", " 0.250", "  0.24", "  5.14",
                                    "    52", "# 22", " 0.028", " 0.912", " 0.301", " 0.367"}));
    EXPECT_EQ(row(d, 2, 4), (Cells{"T106-26", " 1.060", " 0.570", " 0.437"}));

    for (ResultGrid g :
         {ResultGrid::Electrical, ResultGrid::ToroidDimension, ResultGrid::ECoreDimension}) {
        const TextGrid& grid = tables.grid(g);
        EXPECT_EQ(grid.cell(3, 0), "END OF CATALOG");
        for (int k = 1; k < TextGrid::kCells; ++k) {
            EXPECT_EQ(grid.cell(3, k), "") << k;
        }
        EXPECT_TRUE(rowEmpty(grid, 4));
    }
    // toroid rows leave the E-core page alone
    EXPECT_TRUE(rowEmpty(tables.grid(ResultGrid::ECoreDimension), 0));

    // the next search starts from empty grids
    tables.prepareTables(1.0F, UnitSystem::English);
    EXPECT_TRUE(rowEmpty(e, 0));
    EXPECT_TRUE(rowEmpty(d, 2));
    EXPECT_FALSE(tables.writeRow(120, end, design(9.0F, 1, awg(20.0F, 1024.0F, 0.0346F)), 1.0F, app,
                                 units, kNoBobbin));
}

TEST(ResultTables, StackedCores) {
    ResultTables tables;
    tables.prepareTables(2.0F, UnitSystem::English);
    tables.writeRow(0, toroid("T80-275", 0.35F, 61.0F, 0.795F, 0.495F, 0.5F),
                    design(37.0F, 1, awg(22.0F, 640.0F, 0.0281F)), 2.0F, Application::DcBiased,
                    UnitSystem::English, kNoBobbin);
    tables.writeRow(1, toroid("END OF CATALOG", 0, 0, 0, 0, 0), DesignCandidate{}, 2.0F,
                    Application::DcBiased, UnitSystem::English, kNoBobbin);
    EXPECT_EQ(tables.grid(ResultGrid::Electrical).cell(0, 0), "T80-275 x2");
    EXPECT_EQ(tables.grid(ResultGrid::ToroidDimension).cell(0, 0), "T80-275 x2");
    EXPECT_EQ(tables.grid(ResultGrid::Electrical).cell(1, 0), "END OF CATALOG");
    // the stacked heading comes from the count given to prepareTables
    EXPECT_EQ(tables.headingPage(ResultGrid::ToroidDimension, Application::DcBiased, " AWG")
                  .lines[1][0]
                  .text,
              " ( # Stacked ) ");
}

TEST(ResultTables, ResonantShowsRacAndBac) {
    const auto core = toroid("T80-26", 0.35F, 61.0F, 0.795F, 0.495F, 0.25F);
    DesignCandidate c = design(20.0F, 4, awg(36.0F, 25.0F, 0.0063F));
    c.rdc = 0.0123F;
    c.rac = 0.0567F;
    c.acFlux = 45.6F;
    c.percentPerm = 100.0F;

    ResultTables tables;
    tables.prepareTables(1.0F, UnitSystem::English);
    tables.writeRow(0, core, c, 1.0F, Application::Resonant, UnitSystem::English, kNoBobbin);
    tables.writeRow(1, core, c, 1.0F, Application::DcBiased, UnitSystem::English, kNoBobbin);
    const TextGrid& e = tables.grid(ResultGrid::Electrical);
    // Rdc 12.3 m, Rac 56.7 m (log10 0.0567 = -1.25 -> milli, one decimal), Bac 45.6
    EXPECT_EQ(row(e, 0, 9)[6], "12.3 m");
    EXPECT_EQ(row(e, 0, 9)[7], "56.7 m");
    EXPECT_EQ(row(e, 0, 9)[8], "  45.6");
    EXPECT_EQ(row(e, 1, 9)[7], "  45.6");
    EXPECT_EQ(row(e, 1, 9)[8], " 100.0");
    EXPECT_EQ(row(e, 0, 5)[4], "  4 x # 36");
}

TEST(ResultTables, LengthsFollowTheUnitSystem) {
    const auto core = toroid("T106-26", 0.8F, 97.0F, 1.06F, 0.57F, 0.437F);
    const auto c = design(8.0F, 1, awg(-3.0F, 211600.0F, 0.476F));
    ResultTables tables;
    tables.prepareTables(1.0F, UnitSystem::Metric);
    tables.writeRow(0, core, c, 1.0F, Application::DcBiased, UnitSystem::Metric, kNoBobbin);
    tables.writeRow(1, core, c, 1.0F, Application::DcBiased, UnitSystem::English, kNoBobbin);
    const TextGrid& d = tables.grid(ResultGrid::ToroidDimension);
    // 1.06 x 25.4 = 26.924; 0.57 x 25.4 = 14.478; wire 0.476 x 25.4 = 12.0904
    EXPECT_EQ(row(d, 0, 9), (Cells{"T106-26", " 26.92", " 14.48", " 11.10", "  0.24", "  5.14",
                                   "     8", "# 0000", " 12.09"}));
    EXPECT_EQ(d.cell(1, 1), " 1.060");
    EXPECT_EQ(tables.headingPage(ResultGrid::ToroidDimension, Application::DcBiased, " AWG")
                  .lines[2][1]
                  .text,
              "mm ");
}

TEST(ResultTables, ECorePageWithTheCatalogBobbin) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    CoreRecord core;
    ASSERT_EQ(catalog.lookupPartNumber(core, "E125-226"), 1);
    ASSERT_EQ(core.shape, CoreShape::ECore);
    BobbinRecord bobbin;
    ASSERT_EQ(catalog.get_Bobbin_data(bobbin, "E125-226", 1), 1);
    // worked out in the bobbin tests: innerHeight 0.440, flangeHeight 0.865
    ASSERT_NEAR(bobbin.innerHeight, 0.44, 1e-6);
    ASSERT_NEAR(bobbin.flangeHeight, 0.865, 1e-6);

    DesignCandidate c = design(40.0F, 1, awg(20.0F, 1024.0F, 0.0346F));
    c.ae = core.Ae;
    c.build = 0.1F;

    ResultTables tables;
    tables.prepareTables(1.0F, UnitSystem::English);
    tables.writeRow(0, core, c, 1.0F, Application::DcBiased, UnitSystem::English, bobbin);
    tables.writeRow(1, core, c, 1.0F, Application::DcBiased, UnitSystem::Metric, bobbin);
    tables.writeRow(2, core, c, 1.0F, Application::DcBiased, UnitSystem::English, kNoBobbin);
    const TextGrid& x = tables.grid(ResultGrid::ECoreDimension);
    // size 125: A 1.25, B 0.555, C 0.366, D 0.724, E 0.36, F 0.9, le 6.899, Ae 0.8052;
    // height 2 x 0.1 + 0.44 = 0.640
    EXPECT_EQ(row(x, 0, 15), (Cells{"E125-226", " 1.250", " 0.555", " 0.366", " 0.724", " 0.360",
                                    " 0.900", "  0.81", "  6.90", "    40", "# 20", " 0.035",
                                    " 0.100", " 0.640", " 0.865"}));
    // metric: build 2.54, height 0.64 x 25.4 = 16.256, flange 0.865 x 25.4 = 21.971
    EXPECT_EQ(row(x, 1, 15)[12], "  2.54");
    EXPECT_EQ(row(x, 1, 15)[13], " 16.26");
    EXPECT_EQ(row(x, 1, 15)[14], " 21.97");
    // without a bobbin the wound height and flange are unknown
    EXPECT_EQ(row(x, 2, 15)[13], "");
    EXPECT_EQ(row(x, 2, 15)[14], "");
    EXPECT_TRUE(rowEmpty(tables.grid(ResultGrid::ToroidDimension), 0));
    EXPECT_EQ(tables.grid(ResultGrid::Electrical).cell(0, 0), "E125-226");
    EXPECT_TRUE(sink.empty());
}

} // namespace
} // namespace korvane
