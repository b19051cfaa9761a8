#include "graphs/AgingGraph.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/CoreLoss.h"

#include <cmath>
#include <string>

namespace korvane {

namespace {

constexpr std::string_view kAgingTitle = "CORE TEMPERATURE vs TIME";
constexpr std::string_view kTimeLabel = "TIME IN HOURS";
constexpr std::string_view kTemperatureLabel = "TEMP, DEG C";
constexpr int kAgingXDecades = 4;
// Below this product of the inputs some of them are missing or zero.
constexpr double kIncompleteProduct = 1e-6;
// A wound surface under this (cm^2) gives no meaningful temperature rise.
constexpr double kSmallestSurface = 0.1;

bool isSeriesMode(int mode) {
    return mode == kAgingSeriesLoss || mode == kAgingSeriesTemp || mode == kAgingSeriesTempLimit ||
           mode == kAgingSeriesGain;
}

// Peak AC flux the core ages at: a boost inductor's ripple flux follows the rectified line,
// so it ages at the RMS over the half-cycle, acFlux sqrt(M) with M the mean square ripple.
double agingFlux(Application application, const DesignCandidate& design) {
    const double B = design.acFlux;
    if (application == Application::PfcBoost) {
        return B * std::sqrt(pfcLineAverage(design.pfcRatio, 2.0, 12));
    }
    return B;
}

} // namespace

std::optional<AgingSeries> AgingGraph(int mode, const MaterialModel& model,
                                      std::string_view material, double B, double f, double Ae,
                                      double Ta, double copperLoss, double coreLoss, double A,
                                      double Vol, double k, double e) {
    const double P0 = copperLoss + coreLoss;
    const double product = B * f * Ae * Ta * P0 * A * Vol * e;
    // Written so that a NaN or infinite product refuses too.
    if (!(product >= kIncompleteProduct) || !std::isfinite(product)) {
        showMessage("incomplete data", "ERROR in AgingGraph");
        return std::nullopt;
    }
    if (A < kSmallestSurface || !isSeriesMode(mode)) {
        return std::nullopt;
    }
    AgingSeries series{};
    calc_aging_time(mode, &series, material, B, f, Ae, Ta, P0, A, Vol, k, e, model);
    return series;
}

int set_aging_graph(GraphState& state, const AgingSeries& series, double horizon) {
    state.graphKind = kGraphAging;
    state.xStart = 1.0F;
    state.xDecades = kAgingXDecades;
    state.yDecades = 0;
    state.curveCount = 1;
    state.curveReference[0] = 1.0F;
    state.pointsPerCurve = static_cast<int>(kAgingSamples);
    CurvePoints& points = state.points[0];
    points.fill({});
    for (std::size_t j = 0; j < kAgingSamples; ++j) {
        points[j] = {series[j].time, series[j].value};
    }

    std::size_t reached = 0;
    while (reached < kAgingSamples && static_cast<double>(series[reached].time) < horizon) {
        ++reached;
    }
    // The time never leaves the first sample's before the horizon: the core does not age.
    if (reached == 0 || series[reached - 1].time == series[0].time) {
        showMessage(strprintf(" %s:  EXHIBITS NEGLIGIBLE AGING OVER  %4.0e HOURS ",
                              state.description.c_str(), horizon),
                    "Aging Data");
        return 0;
    }
    state.caption = std::string(kAgingTitle);
    state.setPrintTitle(kAgingTitle);
    state.xLabel = std::string(kTimeLabel);
    state.yLabel = std::string(kTemperatureLabel);
    return 1;
}

int show_aging_graph(GraphState& state, const PowderMaterialModel& model, Application application,
                     const DesignCandidate& design, double frequencyHz, double ambient,
                     const DesignParameters& parameters) {
    const int index = toIndex(application);
    if (index < 0 || index >= kApplicationCount) {
        return 0;
    }
    std::string material;
    model.materialFromPartNumber(material, design.partNumber);
    if (model.checkAgingDisplay(design.partNumber, design.coreLoss) == 0) {
        return -1;
    }

    const double B = agingFlux(application, design);
    const ParameterSet& rise = parameters.set(application);
    const std::optional<AgingSeries> series = AgingGraph(
        kAgingSeriesTemp, model, material, B, frequencyHz, design.ae, ambient, design.copperLoss,
        design.coreLoss, design.surfaceArea, design.coreVolume, rise.Trise_f, rise.Trise_ex);
    if (!series) {
        return 0;
    }
    state.setDescription(strprintf("CORE:  %s @ %4.0f Gauss ac, %3.0f deg C",
                                   design.partNumber.c_str(), B,
                                   ambient + static_cast<double>(design.tempRise)));
    return set_aging_graph(state, *series, kAgingGraphHorizon);
}

} // namespace korvane
