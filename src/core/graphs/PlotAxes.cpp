#include "graphs/PlotAxes.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// Far beyond any page; keeps the conversion to int defined.
constexpr double kPixelLimit = 1.0e8;

std::optional<int> linearX(const PlotAxes& axes, double x) {
    if (axes.xStart == 0.0) {
        return std::nullopt;
    }
    const PixelFrame& f = axes.frame;
    return toPixel(f.xOrigin + f.xLength * x / axes.xStart);
}

std::optional<int> logX(const PlotAxes& axes, double x) {
    if (x <= 0.0 || axes.xStart <= 0.0) {
        return std::nullopt;
    }
    const PixelFrame& f = axes.frame;
    return toPixel(f.xOrigin + f.xLength * std::log10(x / axes.xStart) / axes.xDecadeCount());
}

std::optional<int> linearY(const PlotAxes& axes, double y, double reference) {
    const double span = axes.yMax - axes.yMin;
    if (span == 0.0) {
        return std::nullopt;
    }
    const PixelFrame& f = axes.frame;
    return toPixel(f.lowestRow() + f.yLength * reference * (y - axes.yMin) / span);
}

std::optional<int> logY(const PlotAxes& axes, double y, double reference) {
    if (y <= 0.0 || reference <= 0.0) {
        return std::nullopt;
    }
    const PixelFrame& f = axes.frame;
    return toPixel(f.lowestRow() + f.yLength * std::log10(y / reference) / axes.yDecadeCount());
}

// n * v / d in 64 bits: the product may not fit an int for a very large surface.
int scaled(int v, int n, int d) {
    return static_cast<int>(static_cast<long long>(v) * n / d);
}

} // namespace

PixelFrame screenFrame(int w, int h) {
    PixelFrame f;
    f.left = w / 20;
    f.right = scaled(w, 11, 12);
    f.top = h / 12;
    f.bottom = scaled(h, 19, 20);
    f.xOrigin = w / 10;
    f.xLength = f.right - f.xOrigin;
    f.yLength = 2 * f.top - f.bottom;
    return f;
}

PixelFrame printFrame(int w, int h) {
    PixelFrame f;
    f.left = w / 20;
    f.right = scaled(w, 11, 12);
    f.top = h / 8;
    f.bottom = scaled(h, 19, 20);
    f.xOrigin = static_cast<int>(0.1 * w);
    f.xLength = f.right - f.xOrigin;
    f.yLength = 2 * f.top - f.bottom;
    return f;
}

int PlotAxes::xDecadeCount() const {
    return std::clamp(xDecades, 0, kMaxDecades);
}

int PlotAxes::yDecadeCount() const {
    return std::clamp(yDecades, 0, kMaxDecades);
}

std::optional<int> toPixel(double v) {
    if (!std::isfinite(v) || std::fabs(v) > kPixelLimit) {
        return std::nullopt;
    }
    return static_cast<int>(std::floor(v + 0.5));
}

std::optional<int> pixelX(const PlotAxes& axes, double x) {
    return axes.xDecadeCount() > 0 ? logX(axes, x) : linearX(axes, x);
}

std::optional<int> pixelY(const PlotAxes& axes, double y, double reference) {
    return axes.yDecadeCount() > 0 ? logY(axes, y, reference) : linearY(axes, y, reference);
}

std::optional<int> labelPixelX(const PlotAxes& axes, double x) {
    return axes.xDecadeCount() > 0 && x > 0.0 ? logX(axes, x) : linearX(axes, x);
}

std::optional<int> labelPixelY(const PlotAxes& axes, double y, double reference) {
    return axes.yDecadeCount() > 0 && y > 0.0 ? logY(axes, y, reference)
                                              : linearY(axes, y, reference);
}

} // namespace korvane
