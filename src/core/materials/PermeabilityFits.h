#pragma once

#include "materials/MaterialCoefficients.h"
#include "materials/PermPair.h"

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

// AC fit of kind 7021 or 7051 at B gauss: {percent permeability, d/dB}.
std::optional<PermPair> acMagFit(const AcMagRow& row, double B);

// Permeability at f hertz, 1/(a + b f^c) + d; none for a negative frequency.
std::optional<double> frequencyFit(const FrequencyRow& row, double f);

} // namespace korvane
