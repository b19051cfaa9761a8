#include "settings/DesignParameters.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::string joined(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != '\n') {
            out += c;
        }
    }
    return out;
}

TEST(DesignParameters, DefaultsInEveryApplication) {
    const DesignParameters p;
    for (Application a : kAllApplications) {
        const ParameterSet& s = p.set(a);
        EXPECT_FLOAT_EQ(s.Trise_lim, 40.0F);
        EXPECT_FLOAT_EQ(s.Cudens, 150.0F);
        EXPECT_FLOAT_EQ(p.fillFraction(a), 0.4F);
        EXPECT_FLOAT_EQ(s.Min_mu, 40.0F);
        EXPECT_FLOAT_EQ(s.Trise_ex, 0.833F);
        EXPECT_FLOAT_EQ(p.leadLength(a), 0.25F);
        EXPECT_FLOAT_EQ(p.ambientTemperature(a), 55.0F);
    }
    EXPECT_EQ(p.unitSystem(), UnitSystem::English);
    EXPECT_EQ(p.wireSystem(), WireSystem::Awg);
    EXPECT_EQ(p.shownApplication(), Application::DcBiased);
}

TEST(DesignParameters, PositionsFollowTheRangeTable) {
    ParameterSet s;
    for (int i = 0; i < ParameterSet::kCount; ++i) {
        s.at(i) = static_cast<float>(i + 1);
    }
    EXPECT_FLOAT_EQ(s.Trise_lim, 1.0F);
    EXPECT_FLOAT_EQ(s.Rho_f, 5.0F);
    EXPECT_FLOAT_EQ(s.Trise_ex, 7.0F);
    EXPECT_FLOAT_EQ(s.Ta, 9.0F);
    EXPECT_FLOAT_EQ(parameterRanges()[8].minimum, -200.0F);
    EXPECT_FLOAT_EQ(parameterRanges()[1].maximum, 9999.0F);
}

TEST(DesignParameters, UnitSystemFactorsAndLabels) {
    DesignParameters p;
    struct Case {
        UnitSystem u;
        double shortFactor, longFactor, mass;
        const char *shortLabel, *longLabel, *massLabel;
    };
    const Case cases[] = {
        {UnitSystem::Metric, 25.4, 0.3048, 453.6, "mm ", "m ", "gm"},
        {UnitSystem::English, 1, 1, 1, "in.", "ft", "Lbs"},
        {UnitSystem::MixedEnglish, 1, 1, 1, "in", "ft", "Lbs"},
    };
    for (const Case& c : cases) {
        p.setUnitSystem(c.u);
        EXPECT_DOUBLE_EQ(p.shortLengthFactor(), c.shortFactor);
        EXPECT_DOUBLE_EQ(p.longLengthFactor(), c.longFactor);
        EXPECT_DOUBLE_EQ(p.massFactor(), c.mass);
        EXPECT_EQ(p.shortLengthLabel(), c.shortLabel);
        EXPECT_EQ(p.longLengthLabel(), c.longLabel);
        EXPECT_EQ(p.massLabel(), c.massLabel);
    }
}

TEST(ParametersText, ExactThreeLinesWithDefaults) {
    const DesignParameters p;
    EXPECT_EQ(p.parametersText(Application::DcBiased),
              "    Units: ENG, Wire: AWG, \n"
              "    Params: Trise_lim: 40, Cudens: 150 cm/Amp, Fill%: 40, Min%mu: 40, LeadL: "
              "0.25in, \n"
              "            Rho_f: 1, Trise_ex: 0.833, Trise_f: 1\n");
}

TEST(ParametersText, CopperNumberFollowsUnitsAndLabelFollowsWire) {
    DesignParameters p;
    p.setWireSystem(WireSystem::Metric);
    // English units: the number stays cmil/A while the label says current density
    EXPECT_NE(p.parametersText(Application::DcBiased).find("Wire: METRIC, "), std::string::npos);
    EXPECT_NE(p.parametersText(Application::DcBiased).find("I_dens: 150 A/sqcm, "),
              std::string::npos);
    // Metric units: 197400 / 150 = 1316 A/cm^2
    p.setUnitSystem(UnitSystem::Metric);
    EXPECT_NE(p.parametersText(Application::DcBiased).find("Units: MET, "), std::string::npos);
    EXPECT_NE(p.parametersText(Application::DcBiased).find("I_dens: 1316 A/sqcm, "),
              std::string::npos);
    p.setWireSystem(WireSystem::Swg);
    p.setUnitSystem(UnitSystem::MixedEnglish);
    EXPECT_NE(p.parametersText(Application::DcBiased).find("Units: MIXED, Wire: SWG, "),
              std::string::npos);
    EXPECT_NE(p.parametersText(Application::DcBiased).find("Cudens: 150 cm/Amp, "),
              std::string::npos);
}

TEST(ApplyParametersText, RoundTripsUnderEveryUnitSystemAndWireStandard) {
    for (UnitSystem u : {UnitSystem::Metric, UnitSystem::English, UnitSystem::MixedEnglish}) {
        for (WireSystem w : {WireSystem::Metric, WireSystem::Awg, WireSystem::Swg}) {
            DesignParameters source;
            source.setUnitSystem(u);
            source.setWireSystem(w);
            source.set(Application::PfcBoost).Cudens = 200.0F; // 987 A/cm^2 under METRIC
            const std::string text = joined(source.parametersText(Application::PfcBoost));

            DesignParameters target;
            EXPECT_EQ(target.applyParametersText(Application::PfcBoost, text), 23);
            EXPECT_EQ(target.unitSystem(), u);
            EXPECT_EQ(target.wireSystem(), w);
            EXPECT_EQ(target.shownApplication(), Application::PfcBoost);
            for (Application a : kAllApplications) {
                EXPECT_FLOAT_EQ(target.copperArea(a), 200.0F) << toIndex(u) << toIndex(w);
            }
            // the other numbers of the block are read and not applied
            EXPECT_FLOAT_EQ(target.temperatureRiseLimit(Application::PfcBoost), 40.0F);
        }
    }
}

TEST(ApplyParametersText, EveryCopperAreaTheWindowCanStoreRoundTrips) {
    // Under the metric wire standard the window's range 10 to 9999 applies to the current
    // density, so Cudens runs from 197400 / 9999 to 197400 / 10.
    for (const float cudens : {19740.0F, 9999.0F, 10.0F, 19.742F}) {
        for (UnitSystem u : {UnitSystem::Metric, UnitSystem::English}) {
            DesignParameters source;
            source.setUnitSystem(u);
            source.setWireSystem(WireSystem::Metric);
            source.set(Application::DcBiased).Cudens = cudens;
            DesignParameters target;
            EXPECT_EQ(
                target.applyParametersText(Application::DcBiased,
                                           joined(source.parametersText(Application::DcBiased))),
                23);
            EXPECT_NEAR(target.copperArea(Application::Resonant), cudens, cudens * 1e-5)
                << cudens << " " << toIndex(u);
        }
    }
}

TEST(ApplyParametersText, IncompleteBlockChangesNothing) {
    DesignParameters p;
    const std::string text = joined(DesignParameters().parametersText(Application::DcBiased));
    const std::string cut = text.substr(0, text.find("Rho_f"));
    p.setUnitSystem(UnitSystem::MixedEnglish);
    EXPECT_EQ(p.applyParametersText(Application::Resonant, cut), 17);
    EXPECT_EQ(p.unitSystem(), UnitSystem::MixedEnglish);
    EXPECT_EQ(p.shownApplication(), Application::DcBiased);
    EXPECT_EQ(p.applyParametersText(Application::Resonant, ""), 0);
}

TEST(ApplyParametersText, CopperNumberOutsideItsRangeIsNotApplied) {
    DesignParameters source;
    source.setUnitSystem(UnitSystem::Metric);
    std::string text = joined(source.parametersText(Application::DcBiased));
    const std::size_t at = text.find("1316");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 4, "0");
    DesignParameters p;
    EXPECT_EQ(p.applyParametersText(Application::DcBiased, text), 23);
    EXPECT_EQ(p.unitSystem(), UnitSystem::Metric);
    EXPECT_FLOAT_EQ(p.copperArea(Application::DcBiased), 150.0F);
}

} // namespace
} // namespace korvane
