#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace korvane {

// A mix offered in the material selection, with the maker's product text.
struct SelectableMaterial {
    std::string_view code;
    std::string_view description;
};

// A composite (powder iron and ferrite) core material. Its core loss and aging are those of
// the composite base mix with the loss, and the aged volume, scaled by the factors.
struct CompositeMaterial {
    std::string_view code;
    float lossFactor;
    float agingVolumeFactor;
    std::string_view graphSubstring; // how the graphs recognise it
};

// DC-bias turns iteration constants of a mix that departs from the powder defaults.
struct BiasSearchRow {
    std::string_view code;
    float biasSearchMax;   // oersteds
    float biasSearchStart; // oersteds
    float biasSearchStep;  // plain factor
};

// The 18 mixes of the material selection, in selection order (the order of InitialPermTable).
std::span<const SelectableMaterial> selectableMaterials();

// The six mixes whose aging is negligible, in the order the aging notice names them.
std::span<const std::string_view> negligibleAgingMaterials();

// The two high-flux mixes (Mix A, Mix B) with their own law above 7000 gauss.
std::span<const std::string_view> highFluxMaterials();

// Discontinued mixes and the mixes that replace them.
std::span<const std::string_view> discontinuedMaterials();
std::span<const std::string_view> replacementMaterials();

// Graph substrings: the two mixes plotted over the lower DC-bias range, the two plotted to
// 6000 gauss AC, and the three-digit strings that mark the composite materials.
std::span<const std::string_view> lowDcBiasRangeSubstrings();
std::span<const std::string_view> acGraph6000GaussSubstrings();
std::span<const std::string_view> compositeGraphSubstrings();

// The composite materials and the powder mix whose loss and aging data stand for them.
std::span<const CompositeMaterial> compositeMaterials();
std::string_view compositeBaseMaterial();

// Mixes with their own DC-bias iteration constants.
std::span<const BiasSearchRow> biasSearchRows();

// Blank-separated list texts, tested by substring: the 60 Hz full-permeability mixes and the
// mixes for resonant converters.
std::string_view line60HzFullPermList();
std::string_view resonantMaterialList();

// Substring tests. An empty code is never in a list.
bool containsAnyOf(std::string_view text, std::span<const std::string_view> codes);
bool inListText(std::string_view listText, std::string_view code);

bool isNegligibleAgingMaterial(std::string_view materialText); // text contains one of the six
bool isInLine60HzFullPermList(std::string_view code);
bool isInResonantList(std::string_view code);
bool hasLowDcBiasRange(std::string_view code);
bool hasAcGraph6000GaussLimit(std::string_view code);
bool isCompositeGraphMaterial(std::string_view code);

// Whole-code tests.
bool isHighFluxMaterial(std::string_view code);
bool isDiscontinuedMaterial(std::string_view code);
std::optional<CompositeMaterial> findCompositeMaterial(std::string_view code);
std::optional<BiasSearchRow> findBiasSearchRow(std::string_view code);
std::optional<SelectableMaterial> findSelectableMaterial(std::string_view code);

} // namespace korvane
