#pragma once

#include "engine/WireTable.h"

#include <array>

namespace korvane {

// Ratio Fr of AC to DC resistance of a winding from the skin effect of the conductor and the
// proximity of the neighbouring turns (K1 and K2 factor tables). Frequency in kHz, lengths in
// inches. The wire is looked up again by its size at 20 degC, which refreshes `wire`.
// Fr = 1 (no correction) when wire size x frequency is below 0.01, the wire cannot be looked
// up, or turns, strands, a core diameter or the frequency is not a positive finite number.

// Toroid (and composite toroid): the turns share the inner circumference (core ID) on one
// side and the outer circumference (core OD) on the other.
double calc_ac_res_Fr(WireRecord& wire, double turns, int strands, double coreID, double coreOD,
                      double initialPerm, double fkHz);

// E-core: the turns lie along the bobbin's winding width on both sides. The core record has
// no OD, so the small-core inter-conductor gap applies.
struct BobbinWinding {
    double windingWidth = 0.0; // inches
};
double calc_ac_res_Fr(WireRecord& wire, double turns, int strands, BobbinWinding bobbin,
                      double initialPerm, double fkHz);

// Skin-effect term q(x) = x (sinh x + sin x) / (2 (cosh x - cos x)) - 1, 0 for x <= 1e-8.
double acSkinTerm(double x);

// Proximity coefficient K1 for pitch ratio p (1 to 5) and r = bare diameter / skin depth.
double k1Factor(double pitchRatio, double r);

// Layer and permeability correction K2 for the core's initial permeability, pitch ratio p,
// insulation-and-gap ratio h and r = bare diameter / skin depth.
double k2Factor(double initialPerm, double pitchRatio, double h, double r);

// Skin depth of copper in inches at 1 Hz; divide by the square root of the frequency in Hz.
inline constexpr double kSkinDepthAt1Hz = 2.795275590551181;

// Factor tables.
inline constexpr std::size_t kK1Rows = 13;
inline constexpr std::size_t kK1Columns = 17; // pitch ratio 1.00 to 5.00 in steps of 0.25
inline constexpr std::size_t kK2MaxRows = 5;
inline constexpr std::size_t kK2Columns = 15;

struct K2Table {
    std::size_t rows; // 4 or 5 h breakpoints used
    std::array<std::array<float, kK2Columns>, kK2MaxRows> values;
};

extern const std::array<float, kK1Rows> K1RatioBreakpoints;
extern const std::array<std::array<float, kK1Columns>, kK1Rows> K1Table;
extern const std::array<float, kK2Columns> K2RatioBreakpoints;
extern const std::array<float, kK2MaxRows> K2HeightBreakpoints;
// [0] permeability above 20, [1] 20 or less; then pitch ratio below 1.22, below 1.6, above.
extern const std::array<std::array<K2Table, 3>, 2> K2Tables;

} // namespace korvane
