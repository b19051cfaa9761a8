#include "materials/PowderMaterialModel.h"

#include "format/Messages.h"
#include "materials/AcMagLaw.h"
#include "materials/AcPermeability.h"
#include "materials/MaterialCoefficients.h"
#include "materials/PermeabilityFits.h"
#include "support/RecordingSink.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace korvane {
namespace {

const PowderMaterialModel kModel;

TEST(DcBias, MixPAtZeroBiasIsEvaluatedAtTenthOerstedAndCapped) {
    // Mix P at H = 0.1: N = 10090 + 13.1*0.1 + 0.0212*0.01 = 10091.3102,
    // D = 1 + 0.00505*0.1 + 0.00117*0.01 = 1.0005167, sqrt(N/D) = 100.4296 -> reported 100.
    // Slope: (N' - N D'/D)/D = (13.10424 - 10091.31*0.005284/1.0005167)/1.0005167 = -40.17,
    // times 0.5/100.4296 = -0.2000 (not changed by the cap).
    const auto raw =
        rationalBiasFit(7143, std::array{10090.0F, 0.00505F, 13.1F, 0.00117F, 0.0212F}, 0.1);
    ASSERT_TRUE(raw);
    EXPECT_NEAR(raw->value, 100.4296, 1e-3);
    for (double H : {0.0, 0.05, 0.1}) {
        const auto pair = kModel.dcPercentPermPair("-275", 0, H);
        ASSERT_TRUE(pair) << H;
        EXPECT_EQ(pair->value, 100.0F) << H;
        EXPECT_NEAR(pair->slope, -0.19999, 1e-4) << H;
    }
}

TEST(DcBias, MixDReciprocalPowerIsNeverCapped) {
    // 1/(0.010035 + 9e-6*0.1^1.8) + 0.35 = 1/0.01003514 + 0.35 = 99.99981 (float coefficients)
    const auto low = kModel.dcPercentPermPair("-390", 0, 0.0);
    ASSERT_TRUE(low);
    EXPECT_NEAR(low->value, 99.99981, 2e-5);
    EXPECT_LT(low->value, 100.0F);
    // H = 10: 10^1.8 = 63.0957, den = 0.010035 + 5.6786e-4 = 0.0106029, 1/den + 0.35 = 94.664;
    // slope -9e-6*1.8*10^0.8/den^2 = -1.02215e-4/1.12421e-4 = -0.9092
    const auto at10 = kModel.dcPercentPermPair("-390", 0, 10.0);
    ASSERT_TRUE(at10);
    EXPECT_NEAR(at10->value, 94.664, 1e-3);
    EXPECT_NEAR(at10->slope, -0.9092, 1e-3);
}

TEST(DcBias, CompositeUsesItsOwnTableAndCapsAtHundred) {
    // Composite Mix 1 at 0.1 Oe: N = 115.2 - 1.757 + 0.107 - ... = 113.55,
    // D = 1 + 0.1107 + 0.008436 + ... = 1.11914, N/D = 101.46 -> 100.
    const auto low = kModel.dcPercentPermPair("-M702", 0, 0.1);
    ASSERT_TRUE(low);
    EXPECT_EQ(low->value, 100.0F);
    EXPECT_LT(low->slope, 0.0F);
    // At 1 Oe: N = 115.2 - 17.57 + 10.7 - 0.359159 + 0.00332681 - 0.00000529509 = 107.97416,
    // D = 1 + 1.107 + 0.8436 + 0.000274114 - 0.000716919 + 0.0000075 = 2.9501647, N/D = 36.599
    const auto at1 = kModel.dcPercentPermPair("-M702", 0, 1.0);
    ASSERT_TRUE(at1);
    EXPECT_NEAR(at1->value, 36.599, 1e-2);
}

TEST(DcBias, CompositeSlopeCarriesNoSinglePrecisionTerms) {
    // Between 40 and 80 Oe the composite fits' slope is a small difference of large terms
    // (N' - N D'/D), so a derivative term such as 3 c6 H^2 rounded to single precision moves
    // it by up to 1e-5; the swing iteration, which steps by value/slope, then settles on
    // another permeability. Reference: N, D and their derivatives written out term by term
    // in long double from the stored coefficients.
    for (const CompositeDcBiasRow& row : compositeDcBiasTable()) {
        for (const double H : {10.0, 30.0, 45.0, 48.0, 50.0, 52.0, 55.0, 60.0, 80.0}) {
            std::array<long double, 11> c{};
            for (std::size_t i = 0; i < c.size(); ++i) {
                c[i] = row.c[i];
            }
            const long double h = H;
            const long double N =
                c[0] + h * (c[2] + h * (c[4] + h * (c[6] + h * (c[8] + h * c[10]))));
            const long double Nd =
                c[2] + h * (2 * c[4] + h * (3 * c[6] + h * (4 * c[8] + h * 5 * c[10])));
            const long double D = 1 + h * (c[1] + h * (c[3] + h * (c[5] + h * (c[7] + h * c[9]))));
            const long double Dd =
                c[1] + h * (2 * c[3] + h * (3 * c[5] + h * (4 * c[7] + h * 5 * c[9])));
            const double slope = static_cast<double>((Nd - N * Dd / D) / D);
            const auto pair = kModel.dcPercentPermPair(row.code, 0, H);
            ASSERT_TRUE(pair) << row.code << " " << H;
            // Only the final rounding to the stored single-precision slope remains.
            EXPECT_NEAR(pair->slope, slope, 1.2e-7 * std::fabs(slope)) << row.code << " " << H;
        }
    }
}

TEST(DcBias, NoneForNegativeFieldUnknownMaterialOrUnknownKind) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    EXPECT_FALSE(kModel.dcPercentPermPair("-275", 0, -0.001));
    EXPECT_FALSE(kModel.dcPercentPermPair("-X", 0, 10.0));
    EXPECT_FALSE(kModel.dcPercentPermPair("", 0, 10.0));
    EXPECT_FALSE(rationalBiasFit(7000, std::array{1.0F, 0.0F, 0.0F, 0.0F, 0.0F}, 1.0));
    // kind 145 needs 11 coefficients
    EXPECT_FALSE(rationalBiasFit(145, std::array{1.0F, 0.0F, 0.0F, 0.0F, 0.0F}, 1.0));
    // sqrt of a negative ratio is not a permeability
    EXPECT_FALSE(rationalBiasFit(7143, std::array{-1.0F, 0.0F, 0.0F, 0.0F, 0.0F}, 1.0));
    EXPECT_TRUE(sink.empty());
    // The material is the leading code field of the text.
    const auto field = kModel.dcPercentPermPair("-275A", 0, 50.0);
    const auto exact = kModel.dcPercentPermPair("-275", 0, 50.0);
    ASSERT_TRUE(field && exact);
    EXPECT_EQ(field->value, exact->value);
}

TEST(DcBias, EffectivePermeabilityScalesByInitialPerm) {
    float slope = 0.0F;
    const auto pct = kModel.dcPercentPermPair("-275", 0, 40.0);
    const auto eff = kModel.dcPermeabilityPair("-275", 0, 40.0);
    ASSERT_TRUE(pct && eff);
    EXPECT_FLOAT_EQ(eff->value, pct->value * 0.75F);
    EXPECT_FLOAT_EQ(eff->slope, pct->slope * 0.75F);
    EXPECT_FLOAT_EQ(kModel.dcPermeability("-275", slope, 40.0), eff->value);
    EXPECT_FLOAT_EQ(slope, eff->slope);
    EXPECT_FLOAT_EQ(kModel.dcPercentPerm("-275", 0, slope, 40.0), pct->value);
    // Materials outside InitialPermTable: the composites and the discontinued mixes.
    for (const char* code : {"-M702", "-M714", "-233", "-246"}) {
        EXPECT_FALSE(kModel.dcPermeabilityPair(code, 0, 10.0)) << code;
        EXPECT_EQ(kModel.dcPermeability(code, slope, 10.0), 0.0F) << code;
        EXPECT_EQ(slope, 0.0F);
    }
}

TEST(AcFlux, MixPFitAndSaturationBranch) {
    // 100 G: N = 10600 + 3780 - 35.6 = 14344.4, D = 1 + 0.00721 - 0.0000774 = 1.0071326,
    // sqrt(N/D) = 119.343
    EXPECT_NEAR(kModel.calc_ac_mag("-275", 100.0)->value, 119.343, 1e-2);
    // At Bmax the fit stands: N = 10600 + 409714.2 - 418244.3 = 2069.9, D = 0.87216 -> 48.73
    EXPECT_NEAR(kModel.calc_ac_mag("-275", 10839.0)->value, 48.734, 1e-2);
    struct Case {
        double B;
        double pct;
        double tol;
    };
    // (100/75) / ((1/(0.5055*75) - 1) * 10839/B + 1); -> 100*0.5055 just above Bmax,
    // 1.3333/((0.0263765 - 1)*0.985364 + 1) = 32.819 at 11000 G, -> 100/75 at very high B.
    const Case cases[] = {{10839.01, 50.548, 1e-2}, {11000.0, 32.819, 1e-2}, {1e9, 1.33335, 1e-4}};
    for (const auto& c : cases) {
        const auto pair = kModel.calc_ac_mag("-275", c.B);
        ASSERT_TRUE(pair) << c.B;
        EXPECT_NEAR(pair->value, c.pct, c.tol) << c.B;
    }
    // slope (pct/B)(1 - 0.01 pct mu_i) = (32.819/11000)(1 - 24.614) = -0.070454
    EXPECT_NEAR(kModel.calc_ac_mag("-275", 11000.0)->slope, -0.070454, 1e-4);
}

TEST(AcFlux, HighFluxLawAndClampForMixA) {
    // 490000/8000 = 61.25, slope -490000/8000^2 = -0.00765625
    const auto at8000 = kModel.calc_ac_mag("-110", 8000.0);
    ASSERT_TRUE(at8000);
    EXPECT_FLOAT_EQ(at8000->value, 61.25F);
    EXPECT_FLOAT_EQ(at8000->slope, -0.00765625F);
    // 12000 G is clamped to Bmax 10000 and the saturation branch is skipped: 49 %
    const auto at12000 = kModel.calc_ac_mag("-110", 12000.0);
    ASSERT_TRUE(at12000);
    EXPECT_FLOAT_EQ(at12000->value, 49.0F);
    // Below the knee the fit stands for Mix B as well.
    EXPECT_GT(kModel.calc_ac_mag("-226", 6000.0)->value, 100.0F);
    EXPECT_FLOAT_EQ(kModel.calc_ac_mag("-226", 9800.0)->value, 50.0F);
}

// The built-in 7021 fits never fall below 100 % under 2000 G, so the floor, the high-flux knee
// and the low-flux clamp are checked on a row of their own:
// %mu = sqrt(8100 + 0.81 B), slope 0.405 / %mu; Bmax 10000 G, satFraction 0.5, mu_i 50.
TEST(AcFlux, FloorKneeAndLowFluxClampOfTheRationalLaw) {
    const AcMagRow row{"-T", kAcKindRational, {8100.0F, 0.0F, 0.81F, 0.0F, 0.0F}};
    const AcLimitRow limit{"-T", 50.0F, 10000.0F, 0.5F};
    struct Case {
        bool highFlux;
        double B;
        double pct;
        double slope;
    };
    const Case cases[] = {
        // below 2000 G a fit under 100 % is reported as 100 %, slope as fitted
        {false, 1000.0, 100.0, 0.405 / std::sqrt(8910.0)},
        {false, 1999.0, 100.0, 0.405 / std::sqrt(9719.19)},
        // from 2000 G on the fit stands, even under 100 %
        {false, 2000.0, std::sqrt(9720.0), 0.405 / std::sqrt(9720.0)},
        // below 0.1 G the law is evaluated at 0.1 G
        {false, 0.0, 100.0, 0.405 / std::sqrt(8100.081)},
        // the high-flux law starts above 7000 G, not at it
        {true, 7000.0, std::sqrt(13770.0), 0.405 / std::sqrt(13770.0)},
        {true, 7000.5, 490000.0 / 7000.5, -490000.0 / (7000.5 * 7000.5)},
        // saturation: (100/50) / ((1/25 - 1) * 10000/20000 + 1) = 2 / 0.52 = 3.84615,
        // slope (3.84615/20000) * (1 - 0.01 * 3.84615 * 50) = 1.5976e-4
        {false, 20000.0, 2.0 / 0.52, 2.0 / 0.52 / 20000.0 * (1.0 - 0.5 * 2.0 / 0.52)},
        // the high-flux mixes are clamped at Bmax instead: 490000/10000
        {true, 20000.0, 49.0, -0.0049},
    };
    for (const auto& c : cases) {
        const auto pair = acMagAt(row, limit, c.highFlux, c.B);
        ASSERT_TRUE(pair) << c.B;
        EXPECT_NEAR(pair->value, c.pct, 1e-4) << c.highFlux << " " << c.B;
        EXPECT_NEAR(pair->slope, c.slope, 1e-7) << c.highFlux << " " << c.B;
    }
}

TEST(AcFlux, MixQPolynomialHasNoFloor) {
    // 93.4 - 0.0299*10 + 2.08*sqrt(10) + 8.3e-7*100 = 93.4 - 0.299 + 6.5776 + 0.000083 = 99.679
    const auto pair = kModel.calc_ac_mag("-235", 10.0);
    ASSERT_TRUE(pair);
    EXPECT_NEAR(pair->value, 99.679, 1e-2);
    // slope -0.0299 + 0.5*2.08/sqrt(10) + 2*8.3e-7*10 = -0.0299 + 0.328877 + 0.0000166 = 0.298994
    EXPECT_NEAR(pair->slope, 0.298994, 1e-5);
}

TEST(AcFlux, NoneForNegativeFluxAndMaterialsWithoutAcData) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    for (const char* code : {"-M702", "-M714", "-X", "275"}) {
        EXPECT_FALSE(kModel.calc_ac_mag(code, 1000.0)) << code;
    }
    EXPECT_FALSE(kModel.calc_ac_mag("-275", -1.0));
    float pct = 5.0F;
    float slope = 5.0F;
    EXPECT_EQ(kModel.acPercentPerm("-M702", pct, slope, 1000.0), 0.0F);
    EXPECT_EQ(pct, 0.0F);
    EXPECT_TRUE(sink.empty());
    EXPECT_NEAR(kModel.acPercentPerm("-275", pct, slope, 100.0), 119.343, 1e-2);
    EXPECT_EQ(pct, kModel.calc_ac_mag("-275", 100.0)->value);
}

TEST(AcLimits, UnknownMaterialShowsIndexTwentyAndLastCode) {
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    float Bmax = 0.0F;
    float sat = 0.0F;
    float mu = 0.0F;
    EXPECT_EQ(kModel.acLimits("-X", Bmax, sat, mu), -1);
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(
        sink.last(),
        (Message{"Error. unrecognized material -X\n index jm=20 last material in Table -300 ..",
                 "ERROR in  calc_ac_mag Limits Table"}));
    EXPECT_FALSE(calc_pct_perm_ac(1000.0, "-X", kModel));
    EXPECT_EQ(sink.size(), 2U);
    EXPECT_EQ(kModel.acLimits("-275", Bmax, sat, mu), 15);
    EXPECT_EQ(Bmax, 10839.0F);
    EXPECT_EQ(sat, 0.5055F);
    EXPECT_EQ(mu, 75.0F);
}

TEST(Frequency, MixPCurveAndMissingRows) {
    // 1/(0.0146215 + 4.12824e-8) + 7.14758 = 68.3924 + 7.14758 = 75.540
    EXPECT_NEAR(kModel.permeabilityAtFrequency("-275", 1.0), 75.540, 1e-2);
    // 1e5^0.847475 = 17268.5; 1/(0.0146215 + 7.12883e-4) + 7.14758 = 65.213 + 7.148 = 72.361
    EXPECT_NEAR(kModel.permeabilityAtFrequency("-275", 1e5), 72.36, 1e-2);
    for (const char* code : {"-M702", "-233", "-246", "-X"}) {
        EXPECT_EQ(kModel.permeabilityAtFrequency(code, 1e5), 0.0F) << code;
    }
    EXPECT_EQ(kModel.permeabilityAtFrequency("-275", -1.0), 0.0F);
}

TEST(BiasSearch, ConstantsOfMixDMixEAndTheOthers) {
    struct Case {
        const char* code;
        float max;
        float start;
        float step;
    };
    const Case cases[] = {{"-390", 350.0F, 38.88889F, 0.5F},
                          {"-300", 150.0F, 38.88889F, 1.0F},
                          {"-275", 350.0F, 116.666664F, 1.0F},
                          {"-M702", 350.0F, 116.666664F, 1.0F}};
    for (const auto& c : cases) {
        EXPECT_EQ(kModel.biasSearchMax(c.code), c.max) << c.code;
        EXPECT_EQ(kModel.biasSearchStart(c.code), c.start) << c.code;
        EXPECT_EQ(kModel.biasSearchStep(c.code), c.step) << c.code;
    }
}

TEST(MaterialModelBase, NeutralDefaults) {
    const MaterialModel base;
    float a = 1.0F;
    float b = 1.0F;
    float c = 1.0F;
    std::string material = "-275";
    EXPECT_EQ(base.dcPercentPerm("-275", 0, a, 10.0), 33.0F);
    EXPECT_FALSE(base.dcPercentPermPair("-275", 0, 10.0));
    EXPECT_FALSE(base.calc_ac_mag("-275", 10.0));
    EXPECT_FALSE(base.dcPermeabilityPair("-275", 0, 10.0));
    EXPECT_EQ(base.coreLoss(CoreShape::Composite, material, 1.0, 100.0, 1000.0,
                            Application::DcBiased, 0.0),
              0.0F);
    EXPECT_EQ(material, "-275");
    EXPECT_EQ(base.materialFromPartNumber(material, "T80-275"), 0);
    EXPECT_EQ(base.biasSearchMax("-275"), 300.0F);
    EXPECT_EQ(base.biasSearchStart("-275"), 100.0F);
    EXPECT_EQ(base.biasSearchStep("-275"), 0.5F);
    EXPECT_EQ(base.acLimits("-275", a, b, c), 2000);
    EXPECT_EQ(kModel.reservedPercentPerm("-275", 10.0), 0.0F);
    EXPECT_EQ(kModel.reservedValue("-275", 10.0), 0.0F);
}

TEST(PartNumber, MaterialFieldAndFieldCount) {
    struct Case {
        const char* partNumber;
        int count;
        const char* material; // what the buffer holds afterwards, starting from "old"
    };
    const Case cases[] = {{"T80-275", 2, "-275"},
                          {"T80-275A", 2, "-275"},
                          {"ST150-M702", 2, "-M702"},
                          {"E187 -390", 2, "-390"},
                          {"T80", 1, "old"},
                          {"-275", 0, "old"},
                          {"", 0, "old"}};
    for (const auto& c : cases) {
        std::string material = "old";
        EXPECT_EQ(kModel.materialFromPartNumber(material, c.partNumber), c.count) << c.partNumber;
        EXPECT_EQ(material, c.material) << c.partNumber;
    }
}

TEST(Aging, NegligibleAgingMaterialsByPartNumber) {
    for (const char* pn : {"T80-390", "T80-300", "T80-385", "T80-106", "T80-104", "T80-280"}) {
        EXPECT_EQ(kModel.agingMatters(pn), 0) << pn;
    }
    // the test is by substring: a longer material text holding a listed code counts too
    EXPECT_EQ(kModel.agingMatters("T80-3905"), 0);
    for (const char* pn : {"T80-275", "T80-260", "ST150-M702", "T80", "E187-226", "T80-39"}) {
        EXPECT_EQ(kModel.agingMatters(pn), 1) << pn;
    }
}

TEST(Aging, CheckAgingDisplayNotices) {
    struct Case {
        const char* partNumber;
        double coreLoss;
        int result;
        const char* text;
    };
    const Case cases[] = {
        {"T80-275", 100.0, 1, nullptr},
        {"T80", 100.0, 0, "No Aging Data Available , Core P/N T80, Material "},
        {"T80-390", 100.0, 0,
         " -390, -300, -385, -106, -104, and -280  MATERIALS EXHIBIT NEGLIGABLE AGING"},
        // the later sentence overwrites the earlier one
        {"T80-390", 0.0005, 0, "Design Exhibits Negligable Core Loss, 5.00e-04"},
        {"T80-275", 0.0, 0, "Design Exhibits Negligable Core Loss, 0.00e+00"},
    };
    for (const auto& c : cases) {
        RecordingSink sink;
        ScopedMessageSink scope(sink);
        EXPECT_EQ(kModel.checkAgingDisplay(c.partNumber, c.coreLoss), c.result) << c.partNumber;
        if (c.text == nullptr) {
            EXPECT_TRUE(sink.empty());
        } else {
            ASSERT_EQ(sink.size(), 1U);
            EXPECT_EQ(sink.last(), (Message{c.text, " UNABLE TO DISPLAY AGING "}));
        }
    }
}

} // namespace
} // namespace korvane
