#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace korvane {

// Thermal aging coefficients of one mix: the loss increase after t hours at core temperature
// T grows as exp(k1) exp(T (k2 + k3 T)) t^0.55.
struct AgingRow {
    std::string_view code;
    float k1; // natural logarithm of the loss-growth scale
    float k2; // per degree C
    float k3; // per degree C squared
};

// The 19 aging mixes, in table order. The composite materials have no row: they age as the
// composite base mix with a scaled volume (MaterialLists.h).
std::span<const AgingRow> agingTable();

// Row of exactly `code`, or none.
std::optional<AgingRow> findAgingRow(std::string_view code);

} // namespace korvane
