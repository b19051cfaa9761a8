#pragma once

#include "graphs/Canvas.h"
#include "graphs/GraphState.h"
#include "graphs/PlotAxes.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Text that plot_text draws as the operating-point cross instead of writing it.
inline constexpr std::string_view kMarkerText = "SYMBOL";

// Linear y axis: number of divisions for the range. 10, but from y min 10 on
// floor(y max / y min - 1) when that ratio is above 10, else floor(0.2 (y max - y min)),
// halved when above 27; always between 1 and kMaxDivisions.
inline constexpr int kMaxDivisions = 100;
int linearDivisions(double yMin, double yMax);

// Linear y axis: label precision max(0, 1 + q), q = log10(divisions / (y max - y min + 1e-6))
// truncated toward zero.
int linearLabelPrecision(int divisions, double yMin, double yMax);

// The label format "%3.Nf" of the linear y axis, as the program builds it with "%%%d.%df".
std::string linearLabelFormat(int divisions, double yMin, double yMax);

// Tick value times x start, rounded to single precision so that a float x start such as
// 0.001 gives the decimal value it stands for (1500 * 0.001 is 1.5).
double scaledTickValue(double value, double xStart);

// Log y axis label text of a scaled value: "%3.0fk" of one thousandth from 1000 on ("%3.1fk"
// when that is not a whole number, so 1500 reads 1.5k), "%3.0f" below.
std::string yTickLabel(double scaled);

// Log x axis label text of a scaled value: "%3.0fM" of one millionth from 1000000 on,
// "%3.0fk" of one thousandth from 1000 on, "%3.0f" from 1 on, "%3.1f" below.
std::string xTickLabel(double scaled);

// Whether the log x axis writes the label of mantissa `mantissa` (1, 1.5, 2, 3, 4, 5, 6, 7, 8
// or 9) in decade `decade`.
bool xTickLabelled(int decade, double mantissa, double xStart, int decades);

// Grid lines and tick labels of both axes, with the canvas's pen and font. A tick label that
// would overlap the label before it is left out, so narrow plots stay readable.
void draw_axes(Canvas& canvas, const PlotAxes& axes);

// One curve as polylines with the canvas's pen. A point whose row lies above the top row or
// below the lowest row, whose column lies left of the x origin or right of the x axis's end,
// or that has no position, is skipped and lifts the pen.
void plot_curve(Canvas& canvas, std::span<const GraphPoint> points, const PlotAxes& axes,
                double reference);

// Writes `text` centred on the data point, or draws the marker cross (pen width 2, half size
// (right - left) / 80, then pen width 1) when the text is "SYMBOL". A value that is not
// positive is placed by the linear transform also on a logarithmic axis.
void plot_text(Canvas& canvas, std::string_view text, double x, double y, const PlotAxes& axes,
               double reference = 1.0);

// Writes `text` centred on the data point like plot_text, unless it would overlap a label
// already placed: then one line lower or higher, alternately, up to kLabelNudges lines away
// within the plot, and when that column is full one name width to the right or left. The
// box it takes is added to `placed`.
inline constexpr int kLabelNudges = 30;
void plot_label(Canvas& canvas, std::string_view text, double x, double y, const PlotAxes& axes,
                std::vector<Rect>& placed, double reference = 1.0);

// Writes a caption inside the plot: centred on the data point, but moved left or right
// (and up or down) as far as it takes to stay within the frame, on a box of the background
// colour so grid lines do not cross it.
void plot_caption(Canvas& canvas, std::string_view text, double x, double y, const PlotAxes& axes,
                  Color background, double reference = 1.0);

} // namespace korvane
