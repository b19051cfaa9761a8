#include "materials/AcPermeability.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/MaterialLists.h"
#include "materials/PowderMaterialModel.h"

#include <cmath>
#include <string>
#include <typeinfo>

namespace korvane {

namespace {

constexpr int kMaxPasses = 500;
constexpr double kTolerance = 100.0; // gauss
constexpr double kHighFluxReport = 10000.0;
constexpr const char* kCaption = "Return from calc_pct_perm_ac";

// The self-consistent flux iteration over an evaluator of %mu(B) for one material.
template <typename AcMag>
std::optional<PermPair> iterateFlux(double B_ac_zero, std::string_view material, double Bmax,
                                    double mu, AcDiagnostics diagnostics, const AcMag& acMag) {
    const bool report = diagnostics == AcDiagnostics::Show && isHighFluxMaterial(material);
    bool reportedPass = false;
    bool reportedEstimate = false;
    double estimate = B_ac_zero;
    double convf = 0.5;
    double delB = 1000.0;
    double err = 200.0;
    PermPair pair;
    for (int pass = 0; err > kTolerance && pass < kMaxPasses; ++pass) {
        const auto p = acMag(estimate);
        if (!p) {
            showMessage(strprintf("B_ac_zero = %6.3f, pdata[1] = xxx", B_ac_zero),
                        "calc_pct_perm_ac ERROR ");
            return std::nullopt;
        }
        pair = *p;
        const double perm = pair.value / 100.0;
        const double permdot = pair.slope / 100.0;
        // Newton on e - B_ac_zero perm(e) = 0. Where its derivative vanishes the step falls
        // back to a plain fixed-point step instead of dividing by zero.
        double newtonDen = 1.0 - B_ac_zero * permdot;
        if (newtonDen == 0.0 || !std::isfinite(newtonDen)) {
            newtonDen = 1.0;
        }
        if (report && !reportedPass && B_ac_zero > kHighFluxReport) {
            reportedPass = true;
            const double data2 = perm / newtonDen * mu;
            showMessage(strprintf("Material %s B_ac_zero = %6.3f pct perm %6.3f, permdot %6.3f "
                                  "data2 %6.3f",
                                  std::string(material).c_str(), B_ac_zero, perm, permdot * 100.0,
                                  data2),
                        kCaption);
        }
        err = std::fabs(estimate - B_ac_zero * perm);
        if (estimate * delB > B_ac_zero * perm * delB) {
            convf *= 0.5; // the last step overshot
        }
        delB = (B_ac_zero * perm - estimate) / newtonDen;
        const double lastEstimate = estimate;
        estimate += delB * convf;
        if (report && !reportedEstimate && estimate > kHighFluxReport) {
            reportedEstimate = true;
            showMessage(strprintf("Material %s B_ac_zero = %6.3f B_err %6.1f  last est %6.3f, "
                                  "Bac_est %6.3f delB %6.3f",
                                  std::string(material).c_str(), B_ac_zero, err, lastEstimate,
                                  estimate, delB),
                        kCaption);
        }
        if (estimate > Bmax) {
            estimate = Bmax;
        }
        // An estimate that no longer moves (held at Bmax, or a step below its resolution)
        // repeats this pass exactly until the pass limit: its pair is the answer.
        if (estimate == lastEstimate) {
            break;
        }
    }
    return pair;
}

} // namespace

std::optional<PermPair> calc_pct_perm_ac(double B_ac_zero, std::string_view material,
                                         const MaterialModel& model, AcDiagnostics diagnostics) {
    float Bmax = 0.0F;
    float satFraction = 0.0F;
    float initialPerm = 0.0F;
    if (model.acLimits(material, Bmax, satFraction, initialPerm) == -1) {
        return std::nullopt;
    }
    const double mu = initialPerm;

    // Driven past saturation: the permeability left over the fitted range plus free space.
    if (satFraction > 0.0F && B_ac_zero > 0.0 && mu > 0.0 && Bmax / satFraction <= B_ac_zero) {
        const double fraction =
            (1.0 + Bmax * (1.0 - 1.0 / (satFraction * mu)) * mu / B_ac_zero) / mu;
        const double slope = (1.0 - fraction * mu) * mu / B_ac_zero;
        return PermPair{static_cast<float>(100.0 * fraction), static_cast<float>(100.0 * slope)};
    }

    // The built-in model is evaluated through its resolved rows, inlined into the loop;
    // any other model through its own evaluator.
    if (typeid(model) == typeid(PowderMaterialModel)) {
        if (const auto resolved = resolveAcMag(material)) {
            return iterateFlux(B_ac_zero, material, Bmax, mu, diagnostics, *resolved);
        }
    }
    return iterateFlux(B_ac_zero, material, Bmax, mu, diagnostics, model.acMagEvaluator(material));
}

} // namespace korvane
