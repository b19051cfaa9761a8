#pragma once

#include "analysis/AnalysisLabels.h"
#include "catalog/CoreRecord.h"
#include "domain/Application.h"
#include "engine/DesignCandidate.h"
#include "materials/MaterialModel.h"
#include "requirements/Requirement.h"

#include <array>
#include <string_view>

namespace korvane {

class DesignParameters;
class MaterialModel;

// Thermal aging of iron powder: at core temperature T the loss grows after t hours by
// dP = I exp(phi(T)) t^0.55 with I = 6.276e-13 exp(k1) (B f)^2 Ae Vol and
// phi(T) = T (k2 + k3 T); the growing loss heats the core along the temperature-rise law.
inline constexpr double kAgingTimeExponent = 0.55;
inline constexpr double kAgingScale = 6.276e-13;
inline constexpr double kAgingThreshold = 0.01;   // 1 % growth
inline constexpr double kAgingHorizon = 100000.0; // hours
inline constexpr double kAgingCeiling = 250.0;    // degrees C
inline constexpr double kAgingLowestAmbient = -100.0;
inline constexpr double kRunawayGain = 0.99;
inline constexpr double kAgingPhiStep = 0.01;

// State of a design after aging: hours reached, loss increase (mW), core temperature (C)
// and thermal loop gain.
struct AgingState {
    double time = 0.0;
    double dP = 0.0;
    double T = 0.0;
    double G = 0.0;
};

// Status of calc_aging_state.
inline constexpr int kAgingNone = 0;    // no aging data, negligible aging, or too hot
inline constexpr int kAgingStopped = 1; // stopped early at 250 C or at runaway
inline constexpr int kAgingReached = 2; // reached the requested time

// The aging state of a design after t hours. B gauss, f Hz, Ae cm^2, Ta C (at least -100),
// P0 the initial core + copper loss (mW), A the wound surface (cm^2), Vol the core volume
// (cm^3), k and e the temperature-rise factor and exponent. A composite material ages as
// the composite base mix with a scaled volume.
//
// Below the vertex of phi, T = -k2 / (2 k3), the rate law is held at its minimum: a colder
// core ages no faster than one at the vertex. Degenerate inputs (no loss, no surface, no
// flux) count as negligible aging; the result is always finite.
int calc_aging_state(const MaterialModel& model, AgingState& result, std::string_view material,
                     double t, double B, double f, double Ae, double Ta, double P0, double A,
                     double Vol, double k, double e);

// One point of an aging series: hours and the quantity of the mode.
struct AgingPoint {
    float time = 0.0F;
    float value = 0.0F;
};
inline constexpr std::size_t kAgingSamples = 32;
using AgingSeries = std::array<AgingPoint, kAgingSamples>;

// Modes of calc_aging_time.
inline constexpr int kAgingTimeTo115 = 1;        // hours until the loss has grown by 15 %
inline constexpr int kAgingLifeLimit = 2;        // hours until the loop gain reaches 1
inline constexpr int kAgingSeriesLoss = 10;      // series of the loss increase (mW)
inline constexpr int kAgingSeriesTemp = 11;      // series of the core temperature
inline constexpr int kAgingSeriesTempLimit = 12; // the same, at most 250
inline constexpr int kAgingSeriesGain = 13;      // series of the loop gain

// Mode 1 or 2: the time in hours (300000 and 1e8 when the loss grows under 1 % in 30000
// hours). Modes 10 to 13 fill `series` (when given) with 32 samples and return 31. Any other
// mode returns 0.
float calc_aging_time(int mode, AgingSeries* series, std::string_view material, double B, double f,
                      double Ae, double Ta, double P0, double A, double Vol, double k, double e,
                      const MaterialModel& model);

// Writes electrical rows 13 and 14 ("Time To 115 % Loss", "Life Limit", hours) of an
// analysed design: both 0 unless the core loss is positive and the core stays below 250 C.
// `core` is the stacked core of the analysis, `conditions` its operating conditions.
void calc_aging_rows(Application application, const DesignParameters& parameters,
                     const CoreRecord& core, const DesignCandidate& candidate,
                     const Requirement& conditions, const MaterialModel& model,
                     ElectricalRows& rows);

} // namespace korvane
