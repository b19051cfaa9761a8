#include "materials/AgingTable.h"
#include "materials/MaterialCoefficients.h"
#include "materials/MaterialLists.h"
#include "materials/MaterialSheet.h"
#include "materials/MaterialTable.h"
#include "materials/PermeabilityFits.h"
#include "materials/PowderMaterialModel.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvane {
namespace {

const PowderMaterialModel kModel;

std::vector<MaterialRecord> powderMixes() {
    std::vector<MaterialRecord> rows;
    for (const MaterialRecord& r : materialTable()) {
        if (!findCompositeMaterial(r.code)) {
            rows.push_back(r);
        }
    }
    return rows;
}

// n points from lo to hi, evenly spaced in log.
std::vector<double> logGrid(double lo, double hi, int n) {
    std::vector<double> x;
    for (int i = 0; i < n; ++i) {
        x.push_back(lo * std::pow(hi / lo, static_cast<double>(i) / (n - 1)));
    }
    return x;
}

std::vector<double> ranks(const std::vector<double>& v) {
    std::vector<std::size_t> order(v.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&v](auto a, auto b) { return v[a] < v[b]; });
    std::vector<double> r(v.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        r[order[i]] = static_cast<double>(i);
    }
    return r;
}

double spearman(const std::vector<double>& x, const std::vector<double>& y) {
    const auto rx = ranks(x);
    const auto ry = ranks(y);
    double d2 = 0.0;
    for (std::size_t i = 0; i < rx.size(); ++i) {
        d2 += (rx[i] - ry[i]) * (rx[i] - ry[i]);
    }
    const double n = static_cast<double>(rx.size());
    return 1.0 - 6.0 * d2 / (n * (n * n - 1.0));
}

TEST(MaterialData, TablesCoverTheRightMixesInTableOrder) {
    const auto powder = powderMixes();
    ASSERT_EQ(powder.size(), 20U);
    ASSERT_EQ(acMagTable().size(), 20U);
    ASSERT_EQ(acLimitTable().size(), 20U);
    ASSERT_EQ(dcBiasTable().size(), 20U);
    ASSERT_EQ(coreLossTable().size(), 20U);
    for (std::size_t i = 0; i < powder.size(); ++i) {
        EXPECT_EQ(acMagTable()[i].code, powder[i].code);
        EXPECT_EQ(acLimitTable()[i].code, powder[i].code);
        EXPECT_EQ(dcBiasTable()[i].code, powder[i].code);
        EXPECT_EQ(coreLossTable()[i].code, powder[i].code);
        EXPECT_EQ(acLimitTable()[i].initialPerm, powder[i].initialPerm);
        EXPECT_EQ(dcBiasTable()[i].initialPerm, powder[i].initialPerm);
    }
    // 18 selectable mixes: the powder mixes less the discontinued two, in the same order.
    const auto selectable = selectableMaterials();
    ASSERT_EQ(selectable.size(), 18U);
    ASSERT_EQ(initialPermTable().size(), 18U);
    ASSERT_EQ(frequencyTable().size(), 18U);
    std::size_t j = 0;
    for (const MaterialRecord& r : powder) {
        if (isDiscontinuedMaterial(r.code)) {
            continue;
        }
        ASSERT_LT(j, selectable.size());
        EXPECT_EQ(selectable[j].code, r.code);
        EXPECT_EQ(initialPermTable()[j].code, r.code);
        EXPECT_EQ(initialPermTable()[j].initialPerm, r.initialPerm);
        EXPECT_EQ(frequencyTable()[j].code, r.code);
        EXPECT_GT(selectable[j].description.size(), 20U);
        ++j;
    }
    EXPECT_EQ(j, 18U);
    // Composite materials: DC-bias rows only.
    ASSERT_EQ(compositeDcBiasTable().size(), 2U);
    for (const CompositeMaterial& c : compositeMaterials()) {
        EXPECT_TRUE(findMaterial(c.code)) << c.code;
        EXPECT_TRUE(findCompositeDcBiasRow(c.code)) << c.code;
        EXPECT_FALSE(findAcMagRow(c.code) || findFrequencyRow(c.code) || findCoreLossRow(c.code) ||
                     findInitialPermRow(c.code) || findDcBiasRow(c.code))
            << c.code;
    }
    EXPECT_TRUE(findCoreLossRow(compositeBaseMaterial()));
    EXPECT_TRUE(findAgingRow(compositeBaseMaterial()));
}

TEST(MaterialData, ReferenceRowsAsMeasured) {
    const MaterialRecord* mixP = findMaterial("-275");
    ASSERT_NE(mixP, nullptr);
    EXPECT_EQ(mixP->initialPerm, 75.0F);
    EXPECT_EQ(mixP->density, 7.0F);
    const auto dcP = findDcBiasRow("-275");
    ASSERT_TRUE(dcP);
    EXPECT_EQ(dcP->kind, 7143);
    EXPECT_EQ(dcP->c, (std::array{10090.0F, 0.00505F, 13.1F, 0.00117F, 0.0212F}));
    const auto dcD = findDcBiasRow("-390");
    ASSERT_TRUE(dcD);
    EXPECT_EQ(dcD->kind, 7999);
    EXPECT_EQ((std::array{dcD->c[0], dcD->c[1], dcD->c[2], dcD->c[3]}),
              (std::array{0.010035F, 9e-06F, 1.8F, 0.35F}));
    const auto comp = findCompositeDcBiasRow("-M702");
    ASSERT_TRUE(comp);
    EXPECT_EQ(comp->kind, 145);
    EXPECT_EQ(comp->c,
              (std::array{115.2F, 1.107F, -17.57F, 0.8436F, 10.7F, 0.000274114F, -0.359159F,
                          -0.000716919F, 0.00332681F, 7.50075e-06F, -5.29509e-06F}));
    const auto acP = findAcMagRow("-275");
    ASSERT_TRUE(acP);
    EXPECT_EQ(acP->kind, 7021);
    EXPECT_EQ(acP->c, (std::array{10600.0F, 7.21e-05F, 37.8F, -7.74e-09F, -0.00356F}));
    const auto acQ = findAcMagRow("-235");
    ASSERT_TRUE(acQ);
    EXPECT_EQ(acQ->kind, 7051);
    EXPECT_EQ((std::array{acQ->c[0], acQ->c[1], acQ->c[2], acQ->c[3]}),
              (std::array{93.4F, -0.0299F, 2.08F, 8.3e-07F}));
    const auto limP = findAcLimitRow("-275");
    const auto limA = findAcLimitRow("-110");
    ASSERT_TRUE(limP && limA);
    EXPECT_EQ((std::array{limP->initialPerm, limP->Bmax, limP->satFraction}),
              (std::array{75.0F, 10839.0F, 0.5055F}));
    EXPECT_EQ((std::array{limA->initialPerm, limA->Bmax, limA->satFraction}),
              (std::array{10.0F, 10000.0F, 0.1F}));
    const auto fP = findFrequencyRow("-275");
    ASSERT_TRUE(fP);
    EXPECT_EQ((std::array{fP->a, fP->b, fP->c, fP->d}),
              (std::array{0.0146215F, 4.12824e-08F, 0.847475F, 7.14758F}));
    const auto lossP = findCoreLossRow("-275");
    ASSERT_TRUE(lossP);
    EXPECT_EQ((std::array{lossP->a, lossP->b, lossP->c, lossP->d, lossP->lineExponent}),
              (std::array{1e9F, 1.1e8F, 1.9e6F, 1.9e-13F, 2.08F}));
    const auto agingR = findAgingRow("-260");
    ASSERT_TRUE(agingR);
    EXPECT_EQ((std::array{agingR->k1, agingR->k2, agingR->k3}),
              (std::array{-10.75F, 0.008114F, 0.0001371F}));
}

TEST(MaterialData, PowderMixesArePhysical) {
    auto powder = powderMixes();
    std::sort(powder.begin(), powder.end(),
              [](const auto& a, const auto& b) { return a.initialPerm < b.initialPerm; });
    for (std::size_t i = 0; i < powder.size(); ++i) {
        EXPECT_GE(powder[i].initialPerm, 4.0F);
        EXPECT_LE(powder[i].initialPerm, 100.0F);
        EXPECT_GE(powder[i].density, 5.0F);
        EXPECT_LE(powder[i].density, 7.4F);
        if (i > 0) {
            EXPECT_GE(powder[i].density, powder[i - 1].density) << powder[i].code;
        }
    }
}

TEST(MaterialData, DcBiasStartsAtFullPermeabilityAndNeverRises) {
    std::vector<std::pair<std::string_view, double>> ranges;
    for (const DcBiasRow& r : dcBiasTable()) {
        ranges.emplace_back(r.code, 1000.0);
    }
    for (const CompositeDcBiasRow& r : compositeDcBiasTable()) {
        ranges.emplace_back(r.code, 28.0);
    }
    for (const auto& [code, hMax] : ranges) {
        const auto start = kModel.dcPercentPermPair(code, 0, 0.0);
        ASSERT_TRUE(start) << code;
        EXPECT_NEAR(start->value, 100.0, 0.01) << code;
        double previous = start->value;
        for (double H : logGrid(0.1, hMax, 400)) {
            const auto pair = kModel.dcPercentPermPair(code, 0, H);
            ASSERT_TRUE(pair) << code << " " << H;
            EXPECT_LE(pair->value, previous + 1e-4) << code << " " << H;
            EXPECT_GT(pair->value, 0.0F) << code << " " << H;
            previous = pair->value;
        }
    }
}

TEST(MaterialData, HalfPermeabilityFieldFallsAsInitialPermRises) {
    std::vector<double> mu;
    std::vector<double> h50;
    for (const DcBiasRow& r : dcBiasTable()) {
        double H = 0.1;
        while (H < 5000.0 && kModel.dcPercentPermPair(r.code, 0, H)->value > 50.0F) {
            H *= 1.01;
        }
        ASSERT_LT(H, 5000.0) << r.code;
        mu.push_back(findMaterial(r.code)->initialPerm);
        h50.push_back(H);
    }
    EXPECT_LT(spearman(mu, h50), -0.9);
}

TEST(MaterialData, RationalAcFitsStayWithinTheGraphRange) {
    for (std::size_t i = 0; i < acMagTable().size(); ++i) {
        const AcMagRow& row = acMagTable()[i];
        if (row.kind != kAcKindRational) {
            continue;
        }
        const double top = 0.8 * acLimitTable()[i].Bmax;
        for (double B : logGrid(10.0, top, 300)) {
            const auto fit = acMagFit(row, B);
            ASSERT_TRUE(fit) << row.code << " " << B;
            EXPECT_GE(fit->value, 90.0F) << row.code << " " << B;
            EXPECT_LE(fit->value, 360.0F) << row.code << " " << B;
        }
    }
}

TEST(MaterialData, SaturationBranchJoinsTheFitAtBmax) {
    // Continuity at Bmax, away from the high-flux mixes whose own law takes over.
    for (const AcLimitRow& lim : acLimitTable()) {
        if (isHighFluxMaterial(lim.code)) {
            continue;
        }
        const float atBmax = kModel.calc_ac_mag(lim.code, lim.Bmax)->value;
        const float above = kModel.calc_ac_mag(lim.code, lim.Bmax * 1.000001)->value;
        EXPECT_NEAR(above, 100.0F * lim.satFraction, 0.01) << lim.code;
        EXPECT_NEAR(atBmax, above, 2.5) << lim.code;
    }
}

TEST(MaterialData, FrequencyRollOffComesLaterForLowerPermeability) {
    std::vector<std::pair<float, double>> f90; // mu_i, frequency where mu falls 10 %
    for (const FrequencyRow& r : frequencyTable()) {
        const double mu0 = kModel.permeabilityAtFrequency(r.code, 1.0);
        const float mui = findMaterial(r.code)->initialPerm;
        EXPECT_NEAR(mu0, mui, 0.05 * mui) << r.code;
        double previous = mu0;
        double fall = 0.0;
        for (double f : logGrid(1.0, 1e9, 400)) {
            const double mu = kModel.permeabilityAtFrequency(r.code, f);
            EXPECT_LE(mu, previous + 1e-4) << r.code << " " << f;
            if (fall == 0.0 && mu < 0.9 * mu0) {
                fall = f;
            }
            previous = mu;
        }
        ASSERT_GT(fall, 0.0) << r.code;
        f90.emplace_back(mui, fall);
    }
    std::sort(f90.begin(), f90.end());
    for (std::size_t i = 1; i < f90.size(); ++i) {
        EXPECT_LE(f90[i].second, f90[i - 1].second) << "mu " << f90[i].first;
    }
}

TEST(MaterialData, CoreLossIsPositiveRisingAndInRange) {
    for (const CoreLossRow& r : coreLossTable()) {
        const double ref = kModel.coreLossDensity(r.code, 1e5, 1000.0);
        EXPECT_GE(ref, 100.0) << r.code;
        EXPECT_LE(ref, 10000.0) << r.code;
        EXPECT_GE(r.lineExponent, 1.94F) << r.code;
        EXPECT_LE(r.lineExponent, 2.24F) << r.code;
        for (double f : {1e3, 1e4, 1e5, 1e6}) {
            double previous = 0.0;
            for (double B : logGrid(10.0, 10000.0, 60)) {
                const double p = kModel.coreLossDensity(r.code, f, B);
                EXPECT_GT(p, previous) << r.code << " " << f << " " << B;
                EXPECT_GT(kModel.coreLossDensity(r.code, f * 1.5, B), p) << r.code;
                previous = p;
            }
        }
    }
}

TEST(MaterialData, AgingTableAndNegligibleFamily) {
    ASSERT_EQ(agingTable().size(), 19U);
    EXPECT_FALSE(findAgingRow("-233"));
    EXPECT_TRUE(findAgingRow("-246"));
    for (const MaterialRecord& r : powderMixes()) {
        if (r.code == "-233") {
            continue;
        }
        const auto row = findAgingRow(r.code);
        ASSERT_TRUE(row) << r.code;
        const bool negligible = isNegligibleAgingMaterial(r.code);
        EXPECT_EQ(row->k1 == -49.28F, negligible) << r.code;
        EXPECT_GT(row->k2 + 2.0F * row->k3 * 25.0F, 0.0F) << r.code;
    }
    EXPECT_EQ(negligibleAgingMaterials().size(), 6U);
}

TEST(MaterialData, SpecialListsMatchOnlyTheirOwnCodes) {
    std::vector<std::string_view> codes;
    for (const MaterialRecord& r : materialTable()) {
        codes.push_back(r.code);
    }
    // Every code of every list is a material; no listed code is inside another material's code.
    const std::vector<std::span<const std::string_view>> lists = {
        negligibleAgingMaterials(), highFluxMaterials(),        discontinuedMaterials(),
        replacementMaterials(),     lowDcBiasRangeSubstrings(), acGraph6000GaussSubstrings()};
    for (const auto& list : lists) {
        for (std::string_view listed : list) {
            int hits = 0;
            for (std::string_view code : codes) {
                hits += code.find(listed) != std::string_view::npos ? 1 : 0;
            }
            EXPECT_EQ(hits, 1) << listed;
        }
    }
    for (const CompositeMaterial& c : compositeMaterials()) {
        int hits = 0;
        for (std::string_view code : codes) {
            hits += code.find(c.graphSubstring) != std::string_view::npos ? 1 : 0;
        }
        EXPECT_EQ(hits, 1) << c.graphSubstring;
        EXPECT_TRUE(isCompositeGraphMaterial(c.code));
    }
    // The list texts hold exactly their codes.
    const std::vector<std::string_view> line60 = {"-104", "-106", "-109", "-112"};
    const std::vector<std::string_view> resonant = {"-104", "-106", "-109", "-112",
                                                    "-116", "-120", "-125"};
    for (std::string_view code : codes) {
        EXPECT_EQ(isInLine60HzFullPermList(code),
                  std::find(line60.begin(), line60.end(), code) != line60.end())
            << code;
        EXPECT_EQ(isInResonantList(code),
                  std::find(resonant.begin(), resonant.end(), code) != resonant.end())
            << code;
    }
    EXPECT_FALSE(isInResonantList(""));
    EXPECT_EQ(line60HzFullPermList(), "-104 -106 -109 -112");
    EXPECT_EQ(resonantMaterialList(), "-104 -106 -109 -112 -116 -120 -125");
    // Discontinued mixes are not offered; their replacements are.
    for (std::string_view code : discontinuedMaterials()) {
        EXPECT_FALSE(findSelectableMaterial(code)) << code;
    }
    for (std::string_view code : replacementMaterials()) {
        EXPECT_TRUE(findSelectableMaterial(code)) << code;
    }
}

TEST(MaterialData, SixThousandGaussGraphsAreTheLowestLimits) {
    std::vector<AcLimitRow> rows(acLimitTable().begin(), acLimitTable().end());
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return a.Bmax < b.Bmax; });
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(hasAcGraph6000GaussLimit(rows[i].code), i < 2) << rows[i].code;
    }
}

TEST(MaterialSheet, GathersRowsAndListsOfOneMaterial) {
    const auto sheets = allMaterialSheets();
    ASSERT_EQ(sheets.size(), 22U);
    const auto mixD = materialSheet("-390");
    ASSERT_TRUE(mixD);
    EXPECT_EQ(mixD->record.initialPerm, 90.0F);
    EXPECT_TRUE(mixD->selection && mixD->dcBias && mixD->acMag && mixD->frequency && mixD->aging);
    EXPECT_EQ(mixD->dcBias->kind, 7999);
    EXPECT_TRUE(mixD->negligibleAging && mixD->lowDcBiasRange && mixD->biasSearch);
    EXPECT_FALSE(mixD->resonant || mixD->discontinued || mixD->composite);
    const auto composite = materialSheet("-M714");
    ASSERT_TRUE(composite);
    EXPECT_TRUE(composite->composite && composite->compositeDcBias);
    EXPECT_FALSE(composite->acMag || composite->coreLoss || composite->aging ||
                 composite->selection);
    const auto discontinued = materialSheet("-246");
    ASSERT_TRUE(discontinued);
    EXPECT_TRUE(discontinued->discontinued && discontinued->aging);
    EXPECT_FALSE(discontinued->selection || discontinued->frequency);
    EXPECT_FALSE(materialSheet("-27"));
}

} // namespace
} // namespace korvane
