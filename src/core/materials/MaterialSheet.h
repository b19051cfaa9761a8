#pragma once

#include "materials/AgingTable.h"
#include "materials/MaterialCoefficients.h"
#include "materials/MaterialLists.h"
#include "materials/MaterialTable.h"

#include <optional>
#include <string_view>
#include <vector>

namespace korvane {

// Everything built in about one material: its table row, its product text, every coefficient
// row it has and the maker's lists it belongs to. Rows a material lacks are empty.
struct MaterialSheet {
    MaterialRecord record;
    std::optional<SelectableMaterial> selection; // empty: not offered in the material selection
    std::optional<AcMagRow> acMag;
    std::optional<AcLimitRow> acLimit;
    std::optional<DcBiasRow> dcBias;
    std::optional<CompositeDcBiasRow> compositeDcBias;
    std::optional<InitialPermRow> initialPerm;
    std::optional<FrequencyRow> frequency;
    std::optional<CoreLossRow> coreLoss;
    std::optional<AgingRow> aging;
    std::optional<CompositeMaterial> composite;
    std::optional<BiasSearchRow> biasSearch;
    bool discontinued = false;
    bool negligibleAging = false;
    bool highFlux = false;
    bool line60HzFullPerm = false;
    bool resonant = false;
    bool lowDcBiasRange = false;
    bool acGraph6000Gauss = false;
};

// Sheet of the material of exactly `code`, or none when the material table lacks it.
std::optional<MaterialSheet> materialSheet(std::string_view code);

// Sheets of all 22 materials in material-table order.
std::vector<MaterialSheet> allMaterialSheets();

} // namespace korvane
