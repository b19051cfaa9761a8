#pragma once

#include "catalog/CoreRecord.h"

namespace korvane {

// Turns a single catalog core into a stack of `stackCount` identical cores. Ae, AL, volume
// and weight grow with the count. An E-core stacks along dimC: dimC and dimE are multiplied
// and the turn grows by 2 x dimE per added core; a toroid or composite core grows in height,
// the turn by 2 x Ht per added core. A count of exactly 1 leaves the record as it is.
// The design search and the analysis both stack through this one routine, so a design
// analysed later describes the same core the search found.
void stackCore(CoreRecord& core, double stackCount);

} // namespace korvane
