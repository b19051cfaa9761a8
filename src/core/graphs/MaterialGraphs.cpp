#include "graphs/MaterialGraphs.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/MaterialLists.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane {

namespace {

constexpr double kDcBiasStep = 1.27045;
constexpr double kDcBiasLimit = 350.0;
constexpr double kLowDcBiasLimit = 250.0;
constexpr double kCompositeBiasStart = 0.1;
constexpr double kCompositeBiasLimit = 100.0;
constexpr double kFluxStep = 1.12421;
constexpr double kFluxLimit = 12000.0;
constexpr double kLowFluxLimit = 6000.0;
// The frequency factor is held as a 32-bit float: 1.2153999805.
constexpr double kFrequencyStep = static_cast<double>(1.2154F);
constexpr double kLoss1kHz = 1000.0;
constexpr double kLoss100kHz = 100000.0;

float stored(double v) {
    constexpr double kLimit = std::numeric_limits<float>::max();
    return std::isfinite(v) ? static_cast<float>(std::clamp(v, -kLimit, kLimit)) : 0.0F;
}

double valueOrZero(const std::optional<PermPair>& pair) {
    return pair ? static_cast<double>(pair->value) : 0.0;
}

// The x of point i and the model's answer there, for one material.
GraphPoint samplePoint(int kind, std::string_view material, int i, const MaterialModel& model) {
    double x = 0.0;
    double y = 0.0;
    switch (kind) {
    case kGraphInitialPermVsDcBias:
        x = dcBiasSample(material, i);
        y = valueOrZero(model.dcPermeabilityPair(material, 0, x));
        break;
    case kGraphPercentPermVsDcBias:
        x = dcBiasSample(material, i);
        y = valueOrZero(model.dcPercentPermPair(material, 0, x));
        break;
    case kGraphPercentPermVsAcFlux:
        x = acFluxSample(material, i);
        y = valueOrZero(model.calc_ac_mag(material, x));
        break;
    case kGraphPermVsFrequency:
        x = frequencySample(i);
        y = model.permeabilityAtFrequency(material, x);
        break;
    case kGraphCoreLoss1kHz:
    case kGraphCoreLoss100kHz:
        x = coreLossFluxSample(i);
        y = model.coreLossDensity(material, kind == kGraphCoreLoss1kHz ? kLoss1kHz : kLoss100kHz,
                                  x);
        break;
    default:
        break;
    }
    return {stored(x), stored(y)};
}

} // namespace

std::optional<MaterialGraphSettings> materialGraphSettings(int kind,
                                                           std::string_view firstMaterial) {
    MaterialGraphSettings s;
    switch (kind) {
    case kGraphInitialPermVsDcBias:
        s.title = "INITIAL PERMEABILITY vs DC BIAS";
        s.xLabel = "DC BIAS IN OERSTEADS";
        s.yLabel = "INIT PERM";
        s.yMax = 125.0F;
        s.anchorPoint = 5;
        break;
    case kGraphPercentPermVsDcBias:
        s.title = "PERCENT INITIAL PERMEABILITY vs DC BIAS";
        s.xLabel = "DC BIAS IN OERSTEADS";
        s.yLabel = "% PERM";
        s.xStart = isCompositeGraphMaterial(firstMaterial) ? 0.1F : 1.0F;
        s.anchorPoint = 59;
        break;
    case kGraphPercentPermVsAcFlux:
        s.title = "PERCENT PERMEABILITY vs AC FLUX DENSITY";
        s.xLabel = "PEAK AC FLUX DENSITY IN GAUSS";
        s.yLabel = "% PERM";
        s.xStart = 10.0F;
        s.yMin = 90.0F;
        s.yMax = 360.0F;
        s.anchorPoint = 52;
        s.anchorRaise = 10.0F;
        break;
    case kGraphPermVsFrequency:
        s.title = "EFFECTIVE PERMEABILITY vs FREQUENCY";
        s.xLabel = "FREQUENCY in HERTZ";
        s.yLabel = "PERM";
        s.xStart = 1000.0F;
        s.xDecades = 5;
        s.yMax = 125.0F;
        s.anchorPoint = 20;
        s.anchorRaise = 2.0F;
        break;
    case kGraphCoreLoss1kHz:
    case kGraphCoreLoss100kHz:
        s.title = kind == kGraphCoreLoss1kHz ? "CORE LOSS vs PEAK AC FLUX DENSITY @ 1 kHZ"
                                             : "CORE LOSS vs PEAK AC FLUX DENSITY @ 100 kHZ";
        s.xLabel = "PEAK AC FLUX DENSITY IN GAUSS";
        s.yLabel = "LOSS mW/cm3";
        s.xStart = 10.0F;
        s.yDecades = 3;
        s.reference = 10.0F;
        s.anchorPoint = kind == kGraphCoreLoss1kHz ? 50 : 30;
        break;
    default:
        return std::nullopt;
    }
    return s;
}

double dcBiasSample(std::string_view material, int i) {
    if (isCompositeGraphMaterial(material)) {
        const double c = std::pow(280.0, 1.0 / 59.0);
        return std::min(kCompositeBiasStart * std::pow(c, i), kCompositeBiasLimit);
    }
    if (hasLowDcBiasRange(material)) {
        return std::min(std::floor(std::pow(kDcBiasStep, i)), kLowDcBiasLimit);
    }
    return std::min(std::floor(2.5 * std::pow(kDcBiasStep, i)), kDcBiasLimit);
}

double acFluxSample(std::string_view material, int i) {
    const double kLimit = hasAcGraph6000GaussLimit(material) ? kLowFluxLimit : kFluxLimit;
    return std::min(std::floor(10.0 * std::pow(kFluxStep, i) + 0.5), kLimit);
}

double coreLossFluxSample(int i) {
    return 10.0 * std::floor(std::pow(kFluxStep, i) + 0.5);
}

double frequencySample(int i) {
    return 1000.0 * std::pow(kFrequencyStep, i);
}

void compute_graph_curves(GraphState& state, int kind, int pointsPerCurve,
                          const MaterialModel& model) {
    const std::optional<MaterialGraphSettings> settings =
        materialGraphSettings(kind, state.curveNames[0]);
    if (!settings) {
        return;
    }
    state.caption = std::string(settings->title);
    state.setPrintTitle(settings->title);
    state.xLabel = std::string(settings->xLabel);
    state.yLabel = std::string(settings->yLabel);
    state.xStart = settings->xStart;
    state.xDecades = settings->xDecades;
    state.yMin = settings->yMin;
    state.yMax = settings->yMax;
    state.yDecades = settings->yDecades;

    const int points = std::clamp(pointsPerCurve, 0, kGraphPointCapacity);
    for (int c = 0; c < state.drawableCurveCount(); ++c) {
        const auto curve = static_cast<std::size_t>(c);
        const std::string& material = state.curveNames[curve];
        if (material.empty()) {
            break;
        }
        CurvePoints& buffer = state.points[curve];
        buffer.fill({});
        state.curveReference[curve] = settings->reference;
        if (kind == kGraphPercentPermVsAcFlux && isCompositeGraphMaterial(material)) {
            // Composite materials have no AC permeability data.
            state.curveReference[curve] = 0.0F;
            state.labelAnchors[curve] = {};
            continue;
        }
        for (int i = 0; i < points; ++i) {
            buffer[static_cast<std::size_t>(i)] = samplePoint(kind, material, i, model);
        }
        if (points > 0) {
            const int at = std::min(settings->anchorPoint, points - 1);
            GraphPoint anchor = buffer[static_cast<std::size_t>(at)];
            anchor.y += settings->anchorRaise;
            state.labelAnchors[curve] = anchor;
        } else {
            state.labelAnchors[curve] = {50.0F, 50.0F};
        }
    }
}

void show_material_graph(GraphState& state, const MaterialModel& model, int kind,
                         std::span<const std::string> list) {
    state.graphKind = static_cast<std::uint8_t>(std::clamp(kind, 0, 255));
    state.pointsPerCurve = kGraphPointsPerCurve;
    const int cleared = std::clamp(state.curveCount, 0, kGraphCurveLimit);
    for (int c = 0; c < cleared; ++c) {
        state.points[static_cast<std::size_t>(c)].fill({});
    }
    if (state.curveCount > state.curveLimit) {
        showMessage(
            strprintf("Graphs for Only the first %d in the list will be shown", state.curveLimit),
            std::string(kCurveLimitCaption));
        state.curveCount = state.curveLimit;
    }
    state.curveCount = std::clamp(state.curveCount, 0, kGraphCurveLimit);
    for (int c = 0; c < state.curveCount; ++c) {
        const auto index = static_cast<std::size_t>(c);
        const std::string_view name = index < list.size() ? std::string_view(list[index]) : "";
        if (name.empty()) {
            state.curveCount = c;
            break;
        }
        state.setCurveName(c, name);
    }
    // Names past the count would otherwise stay from an earlier graph.
    for (int c = state.curveCount; c < kGraphCurveLimit; ++c) {
        state.setCurveName(c, "");
    }
    if (kind >= kGraphInitialPermVsDcBias && kind <= kGraphCoreLoss100kHz) {
        compute_graph_curves(state, kind, state.pointsPerCurve, model);
    }
}

bool showDesignPermeabilityGraph(GraphState& state, const MaterialModel& model, int kind,
                                 const DesignCandidate& design) {
    if (!(design.turns > 0.0F)) {
        return false;
    }
    std::string material;
    if (model.materialFromPartNumber(material, design.partNumber) < 2 || material.empty()) {
        return false;
    }
    state.curveCount = 1;
    const std::array<std::string, 1> list = {material};
    show_material_graph(state, model, kind, list);
    return true;
}

} // namespace korvane
