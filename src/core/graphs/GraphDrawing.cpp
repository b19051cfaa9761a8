#include "graphs/GraphDrawing.h"

#include "format/Trimmed.h"
#include "graphs/PlotEngine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace korvane {

namespace {

constexpr double kMinimumXStart = 0.001;
constexpr double kAgingTemperatureStep = 20.0;

// Stores a double in a float field without leaving the float range.
float toStoredFloat(double v) {
    constexpr double kLimit = std::numeric_limits<float>::max();
    if (std::isnan(v)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return static_cast<float>(std::clamp(v, -kLimit, kLimit));
}

double finiteOr(float v, double fallback) {
    return std::isfinite(v) ? static_cast<double>(v) : fallback;
}

std::span<const GraphPoint> curvePoints(const GraphState& state, int curve) {
    return std::span<const GraphPoint>(state.points[static_cast<std::size_t>(curve)])
        .first(static_cast<std::size_t>(state.drawablePointCount()));
}

void drawMaterialCurves(GraphState& state, Canvas& canvas, const PlotAxes& axes) {
    canvas.setPen({colors::kBlack, 1});
    canvas.setFontColor(colors::kBlack);
    draw_axes(canvas, axes);
    std::vector<Rect> names; // the curve names written so far: each finds room of its own
    for (int i = 0; i < state.drawableCurveCount(); ++i) {
        const auto index = static_cast<std::size_t>(i);
        const double reference = state.curveReference[index];
        if (state.curveNames[index].empty() || !(state.yMax > 0.0F) || !(reference > 0.0)) {
            continue;
        }
        canvas.setPen({colors::kRed, 1});
        plot_curve(canvas, curvePoints(state, i), axes, reference);
        canvas.setFontColor(colors::kRed);
        const GraphPoint& anchor = state.labelAnchors[index];
        plot_label(canvas, state.curveNames[index], anchor.x, anchor.y, axes, names, reference);
    }
}

void drawAutomaticCurve(GraphState& state, Canvas& canvas, const PixelFrame& frame) {
    applyAutomaticAxes(state);
    const PlotAxes axes = plotAxes(state, frame);
    canvas.setPen({colors::kBlack, 1});
    canvas.setFontColor(colors::kBlack);
    draw_axes(canvas, axes);
    const double reference = state.curveReference[0];
    if (!(state.yMax > 0.0F) || !(reference > 0.0)) {
        return;
    }
    canvas.setPen({colors::kRed, 1});
    plot_curve(canvas, curvePoints(state, 0), axes, reference);
    const double x = 100.0 * state.xStart;
    const double y = 0.8 * state.yMax + 0.2 * state.yMin;
    plot_caption(canvas, state.description, x, y, axes,
                 canvas.printing() ? colors::kWhite : colors::kFace, reference);
    if (state.graphKind == kGraphInductanceVsCurrent) {
        plot_text(canvas, kMarkerText, state.marker.x, state.marker.y, axes, reference);
    }
}

} // namespace

PlotAxes plotAxes(const GraphState& state, const PixelFrame& frame) {
    PlotAxes axes;
    axes.frame = frame;
    axes.xStart = state.xStart;
    axes.xDecades = state.xDecades;
    axes.yMin = state.yMin;
    axes.yMax = state.yMax;
    axes.yDecades = state.yDecades;
    return axes;
}

double inductanceAxisMaximum(double yMax) {
    const double c = std::ceil(2.0 * std::log10(yMax));
    if (std::fmod(c, 2.0) == 0.0) {
        return std::pow(10.0, c / 2.0);
    }
    const double k = std::floor(c / 2.0);
    const double threeTimes = 3.0 * std::pow(10.0, k);
    return threeTimes < yMax ? std::pow(10.0, k + 1.0) : threeTimes;
}

void applyAutomaticAxes(GraphState& state) {
    const bool inductance = state.graphKind == kGraphInductanceVsCurrent;
    const bool aging = state.graphKind == kGraphAging;
    if (!inductance && !aging) {
        return;
    }
    if (aging) {
        state.xDecades = 4;
    }
    const std::span<const GraphPoint> points = curvePoints(state, 0);
    if (points.empty()) {
        return;
    }
    // Points that are not finite take no part in the ranges.
    double xMax = finiteOr(points.back().x, 0.0);
    double yMax = finiteOr(points.front().y, 0.0);
    double yMin = yMax;
    for (const GraphPoint& p : points) {
        if (std::isfinite(p.x)) {
            xMax = std::max(xMax, static_cast<double>(p.x));
        }
        if (std::isfinite(p.y)) {
            yMax = std::max(yMax, static_cast<double>(p.y));
        }
    }
    if (xMax > 0.0) {
        const int decades = std::clamp(state.xDecades, 0, kMaxDecades);
        const double xStart = std::pow(10.0, std::ceil(std::log10(xMax) - decades));
        state.xStart = toStoredFloat(std::max(xStart, kMinimumXStart));
    }
    if (inductance && yMax > 0.0) {
        yMax = inductanceAxisMaximum(yMax);
        yMin = 0.0;
    }
    if (aging) {
        yMax = std::ceil(yMax / kAgingTemperatureStep) * kAgingTemperatureStep;
        yMin = std::floor(yMin / kAgingTemperatureStep) * kAgingTemperatureStep;
        // A flat series would give an empty range: keep one step.
        if (yMax <= yMin) {
            yMax = yMin + kAgingTemperatureStep;
        }
    }
    state.yMax = toStoredFloat(yMax);
    state.yMin = toStoredFloat(yMin);
}

void drawGraph(GraphState& state, Canvas& canvas) {
    const Size size = canvas.size();
    const bool page = state.printRequested || canvas.printing();
    const PixelFrame frame =
        page ? printFrame(size.width, size.height) : screenFrame(size.width, size.height);
    if (!page) {
        canvas.setBrushColor(colors::kFace);
        canvas.fillRect({size.width / 100, 0, size.width, size.height});
    }
    state.titleLabel.clear();
    canvas.setFont(state.font);

    switch (state.graphKind) {
    case kGraphInitialPermVsDcBias:
    case kGraphPercentPermVsDcBias:
    case kGraphPercentPermVsAcFlux:
    case kGraphPermVsFrequency:
    case kGraphCoreLoss1kHz:
    case kGraphCoreLoss100kHz:
        drawMaterialCurves(state, canvas, plotAxes(state, frame));
        break;
    case kGraphInductanceVsCurrent:
    case kGraphAging:
        drawAutomaticCurve(state, canvas, frame);
        break;
    default:
        break;
    }

    if (page) {
        state.printRequested = false;
    } else {
        state.printButtonVisible = true;
    }
}

void drawGraphPage(GraphState& state, Canvas& canvas, std::string_view dateText) {
    const Size page = canvas.size();
    const int w = page.width;
    const int h = page.height;

    Font font = state.font;
    font.color = colors::kBlack;
    font.height = 1.5 * state.font.height;
    canvas.setFont(font);
    canvas.textOut((w - canvas.textWidth(state.printTitle)) / 2, h / 10, state.printTitle);

    font.height = 0.7 * state.font.height;
    canvas.setFont(font);
    canvas.textOut((w - canvas.textWidth(state.xLabel)) / 2, static_cast<int>(0.9 * h),
                   state.xLabel);
    canvas.textOut(w / 36, h / 2, state.yLabel);
    const std::string_view date = trimmed(dateText);
    canvas.textOut(w - 3 * (w / 36) - canvas.textWidth(date), static_cast<int>(0.95 * h) + h / 60,
                   date);

    state.printRequested = true;
    state.printButtonVisible = false;
    drawGraph(state, canvas);
}

} // namespace korvane
