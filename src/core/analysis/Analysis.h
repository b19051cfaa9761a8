#pragma once

#include "catalog/CoreCatalog.h"
#include "catalog/CoreRecord.h"
#include "domain/Application.h"
#include "engine/DesignCandidate.h"
#include "materials/MaterialModel.h"
#include "requirements/Requirement.h"

#include <string>

namespace korvane {

class DesignParameters;

// What the analysis takes from its window besides the records: the design parameters (lead
// length and temperature-rise law of the application) and the rectangular-conductor flag of
// the wire entry.
struct AnalysisWindowInputs {
    const DesignParameters& parameters;
    int stripFlag = 0;
};

// Clears what an analysis writes: resistances, inductance, H, B, percent permeability,
// ripple, current scale, voltage ratio, losses, build, surface area and temperature rise.
void resetAnalysisResults(DesignCandidate& candidate);

// Analysis of an existing design. The candidate holds the part number, turns (real), strands,
// stack count and the wire (system and size); `conditions` the operating point of the
// application: DC applications I1peak, Von, Voff, fkHz; PFC boost I1peak, Vpfc2 (peak
// input), Vpfc1 (output), fkHz; 60 Hz the larger of I1rms and I2rms, fHz; resonant Ipk, fkHz;
// all Ta and the winding type.
//
// Looks the core up into `core` and stacks it, then writes the candidate's results: AL, Ae
// and volume of the stack, H, percent permeability, inductance (H), B, ripple, current
// scale, voltage ratio, frequency (Hz), the winding geometry, Rdc, Rac, copper and core loss
// (mW) and temperature rise. Flux and inductance use the turns as given; the winding takes
// the whole turns.
//
// Returns 1; 0 after a program error (unknown application, a wire outside the wire table,
// a wire too wide for the bobbin); the lookup's own negative result when the part number is
// not listed. Every failure has shown its message.
int calc_analysis(Application application, const AnalysisWindowInputs& window, CoreRecord& core,
                  DesignCandidate& candidate, const Requirement& conditions,
                  const CoreCatalog& catalog, const MaterialModel& model);

// Flux density above which the AC permeability data of the 60 Hz analysis runs out, gauss.
inline constexpr double kAcPermDataLimit = 30000.0;
inline constexpr std::string_view kAcPermRangeWarning =
    "WARNING: RANGE OF AC PERM DATA EXCEEDED.\n\r RESULTS MAY BE INACCURATE";
inline constexpr std::string_view kAcPermRangeCaption = "60 HZ ANALYSIS ";

// Notice shown for a core of a discontinued mix: names the two discontinued mixes and the
// three that replace them.
std::string discontinuedMaterialNotice();
inline constexpr std::string_view kNoticeCaption = "NOTICE: ";

} // namespace korvane
