#pragma once

#include "analysis/Aging.h"
#include "domain/Application.h"
#include "engine/DesignCandidate.h"
#include "graphs/GraphState.h"
#include "materials/MaterialModel.h"
#include "materials/PowderMaterialModel.h"
#include "settings/DesignParameters.h"

#include <optional>
#include <string_view>

namespace korvane {

// Hours over which a design must show aging for its graph to be drawn.
inline constexpr double kAgingGraphHorizon = kAgingHorizon;

// The aging series of one design (calc_aging_time in a series mode, 10 to 13). B gauss, f Hz,
// Ae cm^2, Ta C, copper and core loss mW, A the wound surface cm^2, Vol cm^3, k and e the
// temperature-rise factor and exponent. Nothing after "incomplete data" (caption
// "ERROR in AgingGraph") when the product B f Ae Ta P0 A Vol e is below 1e-6 or not a number
// (so an ambient of 0 C or below refuses); nothing, silently, for a surface under 0.1 cm^2 or
// a mode that is not a series.
std::optional<AgingSeries> AgingGraph(int mode, const MaterialModel& model,
                                      std::string_view material, double B, double f, double Ae,
                                      double Ta, double copperLoss, double coreLoss, double A,
                                      double Vol, double k, double e);

// Sets up graph kind 9 from a core-temperature series: x start 1, curve reference 1, the 32
// samples as the first curve on a linear y axis. When no aging shows before `horizon` hours
// (the first sample already reaches it, or the time stays at the first sample's until the
// sample that reaches it or until the last) it shows the negligible-aging notice with the
// state's description (caption "Aging Data") and answers 0; otherwise sets the caption,
// print title and axis labels and answers 1.
int set_aging_graph(GraphState& state, const AgingSeries& series, double horizon);

// Core temperature against operating time (graph kind 9) of one design at `frequencyHz` and
// `ambient` C, with the rise law of the application's parameters. Answers 1 when the graph is
// set up; -1 when the material or the core loss leaves nothing to show (after the
// " UNABLE TO DISPLAY AGING " notice); 0 when no series results or the aging is negligible
// (after their messages, except the silent refusal of a tiny surface) or the application is
// not one of the six. A PFC boost core ages at its line-averaged flux, acFlux sqrt(M).
int show_aging_graph(GraphState& state, const PowderMaterialModel& model, Application application,
                     const DesignCandidate& design, double frequencyHz, double ambient,
                     const DesignParameters& parameters);

} // namespace korvane
