#include "graphs/PlotEngine.h"

#include "format/StrPrintf.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korvane {

namespace {

constexpr std::array<double, 10> kMantissas = {1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0};

// Mantissas whose grid line carries no label.
bool unlabelledMantissa(double mantissa) {
    return mantissa == 6.0 || mantissa == 8.0 || mantissa == 9.0;
}

// 10^p, exact for the decade counts an axis can have.
double powerOfTen(int p) {
    double v = 1.0;
    for (int i = 0; i < p; ++i) {
        v *= 10.0;
    }
    return v;
}

// Number of mantissas drawn in decade p of an axis with `decades` decades: only 1 in the last.
std::size_t mantissaCount(int p, int decades) {
    return p == decades ? 1 : kMantissas.size();
}

void writeLeftOfOrigin(Canvas& canvas, const PixelFrame& f, int row, const std::string& text,
                       int gapNumerator, int gapDenominator) {
    const int w = canvas.textWidth(text);
    const int h = canvas.textHeight(text);
    int x = f.xOrigin - w - w * gapNumerator / gapDenominator;
    if (x < f.left) {
        x = f.left;
    }
    canvas.textOut(x, row - h / 2, text);
}

void drawLinearYAxis(Canvas& canvas, const PlotAxes& axes) {
    const PixelFrame& f = axes.frame;
    const int divisions = linearDivisions(axes.yMin, axes.yMax);
    const int precision = linearLabelPrecision(divisions, axes.yMin, axes.yMax);
    for (int k = 0; k <= divisions; ++k) {
        // Rounded like the data transform, so a grid line and the curve value it labels meet.
        const int row = static_cast<int>(
            std::floor(f.lowestRow() + static_cast<double>(k) * f.yLength / divisions + 0.5));
        canvas.line({f.xOrigin, row}, {f.right, row});
        const double value = axes.yMin + k * (axes.yMax - axes.yMin) / divisions;
        // "%*.*f" with width 3 prints exactly what the built "%3.Nf" template prints.
        const std::string text = strprintf("%*.*f", 3, precision, value);
        writeLeftOfOrigin(canvas, f, row, text, 1, 4);
    }
}

void drawLogYAxis(Canvas& canvas, const PlotAxes& axes) {
    const PixelFrame& f = axes.frame;
    const int decades = axes.yDecadeCount();
    for (int p = 0; p <= decades; ++p) {
        for (std::size_t j = 0; j < mantissaCount(p, decades); ++j) {
            const double value = powerOfTen(p) * kMantissas[j];
            const std::optional<int> row =
                toPixel(f.lowestRow() + std::log10(value) * f.yLength / decades);
            if (!row || *row < f.highestRow() || *row > f.lowestRow()) {
                break;
            }
            canvas.line({f.xOrigin, *row}, {f.right, *row});
            if (unlabelledMantissa(kMantissas[j])) {
                continue;
            }
            const double scaled = scaledTickValue(value, axes.xStart);
            const std::string text = scaled >= 1000.0 ? strprintf("%3.0fk", scaled / 1000.0)
                                                      : strprintf("%3.0f", scaled);
            writeLeftOfOrigin(canvas, f, *row, text, 1, 2);
        }
    }
}

void drawLogXAxis(Canvas& canvas, const PlotAxes& axes) {
    const PixelFrame& f = axes.frame;
    const int decades = axes.xDecadeCount();
    const int labelRow = static_cast<int>(0.92 * f.bottom);
    for (int p = 0; p <= decades; ++p) {
        for (std::size_t j = 0; j < mantissaCount(p, decades); ++j) {
            const double value = powerOfTen(p) * kMantissas[j];
            const std::optional<int> column =
                toPixel(f.xOrigin + std::log10(value) * f.xLength / decades);
            if (!column) {
                continue;
            }
            canvas.line({*column, f.highestRow()}, {*column, f.lowestRow()});
            if (!xTickLabelled(p, kMantissas[j], axes.xStart, decades)) {
                continue;
            }
            const std::string text = xTickLabel(scaledTickValue(value, axes.xStart));
            canvas.textOut(*column - canvas.textWidth(text) / 2, labelRow, text);
        }
    }
}

} // namespace

int linearDivisions(double yMin, double yMax) {
    int divisions = 10;
    if (yMin >= 10.0) {
        const double ratio = yMax / yMin;
        double d = ratio > 10.0 ? std::floor(ratio - 1.0) : std::floor(0.2 * (yMax - yMin));
        if (!std::isfinite(d)) {
            d = 1.0;
        }
        divisions = static_cast<int>(std::clamp(d, 0.0, 1.0e6));
        if (divisions > 27) {
            divisions /= 2;
        }
    }
    return std::clamp(divisions, 1, kMaxDivisions);
}

int linearLabelPrecision(int divisions, double yMin, double yMax) {
    const double r = divisions / (yMax - yMin + 1e-6);
    int q = 0;
    if (std::isfinite(r) && r > 0.0) {
        q = static_cast<int>(std::trunc(std::clamp(std::log10(r), -20.0, 20.0)));
    }
    return std::clamp(1 + q, 0, 20);
}

std::string linearLabelFormat(int divisions, double yMin, double yMax) {
    return strprintf("%%%d.%df", 3, linearLabelPrecision(divisions, yMin, yMax));
}

double scaledTickValue(double value, double xStart) {
    const double scaled = value * xStart;
    if (!std::isfinite(scaled) || scaled == 0.0) {
        return scaled;
    }
    // Six significant digits: within the precision of the stored float x start.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(scaled))));
    const double factor = std::pow(10.0, 5 - exponent);
    const double rounded = std::round(scaled * factor) / factor;
    return std::isfinite(rounded) ? rounded : scaled;
}

std::string xTickLabel(double scaled) {
    if (scaled >= 1000000.0) {
        return strprintf("%3.0fM", scaled / 1000000.0);
    }
    if (scaled >= 1000.0) {
        return strprintf("%3.0fk", scaled / 1000.0);
    }
    if (scaled >= 1.0) {
        return strprintf("%3.0f", scaled);
    }
    return strprintf("%3.1f", scaled);
}

bool xTickLabelled(int decade, double mantissa, double xStart, int decades) {
    if (unlabelledMantissa(mantissa)) {
        return false;
    }
    if (xStart < 1.0 && ((decade == 0 && (mantissa == 1.5 || mantissa == 4.0)) ||
                         (decade == 1 && mantissa == 1.5))) {
        return false;
    }
    const double unscaled = powerOfTen(decade) * mantissa;
    if (scaledTickValue(unscaled, xStart) == 1.5) {
        return false;
    }
    if (unscaled == 150.0 || unscaled == 400.0) {
        return false;
    }
    if (decades > 3 && mantissa != 1.0 && mantissa != 3.0) {
        return false;
    }
    return true;
}

void draw_axes(Canvas& canvas, const PlotAxes& axes) {
    if (axes.yDecadeCount() == 0) {
        drawLinearYAxis(canvas, axes);
    } else {
        drawLogYAxis(canvas, axes);
    }
    if (axes.xDecadeCount() > 0) {
        drawLogXAxis(canvas, axes);
    }
}

void plot_curve(Canvas& canvas, std::span<const GraphPoint> points, const PlotAxes& axes,
                double reference) {
    const PixelFrame& f = axes.frame;
    bool penDown = false;
    for (const GraphPoint& point : points) {
        const std::optional<int> px = pixelX(axes, point.x);
        const std::optional<int> py = pixelY(axes, point.y, reference);
        if (!px || !py || *py < f.highestRow() || *py > f.lowestRow()) {
            penDown = false;
            continue;
        }
        if (penDown) {
            canvas.lineTo(*px, *py);
        } else {
            canvas.moveTo(*px, *py);
            penDown = true;
        }
    }
}

void plot_text(Canvas& canvas, std::string_view text, double x, double y, const PlotAxes& axes,
               double reference) {
    const std::optional<int> px = labelPixelX(axes, x);
    const std::optional<int> py = labelPixelY(axes, y, reference);
    if (!px || !py) {
        return;
    }
    if (text == kMarkerText) {
        const int s = (axes.frame.right - axes.frame.left) / 80;
        canvas.setPenWidth(2);
        canvas.line({*px - s, *py}, {*px + s, *py});
        canvas.line({*px, *py - s}, {*px, *py + s});
        canvas.setPenWidth(1);
        return;
    }
    const int w = canvas.textWidth(text);
    const int h = canvas.textHeight(text);
    canvas.textOut(*px - w / 2, *py - h / 2, text);
}

} // namespace korvane
