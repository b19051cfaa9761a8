#include "results/ResultHeadings.h"

#include "results/ResultCells.h"

#include <cassert>
#include <initializer_list>
#include <utility>

namespace korvane {

namespace {

constexpr double kGroupUnderline = 0.9;

std::vector<double> widths(double first, double others, int count) {
    std::vector<double> w(static_cast<std::size_t>(count), others);
    w.front() = first;
    return w;
}

// One cell per column with the given texts.
HeadingLine columnLine(const std::vector<double>& columnWidths,
                       std::initializer_list<std::string_view> texts) {
    assert(texts.size() == columnWidths.size());
    HeadingLine line;
    std::size_t i = 0;
    for (std::string_view text : texts) {
        line.push_back({columnWidths[i], std::string(text), 0.0, 1});
        ++i;
    }
    return line;
}

// The first line of a DIMENSION page: the part-number heading, then the group headings over
// `coreColumns`, 2, 3 and 3 columns.
HeadingLine groupLine(const std::vector<double>& columnWidths, int coreColumns) {
    const double column = columnWidths[1];
    HeadingLine line;
    line.push_back({columnWidths[0], "Core Part Number", 0.0, 1});
    const std::pair<const char*, int> groups[] = {
        {"Core", coreColumns}, {"Magnetic", 2}, {"Wire", 3}, {"Wound, Overall", 3}};
    for (const auto& [text, span] : groups) {
        line.push_back({column * span, text, kGroupUnderline, span});
    }
    return line;
}

} // namespace

int columnCount(ResultGrid grid) {
    return grid == ResultGrid::ECoreDimension ? 15 : 12;
}

std::string_view pageCaption(ResultGrid grid) {
    return grid == ResultGrid::Electrical ? "ELECTRICAL PROPERTIES DATA"
                                          : "CORE DIMENSION PROPERTIES DATA";
}

ResultGrid dimensionGrid(CoreShape shape) {
    return shape == CoreShape::ECore ? ResultGrid::ECoreDimension : ResultGrid::ToroidDimension;
}

HeadingPage buildHeadingPage(ResultGrid grid, const HeadingOptions& options) {
    const std::string_view stacked = options.stackCount != 1.0F ? kStackedHeading : "";
    const std::string_view wireName = options.wireSystemName;
    const std::string_view wireUnit = isMetricWireSystemName(wireName) ? "mm" : "";
    const std::string_view len = lengthDisplay(options.units).label;
    const bool resonant = options.application == Application::Resonant;

    HeadingPage page;
    page.caption = std::string(pageCaption(grid));
    switch (grid) {
    case ResultGrid::Electrical: {
        page.columnWidths = widths(0.154, 0.077, 12);
        const auto& w = page.columnWidths;
        page.lines.push_back(columnLine(w, {"Core Part Number", "Price", "AL", "Turns", "Wire",
                                            "%Fill", "Rdc", resonant ? "Rac" : "Bac",
                                            resonant ? "Bac" : "%Perm", "Core", "Copper", "Temp"}));
        page.lines.push_back(
            columnLine(w, {stacked, "", "nH", "", wireName, "", "Ohms", resonant ? "Ohms" : "Gauss",
                           resonant ? "Gauss" : "", "Loss", "Loss", "Rise"}));
        page.lines.push_back(
            columnLine(w, {"", "", "", "", wireUnit, "", "", "", "", "Watts", "Watts", "deg C"}));
        break;
    }
    case ResultGrid::ToroidDimension: {
        page.columnWidths = widths(0.142, 0.077, 12);
        const auto& w = page.columnWidths;
        page.lines.push_back(groupLine(w, 3));
        page.lines.push_back(columnLine(w, {stacked, "OD", "ID", "Height", "Ac", "Lm", "Turns",
                                            wireName, "Dia", "OD", "ID", "Height"}));
        page.lines.push_back(
            columnLine(w, {"", len, len, len, "sq cm", "cm", "", wireUnit, len, len, len, len}));
        break;
    }
    case ResultGrid::ECoreDimension: {
        page.columnWidths = widths(0.142, 0.061, 15);
        const auto& w = page.columnWidths;
        page.lines.push_back(groupLine(w, 6));
        page.lines.push_back(
            columnLine(w, {stacked, "A", "B", "C", "D", "F", "G", "Ac", "Lm", "Turns", wireName,
                           "Dia", "Build", "Height", "Flange"}));
        page.lines.push_back(columnLine(w, {"", len, len, len, len, len, len, "sq cm", "cm", "",
                                            wireUnit, len, len, len, len}));
        break;
    }
    }
    return page;
}

} // namespace korvane
