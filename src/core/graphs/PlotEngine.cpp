#include "graphs/PlotEngine.h"

#include "format/StrPrintf.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

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

// A tick label with the extent it takes along its axis.
struct TickLabel {
    int position = 0; // row or column of its grid line
    std::string text;
    bool decade = false; // the label of a power of ten
    int from = 0;        // extent along the axis, a gap included
    int to = 0;
};

// Which labels are written: the decades' first, then the others where they keep clear of
// every label taken, so a crowded axis loses in-between labels, never a decade's.
std::vector<bool> takenLabels(const std::vector<TickLabel>& labels) {
    std::vector<bool> taken(labels.size(), false);
    const auto clear = [&](std::size_t i) {
        for (std::size_t k = 0; k < labels.size(); ++k) {
            if (taken[k] && labels[i].from < labels[k].to && labels[k].from < labels[i].to) {
                return false;
            }
        }
        return true;
    };
    for (const bool decades : {true, false}) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (labels[i].decade == decades && clear(i)) {
                taken[i] = true;
            }
        }
    }
    return taken;
}

void drawLinearYAxis(Canvas& canvas, const PlotAxes& axes) {
    const PixelFrame& f = axes.frame;
    const int divisions = linearDivisions(axes.yMin, axes.yMax);
    const int precision = linearLabelPrecision(divisions, axes.yMin, axes.yMax);
    std::vector<TickLabel> labels;
    for (int k = 0; k <= divisions; ++k) {
        // Rounded like the data transform, so a grid line and the curve value it labels meet.
        const int row = static_cast<int>(
            std::floor(f.lowestRow() + static_cast<double>(k) * f.yLength / divisions + 0.5));
        canvas.line({f.xOrigin, row}, {f.right, row});
        const double value = axes.yMin + k * (axes.yMax - axes.yMin) / divisions;
        // "%*.*f" with width 3 prints exactly what the built "%3.Nf" template prints.
        std::string text = strprintf("%*.*f", 3, precision, value);
        const int h = canvas.textHeight(text);
        // The ends of the axis always carry their values; the divisions between them where
        // they fit.
        labels.push_back(
            {row, std::move(text), k == 0 || k == divisions, row - h / 2, row - h / 2 + h + 1});
    }
    const std::vector<bool> taken = takenLabels(labels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (taken[i]) {
            writeLeftOfOrigin(canvas, f, labels[i].position, labels[i].text, 1, 4);
        }
    }
}

void drawLogYAxis(Canvas& canvas, const PlotAxes& axes) {
    const PixelFrame& f = axes.frame;
    const int decades = axes.yDecadeCount();
    std::vector<TickLabel> labels;
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
            std::string text = yTickLabel(scaledTickValue(value, axes.xStart));
            const int h = canvas.textHeight(text);
            labels.push_back({*row, std::move(text), j == 0, *row - h / 2, *row - h / 2 + h + 1});
        }
    }
    const std::vector<bool> taken = takenLabels(labels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (taken[i]) {
            writeLeftOfOrigin(canvas, f, labels[i].position, labels[i].text, 1, 2);
        }
    }
}

void drawLogXAxis(Canvas& canvas, const PlotAxes& axes) {
    const PixelFrame& f = axes.frame;
    const int decades = axes.xDecadeCount();
    const int labelRow = static_cast<int>(0.92 * f.bottom);
    const int gap = std::max(2, canvas.textWidth(" ") / 2);
    std::vector<TickLabel> labels;
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
            std::string text = xTickLabel(scaledTickValue(value, axes.xStart));
            const int w = canvas.textWidth(text);
            const int left = *column - w / 2;
            labels.push_back({left, std::move(text), j == 0, left, left + w + gap});
        }
    }
    const std::vector<bool> taken = takenLabels(labels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (taken[i]) {
            canvas.textOut(labels[i].position, labelRow, labels[i].text);
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

std::string yTickLabel(double scaled) {
    if (scaled >= 1000.0) {
        // 1500 reads "1.5k", not a second "2k" below the 2000 line.
        const double thousands = scaled / 1000.0;
        return thousands == std::floor(thousands) ? strprintf("%3.0fk", thousands)
                                                  : strprintf("%3.1fk", thousands);
    }
    return strprintf("%3.0f", scaled);
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
        // Points outside the plot (above or below the y range, left or right of the x axis)
        // are skipped, so no curve leaves its frame.
        if (!px || !py || *py < f.highestRow() || *py > f.lowestRow() || *px < f.xOrigin ||
            *px > f.xOrigin + f.xLength) {
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

void plot_label(Canvas& canvas, std::string_view text, double x, double y, const PlotAxes& axes,
                std::vector<Rect>& placed, double reference) {
    const std::optional<int> px = labelPixelX(axes, x);
    const std::optional<int> py = labelPixelY(axes, y, reference);
    if (!px || !py) {
        return;
    }
    const int w = canvas.textWidth(text);
    const int h = canvas.textHeight(text);
    const auto overlaps = [&](const Rect& r) {
        return std::any_of(placed.begin(), placed.end(), [&](const Rect& p) {
            return r.left < p.right && p.left < r.right && r.top < p.bottom && p.top < r.bottom;
        });
    };
    const Rect wanted{*px - w / 2, *py - h / 2, *px - w / 2 + w, *py - h / 2 + h};
    const PixelFrame& f = axes.frame;
    const auto inside = [&](const Rect& r) {
        return r.top >= f.highestRow() && r.bottom <= f.lowestRow() && r.left >= f.xOrigin &&
               r.right <= f.xOrigin + f.xLength;
    };
    // The wanted place, else one line below, one above, two below, ...; when a column of
    // places is full, the columns one name width to the right and to the left.
    Rect at = wanted;
    const int columnStep = w + std::max(2, h / 4);
    bool found = !overlaps(wanted);
    for (int column = 0; !found && column <= 4; ++column) {
        const int dx = (column % 2 == 1 ? 1 : -1) * ((column + 1) / 2) * columnStep;
        for (int step = 0; !found && step <= 2 * kLabelNudges; ++step) {
            const int dy = (step % 2 == 1 ? 1 : -1) * ((step + 1) / 2) * h;
            const Rect r{wanted.left + dx, wanted.top + dy, wanted.right + dx, wanted.bottom + dy};
            if ((column == 0 && step == 0) || !inside(r) || overlaps(r)) {
                continue;
            }
            at = r;
            found = true;
        }
    }
    canvas.textOut(at.left, at.top, text);
    placed.push_back(at);
}

void plot_caption(Canvas& canvas, std::string_view text, double x, double y, const PlotAxes& axes,
                  Color background, double reference) {
    const std::optional<int> px = labelPixelX(axes, x);
    const std::optional<int> py = labelPixelY(axes, y, reference);
    if (!px || !py || text.empty()) {
        return;
    }
    const PixelFrame& f = axes.frame;
    const int w = canvas.textWidth(text);
    const int h = canvas.textHeight(text);
    const int pad = std::max(2, h / 4);
    const int leftmost = f.xOrigin + pad;
    const int rightmost = f.xOrigin + f.xLength - pad - w;
    int left = *px - w / 2;
    left = std::max(std::min(left, rightmost), leftmost);
    const int top = std::max(std::min(*py - h / 2, f.lowestRow() - h), f.highestRow());
    canvas.setBrushColor(background);
    canvas.fillRect({left - pad, top, left + w + pad, top + h});
    canvas.textOut(left, top, text);
}

} // namespace korvane
