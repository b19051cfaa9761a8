#include "engine/AcResistance.h"

#include "domain/SharedTypes.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// Largest pitch ratio the K1 table covers.
constexpr double kMaxPitchRatio = 5.0;

// Space between neighbouring conductors: closer on small cores.
double interConductorGap(double coreOD) {
    return coreOD <= 0.259 ? 0.001 : 0.003;
}

double midpoint(float a, float b) {
    return (static_cast<double>(a) + static_cast<double>(b)) / 2.0;
}

bool positiveFinite(double v) {
    return std::isfinite(v) && v > 0.0;
}

// Fr from the lengths the turns share on the inner and outer side of the winding.
double acResistanceFactor(WireRecord& wire, double turns, int strands, double innerLength,
                          double outerLength, double gap, double initialPerm, double fkHz) {
    if (!positiveFinite(fkHz) || static_cast<double>(wire.size) * fkHz < 0.01) {
        return 1.0;
    }
    if (!lookupWire(wire, wire.system, WireLookupKind::BySize, wire.size, 20.0)) {
        return 1.0;
    }
    const double bare = wire.bareDiameter;
    const double conductors = turns * static_cast<double>(strands);
    if (!positiveFinite(conductors) || !positiveFinite(bare) || !positiveFinite(innerLength) ||
        !positiveFinite(outerLength)) {
        return 1.0; // no winding or a missing dimension: nothing to correct
    }

    const double skinDepth = kSkinDepthAt1Hz / std::sqrt(1000.0 * fkHz);
    const double r = bare / skinDepth;
    const double q = acSkinTerm(1.768 * bare / (skinDepth + 0.0001));
    const double h = ((static_cast<double>(wire.insulatedDiameter) - bare) / 2.0 + gap) / bare;

    double fr = 1.0;
    for (const double length : {innerLength, outerLength}) {
        const double p = std::min(length / (bare * conductors), kMaxPitchRatio);
        fr += 0.5 * q * k1Factor(p, r) * k2Factor(initialPerm, p, h, r) / p;
    }
    return fr;
}

} // namespace

double acSkinTerm(double x) {
    if (!(x > 1e-8)) {
        return 0.0;
    }
    if (x < 0.1) {
        // cosh x - cos x loses its digits to cancellation here; the series
        // q = x^4/180 - x^8/75600 is exact to double precision.
        const double x4 = x * x * x * x;
        return x4 / 180.0 - x4 * x4 / 75600.0;
    }
    // (sinh x + sin x) / (cosh x - cos x) with both scaled by 2 e^-x, so large x cannot
    // overflow to inf/inf.
    const double e = std::exp(-x);
    const double ratio =
        (1.0 - e * e + 2.0 * std::sin(x) * e) / (1.0 + e * e - 2.0 * std::cos(x) * e);
    return x * ratio / 2.0 - 1.0;
}

double k1Factor(double pitchRatio, double r) {
    // Row: the first breakpoint whose midpoint with the next exceeds r.
    std::size_t row = kK1Rows - 1;
    for (std::size_t k = 0; k + 1 < kK1Rows; ++k) {
        if (midpoint(K1RatioBreakpoints[k], K1RatioBreakpoints[k + 1]) > r) {
            row = k;
            break;
        }
    }
    // Column: whole quarter steps above 1. Fewer than one conductor pitch per wire (p below 1,
    // turns packed in more than one layer) takes the first column.
    std::size_t column = 0;
    const double steps = (pitchRatio - 1.0) / 0.25;
    if (steps >= static_cast<double>(kK1Columns - 1)) {
        column = kK1Columns - 1;
    } else if (steps >= 1.0) {
        column = static_cast<std::size_t>(steps);
    }
    return K1Table[row][column];
}

double k2Factor(double initialPerm, double pitchRatio, double h, double r) {
    const std::size_t group = initialPerm > 20.0 ? 0 : 1;
    const std::size_t band = pitchRatio < 1.22 ? 0 : (pitchRatio < 1.6 ? 1 : 2);
    const K2Table& table = K2Tables[group][band];

    // Row and column: the first breakpoint whose midpoint with the next is at least the value.
    std::size_t row = table.rows - 1;
    for (std::size_t i = 0; i + 1 < table.rows; ++i) {
        if (midpoint(K2HeightBreakpoints[i], K2HeightBreakpoints[i + 1]) >= h) {
            row = i;
            break;
        }
    }
    std::size_t column = kK2Columns - 1;
    for (std::size_t j = 0; j + 1 < kK2Columns; ++j) {
        if (midpoint(K2RatioBreakpoints[j], K2RatioBreakpoints[j + 1]) >= r) {
            column = j;
            break;
        }
    }
    return table.values[row][column];
}

double calc_ac_res_Fr(WireRecord& wire, double turns, int strands, double coreID, double coreOD,
                      double initialPerm, double fkHz) {
    return acResistanceFactor(wire, turns, strands, kPi * coreID, kPi * coreOD,
                              interConductorGap(coreOD), initialPerm, fkHz);
}

double calc_ac_res_Fr(WireRecord& wire, double turns, int strands, BobbinWinding bobbin,
                      double initialPerm, double fkHz) {
    // An E-core record carries no OD: the gap of the small cores.
    return acResistanceFactor(wire, turns, strands, bobbin.windingWidth, bobbin.windingWidth,
                              interConductorGap(0.0), initialPerm, fkHz);
}

} // namespace korvane
