#pragma once

#include <span>
#include <string_view>

namespace korvane {

// One row of the maker's material table: the mix code, its initial permeability and density.
struct MaterialRecord {
    std::string_view code; // "-275", "-M702": a dash and digits, or a dash, M and digits
    float initialPerm;     // relative initial permeability
    float density;         // g/cm^3, for core weight
};

// The 20 powder materials and the 2 composite-core materials, in table order.
std::span<const MaterialRecord> materialTable();

// First row whose code equals `code` exactly (case-sensitive, whole text); nullptr if none.
const MaterialRecord* findMaterial(std::string_view code);

} // namespace korvane
