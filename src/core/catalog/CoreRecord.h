#pragma once

#include "domain/SharedTypes.h"

#include <string>

namespace korvane {

// One complete catalog core, always a single core: the design search applies stacking to
// its own copy.
struct CoreRecord {
    std::string partNumber; // as listed, at most 15 characters
    CoreShape shape = CoreShape::Toroid;
    std::string material;  // material field of the part number, "-275"
    float initialPerm = 0; // mu_i of the material
    float price = 0;       // price figure; -1 when the material has no price row
    float AL = 0;          // nH/turn^2
    float OD = 0;          // in (0 for E-cores)
    float ID = 0;          // in (0 for E-cores)
    float Ht = 0;          // in (0 for E-cores)
    float dimA = 0;        // E-core dimensions, in (E-cores only)
    float dimB = 0;
    float dimC = 0;
    float dimD = 0;
    float dimE = 0;
    float dimF = 0;
    float Ae = 0;     // magnetic cross-section, cm^2
    float le = 0;     // magnetic path length, cm
    float Aw = 0;     // window figure: Aw * 1000 is the winding window in circular mils
    float MLT = 0;    // length of one turn on the bare core, ft
    float volume = 0; // cm^3
    float weight = 0; // lb
};

// Bobbin of an E-core (or of a stack of E-cores), inches.
struct BobbinRecord {
    float flangeHeight = 0;
    float flangeWidth = 0;
    float tubeDepth = 0;
    float tubeWidth = 0;
    float innerWidth = 0;
    float innerHeight = 0;
    float flangeThickness = 0;
    float bobbinLength = 0;
    float windingWidth = 0;  // room for the turns along the bobbin
    float windingDepth = 0;  // room for the build between tube and flange edge
    float tubePerimeter = 0; // length of the first turn on the tube
};

} // namespace korvane
