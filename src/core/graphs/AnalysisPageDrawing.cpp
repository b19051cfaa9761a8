#include "graphs/AnalysisPageDrawing.h"

#include "analysis/AnalysisRows.h"
#include "domain/Application.h"
#include "format/StrPrintf.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr double kRowHeightFactor = 1.4;
constexpr double kTopFactor = 21.0;
constexpr double kValueFieldFraction = 0.3125;

// A layout position as whole pixels; the clamp keeps the conversion defined for any surface.
int pixels(double x) {
    return static_cast<int>(std::clamp(std::trunc(x), -1e9, 1e9));
}

// One list of rows in two columns on the printed page from `top` down; returns the y below
// its longer column.
int printRows(Canvas& canvas, std::span<const ResultRow> rows, const DesignParameters& parameters,
              int top, int lineHeight) {
    const Size page = canvas.size();
    const int margin = page.width / 17;
    const int valueEnd = 2 * page.width / 7;
    const int n = static_cast<int>(rows.size());
    const int perColumn = (n + 1) / 2;
    for (int i = 0; i < n; ++i) {
        const ResultRow& row = rows[static_cast<std::size_t>(i)];
        const int c = 2 * i / (n + 1);
        const int start = c * (page.width / 2 - margin) + margin;
        const int y = top + (i - c * perColumn) * lineHeight;
        canvas.textOut(start, y, row.label);
        const std::string value = rowValueText(row, parameters, RowMedium::Page);
        if (!value.empty()) {
            canvas.textOut(start + valueEnd - canvas.textWidth(value), y, value);
        }
        canvas.textOut(start + margin + valueEnd, y, rowUnitsText(row, parameters));
    }
    return top + perColumn * lineHeight;
}

} // namespace

RowPlacement analysisRowPlacement(int i, int n, int width, double fontPixels) {
    const double rowHeight = kRowHeightFactor * std::fabs(fontPixels);
    const double top = kTopFactor * std::fabs(fontPixels);
    const int margin = width / 36;
    RowPlacement p;
    p.column = n + 1 > 0 ? 2 * i / (n + 1) : 0;
    p.x = p.column * (width / 2 - margin) + margin;
    p.y = pixels((i - p.column * ((n + 1) / 2)) * rowHeight + top);
    return p;
}

void drawAnalysisRows(Canvas& canvas, std::span<const ResultRow> rows,
                      const DesignParameters& parameters) {
    const int n = static_cast<int>(rows.size());
    const int width = canvas.size().width;
    const double fontPixels = std::fabs(canvas.font().height) * canvas.pixelsPerPoint();
    const double rowHeight = kRowHeightFactor * fontPixels;
    const double top = kTopFactor * fontPixels;
    const int margin = width / 36;
    const int field = pixels(kValueFieldFraction * width);
    canvas.setBrushColor(colors::kFace);
    canvas.fillRect({0, pixels(top), width, pixels(top + ((n + 3) / 2) * rowHeight)});
    for (int i = 0; i < n; ++i) {
        const ResultRow& row = rows[static_cast<std::size_t>(i)];
        const RowPlacement p = analysisRowPlacement(i, n, width, fontPixels);
        canvas.textOut(p.x, p.y, row.label);
        const std::string value = rowValueText(row, parameters, RowMedium::Window);
        if (!value.empty()) {
            canvas.textOut(p.x + field - canvas.textWidth(value), p.y, value);
        }
        canvas.textOut(p.x + 2 * margin + field, p.y, rowUnitsText(row, parameters));
    }
}

void printAnalysisPage(Canvas& canvas, const AnalysisEntry& entry,
                       const DesignParameters& parameters) {
    const Size page = canvas.size();
    const int line = std::max(page.height / 60, canvas.textHeight("X"));
    int y = page.height / 10;
    auto centred = [&canvas, &page](int at, std::string_view text) {
        canvas.textOut((page.width - canvas.textWidth(text)) / 2, at, text);
    };
    centred(y, kAnalysisPageHeading);
    y += line;
    centred(y, strprintf("%s  ANALYSIS",
                         std::string(analysisApplicationTitle(entry.application())).c_str()));
    y += 2 * line;

    // Entry rows 1 to 8: the part number with its stack count, the wire with its strands;
    // the rows the application hides are left out.
    const auto labels = entry.labels();
    const int labelX = page.width / 5;
    const int valueX = pixels(0.54 * page.width);
    for (int row = 1; row <= 8; ++row) {
        const EntryLabel& label = labels[static_cast<std::size_t>(row - 1)];
        if (!label.visible) {
            continue;
        }
        std::string value = entry.text(static_cast<AnalysisField>(row));
        if (row == 1) {
            value += " X " + entry.text(AnalysisField::StackCount);
        } else if (row == 2) {
            value += " X " + entry.text(AnalysisField::Strands);
        }
        canvas.textOut(labelX, y, label.label);
        canvas.textOut(valueX, y, value + " " + label.units);
        y += line;
    }

    y += line;
    const int margin = page.width / 17;
    canvas.textOut(margin, y, "ELECTRICAL PROPERTIES:");
    const auto electrical = std::span<const ResultRow>(entry.electricalRows())
                                .first(static_cast<std::size_t>(entry.electricalRowCount()));
    y = printRows(canvas, electrical, parameters, y + line, line) + line;
    canvas.textOut(margin, y, "MECHANICAL PROPERTIES:");
    printRows(canvas, entry.mechanicalRows(), parameters, y + line, line);
}

} // namespace korvane
