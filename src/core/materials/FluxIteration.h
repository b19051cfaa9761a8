#pragma once

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/AcMagLaw.h"
#include "materials/PermPair.h"

#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvane {

// The caption of the iteration's diagnostics, made once.
const std::string& fluxIterationCaption();

// At most 500 passes, ended within 100 gauss; the high-flux diagnostics from 10000 gauss.
inline constexpr int kFluxIterationPasses = 500;
inline constexpr double kFluxIterationTolerance = 100.0;
inline constexpr double kFluxIterationReport = 10000.0;

template <typename AcMag>
struct FluxLanes;

// The self-consistent flux iteration over an evaluator of %mu(B) for one material, one pass
// at a time, so that independent iterations can run interleaved. Its two diagnostics are
// held until showReports, so that interleaved iterations still show them call by call.
template <typename AcMag>
class FluxIteration {
  public:
    // `report`: the material is a high-flux mix and its diagnostics are wanted.
    FluxIteration(double B_ac_zero, std::string_view material, double Bmax, double mu, bool report,
                  const AcMag& acMag)
        : B_ac_zero_(B_ac_zero), material_(material), Bmax_(Bmax), mu_(mu), report_(report),
          acMag_(acMag), estimate_(B_ac_zero) {}

    bool running() const {
        return !ended_ && err_ > kFluxIterationTolerance && pass_ < kFluxIterationPasses;
    }
    // True when the evaluator had no value at an estimate; the iteration has then ended.
    bool failed() const { return failed_; }
    const PermPair& pair() const { return pair_; }

    // The diagnostics of the passes run so far, in the order they arose.
    void showReports() const {
        for (const std::string* text : {&passReport_, &estimateReport_}) {
            if (!text->empty()) {
                showMessage(*text, fluxIterationCaption());
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
        if (report_ && passReport_.empty() && B_ac_zero_ > kFluxIterationReport) {
            const double data2 = perm / newtonDen * mu_;
            passReport_ =
                strprintf("Material %s B_ac_zero = %6.3f pct perm %6.3f, permdot %6.3f "
                          "data2 %6.3f",
                          std::string(material_).c_str(), B_ac_zero_, perm, permdot * 100.0, data2);
        }
        err_ = std::fabs(estimate_ - B_ac_zero_ * perm);
        // Halved where the last step overshot; written as a selection, which the processor
        // evaluates without a branch that the data would mispredict.
        convf_ = estimate_ * delB_ > B_ac_zero_ * perm * delB_ ? convf_ * 0.5 : convf_;
        delB_ = (B_ac_zero_ * perm - estimate_) / newtonDen;
        const double lastEstimate = estimate_;
        estimate_ += delB_ * convf_;
        if (report_ && estimateReport_.empty() && estimate_ > kFluxIterationReport) {
            estimateReport_ = strprintf("Material %s B_ac_zero = %6.3f B_err %6.1f  last est "
                                        "%6.3f, Bac_est %6.3f delB %6.3f",
                                        std::string(material_).c_str(), B_ac_zero_, err_,
                                        lastEstimate, estimate_, delB_);
        }
        estimate_ = estimate_ > Bmax_ ? Bmax_ : estimate_;
        // An estimate that no longer moves (held at Bmax, or a step below its resolution)
        // would repeat this pass exactly until the pass limit: its pair is the answer.
        ended_ = ended_ || estimate_ == lastEstimate;
    }

  private:
    template <typename>
    friend struct FluxLanes;

    double B_ac_zero_;
    std::string_view material_;
    double Bmax_;
    double mu_;
    bool report_;
    AcMag acMag_;
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

// Steps each iteration one pass, as its own step would. Iterations of the two AC fits run
// side by side in vector registers, two per SSE2 vector or four per AVX2 vector where the
// processor has it. Any other iteration, or a group where one leaves the fitted range or is
// due for a diagnostic, takes its own step.
// `widest` false keeps to the two-lane step that every x86-64 processor has.
void stepFluxIterations(std::span<FluxIteration<ResolvedAcMag>* const> iterations,
                        bool widest = true);

} // namespace korvane
