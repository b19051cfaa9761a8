#include "materials/AcPermeability.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/MaterialLists.h"

#include <array>
#include <cmath>
#include <string>

namespace korvane {

const std::string& fluxIterationCaption() {
    static const std::string text = "Return from calc_pct_perm_ac";
    return text;
}

namespace {

void showIterationError(double B_ac_zero) {
    showMessage(strprintf("B_ac_zero = %6.3f, pdata[1] = xxx", B_ac_zero),
                "calc_pct_perm_ac ERROR ");
}

template <typename AcMag>
std::optional<PermPair> iterateFlux(double B_ac_zero, std::string_view material, double Bmax,
                                    double mu, bool report, const AcMag& acMag) {
    FluxIteration<AcMag> iteration(B_ac_zero, material, Bmax, mu, report, acMag);
    while (iteration.running()) {
        iteration.step();
    }
    iteration.showReports();
    if (iteration.failed()) {
        showIterationError(B_ac_zero);
        return std::nullopt;
    }
    return iteration.pair();
}

} // namespace

bool AcLimits::saturated(double B_ac_zero) const {
    return satFraction > 0.0F && B_ac_zero > 0.0 && initialPerm > 0.0F &&
           Bmax / satFraction <= B_ac_zero;
}

namespace {

// calc_pct_perm_ac once the limits row is known; `resolved`, when given, holds the built-in
// model's rows of the material.
std::optional<PermPair> pctPermAcWithin(double B_ac_zero, std::string_view material,
                                        const MaterialModel& model, const AcLimits& limits,
                                        const ResolvedAcMag* resolved, AcDiagnostics diagnostics) {
    const double mu = limits.initialPerm;

    // Driven past saturation: the permeability left over the fitted range plus free space.
    if (limits.saturated(B_ac_zero)) {
        const double Bmax = limits.Bmax;
        const double fraction =
            (1.0 + Bmax * (1.0 - 1.0 / (limits.satFraction * mu)) * mu / B_ac_zero) / mu;
        const double slope = (1.0 - fraction * mu) * mu / B_ac_zero;
        return PermPair{static_cast<float>(100.0 * fraction), static_cast<float>(100.0 * slope)};
    }

    // The built-in model is evaluated through its resolved rows, inlined into the loop;
    // any other model through its own evaluator.
    const bool show = diagnostics == AcDiagnostics::Show;
    if (resolved != nullptr) {
        return iterateFlux(B_ac_zero, material, limits.Bmax, mu, show && resolved->highFlux,
                           *resolved);
    }
    return iterateFlux(B_ac_zero, material, limits.Bmax, mu, show && isHighFluxMaterial(material),
                       model.acMagEvaluator(material));
}

} // namespace

std::optional<PermPair> calc_pct_perm_ac(double B_ac_zero, std::string_view material,
                                         const MaterialModel& model, AcDiagnostics diagnostics) {
    AcLimits limits;
    if (model.acLimits(material, limits.Bmax, limits.satFraction, limits.initialPerm) == -1) {
        return std::nullopt;
    }
    const std::optional<ResolvedAcMag> resolved = model.resolvedAcMag(material);
    return pctPermAcWithin(B_ac_zero, material, model, limits, resolved ? &*resolved : nullptr,
                           diagnostics);
}

AcPermeabilityPair::AcPermeabilityPair(std::string_view material, const MaterialModel& model)
    : material_(material), model_(model), resolved_(model.resolvedAcMag(material)) {}

std::array<std::optional<PermPair>, 2> AcPermeabilityPair::inTurn(double B1, double B2) const {
    const auto first = calc_pct_perm_ac(B1, material_, model_);
    if (!first) {
        return {std::nullopt, std::nullopt};
    }
    return {first, calc_pct_perm_ac(B2, material_, model_)};
}

void AcPermeabilityPair::start(double B1, double B2) {
    B1_ = B1;
    B2_ = B2;
    iterations_.reset();
    answer_ = {};
    // Every case off the common path (another model, a material without AC rows,
    // saturation) is answered at once by the two calls in turn.
    if (!resolved_) {
        answer_ = inTurn(B1, B2);
        return;
    }
    if (!limitsFound_) {
        // As the first call would: the limits message, and no answer for either flux.
        if (model_.acLimits(material_, limits_.Bmax, limits_.satFraction, limits_.initialPerm) ==
            -1) {
            answer_ = {std::nullopt, std::nullopt};
            return;
        }
        limitsFound_ = true;
    }
    if (limits_.saturated(B1) || limits_.saturated(B2)) {
        // In turn, with the rows already looked up.
        const auto first =
            pctPermAcWithin(B1, material_, model_, limits_, &*resolved_, AcDiagnostics::Show);
        if (!first) {
            answer_ = {std::nullopt, std::nullopt};
            return;
        }
        answer_ = {first, pctPermAcWithin(B2, material_, model_, limits_, &*resolved_,
                                          AcDiagnostics::Show)};
        return;
    }
    const double mu = limits_.initialPerm;
    const bool report = resolved_->highFlux;
    iterations_.emplace(Iterations{
        FluxIteration<ResolvedAcMag>(B1, material_, limits_.Bmax, mu, report, *resolved_),
        FluxIteration<ResolvedAcMag>(B2, material_, limits_.Bmax, mu, report, *resolved_)});
}

void AcPermeabilityPair::step() {
    // Two iterations are chains of dependent divisions and roots; run side by side they
    // overlap in the processor.
    std::array<FluxIteration<ResolvedAcMag>*, 2> iterations{};
    const int n = stepping(iterations);
    for (int k = 0; k < n; ++k) {
        iterations[static_cast<std::size_t>(k)]->step();
    }
}

std::array<std::optional<PermPair>, 2> AcPermeabilityPair::finish() {
    if (!iterations_) {
        return answer_;
    }
    const auto& [first, second] = *iterations_;
    // The messages of the first call, then those of the second.
    first.showReports();
    if (first.failed()) {
        showIterationError(B1_);
        return {std::nullopt, std::nullopt};
    }
    second.showReports();
    if (second.failed()) {
        showIterationError(B2_);
        return {first.pair(), std::nullopt};
    }
    return {first.pair(), second.pair()};
}

std::array<std::optional<PermPair>, 2> AcPermeabilityPair::operator()(double B1, double B2) {
    start(B1, B2);
    while (running()) {
        step();
    }
    return finish();
}

std::array<std::optional<PermPair>, 2>
calc_pct_perm_ac_pair(double B1, double B2, std::string_view material, const MaterialModel& model) {
    return AcPermeabilityPair(material, model)(B1, B2);
}

} // namespace korvane
