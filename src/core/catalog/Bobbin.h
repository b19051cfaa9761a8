#pragma once

#include "catalog/CoreRecord.h"

namespace korvane {

// Clearance row (0 to 3) of the bobbin moulding for an E-core of overall width dimA (in):
// below 1.25 row 0, below 1.68 row 1, below 3.05 row 2, else row 3 (the stored float against
// the decimal limits).
int bobbinClearanceRow(float dimA);

// Bobbin for `stackCount` stacked E-cores of the record's dimensions (whole cores, at least
// one; a smaller count is taken as one). Dimensions run in steps of 0.005 in.
BobbinRecord bobbinForCore(const CoreRecord& core, int stackCount);

} // namespace korvane
