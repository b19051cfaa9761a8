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

    // Each dimension is stored in its single-precision field as it is found; the later ones
    // are worked out from the stored values.
    BobbinRecord b;
    b.flangeWidth = static_cast<float>(down(0.98 * dimF - 2.0 * t[3]));
    b.tubeWidth = static_cast<float>(nearStep(1.02 * dimE + 2.0 * t[2]));
    const double flangeWidth = b.flangeWidth;
    const double tubeWidth = b.tubeWidth;
    const double margin =
        std::max(std::floor((flangeWidth - tubeWidth) / 18.0 * 400.0 + 0.51) * 0.0025, 0.015);
    b.windingDepth = static_cast<float>((flangeWidth - tubeWidth) / 2.0 - margin);
    b.flangeHeight =
        static_cast<float>(nearStep(2.0 * t[0] + 1.02 * n * dimC) + flangeWidth - tubeWidth);
    b.tubeDepth =
        static_cast<float>(std::floor((2.0 * t[2] + 1.02 * n * dimC + 0.00255) * 200.0) * 0.005);
    const double windingDepth = b.windingDepth;
    b.innerWidth = static_cast<float>(flangeWidth - 2.0 * windingDepth);
    b.innerHeight = static_cast<float>(static_cast<double>(b.flangeHeight) - 2.0 * windingDepth);
    b.flangeThickness = static_cast<float>(std::max(nearStep(windingDepth / 8.0), 0.02));
    b.bobbinLength = static_cast<float>(down(0.98 * dimD - 2.0 * t[1]));
    b.windingWidth = static_cast<float>(static_cast<double>(b.bobbinLength) -
                                        2.0 * static_cast<double>(b.flangeThickness) - 0.01);
    b.tubePerimeter = static_cast<float>(
        2.0 * (static_cast<double>(b.innerWidth) + static_cast<double>(b.innerHeight)));
    return b;
}

} // namespace korvane
