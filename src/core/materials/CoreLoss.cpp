#include "materials/CoreLoss.h"

#include "domain/SharedTypes.h"

#include <cmath>

namespace korvane {

namespace {

constexpr double kOneOverPi = 0.31831015504887655;
constexpr double kExponent23 = static_cast<double>(2.3F);
constexpr double kExponent165 = static_cast<double>(1.65F);

} // namespace

double pfcLineAverage(double a, double b, int n) {
    if (n <= 0) {
        return 0.0;
    }
    const double step = kPi / n;
    double sum = 0.0;
    for (int k = 1; k <= n; ++k) {
        const double theta = k * step;
        const double ripple =
            4.0 * a * std::sin(theta) + 2.0 * a * a * (std::cos(2.0 * theta) - 1.0);
        sum += std::pow(std::fabs(ripple), b) * step;
    }
    return sum * kOneOverPi;
}

double coreLossFit(const CoreLossRow& row, double f, double B) {
    if (!(B > 0.0) || !(f > 0.0)) {
        return 0.0;
    }
    const double hysteresis =
        row.a / (B * B * B) + row.b / std::pow(B, kExponent23) + row.c / std::pow(B, kExponent165);
    const double eddy = row.d * (B * f) * (B * f);
    return f / hysteresis + eddy;
}

} // namespace korvane
