#include "materials/PermeabilityFits.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korvane {

namespace {

// Numerator terms n (c0, c2, ..., c(2n-2)), denominator terms m (1, c1, ..., c(2m-3)) and the
// power r the ratio is raised to.
struct RationalKind {
    std::int32_t kind;
    int n;
    int m;
    double r;
};

constexpr std::array<RationalKind, 6> kRationalKinds = {{
    {145, 6, 6, 1.0},
    {7003, 3, 3, 1.0},
    {7111, 2, 2, 2.0},
    {7112, 2, 3, 2.0},
    {7113, 3, 3, 2.0},
    {7143, 3, 3, 0.5},
}};

const RationalKind* rationalKind(std::int32_t kind) {
    const auto* it = std::find_if(kRationalKinds.begin(), kRationalKinds.end(),
                                  [kind](const RationalKind& k) { return k.kind == kind; });
    return it == kRationalKinds.end() ? nullptr : it;
}

} // namespace

bool isRationalBiasKind(std::int32_t kind) {
    return rationalKind(kind) != nullptr;
}

std::optional<PermPair> rationalBiasFit(std::int32_t kind, std::span<const float> c, double H) {
    const RationalKind* k = rationalKind(kind);
    if (k == nullptr) {
        return std::nullopt;
    }
    const auto needed = static_cast<std::size_t>(std::max(2 * k->n - 1, 2 * k->m - 2));
    if (c.size() < needed) {
        return std::nullopt;
    }
    double num = 0.0;
    double numDot = 0.0;
    double power = 1.0;      // H^i
    double powerBelow = 0.0; // H^(i-1), zero for the constant term
    for (int i = 0; i < k->n; ++i) {
        num += c[static_cast<std::size_t>(2 * i)] * power;
        numDot += static_cast<double>(i) * c[static_cast<std::size_t>(2 * i)] * powerBelow;
        powerBelow = power;
        power *= H;
    }
    double den = 1.0;
    double denDot = 0.0;
    power = H;
    powerBelow = 1.0;
    for (int j = 1; j < k->m; ++j) {
        den += c[static_cast<std::size_t>(2 * j - 1)] * power;
        denDot += static_cast<double>(j) * c[static_cast<std::size_t>(2 * j - 1)] * powerBelow;
        powerBelow = power;
        power *= H;
    }
    if (den == 0.0) {
        return std::nullopt;
    }
    const double q = num / den;
    const double qDot = (numDot - num * denDot / den) / den;
    if (k->r == 1.0) {
        return finitePair(q, qDot);
    }
    // A fractional power needs a positive base (the slope of sqrt is infinite at zero).
    if (q < 0.0 || (q == 0.0 && k->r < 1.0)) {
        return std::nullopt;
    }
    return finitePair(std::pow(q, k->r), k->r * std::pow(q, k->r - 1.0) * qDot);
}

std::optional<PermPair> reciprocalPowerBiasFit(std::span<const float> c, double H) {
    if (c.size() < 4 || H < 0.0) {
        return std::nullopt;
    }
    const double den = c[0] + c[1] * std::pow(H, c[2]);
    if (den == 0.0) {
        return std::nullopt;
    }
    const double value = 1.0 / den + c[3];
    const double slope = -static_cast<double>(c[1]) * c[2] * std::pow(H, c[2] - 1.0) / (den * den);
    return finitePair(value, slope);
}

std::optional<double> frequencyFit(const FrequencyRow& row, double f) {
    if (f < 0.0) {
        return std::nullopt;
    }
    const double den = row.a + row.b * std::pow(f, static_cast<double>(row.c));
    if (den == 0.0) {
        return std::nullopt;
    }
    const double mu = 1.0 / den + row.d;
    return std::isfinite(mu) ? std::optional<double>(mu) : std::nullopt;
}

} // namespace korvane
