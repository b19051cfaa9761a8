#include "materials/AcPermeability.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/MaterialLists.h"
#include "materials/PowderMaterialModel.h"

#include <array>
#include <cmath>
#include <string>
#include <typeinfo>

namespace korvane {

namespace {

constexpr int kMaxPasses = 500;
constexpr double kTolerance = 100.0; // gauss
constexpr double kHighFluxReport = 10000.0;
constexpr const char* kCaption = "Return from calc_pct_perm_ac";

// The self-consistent flux iteration over an evaluator of %mu(B) for one material, one pass
// at a time, so that two independent iterations can run interleaved.
template <typename AcMag>
class FluxIteration {
  public:
    FluxIteration(double B_ac_zero, std::string_view material, double Bmax, double mu,
                  AcDiagnostics diagnostics, const AcMag& acMag)
        : B_ac_zero_(B_ac_zero), material_(material), Bmax_(Bmax), mu_(mu),
          report_(diagnostics == AcDiagnostics::Show && isHighFluxMaterial(material)),
          acMag_(acMag), estimate_(B_ac_zero) {}

    bool running() const { return !ended_ && err_ > kTolerance && pass_ < kMaxPasses; }
    // True when the evaluator had no value at an estimate; the iteration has then ended.
    bool failed() const { return failed_; }
    const PermPair& pair() const { return pair_; }

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
        if (report_ && !reportedPass_ && B_ac_zero_ > kHighFluxReport) {
            reportedPass_ = true;
            const double data2 = perm / newtonDen * mu_;
            showMessage(strprintf("Material %s B_ac_zero = %6.3f pct perm %6.3f, permdot %6.3f "
                                  "data2 %6.3f",
                                  std::string(material_).c_str(), B_ac_zero_, perm, permdot * 100.0,
                                  data2),
                        kCaption);
        }
        err_ = std::fabs(estimate_ - B_ac_zero_ * perm);
        if (estimate_ * delB_ > B_ac_zero_ * perm * delB_) {
            convf_ *= 0.5; // the last step overshot
        }
        delB_ = (B_ac_zero_ * perm - estimate_) / newtonDen;
        const double lastEstimate = estimate_;
        estimate_ += delB_ * convf_;
        if (report_ && !reportedEstimate_ && estimate_ > kHighFluxReport) {
            reportedEstimate_ = true;
            showMessage(strprintf("Material %s B_ac_zero = %6.3f B_err %6.1f  last est %6.3f, "
                                  "Bac_est %6.3f delB %6.3f",
                                  std::string(material_).c_str(), B_ac_zero_, err_, lastEstimate,
                                  estimate_, delB_),
                        kCaption);
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
    bool reportedPass_ = false;
    bool reportedEstimate_ = false;
    PermPair pair_;
};

void showIterationError(double B_ac_zero) {
    showMessage(strprintf("B_ac_zero = %6.3f, pdata[1] = xxx", B_ac_zero),
                "calc_pct_perm_ac ERROR ");
}

template <typename AcMag>
std::optional<PermPair> iterateFlux(double B_ac_zero, std::string_view material, double Bmax,
                                    double mu, AcDiagnostics diagnostics, const AcMag& acMag) {
    FluxIteration<AcMag> iteration(B_ac_zero, material, Bmax, mu, diagnostics, acMag);
    while (iteration.running()) {
        iteration.step();
    }
    if (iteration.failed()) {
        showIterationError(B_ac_zero);
        return std::nullopt;
    }
    return iteration.pair();
}

// The limits of a material and whether B_ac_zero lies in the closed-form saturation range.
struct AcLimits {
    float Bmax = 0.0F;
    float satFraction = 0.0F;
    float initialPerm = 0.0F;
    bool saturated(double B_ac_zero) const {
        return satFraction > 0.0F && B_ac_zero > 0.0 && initialPerm > 0.0F &&
               Bmax / satFraction <= B_ac_zero;
    }
};

} // namespace

std::optional<PermPair> calc_pct_perm_ac(double B_ac_zero, std::string_view material,
                                         const MaterialModel& model, AcDiagnostics diagnostics) {
    AcLimits limits;
    if (model.acLimits(material, limits.Bmax, limits.satFraction, limits.initialPerm) == -1) {
        return std::nullopt;
    }
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
    if (typeid(model) == typeid(PowderMaterialModel)) {
        if (const auto resolved = resolveAcMag(material)) {
            return iterateFlux(B_ac_zero, material, limits.Bmax, mu, diagnostics, *resolved);
        }
    }
    return iterateFlux(B_ac_zero, material, limits.Bmax, mu, diagnostics,
                       model.acMagEvaluator(material));
}

std::array<std::optional<PermPair>, 2>
calc_pct_perm_ac_pair(double B1, double B2, std::string_view material, const MaterialModel& model) {
    // Two iterations are chains of dependent divisions and roots; run side by side they
    // overlap in the processor, which nearly halves the time of the 60 Hz operating point.
    // Every case off the common path (another model, an unknown material, saturation, a
    // failed evaluation) is answered by the two calls in turn, with their messages in order.
    auto inTurn = [&]() -> std::array<std::optional<PermPair>, 2> {
        return {calc_pct_perm_ac(B1, material, model, AcDiagnostics::Quiet),
                calc_pct_perm_ac(B2, material, model, AcDiagnostics::Quiet)};
    };
    if (typeid(model) != typeid(PowderMaterialModel)) {
        return inTurn();
    }
    // Resolving first keeps an unknown material's messages to those of the two calls.
    const auto resolved = resolveAcMag(material);
    AcLimits limits;
    if (!resolved ||
        model.acLimits(material, limits.Bmax, limits.satFraction, limits.initialPerm) == -1 ||
        limits.saturated(B1) || limits.saturated(B2)) {
        return inTurn();
    }
    const double mu = limits.initialPerm;
    FluxIteration<ResolvedAcMag> first(B1, material, limits.Bmax, mu, AcDiagnostics::Quiet,
                                       *resolved);
    FluxIteration<ResolvedAcMag> second(B2, material, limits.Bmax, mu, AcDiagnostics::Quiet,
                                        *resolved);
    while (first.running() || second.running()) {
        if (first.running()) {
            first.step();
        }
        if (second.running()) {
            second.step();
        }
    }
    if (first.failed() || second.failed()) {
        return inTurn();
    }
    return {first.pair(), second.pair()};
}

} // namespace korvane
