#pragma once

#include "analysis/AnalysisLabels.h"
#include "catalog/CoreRecord.h"
#include "engine/DesignCandidate.h"

#include <string>

namespace korvane {

class DesignParameters;

// Electrical rows 0 to 12 of an analysed candidate (inductance in henries, losses in
// watts); the resistance rows take the format "%5.2f"; an AC resistance within 0.1 % of the
// DC resistance is 0 (not shown).
void fillElectricalRows(ElectricalRows& rows, const DesignCandidate& candidate);

// Mechanical rows of the analysed (stacked) core and its winding. An E-core shows its
// dimensions A, B and C in rows 0 to 2 and no wound OD.
void fillMechanicalRows(MechanicalRows& rows, const CoreRecord& core,
                        const DesignCandidate& candidate);

// Where a row is written: the window draws values above 0, the printed page values above
// 1e-12 and takes engineering notation for currents as well.
enum class RowMedium { Window, Page };

// The value text of a row: lengths, feet and pounds in the unit system; henries, ohms and
// watts in engineering notation (3 digits) above 1e-12; otherwise the row's format. Empty
// when the value is not shown.
std::string rowValueText(const ResultRow& row, const DesignParameters& parameters,
                         RowMedium medium = RowMedium::Window);

// Longest value text a page column holds.
inline constexpr std::size_t kLongestRowValueText = 12;

// Whether a row's value can be shown truthfully on the window and the printed page: finite,
// within the engineering prefixes (up to exa) and with a text that fits its column.
bool rowShowable(const ResultRow& row, const DesignParameters& parameters);

// The units text of a row with INCH, Ft and Lbs replaced by the unit system's names.
std::string rowUnitsText(const ResultRow& row, const DesignParameters& parameters);

} // namespace korvane
