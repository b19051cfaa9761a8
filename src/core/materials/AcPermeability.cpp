#include "materials/AcPermeability.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/MaterialLists.h"

#include <array>
#include <cmath>
#include <string>

namespace korvane {

namespace {

constexpr int kMaxPasses = 500;
constexpr double kTolerance = 100.0; // gauss
constexpr double kHighFluxReport = 10000.0;
constexpr const char* kCaption = "Return from calc_pct_perm_ac";

// The caption as the message sink takes it, made once.
const std::string& caption() {
    static const std::string text = kCaption;
    return text;
}

// The self-consistent flux iteration over an evaluator of %mu(B) for one material, one pass
// at a time, so that two independent iterations can run interleaved. Its two diagnostics are
// held until showReports, so that interleaved iterations still show them call by call.
template <typename AcMag>
class FluxIteration {
  public:
    // `report`: the material is a high-flux mix and its diagnostics are wanted.
    FluxIteration(double B_ac_zero, std::string_view material, double Bmax, double mu, bool report,
                  const AcMag& acMag)
        : B_ac_zero_(B_ac_zero), material_(material), Bmax_(Bmax), mu_(mu), report_(report),
          acMag_(acMag), estimate_(B_ac_zero) {}

    bool running() const { return !ended_ && err_ > kTolerance && pass_ < kMaxPasses; }
    // True when the evaluator had no value at an estimate; the iteration has then ended.
    bool failed() const { return failed_; }
    const PermPair& pair() const { return pair_; }

    // The diagnostics of the passes run so far, in the order they arose.
    void showReports() const {
        for (const std::string* text : {&passReport_, &estimateReport_}) {
            if (!text->empty()) {
                showMessage(*text, caption());
            }
        }
    }

    void step() {
        ++pass_;
        const auto p = acMag_(estimate_);
        if (!p) {
            failed_ = true;
            ended_ = true;
            return;
        }
        pair_ = *p;
        const double perm = pair_.value / 100.0;
        const double permdot = pair_.slope / 100.0;
        // Newton on e - B_ac_zero perm(e) = 0. Where its derivative vanishes the step falls
        // back to a plain fixed-point step instead of dividing by zero.
        double newtonDen = 1.0 - B_ac_zero_ * permdot;
        if (newtonDen == 0.0 || !std::isfinite(newtonDen)) {
            newtonDen = 1.0;
        }
        if (report_ && passReport_.empty() && B_ac_zero_ > kHighFluxReport) {
            const double data2 = perm / newtonDen * mu_;
            passReport_ =
                strprintf("Material %s B_ac_zero = %6.3f pct perm %6.3f, permdot %6.3f "
                          "data2 %6.3f",
                          std::string(material_).c_str(), B_ac_zero_, perm, permdot * 100.0, data2);
        }
        err_ = std::fabs(estimate_ - B_ac_zero_ * perm);
        if (estimate_ * delB_ > B_ac_zero_ * perm * delB_) {
            convf_ *= 0.5; // the last step overshot
        }
        delB_ = (B_ac_zero_ * perm - estimate_) / newtonDen;
        const double lastEstimate = estimate_;
        estimate_ += delB_ * convf_;
        if (report_ && estimateReport_.empty() && estimate_ > kHighFluxReport) {
            estimateReport_ = strprintf("Material %s B_ac_zero = %6.3f B_err %6.1f  last est "
                                        "%6.3f, Bac_est %6.3f delB %6.3f",
                                        std::string(material_).c_str(), B_ac_zero_, err_,
                                        lastEstimate, estimate_, delB_);
        }
        if (estimate_ > Bmax_) {
            estimate_ = Bmax_;
        }
        // An estimate that no longer moves (held at Bmax, or a step below its resolution)
        // would repeat this pass exactly until the pass limit: its pair is the answer.
        if (estimate_ == lastEstimate) {
            ended_ = true;
        }
    }

  private:
    double B_ac_zero_;
    std::string_view material_;
    double Bmax_;
    double mu_;
    bool report_;
    const AcMag& acMag_;
    double estimate_;
    double convf_ = 0.5;
    double delB_ = 1000.0;
    double err_ = 200.0;
    int pass_ = 0;
    bool ended_ = false;
    bool failed_ = false;
    std::string passReport_;     // the first pass at B_ac_zero above 10000 G
    std::string estimateReport_; // the first estimate above 10000 G
    PermPair pair_;
};

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

std::array<std::optional<PermPair>, 2> AcPermeabilityPair::operator()(double B1, double B2) {
    // Two iterations are chains of dependent divisions and roots; run side by side they
    // overlap in the processor, which nearly halves the time of the 60 Hz operating point.
    // Every case off the common path (another model, a material without AC rows, saturation)
    // is answered by the two calls in turn.
    if (!resolved_) {
        return inTurn(B1, B2);
    }
    if (!limitsFound_) {
        // As the first call would: the limits message, and no answer for either flux.
        if (model_.acLimits(material_, limits_.Bmax, limits_.satFraction, limits_.initialPerm) ==
            -1) {
            return {std::nullopt, std::nullopt};
        }
        limitsFound_ = true;
    }
    if (limits_.saturated(B1) || limits_.saturated(B2)) {
        // In turn, with the rows already looked up.
        const auto first =
            pctPermAcWithin(B1, material_, model_, limits_, &*resolved_, AcDiagnostics::Show);
        if (!first) {
            return {std::nullopt, std::nullopt};
        }
        return {first,
                pctPermAcWithin(B2, material_, model_, limits_, &*resolved_, AcDiagnostics::Show)};
    }
    const double mu = limits_.initialPerm;
    const bool report = resolved_->highFlux;
    FluxIteration<ResolvedAcMag> first(B1, material_, limits_.Bmax, mu, report, *resolved_);
    FluxIteration<ResolvedAcMag> second(B2, material_, limits_.Bmax, mu, report, *resolved_);
    while (first.running() || (second.running() && !first.failed())) {
        if (first.running()) {
            first.step();
        }
        if (second.running() && !first.failed()) {
            second.step();
        }
    }
    // The messages of the first call, then those of the second.
    first.showReports();
    if (first.failed()) {
        showIterationError(B1);
        return {std::nullopt, std::nullopt};
    }
    second.showReports();
    if (second.failed()) {
        showIterationError(B2);
        return {first.pair(), std::nullopt};
    }
    return {first.pair(), second.pair()};
}

std::array<std::optional<PermPair>, 2>
calc_pct_perm_ac_pair(double B1, double B2, std::string_view material, const MaterialModel& model) {
    return AcPermeabilityPair(material, model)(B1, B2);
}

} // namespace korvane
