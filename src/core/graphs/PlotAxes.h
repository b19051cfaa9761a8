#pragma once

#include <optional>

namespace korvane {

// The plot area in pixels. The plot's lowest row is bottom - top and its highest row is top
// (bottom - top + yLength, yLength being negative: upwards).
struct PixelFrame {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int xOrigin = 0;
    int xLength = 0;
    int yLength = 0;

    int lowestRow() const { return bottom - top; }
    int highestRow() const { return top; }
    bool operator==(const PixelFrame&) const = default;
};

// Frame of a window's client area of width w and height h.
PixelFrame screenFrame(int w, int h);
// Frame of a printer page of width w and height h.
PixelFrame printFrame(int w, int h);

// Decade counts above this are drawn as this many; it bounds the axis loops.
inline constexpr int kMaxDecades = 30;

// Axis state of one plot: the frame and the ranges of both axes.
struct PlotAxes {
    PixelFrame frame;
    double xStart = 1.0; // log x: x at the origin; linear x: x at the right end
    int xDecades = 3;    // 0: linear
    double yMin = 0.0;
    double yMax = 100.0;
    int yDecades = 0; // 0: linear

    int xDecadeCount() const;
    int yDecadeCount() const;
};

// Rounds a pixel coordinate by adding 0.5 and taking the floor; nothing for a value that is
// not finite or lies beyond any drawable coordinate.
std::optional<int> toPixel(double v);

// Data to pixel transforms. A value that has no position (x or y not positive on a
// logarithmic axis, x start not positive, an empty y range, a non-finite result) gives
// nothing. `reference` is the curve reference value.
std::optional<int> pixelX(const PlotAxes& axes, double x);
std::optional<int> pixelY(const PlotAxes& axes, double y, double reference);

// The same for labels and markers: a value that is not positive is placed by the linear
// transform even on a logarithmic axis.
std::optional<int> labelPixelX(const PlotAxes& axes, double x);
std::optional<int> labelPixelY(const PlotAxes& axes, double y, double reference);

} // namespace korvane
