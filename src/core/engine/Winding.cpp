#include "engine/Winding.h"

#include "domain/SharedTypes.h"
#include "engine/WireTable.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// A toroid window is full once its copper passes 1/2.15 of the window area.
constexpr double kFullWindowRatio = 2.15;

// Window of the core in circular mils (the catalog keeps thousands).
double windowCmil(const CoreRecord& core) {
    return static_cast<double>(core.Aw) * 1000.0;
}

// Winding on a toroid or composite core.
struct ToroidWinding {
    double build = 0.0;   // in
    double hole = 0.0;    // in, what is left of the ID
    double woundOD = 0.0; // in
};

// `copper` = copper area x turns x strands in circular mils, `d` the insulated diameter.
ToroidWinding windToroid(WindingType winding, int turns, double copper, double d,
                         const CoreRecord& core) {
    const double id = core.ID;
    const double od = core.OD;
    const double aw = windowCmil(core);
    ToroidWinding w;
    if (turns < 1) {
        w.hole = id;
        w.woundOD = od;
        return w;
    }
    // NaN or non-positive copper, or a missing window, counts as full.
    if (!(copper > 0.0) || !(kFullWindowRatio * copper < aw)) {
        w.build = id / 2.0;
        w.hole = 0.0;
        w.woundOD = std::max(od + 2.0 * d, std::sqrt(od * od + id * id));
        return w;
    }
    const double t = std::min(kMaxWindowFactor, kWindowFactorScale * aw / copper);
    // Below the full-window ratio u stays under 0.993; the clamp only keeps sqrt defined.
    const double u = copper / aw / t;
    const double remaining = std::sqrt(std::max(0.0, 1.0 - u));
    w.build = std::max((1.0 - remaining) * id / 2.0, d);
    if (winding == WindingType::FullWindow) {
        w.hole = std::min(id - 2.0 * d, id * remaining);
        w.woundOD = std::max(od + 2.0 * d, std::sqrt(od * od + 1e-6 * copper / t));
    } else {
        w.hole = id - 2.0 * d;
        w.woundOD = od + 2.0 * d;
    }
    return w;
}

// Cylinder of the wound toroid plus its two end faces, cm^2.
double toroidSurface(double woundOD, const CoreRecord& core) {
    const double od = core.OD;
    const double ht = core.Ht;
    return kPi * woundOD * (woundOD + (woundOD / 2.0 + ht) - od) * kToroidSurfaceFactor;
}

// Outside of an E-core set, cm^2.
double eCoreSurface(const CoreRecord& core) {
    const double a = core.dimA;
    const double b = core.dimB;
    const double c = core.dimC;
    const double d = core.dimD;
    const double e = core.dimE;
    const double f = core.dimF;
    return (2.0 * a * (b + c) + b * c + (d + f) * (f - e)) * kECoreSurfaceFactor;
}

bool isToroidal(CoreShape shape) {
    return shape == CoreShape::Toroid || shape == CoreShape::Composite;
}

} // namespace

double calcWinding(DesignCandidate& candidate, const CoreRecord& core, int turns, WireSystem system,
                   float wireSize, double leadLengthIn, double temperatureC, WindingType winding,
                   const BobbinRecord& bobbin) {
    if (!lookupWire(candidate.wire, system, WireLookupKind::BySize, wireSize, temperatureC)) {
        return 0.0;
    }
    const WireRecord& wire = candidate.wire;
    const int n = std::max(turns, 0);
    const int s = std::max(candidate.strands, 1);
    const double nd = n;
    const double sd = s;
    const double c = wire.areaCmil;
    const double d = wire.insulatedDiameter;

    double build = 0.0;
    double hole = 0.0;
    double woundOD = 0.0;
    double woundHeight = 0.0;
    double mlt = 0.0;
    double surface = 0.0;
    if (core.shape == CoreShape::ECore) {
        const double perLayerRoom = static_cast<double>(bobbin.windingWidth) / d;
        if (!(perLayerRoom >= 2.0)) {
            return -1.0;
        }
        // One wire's width is lost where the layer turns back.
        const double wiresPerLayer = std::floor(perLayerRoom - 1.0);
        const double layers = std::ceil(nd * sd / wiresPerLayer);
        build = layers * d;
        mlt = (kPi * build + static_cast<double>(bobbin.tubePerimeter)) / kInchesPerFoot;
        woundHeight = 2.0 * build + static_cast<double>(core.dimC);
        surface = eCoreSurface(core);
    } else {
        const ToroidWinding w = windToroid(winding, n, c * nd * sd, d, core);
        build = w.build;
        hole = w.hole;
        woundOD = w.woundOD;
        const double od = core.OD;
        const double id = core.ID;
        const double ht = core.Ht;
        woundHeight = ht + woundOD - od;
        surface = toroidSurface(woundOD, core);
        mlt = (od - id + 2.0 * ht + kPi * build) / kInchesPerFoot;
    }

    const double length = nd * mlt + 2.0 * leadLengthIn / kInchesPerFoot;
    const double rdc = length * static_cast<double>(wire.ohmsPerFoot) / sd;

    candidate.build = static_cast<float>(build);
    candidate.hole = static_cast<float>(hole);
    candidate.woundOD = static_cast<float>(woundOD);
    candidate.woundHeight = static_cast<float>(woundHeight);
    candidate.mlt = static_cast<float>(mlt);
    candidate.wireLength = static_cast<float>(length);
    candidate.surfaceArea = static_cast<float>(surface);
    return rdc;
}

double calcSurfaceArea(WindingType winding, int turns, int strands, double copperAreaCmil,
                       double insulatedDiameter, const CoreRecord& core) {
    if (core.shape == CoreShape::ECore) {
        return eCoreSurface(core);
    }
    if (!isToroidal(core.shape)) {
        return -1.0;
    }
    const double copper =
        copperAreaCmil * static_cast<double>(turns) * static_cast<double>(strands);
    if (!(copper > 0.0)) {
        showMessage(strprintf(" Wire / strands error \n A_Cu: %4.4f, Dia: %4.3f,Turns %d, "
                              "Strands %d",
                              copperAreaCmil, insulatedDiameter, turns, strands),
                    "calcSurfaceArea ");
    }
    const ToroidWinding w = windToroid(winding, turns, copper, insulatedDiameter, core);
    return toroidSurface(w.woundOD, core);
}

} // namespace korvane
