#pragma once

#include "catalog/CoreRecord.h"
#include "engine/DesignCandidate.h"
#include "engine/LineOperatingPoint.h"

#include <optional>
#include <string_view>

namespace korvane {

class MaterialModel;

// What the losses of a candidate are computed at, by application.
struct CandidateQuantities {
    double currentSquared = 0.0;    // A^2: copper loss; the wire carries its square root
    double acFlux = 0.0;            // gauss, peak AC flux density of the candidate
    double lossFrequencyKHz = 0.0;  // kHz, frequency of the core loss
    double lossFlux = 0.0;          // gauss given to the core loss (twice acFlux for PFC)
    double biasScale = 0.0;         // A/Oe (0 to 3) or rms A/gauss (4, 5)
    std::optional<double> pfcRatio; // PFC input peak / output voltage, when written
};

// Candidate quantities of a (stacked) core with `turns` turns at `percentPerm`.
CandidateQuantities candidateQuantities(const DesignPFE& design, const CoreRecord& core,
                                        double turns, double percentPerm);

// DC-bias turns iteration of DC BIASED and PFC BOOST: the percent permeability (at most 100)
// at which the turns for L1 mH at that permeability carry `current`; nullopt when the
// iteration leaves its range (0 to the material's bias search maximum) or does not settle.
// The caller compares the result with the minimum percent permeability.
std::optional<float> dcBiasPercentPerm(std::string_view material, double L1mH, double current,
                                       double AL, double le, const MaterialModel& model);

// Swing model of CONTROLLED SWING and WIDE SWING: the percent permeability at the maximum
// current, or -1 when the core cannot give both inductances.
float swingPercentPerm(Application application, std::string_view material, CoreShape shape,
                       double AL, double le, double L1, double I1, double L2, double I2,
                       const MaterialModel& model);

// Resonant core test: a high-frequency mix whose peak flux figure stays below 10000.
bool resonantCoreAccepted(std::string_view material, double AL, double L1, double Ipk, double Ae);

} // namespace korvane
