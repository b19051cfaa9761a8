#pragma once

#include "graphs/Canvas.h"
#include "graphs/GraphState.h"
#include "graphs/PlotAxes.h"

#include <string_view>

namespace korvane {

// The axes of the state's ranges in a frame.
PlotAxes plotAxes(const GraphState& state, const PixelFrame& frame);

// Kind 7 y max: 10^(ceil(2 log10 y max) / 2), and 3 times the power of ten below when that is
// not a whole power of ten; when 3 times that power is still below y max, the next power of
// ten, so the curve's top stays inside the plot. y max must be positive.
double inductanceAxisMaximum(double yMax);

// Kinds 7 and 9 derive their axes from the first curve's points: x start so that the axis ends
// at the first power of ten at or above the largest x (at least 0.001); kind 7 y from 0 to 1 or
// 3 times a power of ten; kind 9 four x decades and y rounded outwards to multiples of 20 (at
// least one step of 20). Other kinds are left unchanged.
void applyAutomaticAxes(GraphState& state);

// Draws the whole graph (the window's activate, paint and resize): clears the area with the
// face colour (not on a printer page), draws the axes in black and the curves in red with
// their names, or for kinds 7 and 9 the automatic axes, the curve, the description and the
// kind 7 marker. A printing canvas or a pending print request uses the printer frame and
// clears the request; otherwise the print button becomes visible.
void drawGraph(GraphState& state, Canvas& canvas);

// Prints the graph on a landscape page: the print title in 1.5 times the window's font centred
// at 1/10 of the height, in 0.7 times the font the x label centred at 0.9 of the height, the
// y label at (width / 36, height / 2), the date text (trimmed) ending 3 (width / 36) before the
// right edge at 0.95 height + height / 60; then the graph in the printer frame.
void drawGraphPage(GraphState& state, Canvas& canvas, std::string_view dateText);

} // namespace korvane
