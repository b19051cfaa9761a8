#include "analysis/Aging.h"

#include "materials/PowderMaterialModel.h"
#include "settings/DesignParameters.h"
#include "support/BuiltInData.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvane {
namespace {

// A hard-driven -275 core: B 2000 G at 100 kHz, Ae 1 cm^2, 5 cm^3, 1000 mW on 50 cm^2 with
// the default rise law (k 1, e 0.833).
struct Drive {
    const char* material = "-275";
    double B = 2000.0;
    double f = 1e5;
    double Ae = 1.0;
    double Ta = 25.0;
    double P0 = 1000.0;
    double A = 50.0;
    double Vol = 5.0;
    double k = 1.0;
    double e = 0.833;
};

int state(const Drive& d, double t, AgingState& s) {
    const PowderMaterialModel model;
    return calc_aging_state(model, s, d.material, t, d.B, d.f, d.Ae, d.Ta, d.P0, d.A, d.Vol, d.k,
                            d.e);
}

float agingTime(const Drive& d, int mode, AgingSeries* series = nullptr) {
    const PowderMaterialModel model;
    return calc_aging_time(mode, series, d.material, d.B, d.f, d.Ae, d.Ta, d.P0, d.A, d.Vol, d.k,
                           d.e, model);
}

bool finiteState(const AgingState& s) {
    return std::isfinite(s.time) && std::isfinite(s.dP) && std::isfinite(s.T) && std::isfinite(s.G);
}

TEST(AgingState, OnePercentTimeWorkedByHand) {
    // I = 6.276e-13 * exp(-10.53) * (2000 * 1e5)^2 * 1 * 5 = 6.276e-13 * 2.67226e-5 * 2e17
    //   = 3.35422 mW; T0 = 25 + (1000 / 50)^0.833 = 25 + 12.1271 = 37.1271 C;
    // phi = 37.1271 * (0.008114 + 0.0001371 * 37.1271) = 0.490231, exp = 1.632694;
    // t1 = (10 / (3.35422 * 1.632694))^(1 / 0.55) = 2.98855 h
    Drive d;
    AgingState s;
    EXPECT_EQ(state(d, 0.0, s), kAgingReached);
    EXPECT_NEAR(s.time, 2.98855, 2e-4);
    EXPECT_GT(s.dP, 0.0);
    EXPECT_NEAR(s.T, 25.0 + std::pow((1000.0 + s.dP) / 50.0, 0.833), 1e-9);

    // A later time is reached with more loss and a hotter core.
    AgingState later;
    EXPECT_EQ(state(d, 1000.0, later), kAgingReached);
    EXPECT_DOUBLE_EQ(later.time, 1000.0);
    EXPECT_GT(later.dP, s.dP);
    EXPECT_GT(later.T, s.T);
    EXPECT_GT(later.G, 0.0);
}

TEST(AgingState, FixedResults) {
    struct Case {
        const char* name;
        Drive drive;
        int status;
        AgingState expected;
    };
    Drive noRow; // a discontinued mix with no aging row
    noRow.material = "-233";
    Drive negligible; // -104 (k1 = -49.28): far under 1 % growth in 100000 h
    negligible.material = "-104";
    Drive hot; // T0 = 240 + 12.1271 above 250 C
    hot.Ta = 240.0;
    Drive cold; // -150 C is taken as -100 C: T0 = -100 + 12.1271
    cold.material = "-104";
    cold.Ta = -150.0;
    Drive noLoss;
    noLoss.P0 = 0.0;
    Drive noSurface;
    noSurface.A = 0.0;
    const Case cases[] = {
        {"no aging row", noRow, kAgingNone, {0.0, 0.0, 37.12713, 0.0}},
        {"negligible", negligible, kAgingNone, {100000.0, 10.0, 37.12713, 0.0}},
        {"too hot", hot, kAgingNone, {100000.0, 10.0, 252.12713, 0.0}},
        {"cold ambient", cold, kAgingNone, {100000.0, 10.0, -87.87287, 0.0}},
        {"no loss", noLoss, kAgingNone, {100000.0, 0.0, 25.0, 0.0}},
        {"no surface", noSurface, kAgingNone, {100000.0, 0.0, 25.0, 0.0}},
    };
    for (const Case& c : cases) {
        AgingState s;
        EXPECT_EQ(state(c.drive, 50.0, s), c.status) << c.name;
        EXPECT_DOUBLE_EQ(s.time, c.expected.time) << c.name;
        EXPECT_NEAR(s.dP, c.expected.dP, 1e-9) << c.name;
        EXPECT_NEAR(s.T, c.expected.T, 1e-4) << c.name;
        EXPECT_EQ(s.G, 0.0) << c.name;
    }
}

TEST(AgingState, CompositeAgesAsTheBaseMixWithLessVolume) {
    Drive composite;
    composite.material = "-M702";
    composite.Vol = 3.0;
    Drive base;
    base.material = "-255";
    base.Vol = 3.0 * static_cast<double>(0.67F); // the factor is stored as a float
    AgingState a;
    AgingState b;
    EXPECT_EQ(state(composite, 500.0, a), kAgingReached);
    EXPECT_EQ(state(base, 500.0, b), kAgingReached);
    EXPECT_NEAR(a.dP, b.dP, 1e-9 * b.dP);
    EXPECT_DOUBLE_EQ(a.T, b.T);
}

TEST(AgingState, AmbientBelowMinusHundredIsMinusHundred) {
    Drive a;
    a.Ta = -150.0;
    Drive b;
    b.Ta = -100.0;
    AgingState sa;
    AgingState sb;
    EXPECT_EQ(state(a, 200.0, sa), state(b, 200.0, sb));
    EXPECT_DOUBLE_EQ(sa.dP, sb.dP);
    EXPECT_DOUBLE_EQ(sa.T, sb.T);
}

// Below T = -k2 / (2 k3) = -0.008114 / 0.0002742 = -29.59 C the literal temperature step
// 0.01 / (k2 + 2 k3 T) is negative. The core at -100 C ambient starts at -87.87 C: its aging
// must stay finite and never age faster than the same design at the vertex temperature: at a
// time both reach its loss increase and gain are no higher, and it runs away no sooner.
TEST(AgingState, ColdCoreAgesNoFasterThanAtTheVertex) {
    Drive cold;
    cold.Ta = -100.0;
    Drive vertex;
    vertex.Ta = -0.008114 / (2.0 * 0.0001371);
    int reachedBoth = 0;
    for (double t : {0.0, 10.0, 1000.0, 1e5, 1e7}) {
        AgingState c;
        AgingState v;
        const int coldStatus = state(cold, t, c);
        const int vertexStatus = state(vertex, t, v);
        EXPECT_NE(coldStatus, kAgingNone) << t;
        EXPECT_TRUE(finiteState(c)) << t;
        if (coldStatus == kAgingReached && vertexStatus == kAgingReached) {
            ++reachedBoth;
            EXPECT_LE(c.dP, v.dP * (1.0 + 1e-9)) << t;
            EXPECT_LE(c.G, v.G + 1e-12) << t;
            EXPECT_LT(c.T, v.T) << t;
        } else {
            EXPECT_EQ(vertexStatus, kAgingStopped) << t;
            EXPECT_GE(c.time, v.time) << t;
        }
    }
    EXPECT_GE(reachedBoth, 2);
    for (int mode : {kAgingTimeTo115, kAgingLifeLimit}) {
        const float c = agingTime(cold, mode);
        const float v = agingTime(vertex, mode);
        EXPECT_TRUE(std::isfinite(c)) << mode;
        EXPECT_GT(c, 0.0F) << mode;
        EXPECT_GE(c, v) << mode;
    }
}

TEST(AgingTime, HotterAmbientShortensTheLife) {
    Drive warm;
    Drive hot;
    hot.Ta = 60.0;
    const float warm115 = agingTime(warm, kAgingTimeTo115);
    const float hot115 = agingTime(hot, kAgingTimeTo115);
    const float warmLife = agingTime(warm, kAgingLifeLimit);
    const float hotLife = agingTime(hot, kAgingLifeLimit);
    EXPECT_GT(hot115, 0.0F);
    EXPECT_LT(hot115, warm115);
    EXPECT_LT(hotLife, warmLife);
    EXPECT_LT(warmLife, 1e8F);
    // At the 115 % time the loss has grown by about 15 %.
    AgingState s;
    state(warm, warm115, s);
    EXPECT_NEAR(s.dP / warm.P0, 0.15, 0.02);
}

TEST(AgingTime, FifteenPercentIsPlacedBetweenTheSampleTimesAskedFor) {
    // -240 at 800 G, 60 kHz, 0.55 cm^2, 3.1 cm^3, 6000 mW on 15 cm^2 at 0 C: the loss passes
    // 15 % (900 mW) on the last sample, which runs away before the time it was asked for.
    Drive d;
    d.material = "-240";
    d.B = 800.0;
    d.f = 60000.0;
    d.Ae = 0.55;
    d.Ta = 0.0;
    d.P0 = 6000.0;
    d.A = 15.0;
    d.Vol = 3.1;
    AgingSeries loss;
    ASSERT_EQ(agingTime(d, kAgingSeriesLoss, &loss), 31.0F);
    ASSERT_LT(loss[30].value, 900.0F);
    ASSERT_GE(loss[31].value, 900.0F);
    // The samples before reached their times, a constant factor apart; the last one was
    // asked for one factor after sample 30 and stopped short of it.
    const double factor = static_cast<double>(loss[1].time) / loss[0].time;
    EXPECT_NEAR(static_cast<double>(loss[30].time) / loss[29].time, factor, 1e-6);
    const double t0 = loss[30].time;
    const double asked = t0 * factor;
    AgingState last;
    ASSERT_EQ(state(d, asked, last), kAgingStopped);
    EXPECT_LT(last.time, asked - 10.0);
    EXPECT_FLOAT_EQ(static_cast<float>(last.time), loss[31].time);
    // 15 % by straight-line interpolation in time from (t0, dP0) to (asked, dP of the last).
    const double d0 = loss[30].value;
    const double expected = t0 + (asked - t0) * (900.0 - d0) / (last.dP - d0);
    EXPECT_NEAR(agingTime(d, kAgingTimeTo115), expected, 0.05);
}

TEST(AgingTime, NegligibleOrDegenerateDesignsGetTheFixedTimes) {
    Drive negligible;
    negligible.material = "-390";
    Drive noLoss;
    noLoss.P0 = 0.0;
    Drive noFlux;
    noFlux.B = 0.0;
    Drive noSurface;
    noSurface.A = 0.0;
    for (const Drive& d : {negligible, noLoss, noFlux, noSurface}) {
        EXPECT_EQ(agingTime(d, kAgingTimeTo115), 300000.0F);
        EXPECT_EQ(agingTime(d, kAgingLifeLimit), 1e8F);
        AgingSeries series;
        EXPECT_EQ(agingTime(d, kAgingSeriesLoss, &series), 31.0F);
        for (const AgingPoint& p : series) {
            EXPECT_TRUE(std::isfinite(p.time) && std::isfinite(p.value));
        }
    }
    Drive noRow;
    noRow.material = "-233";
    EXPECT_EQ(agingTime(noRow, kAgingTimeTo115), 0.0F);
    EXPECT_EQ(agingTime(noRow, 7), 0.0F);
}

TEST(AgingTime, SeriesRunForwardAndTheLimitedTemperatureStopsAt250) {
    Drive d;
    d.Ta = 60.0;
    AgingSeries temp;
    AgingSeries limited;
    AgingSeries gain;
    ASSERT_EQ(agingTime(d, kAgingSeriesTemp, &temp), 31.0F);
    ASSERT_EQ(agingTime(d, kAgingSeriesTempLimit, &limited), 31.0F);
    ASSERT_EQ(agingTime(d, kAgingSeriesGain, &gain), 31.0F);
    for (std::size_t j = 0; j < kAgingSamples; ++j) {
        if (j > 0) {
            EXPECT_GE(temp[j].time, temp[j - 1].time) << j;
            EXPECT_GE(temp[j].value, temp[j - 1].value) << j;
        }
        EXPECT_EQ(limited[j].value, std::min(temp[j].value, 250.0F)) << j;
        EXPECT_GE(gain[j].value, 0.0F);
    }
    EXPECT_GT(temp[31].time, temp[0].time);
}

TEST(AgingRows, ZeroLossOrAHotCoreShowNothing) {
    DesignParameters parameters;
    CoreRecord core;
    core.material = "-275";
    core.Ae = 1.0F;
    DesignCandidate c;
    c.acFlux = 2000.0F;
    c.frequency = 1e5F;
    c.coreLoss = 800.0F;
    c.copperLoss = 200.0F;
    c.surfaceArea = 50.0F;
    c.coreVolume = 5.0F;
    c.tempRise = 12.0F;
    Requirement r;
    r.Ta = 25.0F;

    ElectricalRows rows = storedElectricalRows();
    calc_aging_rows(Application::DcBiased, parameters, core, c, r, builtInModel(), rows);
    EXPECT_EQ(rows[13].label, "Time To 115 % Loss");
    EXPECT_EQ(rows[14].label, "Life Limit");
    EXPECT_EQ(rows[13].format, "%8.3g");
    EXPECT_EQ(rows[14].units, "Hours");
    Drive d; // the same design through calc_aging_time, with the stored exponent
    d.e = static_cast<double>(0.833F);
    EXPECT_EQ(rows[13].value, agingTime(d, kAgingTimeTo115));
    EXPECT_EQ(rows[14].value, agingTime(d, kAgingLifeLimit));

    DesignCandidate noLoss = c;
    noLoss.coreLoss = 0.0F;
    Requirement hot = r;
    hot.Ta = 238.0F; // 238 + 12 = 250
    for (const auto& [candidate, conditions] : {std::pair{noLoss, r}, std::pair{c, hot}}) {
        ElectricalRows zero = storedElectricalRows();
        zero[13].value = 5.0F;
        calc_aging_rows(Application::DcBiased, parameters, core, candidate, conditions,
                        builtInModel(), zero);
        EXPECT_EQ(zero[13].value, 0.0F);
        EXPECT_EQ(zero[14].value, 0.0F);
    }
}

TEST(AgingRows, PfcBoostAgesAtTheLineAveragedFlux) {
    // r = 0.5: g(theta) = 2 sin(theta) + 0.5 (cos 2theta - 1) = 2 sin - sin^2; the mean of g^2
    // over the half-cycle is 4 * 1/2 - 4 * 4/(3 pi) + 3/8 = 2 - 1.69765 + 0.375 = 0.67735
    // (12 samples), so the aging flux is 0.5 * sqrt(0.677) * B = 0.4115 B.
    DesignParameters parameters;
    CoreRecord core;
    core.material = "-275";
    core.Ae = 1.0F;
    DesignCandidate c;
    c.acFlux = 2000.0F / 0.4115F;
    c.pfcRatio = 0.5F;
    c.frequency = 1e5F;
    c.coreLoss = 800.0F;
    c.copperLoss = 200.0F;
    c.surfaceArea = 50.0F;
    c.coreVolume = 5.0F;
    Requirement r;
    r.Ta = 25.0F;
    ElectricalRows rows = storedElectricalRows();
    calc_aging_rows(Application::PfcBoost, parameters, core, c, r, builtInModel(), rows);
    Drive d;
    EXPECT_NEAR(rows[13].value, agingTime(d, kAgingTimeTo115), 0.01 * rows[13].value);
}

} // namespace
} // namespace korvane
