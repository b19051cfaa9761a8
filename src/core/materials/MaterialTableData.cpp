#include "materials/MaterialTable.h"

#include <array>

namespace korvane {

namespace {

// Korvane powder mixes from the low-permeability carbonyl irons (-1xx) through the
// hydrogen-reduced power mixes (-2xx) to the high-permeability mixes (-3xx), then the two
// iron-powder/ferrite composite materials. Density rises with permeability: the higher-mu
// mixes are pressed from coarser, less insulated particles.
constexpr std::array<MaterialRecord, 22> kMaterialTable = {{
    {"-104", 4.0F, 5.0F},    {"-106", 6.0F, 5.2F},   {"-109", 9.0F, 5.4F},
    {"-110", 10.0F, 5.5F},   {"-112", 12.0F, 5.6F},  {"-116", 16.0F, 5.8F},
    {"-120", 20.0F, 6.0F},   {"-125", 25.0F, 6.2F},  {"-226", 26.0F, 6.3F},
    {"-233", 33.0F, 6.5F},   {"-235", 35.0F, 6.55F}, {"-240", 40.0F, 6.6F},
    {"-246", 46.0F, 6.7F},   {"-255", 55.0F, 6.8F},  {"-260", 60.0F, 6.85F},
    {"-275", 75.0F, 7.0F},   {"-280", 80.0F, 7.05F}, {"-385", 85.0F, 7.1F},
    {"-390", 90.0F, 7.2F},   {"-300", 100.0F, 7.3F}, {"-M702", 125.0F, 5.4F},
    {"-M714", 160.0F, 5.2F},
}};

} // namespace

std::span<const MaterialRecord> materialTable() {
    return kMaterialTable;
}

const MaterialRecord* findMaterial(std::string_view code) {
    for (const MaterialRecord& row : kMaterialTable) {
        if (row.code == code) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace korvane
