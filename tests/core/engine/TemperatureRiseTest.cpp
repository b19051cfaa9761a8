#include "engine/TemperatureRise.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

namespace korvane {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(CopperLoss, MilliwattsFromCurrentSquaredAndRac) {
    // 2 A rms: 4 A^2 x 0.05 ohm x 1000 = 200 mW
    EXPECT_DOUBLE_EQ(copperLossMilliwatts(4.0, 0.05), 200.0);
    EXPECT_EQ(copperLossMilliwatts(0.0, 0.05), 0.0);
}

TEST(TemperatureRise, WorkedValues) {
    // 500 mW from 20 cm^2: 25 mW/cm^2; 25^0.833 = exp(0.833 x 3.2188758) = exp(2.6813236)
    // = 14.60441
    EXPECT_NEAR(temperatureRise(500.0, 20.0, 1.0, 0.833), 14.60441, 1e-4);
    // factor 2, exponent 1: 2 x 25 = 50
    EXPECT_NEAR(temperatureRise(500.0, 20.0, 2.0, 1.0), 50.0, 1e-12);
}

TEST(TemperatureRise, NoLossOrNoSurfaceIsExactlyZero) {
    struct Case {
        const char* what;
        double loss;
        double surface;
    };
    const Case cases[] = {
        {"no loss", 0.0, 20.0},        {"0.001 mW per cm^2 exactly", 0.02, 20.0},
        {"negative loss", -5.0, 20.0}, {"surface 0.001 cm^2", 10.0, 0.001},
        {"no surface", 10.0, 0.0},     {"surface -1 of an unknown shape", 10.0, -1.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(temperatureRise(c.loss, c.surface, 1.0, 0.833), 0.0) << c.what;
    }
}

TEST(TemperatureRise, NonFiniteInputsNeverPassTheLimit) {
    for (const auto& [loss, surface] : {std::pair{nan, 20.0}, std::pair{500.0, nan},
                                        std::pair{inf, 20.0}, std::pair{500.0, inf}}) {
        const double rise = temperatureRise(loss, surface, 1.0, 0.833);
        EXPECT_TRUE(std::isnan(rise));
        EXPECT_FALSE(withinTemperatureRiseLimit(rise, 40.0));
    }
}

TEST(TemperatureRiseLimit, Check) {
    struct Case {
        double rise;
        double limit;
        bool within;
    };
    const Case cases[] = {
        {0.0, 40.0, true},  {40.0, 40.0, true},  {40.01, 40.0, false}, {nan, 40.0, false},
        {inf, 40.0, false}, {-inf, 40.0, false}, {10.0, nan, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(withinTemperatureRiseLimit(c.rise, c.limit), c.within)
            << c.rise << " vs " << c.limit;
    }
}

} // namespace
} // namespace korvane
