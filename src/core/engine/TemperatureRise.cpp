#include "engine/TemperatureRise.h"

#include <cmath>
#include <limits>

namespace korvane {

double copperLossMilliwatts(double currentSquared, double rac) {
    return currentSquared * rac * 1000.0;
}

double temperatureRise(double lossMw, double surfaceCm2, double riseFactor, double riseExponent) {
    if (!std::isfinite(lossMw) || !std::isfinite(surfaceCm2)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (lossMw > 0.001 * surfaceCm2 && surfaceCm2 > 0.001) {
        return std::pow(lossMw * riseFactor / surfaceCm2, riseExponent);
    }
    return 0.0;
}

bool withinTemperatureRiseLimit(double riseC, double limitC) {
    return std::isfinite(riseC) && riseC <= limitC;
}

} // namespace korvane
