#pragma once

#include "materials/MaterialCoefficients.h"
#include "materials/PermeabilityFits.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace korvane {

// Fits are evaluated from 0.1 Oe and 0.1 G up: the rational fits are smooth there and the
// power laws need a positive argument.
inline constexpr double kLowestArgument = 0.1;
// Below this AC flux the 7021 fits are not allowed to report less than mu_i.
inline constexpr double kAcFloorFlux = 2000.0;
// High-flux mixes: %mu = 490000 / B above 7000 G.
inline constexpr double kHighFluxKnee = 7000.0;
inline constexpr double kHighFluxConstant = 490000.0;

// %mu and its slope under AC flux B for one resolved material row. Inline: the AC flux
// iterations evaluate it in their innermost loop.
inline std::optional<PermPair> acMagAt(const AcMagRow& row, const AcLimitRow& limit, bool highFlux,
                                       double B) {
    if (!(B >= 0.0)) {
        return std::nullopt;
    }
    const double Bmax = limit.Bmax;
    const double B0 = std::max(B, kLowestArgument);
    const double Bc = std::min(B0, Bmax);
    if (highFlux && row.kind == kAcKindRational && Bc > kHighFluxKnee) {
        // Above the knee the high-flux mixes follow 490000 / B, whatever the fit gives there.
        return PermPair{static_cast<float>(kHighFluxConstant / Bc),
                        static_cast<float>(-kHighFluxConstant / (Bc * Bc))};
    }
    const auto fit = acMagFit(row, Bc);
    if (!fit) {
        return std::nullopt;
    }
    double pct = fit->value;
    double slope = fit->slope;
    if (row.kind == kAcKindRational) {
        pct = Bc < kAcFloorFlux && pct < 100.0 ? 100.0 : pct;
    }
    if (B0 > Bmax && !highFlux) {
        // Past the fitted range the permeability falls from 100 satFraction % at Bmax
        // towards that of free space, 100/mu_i %.
        const double mu = limit.initialPerm;
        const double fraction = limit.satFraction;
        if (!(mu > 0.0) || !(fraction > 0.0)) {
            return std::nullopt;
        }
        pct = (100.0 / mu) / ((1.0 / (fraction * mu) - 1.0) * (Bmax / B0) + 1.0);
        slope = (pct / B0) * (1.0 - 0.01 * pct * mu);
    }
    return PermPair{static_cast<float>(pct), static_cast<float>(slope)};
}

// One material's AC-flux law with its rows looked up once: evaluates what calc_ac_mag of the
// PowderMaterialModel gives for that material, for iterations that evaluate it many times.
struct ResolvedAcMag {
    const AcMagRow* row;
    const AcLimitRow* limit;
    bool highFlux;
    std::optional<PermPair> operator()(double B) const {
        return acMagAt(*row, *limit, highFlux, B);
    }
};
std::optional<ResolvedAcMag> resolveAcMag(std::string_view material);

} // namespace korvane
