#pragma once

#include "domain/Application.h"
#include "engine/DesignCandidate.h"
#include "graphs/GraphState.h"
#include "materials/MaterialModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Unit group of an inductance in henries: (log10 L truncated toward zero, minus 3 when
// negative) / 3 truncated, -3 nH, -2 uH, -1 mH, 0 H. Nothing for L not positive or not finite.
std::optional<int> inductanceUnitGroup(double henries);

// "L, nH", "L, uH", "L, mH" or "L, H" for groups -3 to 0; nothing for other groups.
std::optional<std::string_view> inductanceAxisLabel(int group);

// Amperes per unit of the curve's x: the design's biasScale (A/Oe, or rms A/gauss for 60 Hz).
// A resonant design is drawn in peak amperes like its marker and description, so its rms
// scale is multiplied by sqrt(2).
double inductanceCurrentScale(Application application, const DesignCandidate& design);

// The description line; when the text would not fit the window's 63 characters the runs of
// blanks are closed up first.
std::string inductanceDescription(Application application, std::string_view partNumber,
                                  double turns, std::string_view inductanceText, double current);

// Inductance versus current (graph kind 7) of one design at the operating current (the DC or
// peak current; rms for 60 HZ). Nothing (false) unless the turns are above 0. Fills the first
// curve from the material's DC-bias sequence, or for 60 HZ and RESONANT from its AC-flux
// sequence with calc_pct_perm_ac (none for a composite material); sets the y label, scales,
// marker and description, three x decades and a linear y axis. The window derives its ranges
// from the points when it draws.
bool show_inductance_graph(GraphState& state, const MaterialModel& model, Application application,
                           const DesignCandidate& design, double current);

} // namespace korvane
