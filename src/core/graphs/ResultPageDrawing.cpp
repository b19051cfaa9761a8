#include "graphs/ResultPageDrawing.h"

#include "format/Trimmed.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace korvane {

namespace {

constexpr int kTitlePixels = 24;
constexpr double kRowFactor = 1.4;
constexpr int kBlockLinesLeft = 5;

// Whole pixels of a fraction of a length, truncated; the inputs are canvas sizes, so the
// product stays far inside int.
int part(double fraction, int length) {
    return static_cast<int>(fraction * length);
}

Font bodyFont() {
    Font font;
    font.height = kResultFontSize;
    font.color = colors::kBlack;
    return font;
}

// Pixel position where each table column starts, and the end of the last one.
std::vector<int> columnBounds(const std::vector<double>& widths, const ResultPageLayout& layout) {
    std::vector<int> bounds{layout.margin};
    double sum = 0.0;
    for (double w : widths) {
        sum += std::isfinite(w) ? std::max(w, 0.0) : 0.0;
        const double position = layout.margin + std::min(sum, 2.0) * layout.tableWidth;
        const double limit = std::numeric_limits<int>::max();
        bounds.push_back(std::max(bounds.back(), static_cast<int>(std::min(position, limit))));
    }
    return bounds;
}

void drawRequirementBlock(Canvas& canvas, const ResultPageState& state,
                          const ResultPageLayout& layout) {
    const RequirementBlock block = state.displayedRequirementBlock();
    for (std::size_t i = 0; i < block.size(); ++i) {
        const bool left = i < kBlockLinesLeft;
        const int start = left ? layout.margin : layout.margin + layout.tableWidth / 2;
        const int line = static_cast<int>(left ? i : i - kBlockLinesLeft);
        const int y = layout.blockTop + line * layout.blockRow;
        const RequirementBlockLine& b = block[i];
        const int valueEnd = start + layout.valueColumn;
        canvas.textOut(start, y, b.label);
        canvas.textOut(valueEnd - canvas.textWidth(b.value), y, b.value);
        canvas.textOut(valueEnd + layout.margin / 2, y, b.unit);
    }
}

// Draws the heading lines; answers the top of the first table row.
int drawHeadings(Canvas& canvas, const HeadingPage& page, const std::vector<int>& bounds,
                 const ResultPageLayout& layout) {
    const int columns = static_cast<int>(bounds.size()) - 1;
    int y = layout.headingTop;
    bool first = true;
    for (const HeadingLine& cells : page.lines) {
        bool underlined = false;
        int column = 0;
        for (const HeadingCell& cell : cells) {
            if (column >= columns) {
                break;
            }
            const int end = std::min(column + std::max(cell.columns, 1), columns);
            const int left = bounds[static_cast<std::size_t>(column)];
            const int span = bounds[static_cast<std::size_t>(end)] - left;
            canvas.textOut(left + (span - canvas.textWidth(cell.text)) / 2, y, cell.text);
            if (cell.underline > 0.0) {
                const int length = part(std::min(cell.underline, 1.0), span);
                const int from = left + (span - length) / 2;
                const int row = y + layout.rowHeight;
                canvas.line({from, row}, {from + length, row});
                underlined = true;
            }
            column = end;
        }
        y += layout.rowHeight;
        if (first && underlined) {
            y += layout.rowHeight / 2;
        }
        first = false;
    }
    return y;
}

void drawRows(Canvas& canvas, const TextGrid& grid, const ResultPageState& state,
              const std::vector<int>& bounds, int top, const ResultPageLayout& layout) {
    const int columns = static_cast<int>(bounds.size()) - 1;
    const int first = state.firstVisibleRow();
    const int last = std::min(first + state.visibleRows(), state.run().rowCount);
    const int gap = std::max(1, canvas.textWidth("0") / 2);
    for (int row = first; row < last; ++row) {
        const int y = top + (row - first) * layout.rowHeight;
        for (int column = 0; column < columns; ++column) {
            const std::string& text = grid.cell(row, column);
            if (text.empty()) {
                continue;
            }
            const int left = bounds[static_cast<std::size_t>(column)];
            const int right = bounds[static_cast<std::size_t>(column + 1)];
            const int x =
                column == 0 ? left + (right - left) / 10 : right - gap - canvas.textWidth(text);
            canvas.textOut(x, y, text);
        }
        if (row == state.selectedRow()) {
            const int spare = std::max(0, layout.rowHeight - layout.fontHeight) / 2;
            const int tableLeft = bounds.front();
            const int tableRight = layout.margin + layout.tableWidth;
            const Pen previous = canvas.pen();
            canvas.setPen({colors::kRed, 1});
            canvas.line({tableLeft, y - spare}, {tableRight, y - spare});
            canvas.line({tableLeft, y + layout.fontHeight + spare},
                        {tableRight, y + layout.fontHeight + spare});
            canvas.setPen(previous);
        }
    }
}

void drawTable(Canvas& canvas, const ResultTables& tables, const ResultPageState& state,
               const ResultPageLayout& layout) {
    canvas.setFont(layout.font);
    canvas.setPen({colors::kBlack, 1});
    drawRequirementBlock(canvas, state, layout);
    const ResultGrid shown = state.shownGrid();
    const ResultRunState& run = state.run();
    const HeadingPage page = tables.headingPage(shown, run.application, run.wireSystemName);
    const std::vector<int> bounds = columnBounds(page.columnWidths, layout);
    const int rowsTop = drawHeadings(canvas, page, bounds, layout);
    drawRows(canvas, tables.grid(shown), state, bounds, rowsTop, layout);
}

} // namespace

Rect resultWindowRect(Size screen) {
    const int top = part(0.175, screen.height);
    const int left = part(0.025, screen.width);
    const int height = part(screen.height > 720 ? 0.67 : 0.8, screen.height);
    return {left, top, left + part(0.95, screen.width), top + height};
}

int resultVisibleRows(Size screen, int windowHeight, int rowHeight, int rowCount, int current) {
    const double standard = 0.67 * screen.height;
    if (screen.height <= 720 || rowHeight <= 0 || windowHeight == static_cast<int>(standard)) {
        return current;
    }
    const double extra = std::clamp((windowHeight - standard) / rowHeight, -1.0e6, 1.0e6);
    const int rows = static_cast<int>(extra) + 10;
    return std::max(1, std::min(rows, rowCount));
}

ResultPageLayout resultWindowLayout(Canvas& canvas) {
    const int w = canvas.size().width;
    ResultPageLayout layout;
    layout.font = bodyFont();
    canvas.setFont(layout.font);
    layout.fontHeight = canvas.textHeight("0");
    layout.tableWidth = part(0.92, w);
    layout.margin = part(0.028, w);
    layout.valueColumn = part(0.3, w);
    layout.rowHeight = part(kRowFactor, layout.fontHeight);
    layout.blockRow = layout.rowHeight;
    layout.blockTop = 3 * layout.fontHeight + part(1.5, layout.blockRow);
    layout.headingTop = layout.blockTop + kBlockLinesLeft * layout.blockRow + layout.blockRow / 2;
    return layout;
}

ResultPageLayout resultPrintLayout(Canvas& canvas) {
    const Size page = canvas.size();
    ResultPageLayout layout;
    layout.font = bodyFont();
    canvas.setFont(layout.font);
    layout.fontHeight = canvas.textHeight("0");
    layout.margin = page.width / 22;
    layout.tableWidth = part(0.9, page.width);
    layout.valueColumn = part(0.3, page.width);
    // On a fine printer 1/60 of the page can be less than a line of the font: lines never
    // come closer than the font's height, and table rows keep a fifth of a line between
    // them so the selection lines above and below a row cross no text.
    layout.blockRow = std::max(page.height / 60, layout.fontHeight);
    layout.rowHeight = std::max(page.height / 50, layout.fontHeight * 6 / 5);
    layout.blockTop = page.height / 10 + 2 * layout.blockRow;
    layout.headingTop = page.height / 4;
    return layout;
}

void drawResultPage(Canvas& canvas, const ResultTables& tables, const ResultPageState& state,
                    std::string_view applicationTitle, std::string_view dateText) {
    const Size size = canvas.size();
    const ResultPageLayout layout = resultWindowLayout(canvas);
    if (!canvas.printing()) {
        canvas.setBrushColor(colors::kWhite);
        canvas.fillRect({0, 0, size.width, size.height});
    }
    const int top = layout.fontHeight / 2;
    Font title = layout.font;
    title.height = canvas.pointsForPixels(kTitlePixels);
    canvas.setFont(title);
    canvas.textOut(layout.margin, top, applicationTitle);

    canvas.setFont(layout.font);
    const std::string_view date = trimmed(dateText);
    canvas.textOut(size.width - 2 * layout.margin - canvas.textWidth(date), top, date);
    drawTable(canvas, tables, state, layout);
}

void drawResultPrintPage(Canvas& canvas, const ResultTables& tables, const ResultPageState& state,
                         std::string_view applicationTitle, std::string_view dateText) {
    const Size page = canvas.size();
    const ResultPageLayout layout = resultPrintLayout(canvas);
    const int captionRow = page.height / 10;

    Font title = layout.font;
    title.height = 1.25 * layout.font.height;
    canvas.setFont(title);
    canvas.textOut((page.width - canvas.textWidth(kResultsTitle)) / 2,
                   captionRow - 3 * layout.blockRow, kResultsTitle);

    canvas.setFont(layout.font);
    canvas.textOut((page.width - canvas.textWidth(applicationTitle)) / 2,
                   captionRow - part(1.5, layout.blockRow), applicationTitle);
    canvas.textOut(layout.margin, captionRow, state.caption());
    const std::string_view date = trimmed(dateText);
    canvas.textOut(page.width - layout.margin - canvas.textWidth(date), captionRow, date);
    drawTable(canvas, tables, state, layout);
}

} // namespace korvane
