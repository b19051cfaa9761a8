#pragma once

#include "domain/SharedTypes.h"

#include <array>
#include <string>

namespace korvane {

// One magnet wire, filled by lookupWire. Dimensions in inches, copper area in circular mils
// (bare diameter in mils, squared).
struct WireRecord {
    WireSystem system = WireSystem::Awg;
    std::string systemName;          // "Metric", " AWG" or " SWG"
    float areaCmil = 0.0F;           // copper area of one conductor
    float bareDiameter = 0.0F;       // copper diameter
    float insulatedDiameter = 0.0F;  // nominal overall diameter = bareDiameter + build
    float maxOverallDiameter = 0.0F; // never less than insulatedDiameter
    float build = 0.0F;              // diameter added by the insulation film
    // Metric: nominal bare diameter in mm. AWG and SWG: gauge number; AWG 1/0 to 4/0 are held
    // as 0, -1, -2, -3.
    float size = 0.0F;
    float ohmsPerFoot = 0.0F;   // one conductor, at the temperature of the lookup
    float poundsPerFoot = 0.0F; // copper weight
};

// What the value handed to lookupWire means.
enum class WireLookupKind {
    BySize,        // size number: metric diameter in mm or gauge number
    ByArea,        // required copper area, circular mils
    ByMaxDiameter, // largest allowed insulated diameter, inches
};

// Fills `wire` with the wire of `system` that answers the request, with its resistance at
// `temperatureC`. Metric and SWG take the largest table wire not exceeding the request; the
// AWG area formula rounds with an offset of 0.7 gauge, so an AWG wire may be somewhat larger
// than the area asked for. ByMaxDiameter steps down to smaller wires until the insulated
// diameter fits. Returns false, leaving `wire` untouched, when no wire answers the request or
// an input is not a finite number.
bool lookupWire(WireRecord& wire, WireSystem system, WireLookupKind kind, double value,
                double temperatureC);

// Inches per millimetre.
inline constexpr double kInchPerMm = 0.03937007874015748;

// Enamelled metric wire: all in millimetres except the resistance.
struct MetricEnamelRow {
    float diameter;   // nominal bare diameter
    float thickness;  // radial insulation thickness
    float maxOverall; // maximum overall diameter
    float ohmsPerKm;  // carried with the data, not used by the lookup
};

// Preferred metric bare diameters in mm, largest first.
extern const std::array<float, 40> MetricDiameterTable;
// Enamel thickness and maximum overall diameter of metric wire from 0.10 to 1.50 mm.
extern const std::array<MetricEnamelRow, 42> MetricEnamelTable;
// Maximum overall diameters in inches of AWG 4 to AWG 50, in gauge order.
extern const std::array<float, 47> AwgMaxOverallTable;
// Bare diameters in inches of SWG 1 to SWG 50 (Imperial Standard Wire Gauge).
extern const std::array<float, 50> SwgDiameterTable;

} // namespace korvane
