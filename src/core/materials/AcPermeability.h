#pragma once

#include "materials/AcMagLaw.h"
#include "materials/FluxIteration.h"
#include "materials/MaterialModel.h"
#include "materials/PermPair.h"

#include <array>
#include <optional>
#include <span>
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
// not at all with AcDiagnostics::Quiet.
enum class AcDiagnostics { Show, Quiet };
std::optional<PermPair> calc_pct_perm_ac(double B_ac_zero, std::string_view material,
                                         const MaterialModel& model,
                                         AcDiagnostics diagnostics = AcDiagnostics::Show);

// The limits row of a material, and whether B_ac_zero lies in the closed-form saturation
// range (from Bmax / satFraction on).
struct AcLimits {
    float Bmax = 0.0F;
    float satFraction = 0.0F;
    float initialPerm = 0.0F;
    bool saturated(double B_ac_zero) const;
};

// calc_pct_perm_ac of one material at B1 and then B2, with the values and the messages of the
// two calls in turn; when the first has no answer the second is not made (both none). The
// two iterations run interleaved, and the material's rows are looked up once for all the
// pairs an operating-point iteration asks for.
//
// A pair is evaluated at once by operator(), or pass by pass so that a caller can interleave
// the pairs of several independent operating points: start, step while running, then finish,
// which shows the messages and gives the values.
class AcPermeabilityPair {
  public:
    AcPermeabilityPair(std::string_view material, const MaterialModel& model);
    std::array<std::optional<PermPair>, 2> operator()(double B1, double B2);

    void start(double B1, double B2);
    bool running() const {
        return iterations_ && (iterations_->first.running() ||
                               (iterations_->second.running() && !iterations_->first.failed()));
    }
    void step();
    // The iterations that step would advance now, for a caller that steps the iterations of
    // many pairs together (stepFluxIterations) instead of calling step. Returns how many
    // were written: none once the pair has ended.
    int stepping(std::span<FluxIteration<ResolvedAcMag>*, 2> out) {
        int n = 0;
        if (!iterations_) {
            return n;
        }
        auto& [first, second] = *iterations_;
        if (first.running()) {
            out[static_cast<std::size_t>(n++)] = &first;
        }
        // Where the first fails on this pass the second's pass goes unused: finish answers
        // neither then.
        if (second.running() && !first.failed()) {
            out[static_cast<std::size_t>(n++)] = &second;
        }
        return n;
    }
    std::array<std::optional<PermPair>, 2> finish();

  private:
    struct Iterations {
        FluxIteration<ResolvedAcMag> first;
        FluxIteration<ResolvedAcMag> second;
    };
    std::array<std::optional<PermPair>, 2> inTurn(double B1, double B2) const;

    std::string_view material_;
    const MaterialModel& model_;
    std::optional<ResolvedAcMag> resolved_; // the built-in model's rows of the material
    AcLimits limits_;
    bool limitsFound_ = false;
    double B1_ = 0.0;
    double B2_ = 0.0;
    std::optional<Iterations> iterations_;          // while the pair iterates
    std::array<std::optional<PermPair>, 2> answer_; // a pair answered at start
};

// One pair of AcPermeabilityPair.
std::array<std::optional<PermPair>, 2>
calc_pct_perm_ac_pair(double B1, double B2, std::string_view material, const MaterialModel& model);

} // namespace korvane
