#include "engine/Stacking.h"

#include "engine/Winding.h"

namespace korvane {

namespace {

void scale(float& field, double factor) {
    field = static_cast<float>(static_cast<double>(field) * factor);
}

} // namespace

void stackCore(CoreRecord& core, double stackCount) {
    if (stackCount == 1.0) {
        return;
    }
    const double s = stackCount;
    scale(core.Ae, s);
    scale(core.AL, s);
    scale(core.volume, s);
    scale(core.weight, s);

    // Each added core lengthens a turn by twice its own height (the two long sides).
    if (core.shape == CoreShape::ECore) {
        // E-cores stack along their depth C, as the cross-section E x C and the bobbin do:
        // the turn grows by twice the added depth. The centre-leg width E stays as it is,
        // so the window (F - E) of the surface keeps its size.
        core.MLT =
            static_cast<float>(static_cast<double>(core.MLT) +
                               2.0 * static_cast<double>(core.dimC) * (s - 1.0) / kInchesPerFoot);
        scale(core.dimC, s);
    } else {
        core.MLT =
            static_cast<float>(static_cast<double>(core.MLT) +
                               2.0 * static_cast<double>(core.Ht) * (s - 1.0) / kInchesPerFoot);
        scale(core.Ht, s);
    }
}

} // namespace korvane
