#pragma once

#include "analysis/AnalysisEntry.h"
#include "graphs/Canvas.h"

#include <span>
#include <string_view>

namespace korvane {

class DesignParameters;

// Where row i of n result rows goes on the analysis window: two columns, the first
// (n + 1) / 2 rows on the left; rows 1.4 font heights apart from 21 font heights down, the
// columns a margin of width / 36 in from the left edge and from the middle.
struct RowPlacement {
    int column = 0;
    int x = 0; // left of the label
    int y = 0; // top of the row
};
RowPlacement analysisRowPlacement(int i, int n, int width, double fontPixels);

// The analysis window's rows with the canvas's font: clears the rows' area (the rows and
// three more, across the width), then each label, its value text ending 0.3125 of the width
// after the label, and the units two margins after that. Values of 0 are left blank.
void drawAnalysisRows(Canvas& canvas, std::span<const ResultRow> rows,
                      const DesignParameters& parameters);

// The printed analysis, portrait: the heading and the application's analysis title centred
// from a tenth of the height down, the entry rows 1 to 8 (labels at W/5, values at 0.54 W),
// then the electrical and the mechanical properties in two columns each. Lines are height / 60
// apart, and at least one line of the font.
inline constexpr std::string_view kAnalysisPageHeading =
    "KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS";
void printAnalysisPage(Canvas& canvas, const AnalysisEntry& entry,
                       const DesignParameters& parameters);

} // namespace korvane
