#include "materials/MaterialLists.h"

#include <algorithm>

namespace korvane {

namespace {

bool containsWhole(std::span<const std::string_view> codes, std::string_view code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

template <typename Row>
std::optional<Row> findRow(std::span<const Row> rows, std::string_view code) {
    for (const Row& row : rows) {
        if (row.code == code) {
            return row;
        }
    }
    return std::nullopt;
}

} // namespace

bool containsAnyOf(std::string_view text, std::span<const std::string_view> codes) {
    return std::any_of(codes.begin(), codes.end(), [text](std::string_view code) {
        return !code.empty() && text.find(code) != std::string_view::npos;
    });
}

bool inListText(std::string_view listText, std::string_view code) {
    return !code.empty() && listText.find(code) != std::string_view::npos;
}

bool isNegligibleAgingMaterial(std::string_view materialText) {
    return containsAnyOf(materialText, negligibleAgingMaterials());
}

bool isInLine60HzFullPermList(std::string_view code) {
    return inListText(line60HzFullPermList(), code);
}

bool isInResonantList(std::string_view code) {
    return inListText(resonantMaterialList(), code);
}

bool hasLowDcBiasRange(std::string_view code) {
    return containsAnyOf(code, lowDcBiasRangeSubstrings());
}

bool hasAcGraph6000GaussLimit(std::string_view code) {
    return containsAnyOf(code, acGraph6000GaussSubstrings());
}

bool isCompositeGraphMaterial(std::string_view code) {
    return containsAnyOf(code, compositeGraphSubstrings());
}

bool isHighFluxMaterial(std::string_view code) {
    return containsWhole(highFluxMaterials(), code);
}

bool isDiscontinuedMaterial(std::string_view code) {
    return containsWhole(discontinuedMaterials(), code);
}

std::optional<CompositeMaterial> findCompositeMaterial(std::string_view code) {
    return findRow(compositeMaterials(), code);
}

std::optional<BiasSearchRow> findBiasSearchRow(std::string_view code) {
    return findRow(biasSearchRows(), code);
}

std::optional<SelectableMaterial> findSelectableMaterial(std::string_view code) {
    return findRow(selectableMaterials(), code);
}

} // namespace korvane
