#pragma once

#include "catalog/CoreCatalog.h"
#include "materials/PowderMaterialModel.h"

namespace korvane {

// The built-in catalog and material model, created once for every test of a binary, as one
// run of the program creates them once.
inline const CoreCatalog& builtInCatalog() {
    static const CoreCatalog catalog;
    return catalog;
}

inline const PowderMaterialModel& builtInModel() {
    static const PowderMaterialModel model;
    return model;
}

} // namespace korvane
