#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The three result grids: E the ELECTRICAL page, D the DIMENSION page of toroids and composite
// cores, X the DIMENSION page of E-cores.
enum class ResultGrid : std::uint8_t { Electrical = 0, ToroidDimension = 1, ECoreDimension = 2 };

// Columns of a grid's page: 12, 12 and 15.
int columnCount(ResultGrid grid);

// "ELECTRICAL PROPERTIES DATA" or "CORE DIMENSION PROPERTIES DATA".
std::string_view pageCaption(ResultGrid grid);

// The DIMENSION grid that shows cores of a shape.
ResultGrid dimensionGrid(CoreShape shape);

// The heading under the part-number column when cores are stacked.
inline constexpr std::string_view kStackedHeading = " ( # Stacked ) ";

// One heading cell. A group heading spans several table columns; its width is the sum of
// theirs.
struct HeadingCell {
    double width = 0.0;     // fraction of the table width
    std::string text;       // centred in the cell
    double underline = 0.0; // fraction of the cell width underlined, centred; 0 = none
    int columns = 1;        // table columns spanned
};
using HeadingLine = std::vector<HeadingCell>;

// The headings of one page: the relative width of every table column and up to four lines of
// heading cells, each line covering all columns.
struct HeadingPage {
    static constexpr std::size_t kMaxLines = 4;

    std::string caption;
    std::vector<double> columnWidths;
    std::vector<HeadingLine> lines;
};

// What the headings depend on besides the page.
struct HeadingOptions {
    float stackCount = 1.0F;
    Application application = Application::DcBiased;
    std::string wireSystemName; // "Metric", " AWG" or " SWG"
    UnitSystem units = UnitSystem::English;
};

HeadingPage buildHeadingPage(ResultGrid grid, const HeadingOptions& options);

} // namespace korvane
