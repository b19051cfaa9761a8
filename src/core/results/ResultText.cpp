#include "results/ResultText.h"

#include "results/ResultPageState.h"
#include "results/ResultTables.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace korvane {

namespace {

// Character position where each column starts, and the end of the last one.
std::vector<int> columnBounds(const std::vector<double>& widths, int totalWidth) {
    const double total = std::max(totalWidth, 0);
    std::vector<int> bounds{0};
    double sum = 0.0;
    for (double w : widths) {
        sum += w;
        // Widths add up to about 1; the clamp keeps odd widths from making a wild position.
        const double position =
            std::isfinite(sum) ? std::clamp(sum * total, 0.0, 2.0 * total) : 0.0;
        bounds.push_back(std::max(bounds.back(), static_cast<int>(std::lround(position))));
    }
    return bounds;
}

// Appends `text` at `start`, or further right to keep a blank after what the line holds.
void put(std::string& line, std::string_view text, int start) {
    if (text.empty()) {
        return;
    }
    const std::size_t minimum = line.empty() ? 0 : line.size() + 1;
    const std::size_t at = std::max(static_cast<std::size_t>(std::max(start, 0)), minimum);
    line.append(at - line.size(), ' ');
    line.append(text);
}

void endLine(std::string& out, std::string line) {
    const auto last = line.find_last_not_of(' ');
    line.erase(last == std::string::npos ? 0 : last + 1);
    out += line;
    out += '\n';
}

void renderHeadingLine(std::string& out, const HeadingLine& cells, const std::vector<int>& bounds) {
    const int columns = static_cast<int>(bounds.size()) - 1;
    std::string line;
    std::string underline;
    int column = 0;
    for (const HeadingCell& cell : cells) {
        if (column >= columns) {
            break;
        }
        const int end = std::min(column + std::max(cell.columns, 1), columns);
        const int left = bounds[static_cast<std::size_t>(column)];
        const int span = bounds[static_cast<std::size_t>(end)] - left;
        const int length = static_cast<int>(cell.text.size());
        put(line, cell.text, left + std::max(0, (span - length) / 2));
        if (cell.underline > 0.0) {
            const int dashes = static_cast<int>(std::lround(std::min(cell.underline, 1.0) * span));
            put(underline, std::string(static_cast<std::size_t>(dashes), '-'),
                left + (span - dashes) / 2);
        }
        column = end;
    }
    endLine(out, line);
    if (!underline.empty()) {
        endLine(out, underline);
    }
}

} // namespace

std::string renderGridText(const HeadingPage& headings, const TextGrid& grid, int firstRow,
                           int rowCount, int totalWidth) {
    const std::vector<int> bounds = columnBounds(headings.columnWidths, totalWidth);
    const int columns = static_cast<int>(headings.columnWidths.size());
    std::string out;
    for (const HeadingLine& cells : headings.lines) {
        renderHeadingLine(out, cells, bounds);
    }
    const int first = std::max(firstRow, 0);
    const int last = std::min(first + std::max(rowCount, 0), TextGrid::kRows);
    for (int row = first; row < last; ++row) {
        std::string line;
        for (int column = 0; column < columns; ++column) {
            const std::string& text = grid.cell(row, column);
            const int start = column == 0 ? 0
                                          : bounds[static_cast<std::size_t>(column + 1)] -
                                                static_cast<int>(text.size());
            put(line, text, start);
        }
        endLine(out, line);
    }
    return out;
}

std::string renderPageText(const ResultTables& tables, const ResultPageState& state,
                           int totalWidth) {
    const ResultGrid shown = state.shownGrid();
    const ResultRunState& run = state.run();
    return renderGridText(tables.headingPage(shown, run.application, run.wireSystemName),
                          tables.grid(shown), 0, run.rowCount, totalWidth);
}

} // namespace korvane
