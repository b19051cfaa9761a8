#pragma once

namespace korvane {

// Result of the pair operations of the material models: the percent permeability (or the
// permeability, for the effective-permeability operations) and its derivative with respect to
// the operating variable (per oersted for DC bias, per gauss for AC flux).
struct PermPair {
    float value = 0.0F;
    float slope = 0.0F;
    bool operator==(const PermPair&) const = default;
};

} // namespace korvane
