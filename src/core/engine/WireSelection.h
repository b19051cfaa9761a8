#pragma once

#include "catalog/CoreCatalog.h"
#include "catalog/CoreRecord.h"
#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "engine/DesignCandidate.h"
#include "engine/WireTable.h"
#include "settings/DesignParameters.h"

namespace korvane {

// Result codes of select_wire and what the design search does with them.
namespace WireSelectionResult {
inline constexpr int kFound = 1;              // wire found: evaluate the candidate further
inline constexpr int kInvalidTurns = 0;       // fewer than 0.5 turns (message): search stops
inline constexpr int kNoFullWindowWire = -1;  // no wire for the full-window area: skip core
inline constexpr int kNoDiameterWire = -2;    // no wire for the layer or skin-depth diameter
inline constexpr int kNoFitWire = -4;         // no wire in the fit loop: skip core
inline constexpr int kCurrentDensity = -8;    // copper below Cudens x current: skip core
inline constexpr int kNoBuildFit = -16;       // winding too deep for the bobbin: skip core
inline constexpr int kResistanceLimit = -32;  // Rdc above the maximum: skip core
inline constexpr int kFrequencyMissing = -64; // RESONANT without frequency (message): stop
} // namespace WireSelectionResult

// Chooses the wire for the candidate's core and turns: the largest wire the window takes
// (FULL WINDOW: the application's fill of a toroid window, 78 % of an E-core window;
// SINGLE LAYER: one layer round the inside of the toroid or across the bobbin), shrunk
// until the winding fits the window, checked against the current density (`Cudens`
// circular mils per ampere of `current`), wound with calcWinding at the ambient `Ta` with
// the application's lead length, and checked against the maximum DC resistance `Rs`
// (0 = no limit). A RESONANT winding whose wire is thicker than three skin depths is
// stranded with wire of at most three skin depths, and its AC resistance factor worked out.
//
// Reads turns, strands (at least the design's minimum strands), stack count and frequency
// (kHz) from the candidate; writes the strand count, the wire (resistance at `Ta`), rdc, rac
// and the winding geometry into it. `wire` ends holding the last wire looked up at 20 degC;
// it may be the candidate's own wire record. For an E-core the bobbin of the stack is read
// from the catalog into `bobbin`. Returns one of the WireSelectionResult codes.
int select_wire(const DesignPFE& design, Application application, WireRecord& wire,
                DesignCandidate& candidate, double current, double Ta, double Rs, CoreShape shape,
                WindingType winding, const CoreCatalogBase& catalog, const CoreRecord& core,
                BobbinRecord& bobbin, const DesignParameters& parameters);

} // namespace korvane
