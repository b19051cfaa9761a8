#pragma once

#include "graphs/Canvas.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr int kGraphCurveLimit = 16;
inline constexpr int kGraphPointCapacity = 100;
inline constexpr int kGraphPointsPerCurve = 60;
// Text capacities of the window's fixed buffers, terminator included.
inline constexpr std::size_t kCurveNameCapacity = 18;
inline constexpr std::size_t kDescriptionCapacity = 64;
inline constexpr std::size_t kPrintTitleCapacity = 44;

// Graph kinds drawn by the graph window.
inline constexpr int kGraphInitialPermVsDcBias = 1;
inline constexpr int kGraphPercentPermVsDcBias = 2;
inline constexpr int kGraphPercentPermVsAcFlux = 3;
inline constexpr int kGraphPermVsFrequency = 4;
inline constexpr int kGraphCoreLoss1kHz = 5;
inline constexpr int kGraphCoreLoss100kHz = 6;
inline constexpr int kGraphInductanceVsCurrent = 7;
inline constexpr int kGraphAging = 9;

// A data point of a curve, also used for label anchors and the marker.
struct GraphPoint {
    float x = 0.0F;
    float y = 0.0F;
    bool operator==(const GraphPoint&) const = default;
};

using CurvePoints = std::array<GraphPoint, kGraphPointCapacity>;

// The graph window's state (TGraphicsForm): what the graph kinds fill and the drawing reads.
struct GraphState {
    std::uint8_t graphKind = 0;
    std::uint8_t applicationKind = 0;
    int curveCount = 1;
    int curveLimit = kGraphCurveLimit;
    std::array<std::string, kGraphCurveLimit> curveNames{};
    std::array<CurvePoints, kGraphCurveLimit> points{};
    int pointsPerCurve = kGraphPointsPerCurve;
    // Per curve: on a linear y axis a multiplier of (y - y min); on a logarithmic y axis the
    // y value at the bottom of the plot.
    std::array<float, kGraphCurveLimit> curveReference = filledReference();
    std::array<GraphPoint, kGraphCurveLimit> labelAnchors{};
    // Logarithmic x axis: x at the origin; linear x axis: x at the right end.
    float xStart = 1.0F;
    int xDecades = 3; // 0: linear x axis
    float yMin = 0.0F;
    float yMax = 100.0F;
    int yDecades = 0; // 0: linear y axis
    float currentScale = 1.0F;
    float inductanceScale = 1.0F;
    GraphPoint marker;
    std::string description;
    std::string printTitle;
    // Texts of the window: caption, TitleLabel, X_Label and Y_label.
    std::string caption = "GraphicsForm Constructor";
    std::string titleLabel;
    std::string xLabel;
    std::string yLabel;
    // The next paint goes to the printer.
    bool printRequested = false;
    // Button_PrintGraph is shown once a graph has been drawn on the screen.
    bool printButtonVisible = false;
    // The window's font; the printed page scales it.
    Font font;

    // Setters that keep the texts within the window's buffers.
    void setCurveName(int curve, std::string_view name);
    void setDescription(std::string_view text);
    void setPrintTitle(std::string_view text);

    // Number of curves the drawing walks: the curve count within the curve limit and the
    // buffers.
    int drawableCurveCount() const;
    // Number of points of each curve the drawing reads, within the buffers.
    int drawablePointCount() const;

  private:
    static constexpr std::array<float, kGraphCurveLimit> filledReference() {
        std::array<float, kGraphCurveLimit> values{};
        values.fill(1.0F);
        return values;
    }
};

// The graph window at creation: 1/12 of the screen width from the left, 1/6 of the screen
// height from the top, half the screen wide and high (whole pixels, truncated).
Rect graphWindowRect(Size screen);

} // namespace korvane
