#include "materials/CoreLoss.h"

#include "domain/SharedTypes.h"

#include <cmath>
#include <vector>

namespace korvane {

namespace {

constexpr double kOneOverPi = 0.31831015504887655;
constexpr double kExponent23 = static_cast<double>(2.3F);
constexpr double kExponent165 = static_cast<double>(1.65F);

} // namespace

namespace {

// sin(theta) and cos(2 theta) of the samples theta = k pi / n, k = 1..n.
struct LineSamples {
    int n = 0;
    std::vector<double> sine;
    std::vector<double> cosine2;
    explicit LineSamples(int count) : n(count) {
        const double step = kPi / n;
        for (int k = 1; k <= n; ++k) {
            const double theta = k * step;
            sine.push_back(std::sin(theta));
            cosine2.push_back(std::cos(2.0 * theta));
        }
    }
};

double lineAverage(const LineSamples& samples, double a, double b) {
    const double step = kPi / samples.n;
    double sum = 0.0;
    for (std::size_t i = 0; i < samples.sine.size(); ++i) {
        const double ripple = 4.0 * a * samples.sine[i] + 2.0 * a * a * (samples.cosine2[i] - 1.0);
        sum += std::pow(std::fabs(ripple), b) * step;
    }
    return sum * kOneOverPi;
}

} // namespace

double pfcLineAverage(double a, double b, int n) {
    if (n <= 0) {
        return 0.0;
    }
    // The boost inductor's core loss asks for the same 12 samples of the same line ratio for
    // every core of a search: the angles are taken once, the last answer is kept.
    constexpr int kLossSamples = 12;
    if (n != kLossSamples) {
        return lineAverage(LineSamples(n), a, b);
    }
    static const LineSamples samples(kLossSamples);
    struct Last {
        double a = 0.0;
        double b = 0.0;
        double average = 0.0;
        bool valid = false;
    };
    thread_local Last last;
    if (!last.valid || last.a != a || last.b != b) {
        last = Last{a, b, lineAverage(samples, a, b), true};
    }
    return last.average;
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
