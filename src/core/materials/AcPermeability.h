#pragma once

#include "materials/MaterialModel.h"
#include "materials/PermPair.h"

#include <array>
#include <optional>
#include <string_view>

namespace korvane {

// Percent permeability of a core driven to B_ac_zero gauss peak at mu_i (mu_i times the AC
// magnetising force): finds the flux B = B_ac_zero %mu(B) / 100 that agrees with its own
// permeability. Beyond Bmax / satFraction the closed-form saturation law answers directly;
// otherwise a damped Newton iteration of at most 500 passes stops within 100 gauss and returns
// the pair of its last pass. None (after a message) for an unknown material.
//
// The high-flux mixes report their iteration above 10000 gauss in two diagnostic messages.
// Each is shown once per evaluation (a pass-by-pass report would open up to 500 boxes), and
// not at all with AcDiagnostics::Quiet: the design search evaluates thousands of operating
// points and must not stop on a box for each.
enum class AcDiagnostics { Show, Quiet };
std::optional<PermPair> calc_pct_perm_ac(double B_ac_zero, std::string_view material,
                                         const MaterialModel& model,
                                         AcDiagnostics diagnostics = AcDiagnostics::Show);

// calc_pct_perm_ac of one material at two flux densities, quietly, as two calls in turn
// would answer (messages included); the two iterations run interleaved.
std::array<std::optional<PermPair>, 2>
calc_pct_perm_ac_pair(double B1, double B2, std::string_view material, const MaterialModel& model);

} // namespace korvane
