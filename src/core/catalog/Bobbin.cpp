#include "catalog/Bobbin.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korvane {

namespace {

// Wall and clearance allowances t0..t3 (in) per clearance row: larger cores get heavier
// mouldings.
constexpr std::array<std::array<double, 4>, 4> kClearance = {{
    {0.005, 0.007, 0.005, 0.007},
    {0.007, 0.01, 0.007, 0.01},
    {0.01, 0.01, 0.007, 0.01},
    {0.015, 0.02, 0.015, 0.02},
}};

// Round down, and to the nearest, 0.005 in step.
double down(double x) {
    return std::floor(200.0 * x) * 0.005;
}
double nearStep(double x) {
    return std::floor(200.0 * x + 0.51) * 0.005;
}

} // namespace

int bobbinClearanceRow(float dimA) {
    // The stored width against the decimal limits: 1.68F lies just below 1.68.
    const double a = dimA;
    if (a < 1.25) {
        return 0;
    }
    if (a < 1.68) {
        return 1;
    }
    if (a < 3.05) {
        return 2;
    }
    return 3;
}

BobbinRecord bobbinForCore(const CoreRecord& core, int stackCount) {
    const auto& t = kClearance[static_cast<std::size_t>(bobbinClearanceRow(core.dimA))];
    const double n = std::max(stackCount, 1);
    const double dimC = core.dimC;
    const double dimD = core.dimD;
    const double dimE = core.dimE;
    const double dimF = core.dimF;

    const double flangeWidth = down(0.98 * dimF - 2.0 * t[3]);
    const double tubeWidth = nearStep(1.02 * dimE + 2.0 * t[2]);
    const double margin =
        std::max(std::floor((flangeWidth - tubeWidth) / 18.0 * 400.0 + 0.51) * 0.0025, 0.015);
    const double windingDepth = (flangeWidth - tubeWidth) / 2.0 - margin;
    const double flangeHeight = nearStep(2.0 * t[0] + 1.02 * n * dimC) + flangeWidth - tubeWidth;
    const double tubeDepth = std::floor((2.0 * t[2] + 1.02 * n * dimC + 0.00255) * 200.0) * 0.005;
    const double innerWidth = flangeWidth - 2.0 * windingDepth;
    const double innerHeight = flangeHeight - 2.0 * windingDepth;
    const double flangeThickness = std::max(nearStep(windingDepth / 8.0), 0.02);
    const double bobbinLength = down(0.98 * dimD - 2.0 * t[1]);
    const double windingWidth = bobbinLength - 2.0 * flangeThickness - 0.01;

    BobbinRecord b;
    b.flangeHeight = static_cast<float>(flangeHeight);
    b.flangeWidth = static_cast<float>(flangeWidth);
    b.tubeDepth = static_cast<float>(tubeDepth);
    b.tubeWidth = static_cast<float>(tubeWidth);
    b.innerWidth = static_cast<float>(innerWidth);
    b.innerHeight = static_cast<float>(innerHeight);
    b.flangeThickness = static_cast<float>(flangeThickness);
    b.bobbinLength = static_cast<float>(bobbinLength);
    b.windingWidth = static_cast<float>(windingWidth);
    b.windingDepth = static_cast<float>(windingDepth);
    b.tubePerimeter = static_cast<float>(2.0 * (innerWidth + innerHeight));
    return b;
}

} // namespace korvane
