#pragma once

#include "catalog/CoreRecord.h"
#include "domain/SharedTypes.h"
#include "engine/DesignCandidate.h"

namespace korvane {

// Square centimetres per square inch of a toroid's wound surface, and of an E-core's.
inline constexpr double kToroidSurfaceFactor = 6.4516;
inline constexpr double kECoreSurfaceFactor = 6.451;

inline constexpr double kInchesPerFoot = 12.0;

// Largest share of the window the winding can use, and the share a winding of copper c
// can reach: 0.218 x window / copper.
inline constexpr double kMaxWindowFactor = 0.83;
inline constexpr double kWindowFactorScale = 0.218;

// Winds `turns` whole turns of the wire `wireSize` (of `system`) with the candidate's strand
// count on the core and returns the DC resistance in ohms at `temperatureC`, leads of
// `leadLengthIn` inches at both ends included.
//
// The wire is looked up by size at the temperature into the candidate's wire record, so its
// ohmsPerFoot is the resistance at that temperature. Writes build, hole, woundOD,
// woundHeight, mlt, wireLength and surfaceArea into the candidate.
//
// Toroid and composite: the winding fills the window from the inside; a window more than
// 1/2.15 full is taken as completely full (build = ID / 2, no hole). E-core: the turns are
// laid in layers across the bobbin's winding width, one wire's width short of full.
//
// Returns 0 when the wire cannot be looked up (nothing but the wire is written then), -1 for
// an E-core whose winding width holds fewer than two wires (the geometry is not written).
// Fewer than one strand counts as one; negative turns count as none.
double calcWinding(DesignCandidate& candidate, const CoreRecord& core, int turns, WireSystem system,
                   float wireSize, double leadLengthIn, double temperatureC, WindingType winding,
                   const BobbinRecord& bobbin);

// Outside surface of the wound part in cm^2: for a toroid or composite core the cylinder of
// the wound part and its two end faces, the wound diameter worked out as calcWinding does;
// for an E-core the surface of the core set. `copperAreaCmil` and `insulatedDiameter` are
// those of one strand. A toroid winding whose copper (area x turns x strands) is not
// positive is reported in a message box and taken as a full window. Returns -1 for a core
// shape other than toroid, E-core and composite.
double calcSurfaceArea(WindingType winding, int turns, int strands, double copperAreaCmil,
                       double insulatedDiameter, const CoreRecord& core);

} // namespace korvane
