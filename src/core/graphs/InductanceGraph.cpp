#include "graphs/InductanceGraph.h"

#include "format/NumberFormat.h"
#include "format/StrPrintf.h"
#include "graphs/MaterialGraphs.h"
#include "materials/AcPermeability.h"
#include "materials/MaterialLists.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace korvane {

namespace {

constexpr std::string_view kInductanceTitle = "INDUCTANCE vs CURRENT";
constexpr std::string_view kCurrentLabel = "CURRENT IN AMPERES";
constexpr int kInductanceXDecades = 3;

float stored(double v) {
    constexpr double kLimit = std::numeric_limits<float>::max();
    return std::isfinite(v) ? static_cast<float>(std::clamp(v, -kLimit, kLimit)) : 0.0F;
}

bool usesAcCurve(Application application) {
    return application == Application::Line60Hz || application == Application::Resonant;
}

std::string closeUpBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) {
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

std::optional<int> inductanceUnitGroup(double henries) {
    if (!(henries > 0.0) || !std::isfinite(henries)) {
        return std::nullopt;
    }
    // log10 of a positive finite double lies within +-330, safe to convert.
    int e = static_cast<int>(std::trunc(std::log10(henries)));
    if (e < 0) {
        e -= 3;
    }
    return e / 3;
}

std::optional<std::string_view> inductanceAxisLabel(int group) {
    static constexpr std::array<std::string_view, 4> labels = {"L, nH", "L, uH", "L, mH", "L, H"};
    if (group < -3 || group > 0) {
        return std::nullopt;
    }
    return labels[static_cast<std::size_t>(group + 3)];
}

double inductanceCurrentScale(Application application, const DesignCandidate& design) {
    const double scale = design.biasScale;
    return application == Application::Resonant ? scale * std::sqrt(2.0) : scale;
}

std::string inductanceDescription(Application application, std::string_view partNumber,
                                  double turns, std::string_view inductanceText, double current) {
    const std::string pn(partNumber);
    const std::string inductance(inductanceText);
    std::string text = application == Application::Line60Hz
                           ? strprintf("CORE:   %s: %4.0f Turns,  %s @ %3.1f Amperes RMS",
                                       pn.c_str(), turns, inductance.c_str(), current)
                           : strprintf("CORE:  %s: %4.0f Turns,  %s @ %3.1f Amperes", pn.c_str(),
                                       turns, inductance.c_str(), current);
    if (text.size() >= kDescriptionCapacity) {
        text = closeUpBlanks(text);
    }
    return text;
}

bool show_inductance_graph(GraphState& state, const MaterialModel& model, Application application,
                           const DesignCandidate& design, double current) {
    const double N = design.turns;
    if (!(N > 0.0)) {
        return false;
    }
    std::string material;
    model.materialFromPartNumber(material, design.partNumber);

    const double L100 = N * N * design.al * 1e-9;
    const double p = design.percentPerm;
    const std::string inductanceText = formatEngineering(L100 * p / 100.0, 4, "H");

    double inductanceScale = L100;
    if (const std::optional<int> group = inductanceUnitGroup(L100)) {
        if (const std::optional<std::string_view> label = inductanceAxisLabel(*group)) {
            state.yLabel = std::string(*label);
        }
        inductanceScale = L100 * std::pow(10.0, -3 * *group);
    }
    const double currentScale = inductanceCurrentScale(application, design);

    state.graphKind = kGraphInductanceVsCurrent;
    state.applicationKind = static_cast<std::uint8_t>(toIndex(application));
    state.caption = std::string(kInductanceTitle);
    state.setPrintTitle(kInductanceTitle);
    state.xLabel = std::string(kCurrentLabel);
    state.inductanceScale = stored(inductanceScale);
    state.currentScale = stored(currentScale);
    state.marker = {stored(current), stored(inductanceScale * p / 100.0)};
    state.setDescription(
        inductanceDescription(application, design.partNumber, N, inductanceText, current));

    // The window may hold the axes of an earlier graph (aging uses four x decades, the core
    // loss graphs a logarithmic y axis).
    state.xDecades = kInductanceXDecades;
    state.yDecades = 0;
    state.pointsPerCurve = kGraphPointsPerCurve;
    state.curveCount = 1;
    state.setCurveName(0, material);
    state.curveReference[0] = 1.0F;
    CurvePoints& points = state.points[0];
    points.fill({});

    const bool ac = usesAcCurve(application);
    // Composite materials, and materials the model does not know, have no AC data: no curve.
    const bool hasData =
        ac ? !isCompositeGraphMaterial(material) && model.calc_ac_mag(material, 0.0).has_value()
           : true;
    if (!hasData) {
        return true;
    }
    for (int i = 0; i < kGraphPointsPerCurve; ++i) {
        double x = 0.0;
        double percent = 0.0;
        if (ac) {
            x = acFluxSample(material, i);
            const std::optional<PermPair> pair =
                calc_pct_perm_ac(x, material, model, AcDiagnostics::Quiet);
            percent = pair ? static_cast<double>(pair->value) : 0.0;
        } else {
            x = dcBiasSample(material, i);
            const std::optional<PermPair> pair = model.dcPercentPermPair(material, 0, x);
            percent = pair ? static_cast<double>(pair->value) : 0.0;
        }
        points[static_cast<std::size_t>(i)] = {stored(x * currentScale),
                                               stored(percent * 0.01 * inductanceScale)};
    }
    return true;
}

} // namespace korvane
