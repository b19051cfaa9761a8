#pragma once

#include "graphs/Canvas.h"
#include "results/ResultPageState.h"
#include "results/ResultTables.h"

#include <string_view>

namespace korvane {

// Where the parts of a result page go, in device pixels of the canvas.
struct ResultPageLayout {
    int margin = 0;      // left margin; the table and the block's first column start here
    int tableWidth = 0;  // the relative column widths are scaled to it
    int valueColumn = 0; // a block value ends this far after its column's start
    Font font;           // block, headings and rows
    int fontHeight = 0;  // of one line of text in the font
    int blockTop = 0;    // top of the first requirement line
    int blockRow = 0;    // distance of the requirement lines
    int headingTop = 0;  // top of the first heading line
    int rowHeight = 0;   // distance of heading lines and of table rows
};

inline constexpr double kResultFontSize = 11.0; // points

// The results window at creation on a screen: 0.175 of the height from the top, 0.025 of the
// width from the left, 0.8 of the height high (0.67 on screens taller than 720 pixels) and
// 0.95 of the width wide, whole pixels truncated.
Rect resultWindowRect(Size screen);

// Rows the window shows: on screens taller than 720 pixels, when the window height differs
// from 0.67 of the screen height, (height - 0.67 screen height) / row height + 10, at most the
// row count and at least 1; otherwise `current`.
int resultVisibleRows(Size screen, int windowHeight, int rowHeight, int rowCount, int current);

// Window layout for the canvas's client area: table 0.92 of the width, margin 0.028 of it,
// values ending 0.3 of the width after a column start (as on the printed page), font 11, rows
// 1.4 font heights apart,
// the block starting 1.5 lines below three font heights and the headings half a line after it.
ResultPageLayout resultWindowLayout(Canvas& canvas);

// Landscape print layout: margin width / 22, table 0.9 of the width, values ending 0.3 page
// widths after a column start, block lines height / 60 apart, headings from height / 4 and
// rows height / 50 apart (block lines at least one font height apart, table rows 1.2).
ResultPageLayout resultPrintLayout(Canvas& canvas);

// The results window (its activate, paint and resize): the application title in a 24-pixel
// font top left, the date text (trimmed) ending two margins before the right edge, the
// requirement block in two columns, the headings of the page shown and its visible rows with
// the selected row between two red lines.
void drawResultPage(Canvas& canvas, const ResultTables& tables, const ResultPageState& state,
                    std::string_view applicationTitle, std::string_view dateText);

// The printed page (PRINT): the fixed title centred at the top in 1.25 times the font, the
// application title centred below it, the page caption at the left margin and the date at the
// right at height / 10, then the block, headings, rows and selection lines of the print
// layout.
void drawResultPrintPage(Canvas& canvas, const ResultTables& tables, const ResultPageState& state,
                         std::string_view applicationTitle, std::string_view dateText);

} // namespace korvane
