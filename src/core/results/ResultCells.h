#pragma once

#include "domain/SharedTypes.h"
#include "engine/WireTable.h"

#include <string>
#include <string_view>

namespace korvane {

// How lengths kept in inches are shown: the factor to the display unit and its label.
struct LengthDisplay {
    double factor = 1.0;
    std::string_view label;
};
LengthDisplay lengthDisplay(UnitSystem units);

// A length in inches in the display unit: "%6.3f" when the factor is 1, "%6.2f" otherwise.
std::string lengthCellText(double inches, UnitSystem units);

// The wire size: AWG and SWG "#%3d" for gauges of 1 or more, "# " and (1 - gauge) zeros below
// ("# 0" for 1/0, "# 0000" for 4/0); Metric "%4.2f" millimetres. Empty for a size that is no
// gauge (not finite or far outside the tables).
std::string wireSizeText(const WireRecord& wire);

// The wire column: the size text, with 2 or more strands "%3d x %s".
std::string wireCellText(const WireRecord& wire, int strands);

// The part-number column: the part number, with a stack count other than 1 "%s x%s" (the
// count in the compact fixed format).
std::string partNumberCellText(std::string_view partNumber, float stackCount);

// "%6.2f" of a price above 0; empty otherwise (no price row).
std::string priceCellText(float price);

// A resistance in engineering format with 3 significant digits and no unit.
std::string resistanceCellText(float ohms);

// Copper share of the window in percent, "%6.1f": areaCmil x turns x strands x 0.1 / Aw (Aw
// is the window in thousands of circular mils). Empty when the core has no window figure.
std::string fillCellText(const WireRecord& wire, float turns, int strands, float Aw);

// True for the wire system name the metric wire tables give.
bool isMetricWireSystemName(std::string_view name);

} // namespace korvane
