#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace korvane {

// Kinds of the permeability fits. The rational DC kinds (145, 7003, 7111, 7112, 7113, 7143)
// are listed with their term counts in PermeabilityFits.cpp.
inline constexpr std::int32_t kAcKindRational = 7021;   // sqrt of a quadratic over a quadratic
inline constexpr std::int32_t kAcKindPolynomial = 7051; // c0 + c1 B + c2 sqrt(B) + c3 B^2
inline constexpr std::int32_t kDcKindSqrtRational = 7143;
inline constexpr std::int32_t kDcKindReciprocalPower = 7999; // 1/(c0 + c1 H^c2) + c3
inline constexpr std::int32_t kDcKindComposite = 145;

// Percent permeability versus peak AC flux density (gauss).
struct AcMagRow {
    std::string_view code;
    std::int32_t kind; // 7021 or 7051
    std::array<float, 5> c;
};

// End of the fitted AC range: Bmax in gauss and the fraction of mu_i left there.
struct AcLimitRow {
    std::string_view code;
    float initialPerm;
    float Bmax;
    float satFraction;
};

// Percent permeability versus DC magnetising force (oersteds).
struct DcBiasRow {
    std::string_view code;
    std::int32_t kind; // 7143 or 7999
    float initialPerm; // for reference; the fits are in percent
    std::array<float, 5> c;
};

// Percent permeability of the composite (powder iron and ferrite) materials versus DC bias.
struct CompositeDcBiasRow {
    std::string_view code;
    std::int32_t kind; // 145
    std::array<float, 11> c;
};

// Initial permeability of the mixes offered for power applications.
struct InitialPermRow {
    std::string_view code;
    float initialPerm;
};

// Permeability versus frequency (hertz): mu(f) = 1/(a + b f^c) + d.
struct FrequencyRow {
    std::string_view code;
    float a;
    float b;
    float c;
    float d;
};

// Core loss density (mW/cm^3) versus peak AC flux density (gauss) and frequency (hertz):
// f/(a/B^3 + b/B^2.3 + c/B^1.65) + d (B f)^2. lineExponent is the exponent of the line-cycle
// average of a PFC boost inductor.
struct CoreLossRow {
    std::string_view code;
    float a;
    float b;
    float c;
    float d;
    float lineExponent;
};

// The built-in tables, in table order. AcMagTable, AcLimitTable, DcBiasTable and
// CoreLossTable hold the 20 powder mixes in the same order; InitialPermTable and
// FrequencyTable the 18 selectable mixes; CompositeDcBiasTable the two composite materials.
std::span<const AcMagRow> acMagTable();
std::span<const AcLimitRow> acLimitTable();
std::span<const DcBiasRow> dcBiasTable();
std::span<const CompositeDcBiasRow> compositeDcBiasTable();
std::span<const InitialPermRow> initialPermTable();
std::span<const FrequencyRow> frequencyTable();
std::span<const CoreLossRow> coreLossTable();

// Lookups by exact, case-sensitive code; the first matching row wins.
std::optional<std::size_t> acMagIndex(std::string_view code);
std::optional<AcMagRow> findAcMagRow(std::string_view code);
std::optional<AcLimitRow> findAcLimitRow(std::string_view code);
std::optional<DcBiasRow> findDcBiasRow(std::string_view code);
std::optional<CompositeDcBiasRow> findCompositeDcBiasRow(std::string_view code);
std::optional<InitialPermRow> findInitialPermRow(std::string_view code);
std::optional<FrequencyRow> findFrequencyRow(std::string_view code);
std::optional<CoreLossRow> findCoreLossRow(std::string_view code);

} // namespace korvane
