#include "materials/CoreLoss.h"

#include "materials/PowderMaterialModel.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace korvane {
namespace {

const PowderMaterialModel kModel;

TEST(CoreLossDensity, MixPAtThousandGaussAndHundredKilohertz) {
    // 1e9/1000^3 = 1; 1.1e8/1000^2.3 = 1.1e8/7.943e6 = 13.848; 1.9e6/1000^1.65 = 1.9e6/89125
    // = 21.318; 1e5/36.166 = 2765.0; eddy 1.9e-13*(1000*1e5)^2 = 1900; total 4665.0
    EXPECT_NEAR(kModel.coreLossDensity("-275", 1e5, 1000.0), 4665.0, 1.0);
    // 1 kHz: 1e3/36.166 + 1.9e-13*1e12 = 27.650 + 0.19 = 27.84
    EXPECT_NEAR(kModel.coreLossDensity("-275", 1e3, 1000.0), 27.84, 0.01);
}

TEST(CoreLossDensity, NoRowOrNoFluxGivesZero) {
    for (const char* code : {"-M702", "-M714", "-X"}) {
        EXPECT_EQ(kModel.coreLossDensity(code, 1e5, 1000.0), 0.0F) << code;
    }
    EXPECT_EQ(kModel.coreLossDensity("-275", 1e5, 0.0), 0.0F);
    EXPECT_EQ(kModel.coreLossDensity("-275", 1e5, -10.0), 0.0F);
    EXPECT_EQ(kModel.coreLossDensity("-275", 0.0, 1000.0), 0.0F);
}

TEST(CoreLoss, PlainScaleAndZeroInputs) {
    std::string material = "-275";
    const float density = kModel.coreLossDensity("-275", 1e5, 1000.0);
    EXPECT_FLOAT_EQ(kModel.coreLoss(CoreShape::Toroid, material, 2.5, 100.0, 1000.0,
                                    Application::DcBiased, 0.0),
                    density * 2.5F);
    std::string composite = "-M714";
    EXPECT_EQ(kModel.coreLoss(CoreShape::Composite, composite, 1.0, 100.0, 0.0,
                              Application::DcBiased, 0.0),
              0.0F);
    EXPECT_EQ(composite, "-M714"); // B = 0 returns before anything else
    EXPECT_EQ(
        kModel.coreLoss(CoreShape::Toroid, material, 1.0, 0.0, 1000.0, Application::DcBiased, 0.0),
        0.0F);
}

TEST(CoreLoss, CompositeCoresUseMixCWithTheirFactor) {
    const float base = kModel.coreLossDensity("-255", 1e5, 1000.0);
    ASSERT_GT(base, 0.0F);
    struct Case {
        const char* material;
        float factor;
    };
    const Case cases[] = {{"-M702", 0.67F}, {"-M714", 0.75F}, {"-255", 1.0F}};
    for (const auto& c : cases) {
        std::string material = c.material;
        EXPECT_NEAR(kModel.coreLoss(CoreShape::Composite, material, 1.0, 100.0, 1000.0,
                                    Application::DcBiased, 0.0),
                    base * c.factor, base * 1e-5)
            << c.material;
        EXPECT_EQ(material, "-255");
    }
    // The same material on a powder core has no loss row and no replacement.
    std::string material = "-M702";
    EXPECT_EQ(kModel.coreLoss(CoreShape::Toroid, material, 1.0, 100.0, 1000.0,
                              Application::DcBiased, 0.0),
              0.0F);
    EXPECT_EQ(material, "-M702");
}

TEST(CoreLoss, PfcBoostHalvesFluxAndAppliesLineAverage) {
    std::string material = "-275";
    const double average = pfcLineAverage(0.5, 2.08, 12);
    const float expected =
        kModel.coreLossDensity("-275", 1e5, 1000.0) * static_cast<float>(average);
    EXPECT_NEAR(kModel.coreLoss(CoreShape::Toroid, material, 1.0, 100.0, 2000.0,
                                Application::PfcBoost, 0.5),
                expected, expected * 1e-5);
    std::string unknown = "-X";
    EXPECT_EQ(
        kModel.coreLoss(CoreShape::Toroid, unknown, 1.0, 100.0, 2000.0, Application::PfcBoost, 0.5),
        0.0F);
}

TEST(PfcLineAverage, SquaredRippleOverTwelveSamples) {
    // b = 2: A = (1/12) sum 16a^2 (sin^2 t - 2a sin^3 t + a^2 sin^4 t), t = k pi/12, k = 1..12.
    // sum sin^2 = 6, sum sin^4 = 12*3/8 = 4.5, sum sin^3 = (3 sum sin t - sum sin 3t)/4 with
    // sum sin t = cot(pi/24) = 7.59575 and sum sin 3t = sin(3pi/2) sin(13pi/8)/sin(pi/8)
    // = 2.41421, so sum sin^3 = (22.78726 - 2.41421)/4 = 5.09326.
    // a = 0.5: 4 (6 - 5.09326 + 1.125)/12 = 0.677247
    // a = 1:   16 (6 - 10.18652 + 4.5)/12 = 0.417973
    // a = 2:   64 (6 - 20.37304 + 18)/12 = 19.34379 (an input peak above the output)
    EXPECT_NEAR(pfcLineAverage(0.5, 2.0, 12), 0.677247, 1e-5);
    EXPECT_NEAR(pfcLineAverage(1.0, 2.0, 12), 0.417973, 1e-5);
    EXPECT_NEAR(pfcLineAverage(2.0, 2.0, 12), 19.34379, 1e-4);
    EXPECT_EQ(pfcLineAverage(0.5, 2.0, 0), 0.0);
    EXPECT_EQ(pfcLineAverage(0.0, 2.08, 12), 0.0);
    // a > 1 stays finite under a fractional exponent
    EXPECT_TRUE(std::isfinite(pfcLineAverage(2.0, 2.08, 12)));
}

} // namespace
} // namespace korvane
