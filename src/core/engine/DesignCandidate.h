#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "engine/WireTable.h"

#include <array>
#include <string>

namespace korvane {

struct Requirement;

// One automatic design run: the requirement values as the search reads them, and the run's
// choices (application, shape, winding, stacking, strands, wire standard).
struct DesignPFE {
    bool valid = false; // set when the search accepted at least one design
    float L1 = 0.0F;    // mH, inductance at maximum current
    float L2 = 0.0F;    // mH, inductance at minimum current
    float I1 = 0.0F;    // A, maximum current as entered
    float I2 = 0.0F;    // A, minimum current
    float I1peak = 0.0F;
    float I1rms = 0.0F;
    float I2rms = 0.0F;
    float Ipk = 0.0F;
    float fHz = 0.0F;
    float fkHz = 0.0F;
    float Rs = 0.0F; // ohm; 0 = no limit
    float Ta = 0.0F; // degrees C
    float Von = 0.0F;
    float Voff = 0.0F;
    float Vpk = 0.0F;
    float Vpfc1 = 0.0F; // V, PFC DC output
    float Vpfc2 = 0.0F; // V, PFC peak input
    Application application = Application::DcBiased;
    CoreShape shape = CoreShape::Toroid;
    float stackCount = 1.0F;
    WindingType windingType = WindingType::FullWindow;
    int minStrands = 1;
    WireSystem wireSystem = WireSystem::Awg;
};

// The run built from an accepted requirement and the wire standard of the design parameters.
DesignPFE makeDesignRun(const Requirement& requirement, WireSystem wireSystem);

// One design: a core with its winding and what it does. Written by the search and by the
// analysis of an existing design.
struct DesignCandidate {
    std::string partNumber;
    float ae = 0.0F;            // cm^2, times the stack count
    float al = 0.0F;            // nH/turn^2, times the stack count
    float turns = 0.0F;         // whole number of turns
    int strands = 1;            // strands per turn (RESONANT may raise it)
    float stackCount = 1.0F;    // stacked cores
    WireRecord wire;            // the chosen wire
    float rdc = 0.0F;           // ohm, DC resistance at the ambient temperature
    float rac = 0.0F;           // ohm, Fr x rdc
    float inductance = 0.0F;    // H, inductance under load (analysis only)
    float dcBias = 0.0F;        // Oe, DC magnetising force (analysis only)
    float acFlux = 0.0F;        // gauss, peak AC flux density
    float percentPerm = 0.0F;   // percent of initial permeability at the operating point
    float ripple = 0.0F;        // A p-p (analysis only)
    float biasScale = 0.0F;     // A per oersted (0 to 3), rms A per gauss (4, 5)
    float pfcRatio = 0.0F;      // PFC input peak / output voltage
    float frequency = 0.0F;     // kHz in the search; Hz when written by the analysis
    float lineFrequency = 0.0F; // Hz
    float coreLoss = 0.0F;      // mW
    float copperLoss = 0.0F;    // mW
    float tempRise = 0.0F;      // degrees C
    float mlt = 0.0F;           // ft, mean length of turn
    float build = 0.0F;         // in, winding build
    float hole = 0.0F;          // in, remaining inside diameter of a wound toroid
    float woundOD = 0.0F;       // in
    float woundHeight = 0.0F;   // in
    float wireLength = 0.0F;    // ft, including two leads
    float surfaceArea = 0.0F;   // cm^2, outside of the wound part
    float coreVolume = 0.0F;    // cm^3, times the stack count
};

// The designs of the last search, in slots 0 to count - 1.
inline constexpr int kCandidateSlots = 40;
struct CandidateTable {
    std::array<DesignCandidate, kCandidateSlots> slots{};
    int count = 0;
};

} // namespace korvane
