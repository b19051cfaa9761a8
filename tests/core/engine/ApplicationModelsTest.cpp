#include "engine/ApplicationModels.h"

#include "catalog/CoreCatalog.h"
#include "format/Messages.h"
#include "materials/PowderMaterialModel.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvane {
namespace {

CoreRecord core(std::string_view partNumber) {
    CoreCatalog catalog;
    CoreRecord r;
    EXPECT_EQ(catalog.lookupPartNumber(r, partNumber), 1);
    return r;
}

TEST(CandidateQuantities, ByApplication) {
    CoreRecord c;
    c.partNumber = "T-test";
    c.Ae = 0.5F;
    c.AL = 50.0F;
    c.le = 6.0F;
    DesignPFE d;
    d.I1peak = 10.0F;
    d.Von = 12.0F;
    d.Voff = 5.0F;
    d.fkHz = 100.0F;

    d.application = Application::DcBiased;
    // E = 2*12*5/17 = 7.0588 V; B = 7.0588 * 0.25e5 / (40 * 0.5 * 100) = 88.235 G
    CandidateQuantities q = candidateQuantities(d, c, 40.0, 80.0);
    EXPECT_DOUBLE_EQ(q.currentSquared, 100.0);
    EXPECT_NEAR(q.acFlux, 88.235, 1e-3);
    EXPECT_DOUBLE_EQ(q.lossFlux, q.acFlux);
    EXPECT_DOUBLE_EQ(q.lossFrequencyKHz, 100.0);
    // 6 / (0.4 * 3.14159 * 40) = 0.119366 A/Oe
    EXPECT_NEAR(q.biasScale, 0.119366, 1e-6);

    d.application = Application::PfcBoost;
    d.Vpfc1 = 400.0F;
    d.Vpfc2 = 300.0F;
    // half the DC formula with Vpfc1: 400 * 0.25e5 / (40 * 0.5 * 100) * 0.5 = 2500 G
    q = candidateQuantities(d, c, 40.0, 80.0);
    EXPECT_DOUBLE_EQ(q.currentSquared, 50.0);
    EXPECT_NEAR(q.acFlux, 2500.0, 1e-9);
    EXPECT_NEAR(q.lossFlux, 5000.0, 1e-9); // the core loss receives twice the flux
    ASSERT_TRUE(q.pfcRatio.has_value());
    EXPECT_DOUBLE_EQ(*q.pfcRatio, 0.75);

    d.application = Application::Line60Hz;
    d.I1rms = 2.0F;
    d.I2rms = 3.0F;
    d.fHz = 60.0F;
    // sqrt2 * (0.8 * 40) * 2 * 50 / 0.5 * 0.1 = 905.10 G; I^2 of the larger current
    q = candidateQuantities(d, c, 40.0, 80.0);
    EXPECT_DOUBLE_EQ(q.currentSquared, 9.0);
    EXPECT_NEAR(q.acFlux, 905.097, 1e-3);
    EXPECT_DOUBLE_EQ(q.lossFrequencyKHz, 0.06);
    // 10 * 0.5 / (sqrt2 * 40 * 50) = 0.0017678 A rms per gauss
    EXPECT_NEAR(q.biasScale, 0.0017678, 1e-7);

    d.application = Application::Resonant;
    d.Ipk = 2.0F;
    // at 100 % the flux of the peak current: 0.1 * 40 * 2 * 50 / 0.5 = 800 G
    q = candidateQuantities(d, c, 40.0, 100.0);
    EXPECT_NEAR(q.acFlux, 800.0, 1e-9);
    EXPECT_DOUBLE_EQ(q.currentSquared, 2.0);
}

TEST(CandidateQuantities, LineCoreWithoutSectionWarnsAndGoesOn) {
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    CoreRecord c;
    c.partNumber = "T-flat";
    DesignPFE d;
    d.application = Application::Line60Hz;
    const CandidateQuantities q = candidateQuantities(d, c, 10.0, 100.0);
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last(),
              (Message{"Core: T-flat, N =  10, AC = 0.0000", "ACINDUCTOR Design error: "}));
    EXPECT_EQ(q.acFlux, 0.0);
}

TEST(DcBiasPercentPerm, OperatingPointSatisfiesTheTurnsEquation) {
    const PowderMaterialModel model;
    const CoreRecord c = core("T106-275");
    // 100 uH at 10 A: the result mu solves H^2 mu/100 = H0^2 at the turns for L1 at mu.
    const auto mu = dcBiasPercentPerm("-275", 0.1, 10.0, c.AL, c.le, model);
    ASSERT_TRUE(mu.has_value());
    EXPECT_GT(*mu, 0.0F);
    EXPECT_LE(*mu, 100.0F);
    const double turns = 1000.0 * std::sqrt(0.1 / c.AL / (*mu * 0.01));
    const double H = 1.256636 * turns * 10.0 / c.le;
    float slope = 0.0F;
    EXPECT_NEAR(model.dcPercentPerm("-275", 0, slope, H), *mu, 1.0);

    // a light load leaves the core at full permeability
    const auto light = dcBiasPercentPerm("-275", 0.1, 0.01, c.AL, c.le, model);
    ASSERT_TRUE(light.has_value());
    EXPECT_FLOAT_EQ(*light, 100.0F);
    // no path length: no operating point, no division by zero
    EXPECT_FALSE(dcBiasPercentPerm("-275", 0.1, 10.0, c.AL, 0.0, model).has_value());
}

// A DC-bias curve that flips between 100 % and 50 % at every evaluation: the Newton step
// never settles, so only the pass limit ends the iteration.
class FlippingBiasModel : public MaterialModel {
  public:
    float dcPercentPerm(std::string_view /*material*/, int /*reserved*/, float& slope,
                        double /*H*/) const override {
        slope = 0.0F;
        return (calls++ % 2 == 0) ? 100.0F : 50.0F;
    }
    float biasSearchMax(std::string_view /*material*/) const override { return 1e6F; }
    float biasSearchStart(std::string_view /*material*/) const override { return 10.0F; }
    float biasSearchStep(std::string_view /*material*/) const override { return 1.0F; }
    mutable int calls = 0;
};

TEST(DcBiasPercentPerm, UnsettledIterationEndsAfterFiveHundredPasses) {
    const FlippingBiasModel model;
    // H0 = 1.256636 * 10 / 1.256636 = 10 Oe, H0^2 = 100 * L1 1e6 / AL = 10000 with L1 = 1 mH,
    // AL = 10000 nH: H wanders around 120 Oe, inside the search range, for ever.
    EXPECT_FALSE(dcBiasPercentPerm("-x", 1.0, 10.0, 10000.0, 1.256636, model).has_value());
    EXPECT_EQ(model.calls, 500);
}

TEST(SwingModel, RefusalsAndControlledSwing) {
    const PowderMaterialModel model;
    const CoreRecord c = core("T157-226");
    // L1 above L2, I1 below I2 or no current: no operating point
    EXPECT_EQ(swingPercentPerm(Application::ControlledSwing, "-226", CoreShape::Toroid, c.AL, c.le,
                               0.2, 10, 0.1, 1, model),
              -1.0F);
    EXPECT_EQ(swingPercentPerm(Application::ControlledSwing, "-226", CoreShape::Toroid, c.AL, c.le,
                               0.1, 1, 0.2, 10, model),
              -1.0F);
    EXPECT_EQ(swingPercentPerm(Application::WideSwing, "-226", CoreShape::Toroid, c.AL, c.le, 0.1,
                               0, 0.2, 0, model),
              -1.0F);
    // L1 = L2: the target is 80 % and the permeability at the minimum current may not exceed
    // the one at the maximum current, which a falling DC-bias curve never satisfies
    EXPECT_EQ(swingPercentPerm(Application::ControlledSwing, "-226", CoreShape::Toroid, c.AL, c.le,
                               0.1, 10, 0.1, 1, model),
              -1.0F);
    // room for the swing: the permeability at the maximum current comes back
    const float mu = swingPercentPerm(Application::ControlledSwing, "-226", CoreShape::Toroid, c.AL,
                                      c.le, 0.1, 10, 0.15, 1, model);
    EXPECT_GT(mu, 0.0F);
    EXPECT_LE(mu, 100.0F);
}

// Records where the swing model evaluates a flat 50 % DC-bias curve.
class RecordingSwingModel : public MaterialModel {
  public:
    std::optional<PermPair> dcPercentPermPair(std::string_view /*material*/, int /*reserved*/,
                                              double H) const override {
        evaluated.push_back(H);
        return PermPair{50.0F, 0.0F};
    }
    mutable std::vector<double> evaluated;
};

TEST(SwingModel, StartsFromTheTargetPercentOfTheShape) {
    // H = c (t / 100)^(1 / x): toroid and E-core c = 40, x = -0.75, t = 100 rho above 0.2,
    // else 20; composite c = 0.053, x = -0.45, t = 100 rho strictly between 0.02 and 0.12,
    // 12 above 0.12, 2 otherwise. rho = 0.8 L1 / L2.
    struct Case {
        CoreShape shape;
        double L1;
        double start;
    };
    const Case cases[] = {
        {CoreShape::Toroid, 1.0, 53.860867},      // rho 0.8: t 80
        {CoreShape::ECore, 0.5, 135.720881},      // rho 0.4: t 40
        {CoreShape::Toroid, 0.1, 341.995189},     // rho 0.08: t 20
        {CoreShape::Composite, 0.1, 14.516225},   // rho 0.08: t 8
        {CoreShape::Composite, 0.2, 5.895760},    // rho 0.16: t 12
        {CoreShape::Composite, 0.15, 316.056530}, // rho exactly 0.12: t 2, not 12
        {CoreShape::Composite, 0.01, 316.056530}, // rho 0.008: t 2
    };
    for (const Case& c : cases) {
        const RecordingSwingModel model;
        swingPercentPerm(Application::ControlledSwing, "-x", c.shape, 100.0, 5.0, c.L1, 1.0, 1.0,
                         0.5, model);
        ASSERT_FALSE(model.evaluated.empty()) << c.L1;
        EXPECT_NEAR(model.evaluated.front(), c.start, 1e-6 * c.start) << c.L1;
    }
}

TEST(LineModel, FullPermeabilityMixesAndOneInductance) {
    const PowderMaterialModel model;
    const CoreRecord c = core("T25-104");
    // a mix of the 60 Hz full-permeability list: plain turns at 100 %
    // N = floor(1000 sqrt(0.1 / AL) + 0.5)
    const auto full = line60HzOperatingPoint("-104", 0.1, 0.2, 0.0, 0.0, c.Ae, c.AL, model);
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->permFraction, 1.0);
    EXPECT_EQ(full->turns, std::floor(1000.0 * std::sqrt(0.1 / c.AL) + 0.5));

    // one inductance entered: it stands for both currents
    const CoreRecord p = core("T157-275");
    const auto one = line60HzOperatingPoint("-275", 10.0, 2.0, 0.0, 0.5, p.Ae, p.AL, model);
    const auto both = line60HzOperatingPoint("-275", 10.0, 2.0, 10.0, 0.5, p.Ae, p.AL, model);
    ASSERT_TRUE(one.has_value());
    ASSERT_TRUE(both.has_value());
    EXPECT_EQ(one->turns, both->turns);
    EXPECT_EQ(one->permFraction, both->permFraction);
    // the turns give at least L1 at the permeability found
    EXPECT_GE(p.AL * (one->turns + 0.5) * (one->turns + 0.5) * one->permFraction * 1e-6, 10.0);
    // a flux figure beyond 10000 gauss: no operating point
    EXPECT_FALSE(line60HzOperatingPoint("-275", 1000.0, 100.0, 0.0, 0.0, p.Ae, p.AL, model));
}

TEST(ResonantCoreTest, HighFrequencyMixesOnly) {
    EXPECT_TRUE(resonantCoreAccepted("-116", 20.0, 0.01, 2.0, 0.2));
    EXPECT_FALSE(resonantCoreAccepted("-275", 20.0, 0.01, 2.0, 0.2));
    // sqrt(AL L1) 0.1 Ipk / Ae = sqrt(20 * 1) * 0.1 * 1e4 / 0.2 = 22361 >= 10000
    EXPECT_FALSE(resonantCoreAccepted("-116", 20.0, 1.0, 1e4, 0.2));
    EXPECT_FALSE(resonantCoreAccepted("-116", 20.0, 0.01, 2.0, 0.0));
}

} // namespace
} // namespace korvane
