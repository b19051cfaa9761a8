#include "engine/ApplicationModels.h"

#include "domain/SharedTypes.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/AcPermeability.h"
#include "materials/MaterialLists.h"
#include "materials/MaterialModel.h"

#include <cmath>

namespace korvane {

namespace {

constexpr double kOerstedPerAmpTurnPerCm = 1.256636;

// Newton iterations that the models leave without a bound get this many passes; one that
// has not settled by then finds no operating point.
constexpr int kMaxNewtonPasses = 1000;
// Passes of the DC-bias turns iteration; one that has not settled by then finds no point.
constexpr int kMaxBiasPasses = 500;

bool isFinite(double x) {
    return std::isfinite(x);
}

} // namespace

CandidateQuantities candidateQuantities(const DesignPFE& d, const CoreRecord& core, double N,
                                        double mu) {
    CandidateQuantities q;
    const double f = d.fkHz;
    const double Ae = core.Ae;
    const double AL = core.AL;
    switch (d.application) {
    case Application::DcBiased:
    case Application::ControlledSwing:
    case Application::WideSwing: {
        q.currentSquared = static_cast<double>(d.I1peak) * d.I1peak;
        const double von = d.Von;
        const double voff = d.Voff;
        if (N * Ae * f * von * voff > 0.0) {
            const double E = 2.0 * von * voff / (von + voff);
            q.acFlux = E * 0.25 * 1e5 / (N * Ae * f);
        }
        q.lossFrequencyKHz = f;
        q.lossFlux = q.acFlux;
        q.biasScale = N > 0.0 ? core.le / (0.4 * kPi * N) : 0.0;
        q.pfcRatio = 0.0;
        break;
    }
    case Application::PfcBoost:
        q.currentSquared = static_cast<double>(d.I1peak) * d.I1peak / 2.0;
        if (N * Ae * f > 0.0) {
            q.acFlux = static_cast<double>(d.Vpfc1) * 0.25 * 1e5 / (N * Ae * f) * 0.5;
        }
        q.lossFrequencyKHz = f;
        q.lossFlux = 2.0 * q.acFlux;
        q.biasScale = N > 0.0 ? core.le / (0.4 * kPi * N) : 0.0;
        if (static_cast<double>(d.Vpfc1) > 1e-6) {
            q.pfcRatio = static_cast<double>(d.Vpfc2) / d.Vpfc1;
        }
        break;
    case Application::Line60Hz: {
        const double i1 = d.I1rms;
        const double i2 = d.I2rms;
        const double imax = std::max(i1, i2);
        q.currentSquared = imax * imax;
        if (N * Ae < 0.0001) {
            showMessage(
                strprintf("Core: %s, N = %3.0f, AC = %3.4f", core.partNumber.c_str(), N, Ae),
                "ACINDUCTOR Design error: ");
        }
        q.acFlux = Ae > 0.0 ? std::sqrt(2.0) * (mu * 0.01 * N) * i1 * AL / Ae * 0.1 : 0.0;
        q.lossFrequencyKHz = static_cast<double>(d.fHz) * 0.001;
        q.lossFlux = q.acFlux;
        q.biasScale = N * AL > 0.0 ? 10.0 * Ae / (std::sqrt(2.0) * N * AL) : 0.0;
        break;
    }
    case Application::Resonant: {
        const double ipk = d.Ipk;
        q.currentSquared = ipk * ipk / 2.0;
        if (N * Ae * f > 0.0 && mu > 0.0) {
            const double E = N * N * f * 4e-6 * ipk * AL * 100.0 / mu;
            q.acFlux = E * 0.25 * 1e5 / (N * Ae * f);
        }
        q.lossFrequencyKHz = f;
        q.lossFlux = q.acFlux;
        q.biasScale = N * AL > 0.0 ? 10.0 * Ae / (std::sqrt(2.0) * N * AL) : 0.0;
        break;
    }
    }
    return q;
}

std::optional<float> dcBiasPercentPerm(std::string_view material, double L1, double I, double AL,
                                       double le, const MaterialModel& model) {
    if (!(AL > 0.0) || !(le > 0.0)) {
        return std::nullopt;
    }
    const double h = kOerstedPerAmpTurnPerCm * I / le;
    const double H0squared = h * h * L1 * 1e6 / AL;
    const double Hmax = model.biasSearchMax(material);
    double H = model.biasSearchStart(material);
    double k = model.biasSearchStep(material);
    if (std::fabs(Hmax * H * k) < 1e-16 || !isFinite(H0squared)) {
        return std::nullopt;
    }
    double step = 10.0;
    double mu = 100.0;
    for (int i = 1; std::fabs(step) * 100.0 > H; ++i) {
        if (i > kMaxBiasPasses) {
            return std::nullopt;
        }
        double slope = 0.0;
        if (H > 1.0) {
            float s = 0.0F;
            mu = model.dcPercentPerm(material, 0, s, H);
            slope = s;
        } else {
            mu = 100.0;
        }
        if (mu > 100.0) {
            mu = 100.0;
        }
        const double denominator = H * slope * 0.01 + 2.0 * mu * 0.01;
        if (!(denominator != 0.0) || !isFinite(denominator)) {
            return std::nullopt;
        }
        step = (H0squared / H - H * mu * 0.01) / denominator;
        if (i > 100) {
            k = std::pow(2.0, -std::floor(i / 100.0));
        }
        H += step * k;
        if (!(H >= 0.0 && H <= Hmax)) {
            return std::nullopt;
        }
    }
    return static_cast<float>(std::min(mu, 100.0));
}

float swingPercentPerm(Application application, std::string_view material, CoreShape shape,
                       double AL, double le, double L1, double I1, double L2, double I2,
                       const MaterialModel& model) {
    if (L1 > L2 || I1 < I2 || I1 == 0.0 || !(AL > 0.0) || !(le > 0.0) || !(L2 > 0.0)) {
        return -1.0F;
    }
    const double rho = 0.8 * L1 / L2;
    double t = 0.0;
    double c = 0.0;
    double x = 0.0;
    if (shape == CoreShape::Composite) {
        t = (rho > 0.02 && rho < 0.12) ? 100.0 * rho : (rho > 0.12 ? 12.0 : 2.0);
        c = 0.053;
        x = -0.45;
    } else {
        t = rho > 0.2 ? 100.0 * rho : 20.0;
        c = 40.0;
        x = -0.75;
    }
    auto lookup = [&](double H) { return model.dcPercentPermPair(material, 50, H); };

    double H = c * std::pow(t / 100.0, 1.0 / x);
    double step = 10.0;
    const double h1 = kOerstedPerAmpTurnPerCm * I1 / le;
    int passes = 0;
    while (std::fabs(step) * 100.0 > H) {
        if (++passes > kMaxNewtonPasses) {
            return -1.0F;
        }
        const auto pair = lookup(H);
        if (!pair) {
            return -1.0F;
        }
        const double value = pair->value;
        const double slope = pair->slope;
        if (H == 0.0 || H * slope + 2.0 * value == 0.0) {
            showMessage(strprintf("L1 = %4.3f, L2 = %4.3f, I1 = %4.3f, I2 = %4.3f \n percent_2= = "
                                  "%4.3f, x= = -0.75, H2 = %4.3f, pctmudot = %7.3f, PercentPerm = "
                                  "%3.1f",
                                  L2, L1, I2, I1, value, H, slope, value),
                        "ERROR ");
            return -1.0F;
        }
        step =
            (h1 * h1 * L1 * 1e6 / (AL * H) - H * value * 0.01) * 100.0 / (H * slope + 2.0 * value);
        H += 0.7 * step;
        if (H < 0.0 || H > 400.0 || !isFinite(H)) {
            break;
        }
    }
    if (!(H < 150.0 && H > 0.0)) {
        return -1.0F;
    }
    double H2 = H * I2 / I1;
    const auto at1 = lookup(H);
    const auto at2 = lookup(H2);
    if (!at1 || !at2) {
        return -1.0F;
    }
    double mu1 = at1->value;
    const double mu2 = at2->value;
    if (application == Application::ControlledSwing) {
        return mu1 * L2 >= mu2 * L1 ? static_cast<float>(mu1) : -1.0F;
    }
    if (mu1 * L2 <= mu2 * L1) {
        return static_cast<float>(mu1);
    }
    // The permeability at the minimum current is too high: solve for L2 at I2 instead.
    const double h2 = kOerstedPerAmpTurnPerCm * I2 / le;
    step = 10.0;
    passes = 0;
    while (H2 > 0.1 && std::fabs(step) * 100.0 > H2) {
        if (++passes > kMaxNewtonPasses) {
            return -1.0F;
        }
        const auto pair = lookup(H2);
        if (!pair) {
            return -1.0F;
        }
        const double denominator = H2 * pair->slope + 2.0 * pair->value;
        if (denominator == 0.0 || !isFinite(denominator)) {
            return -1.0F;
        }
        step = (h2 * h2 * L2 * 1e6 / (AL * H2) - H2 * pair->value * 0.01) * 100.0 / denominator;
        H2 += 0.3 * step;
    }
    if (I2 > 0.0) {
        H = H2 * I1 / I2;
    }
    const auto final1 = lookup(H);
    if (!final1) {
        return -1.0F;
    }
    mu1 = final1->value;
    return H < 150.0 ? static_cast<float>(mu1) : -1.0F;
}

bool resonantCoreAccepted(std::string_view material, double AL, double L1, double Ipk, double Ae) {
    if (!isInResonantList(material) || !(Ae > 0.0) || !(AL * L1 >= 0.0)) {
        return false;
    }
    return std::sqrt(AL * L1) * 0.1 * Ipk / Ae < 10000.0;
}

} // namespace korvane
