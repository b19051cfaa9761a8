#include "analysis/Aging.h"

#include "materials/AgingTable.h"
#include "materials/CoreLoss.h"
#include "materials/MaterialLists.h"
#include "materials/MaterialModel.h"
#include "settings/DesignParameters.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace korvane {

namespace {

// Temperature steps of one evaluation: each is at least 0.13 C between -100 and 250 C
// (under 3000 steps); the bound only guards against coefficients outside the table.
constexpr int kMaxTemperatureSteps = 100000;
// Smallest step taken while walking up to the vertex of the rate law, C.
constexpr double kMinimumVertexStep = 0.01;
// Largest step when the rate law has no vertex (k3 <= 0), C.
constexpr double kFallbackStep = 10.0;

// End-of-life search and sampling.
constexpr int kSearchRounds = 100;
constexpr double kSearchFactor = 3.1623;
constexpr double kEarlyStopFraction = 0.9;
constexpr double kLongestTime = 1e8;
constexpr double kNegligibleOnsetHours = 30000.0;
constexpr double kDefaultSampleStep = 1.2589254;
constexpr double kSampleStepNudge = 5e-7;
constexpr double kLossGrowthLimit = 0.15;
constexpr double kInitialLifeLimit = 1e6;
constexpr double kNegligibleTimeTo115 = 300000.0;

// The loss-growth law of one mix.
class RateLaw {
  public:
    RateLaw(const AgingRow& row, double I)
        : k2_(row.k2), k3_(row.k3), I_(I), hasVertex_(row.k3 > 0.0F),
          vertex_(hasVertex_ ? -k2_ / (2.0 * k3_) : -std::numeric_limits<double>::infinity()) {}

    // phi(T), held at its minimum below the vertex.
    double phi(double T) const {
        const double t = std::max(T, vertex_);
        return t * (k2_ + k3_ * t);
    }
    // d phi / dT, 0 below the vertex.
    double slope(double T) const { return std::max(k2_ + 2.0 * k3_ * T, 0.0); }

    // The next temperature of the walk: phi grows by 0.01 per step (0.01 / phi'(T)). Near
    // and below the vertex phi' vanishes or turns negative, so the step is capped at the one
    // that raises phi by 0.01 from the vertex, and a core below the vertex walks up to it.
    double next(double T) const {
        const double cap = hasVertex_ ? std::sqrt(kAgingPhiStep / k3_) : kFallbackStep;
        const double s = k2_ + 2.0 * k3_ * T;
        if (s > 0.0) {
            return T + std::min(kAgingPhiStep / s, cap);
        }
        if (!hasVertex_) {
            return T + cap;
        }
        return T + std::clamp(vertex_ - T, kMinimumVertexStep, cap);
    }

    // Hours at core temperature T until the loss has grown by dP.
    double hoursFor(double dP, double T) const {
        return std::pow(std::max(dP, 0.0) * std::exp(-phi(T)) / I_, 1.0 / kAgingTimeExponent);
    }

    double I() const { return I_; }

  private:
    double k2_;
    double k3_;
    double I_;
    bool hasVertex_;
    double vertex_;
};

bool finite(double x) {
    return std::isfinite(x);
}

} // namespace

int calc_aging_state(const MaterialModel& /*model*/, AgingState& result, std::string_view material,
                     double t, double B, double f, double Ae, double Ta, double P0, double A,
                     double Vol, double k, double e) {
    std::string_view code = material;
    double volume = Vol;
    if (const auto composite = findCompositeMaterial(material)) {
        code = compositeBaseMaterial();
        volume *= static_cast<double>(composite->agingVolumeFactor);
    }

    const double ta = finite(Ta) ? std::max(Ta, kAgingLowestAmbient) : kAgingLowestAmbient;
    const bool heated = A > 0.0 && P0 > 0.0 && k > 0.0 && e > 0.0 && finite(A) && finite(P0) &&
                        finite(k) && finite(e);
    auto coreTemperature = [&](double P) {
        return heated && P > 0.0 ? ta + std::pow(k * P / A, e) : ta;
    };
    const double T0 = coreTemperature(P0);

    const std::optional<AgingRow> row = findAgingRow(code);
    if (!row) {
        result = {0.0, 0.0, T0, 0.0};
        return kAgingNone;
    }

    const double I =
        kAgingScale * std::exp(static_cast<double>(row->k1)) * (B * f) * (B * f) * Ae * volume;
    const AgingState negligible{kAgingHorizon, kAgingThreshold * P0, T0, 0.0};
    if (!heated || !(I > 0.0) || !finite(I) || !finite(T0)) {
        result = heated ? negligible : AgingState{kAgingHorizon, 0.0, T0, 0.0};
        return kAgingNone;
    }
    const RateLaw law(*row, I);
    const double growth = I * std::exp(law.phi(T0)) * std::pow(kAgingHorizon, kAgingTimeExponent);
    if (growth < kAgingThreshold * P0 || T0 > kAgingCeiling) {
        result = negligible;
        return kAgingNone;
    }

    // Hours to 1 % growth at the starting temperature; never evaluate earlier than that.
    const double t1 = law.hoursFor(kAgingThreshold * P0, T0);
    const double requested = t > t1 ? t : t1;

    double time = 0.0;
    double dP = 0.0;
    double T = T0;
    double G = 0.0;
    double previousTime = 0.0;
    double previousDp = 0.0;
    for (int step = 0; time <= requested; ++step) {
        T = law.next(T);
        if (T > kAgingCeiling || G >= kRunawayGain || step == kMaxTemperatureSteps) {
            result = {time, dP, T, G};
            return kAgingStopped;
        }
        previousTime = time;
        previousDp = dP;
        // The extra loss that holds the core at T, and the hours it takes to grow at T.
        dP = std::max(std::pow(T - ta, 1.0 / e) * A / k - P0, 0.0);
        time += law.hoursFor(dP, T) - law.hoursFor(previousDp, T);
        G = law.slope(T) * e * (T - ta) * dP / (k * (P0 + dP));
    }

    const double span = time - previousTime;
    const double atRequested =
        span > 0.0 ? previousDp + (dP - previousDp) * (requested - previousTime) / span : dP;
    result = {requested, atRequested, coreTemperature(P0 + atRequested), G};
    return kAgingReached;
}

float calc_aging_time(int mode, AgingSeries* series, std::string_view material, double B, double f,
                      double Ae, double Ta, double P0, double A, double Vol, double k, double e,
                      const MaterialModel& model) {
    AgingState s;
    auto evaluate = [&](double r) {
        calc_aging_state(model, s, material, r, B, f, Ae, Ta, P0, A, Vol, k, e);
    };

    // End of life: from the 1 % time upwards by half decades until an evaluation stops early.
    const bool lossy = P0 > 0.0 && finite(P0);
    double r = 0.0;
    double t1 = lossy ? 0.0 : kAgingHorizon; // no loss ages as negligibly as it can
    double tend = t1;
    for (int round = 0; lossy && round < kSearchRounds; ++round) {
        evaluate(r);
        tend = s.time;
        if (round == 0) {
            r = s.time;
            t1 = s.time;
        }
        if (s.time < kEarlyStopFraction * r || r > kLongestTime || t1 >= kNegligibleOnsetHours) {
            break;
        }
        r *= kSearchFactor;
    }
    tend = std::min(tend, kLongestTime);

    // 32 samples from t1 to the end of life, evenly spaced in log time.
    double step = kDefaultSampleStep;
    if (tend > t1 && t1 > 0.0) {
        const double perDecade = std::max(std::floor(31.0 / std::log10(tend / t1)), 1.0);
        step = std::pow(10.0, 1.0 / perDecade) + kSampleStepNudge;
    }

    const double limitLoss = kLossGrowthLimit * P0;
    double timeTo115 = 0.0;
    bool crossed = false;
    std::optional<AgingState> lastBelow;
    double lastBelowTime = 0.0;
    double life = kInitialLifeLimit;
    double lastGain = 0.0;
    int lastGainIndex = -2;
    r = t1;
    for (int j = 0; j < static_cast<int>(kAgingSamples); ++j) {
        evaluate(r);
        if (!crossed) {
            if (s.dP < limitLoss) {
                lastBelow = s;
                lastBelowTime = r;
                timeTo115 = r;
            } else {
                // The first sample at 15 % or more: where the growth passed 15 %, between the
                // last sample below and this one (or from no growth at time 0). Both are
                // placed at the times asked for; an evaluation that stopped early at runaway
                // or 250 C still stands at its sample time.
                crossed = true;
                const double t0 = lastBelow ? lastBelowTime : 0.0;
                const double d0 = lastBelow ? lastBelow->dP : 0.0;
                const double rise = s.dP - d0;
                timeTo115 = rise > 0.0 ? t0 + (r - t0) * (limitLoss - d0) / rise : r;
            }
        }
        if (s.G < 1.0) {
            lastGainIndex = j;
            life = s.time;
            lastGain = s.G;
        } else if (j == lastGainIndex + 1) {
            const double rise = s.G - lastGain;
            if (rise > 0.0) {
                life += (s.time - life) * (1.0 - lastGain) / rise;
            }
        }
        if (series != nullptr) {
            double value = 0.0;
            switch (mode) {
            case kAgingSeriesLoss:
                value = s.dP;
                break;
            case kAgingSeriesTemp:
                value = s.T;
                break;
            case kAgingSeriesTempLimit:
                value = std::min(s.T, kAgingCeiling);
                break;
            case kAgingSeriesGain:
                value = s.G;
                break;
            default:
                break;
            }
            (*series)[static_cast<std::size_t>(j)] = {static_cast<float>(s.time),
                                                      static_cast<float>(value)};
        }
        if (s.time >= r) {
            r *= step;
        }
    }
    if (t1 >= kNegligibleOnsetHours) {
        timeTo115 = kNegligibleTimeTo115;
        life = kLongestTime;
    }

    switch (mode) {
    case kAgingTimeTo115:
        return static_cast<float>(timeTo115);
    case kAgingLifeLimit:
        return static_cast<float>(life);
    case kAgingSeriesLoss:
    case kAgingSeriesTemp:
    case kAgingSeriesTempLimit:
    case kAgingSeriesGain:
        return static_cast<float>(kAgingSamples - 1);
    default:
        return 0.0F;
    }
}

void calc_aging_rows(Application application, const DesignParameters& parameters,
                     const CoreRecord& core, const DesignCandidate& c,
                     const Requirement& conditions, const MaterialModel& model,
                     ElectricalRows& rows) {
    rows[13] = {"Time To 115 % Loss", "%8.3g", 0.0F, "Hours"};
    rows[14] = {"Life Limit", "%8.3g", 0.0F, "Hours"};
    const int index = toIndex(application);
    if (index < 0 || index >= kApplicationCount) {
        return;
    }
    if (!(c.coreLoss > 0.0F) ||
        !(static_cast<double>(conditions.Ta) + static_cast<double>(c.tempRise) < kAgingCeiling)) {
        return;
    }
    // A boost inductor's flux swings with the rectified line: its aging flux is the RMS over
    // the half-cycle of the ripple flux.
    double factor = 1.0;
    if (application == Application::PfcBoost) {
        factor = 0.5 * std::sqrt(pfcLineAverage(c.pfcRatio, 2.0, 12));
    }
    const ParameterSet& p = parameters.set(application);
    const double B = static_cast<double>(c.acFlux) * factor;
    const double P0 = static_cast<double>(c.coreLoss) + static_cast<double>(c.copperLoss);
    for (int mode : {kAgingTimeTo115, kAgingLifeLimit}) {
        rows[mode == kAgingTimeTo115 ? 13 : 14].value =
            calc_aging_time(mode, nullptr, core.material, B, c.frequency, core.Ae, conditions.Ta,
                            P0, c.surfaceArea, c.coreVolume, p.Trise_f, p.Trise_ex, model);
    }
}

} // namespace korvane
