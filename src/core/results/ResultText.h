#pragma once

#include "results/ResultHeadings.h"
#include "results/TextGrid.h"

#include <string>

namespace korvane {

class ResultTables;
class ResultPageState;

// Characters across a result page printed as text.
inline constexpr int kTextTableWidth = 160;

// A page as plain text, one line per heading line and per row: every table column takes its
// relative width of `totalWidth` characters, heading texts are centred in their cells with
// the underlined ones followed by a line of dashes, row texts are right-aligned to the end of
// their column except the first column's, which start at its left edge. A text too wide for
// its place is moved right to keep one blank after the text before it. Trailing blanks are cut.
std::string renderGridText(const HeadingPage& headings, const TextGrid& grid, int firstRow,
                           int rowCount, int totalWidth = kTextTableWidth);

// The page the state shows, with all of the run's rows.
std::string renderPageText(const ResultTables& tables, const ResultPageState& state,
                           int totalWidth = kTextTableWidth);

} // namespace korvane
