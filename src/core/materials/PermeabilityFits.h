#pragma once

#include "materials/MaterialCoefficients.h"
#include "materials/PermPair.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

namespace korvane {

// The curve fits of the coefficient tables, evaluated as they stand: no raising of small
// arguments, no cap at 100 %, no floor. Each gives none where the fit is undefined (unknown
// kind, too few coefficients, a zero denominator, a negative base under a fractional power)
// rather than a NaN or an infinity.

// Rational DC-bias kinds 145, 7003, 7111, 7112, 7113 and 7143 at H oersteds:
// {(N/D)^r, d/dH} with N = c0 + c2 H + c4 H^2 + ... and D = 1 + c1 H + c3 H^2 + ...
std::optional<PermPair> rationalBiasFit(std::int32_t kind, std::span<const float> c, double H);

// True for the kinds rationalBiasFit evaluates.
bool isRationalBiasKind(std::int32_t kind);

// DC-bias kind 7999 at H oersteds: {1/(c0 + c1 H^c2) + c3, d/dH}.
std::optional<PermPair> reciprocalPowerBiasFit(std::span<const float> c, double H);

// A fitted pair in single precision; none unless both values are finite.
inline std::optional<PermPair> finitePair(double value, double slope) {
    if (!std::isfinite(value) || !std::isfinite(slope)) {
        return std::nullopt;
    }
    return PermPair{static_cast<float>(value), static_cast<float>(slope)};
}

// AC fit of kind 7021 or 7051 at B gauss: {percent permeability, d/dB}. Inline: the AC flux
// iterations evaluate it in their innermost loop.
[[gnu::always_inline]] inline std::optional<PermPair> acMagFit(const AcMagRow& row, double B) {
    const auto& c = row.c;
    if (row.kind == kAcKindRational) {
        const double num = c[0] + c[2] * B + c[4] * B * B;
        const double den = 1.0 + c[1] * B + c[3] * B * B;
        if (den == 0.0 || num / den <= 0.0) {
            return std::nullopt;
        }
        const double q = num / den;
        const double qDot = ((c[2] + 2.0 * c[4] * B) - num * (c[1] + 2.0 * c[3] * B) / den) / den;
        const double root = std::sqrt(q);
        return finitePair(root, 0.5 / root * qDot);
    }
    if (row.kind == kAcKindPolynomial) {
        if (B <= 0.0) {
            return std::nullopt;
        }
        const double root = std::sqrt(B);
        return finitePair(c[0] + c[1] * B + c[2] * root + c[3] * B * B,
                          c[1] + 0.5 * c[2] / root + 2.0 * c[3] * B);
    }
    return std::nullopt;
}

// Permeability at f hertz, 1/(a + b f^c) + d; none for a negative frequency.
std::optional<double> frequencyFit(const FrequencyRow& row, double f);

} // namespace korvane
