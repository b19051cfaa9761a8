#include "requirements/RequirementEntry.h"

#include "format/Messages.h"
#include "settings/DesignParameters.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>
#include <tuple>

namespace korvane {
namespace {

class RequirementEntryTest : public ::testing::Test {
  protected:
    DesignParameters parameters;
    RequirementEntry entry{parameters};
    RecordingSink sink;
    ScopedMessageSink scoped{sink};

    // L1 100 uH, Rs 0, 10 A, 12 V on, 5 V off, 100 kHz, 30 C, one core, one strand.
    static RequirementTexts dcTexts() {
        return {"100", "0", "10", "", "", "12", "5", "100", "30", "1", "1"};
    }
};

TEST_F(RequirementEntryTest, AcceptsDcRequirementAndWritesAmbientIntoParameters) {
    entry.activate(Application::DcBiased);
    ASSERT_TRUE(entry.accept(dcTexts()));
    EXPECT_TRUE(sink.empty());
    const Requirement& r = entry.requirement();
    EXPECT_TRUE(r.accepted);
    EXPECT_FLOAT_EQ(r.L1, 0.1F); // stored in mH
    EXPECT_FLOAT_EQ(r.I1, 10.0F);
    EXPECT_FLOAT_EQ(r.I1peak, 10.0F);
    EXPECT_FLOAT_EQ(r.Von, 12.0F);
    EXPECT_FLOAT_EQ(r.Voff, 5.0F);
    EXPECT_FLOAT_EQ(r.fkHz, 100.0F);
    EXPECT_FLOAT_EQ(r.Ta, 30.0F);
    EXPECT_FLOAT_EQ(parameters.ambientTemperature(Application::DcBiased), 30.0F);
    EXPECT_FLOAT_EQ(parameters.ambientTemperature(Application::PfcBoost), 55.0F);

    // The window now shows the remembered values, the inductance back in uH.
    const RequirementTexts shown = entry.shownTexts();
    EXPECT_EQ(shown[0], "100.00");
    EXPECT_EQ(shown[2], " 10.00");
    EXPECT_EQ(shown[3], "  0.00");
    EXPECT_EQ(shown[8], "  30.0");
    EXPECT_EQ(shown[9], "1");
    EXPECT_EQ(shown[10], " 1");

    const RequirementBlock& block = entry.requirementBlock();
    EXPECT_EQ(block[0].label, "Inductance At Max Current:");
    EXPECT_EQ(block[0].value, "100");
    EXPECT_EQ(block[0].unit, "micro Henries");
    EXPECT_EQ(block[3].label, ""); // hidden for DC BIASED
}

TEST_F(RequirementEntryTest, EveryApplicationReadsItsOwnFields) {
    struct Case {
        Application app;
        RequirementTexts texts;
    };
    const Case cases[] = {
        {Application::WideSwing, {"100", "0.1", "10", "400", "1", "12", "5", "50", "25", "1", "1"}},
        {Application::PfcBoost, {"200", "0", "8", "", "", "375", "400", "65", "25", "1", "1"}},
        {Application::Line60Hz, {"10000", "0", "2", "20000", "0.5", "", "", "60", "25", "1", "1"}},
        {Application::Resonant, {"10", "0", "2", "", "", "100", "", "795.8", "25", "1", "2"}},
    };
    for (const Case& c : cases) {
        entry.activate(c.app);
        ASSERT_TRUE(entry.accept(c.texts)) << toIndex(c.app);
        const Requirement& r = entry.requirement();
        switch (c.app) {
        case Application::WideSwing:
            EXPECT_FLOAT_EQ(r.L2, 0.4F);
            EXPECT_FLOAT_EQ(r.I2, 1.0F);
            EXPECT_FLOAT_EQ(r.Rs, 0.1F);
            EXPECT_FLOAT_EQ(r.fkHz, 50.0F);
            break;
        case Application::PfcBoost:
            EXPECT_FLOAT_EQ(r.Vpfc2, 375.0F); // field 5: peak input
            EXPECT_FLOAT_EQ(r.Vpfc1, 400.0F); // field 6: DC output
            EXPECT_FLOAT_EQ(r.I1peak, 8.0F);
            break;
        case Application::Line60Hz:
            EXPECT_FLOAT_EQ(r.I1rms, 2.0F);
            EXPECT_FLOAT_EQ(r.I2rms, 0.5F);
            EXPECT_FLOAT_EQ(r.L1, 10.0F);
            EXPECT_FLOAT_EQ(r.L2, 20.0F);
            EXPECT_FLOAT_EQ(r.fHz, 60.0F);
            break;
        default:
            EXPECT_FLOAT_EQ(r.Ipk, 2.0F);
            EXPECT_FLOAT_EQ(r.Vpk, 100.0F);
            EXPECT_FLOAT_EQ(r.fkHz, 795.8F);
            EXPECT_EQ(r.strands, 2);
            // the peak voltage line takes the place of the hidden third line
            EXPECT_EQ(entry.requirementBlock()[3].label, "Peak Voltage:");
            EXPECT_EQ(entry.requirementBlock()[3].value, "100");
            EXPECT_EQ(entry.requirementBlock()[3].unit, "Volts");
            EXPECT_EQ(entry.requirementBlock()[5].label, "");
            break;
        }
    }
    EXPECT_TRUE(sink.empty());
}

TEST_F(RequirementEntryTest, RefusalsShowTheMessageAndKeepTheRequirementUnaccepted) {
    entry.activate(Application::DcBiased);
    RequirementTexts texts = dcTexts();
    texts[2] = "12a";
    EXPECT_FALSE(entry.accept(texts));
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last(),
              (Message{"INVALID CHARACTER in Parameter 2.  12a ", "DATA ENTRY ERROR"}));
    EXPECT_FALSE(entry.requirement().accepted);
    // nothing was stored: the ambient stays at its default
    EXPECT_FLOAT_EQ(parameters.ambientTemperature(Application::DcBiased), 55.0F);

    texts = dcTexts();
    texts[9] = "0";
    EXPECT_FALSE(entry.accept(texts));
    EXPECT_EQ(sink.last().text,
              "ERROR: STACKED CORES and MIN WIRE STRANDS MUST BE GREATER THAN ZERO");
    // the ambient temperature is written before the stack check
    EXPECT_FLOAT_EQ(parameters.ambientTemperature(Application::DcBiased), 30.0F);

    texts = dcTexts();
    texts[0] = "0.05";
    EXPECT_FALSE(entry.accept(texts));
    EXPECT_EQ(sink.last(),
              (Message{"SPECIFIED INDUCTANCE: 50.0 nH is beyond the 100 nano H lower Limit ",
                       "DATA ENTRY ERROR"}));
    EXPECT_FALSE(entry.requirement().accepted);
}

TEST_F(RequirementEntryTest, TextWithoutNumberLeavesTheValue) {
    entry.activate(Application::DcBiased);
    ASSERT_TRUE(entry.accept(dcTexts()));
    RequirementTexts texts = dcTexts();
    texts[2] = "  ";
    texts[5] = ".";
    ASSERT_TRUE(entry.accept(texts));
    EXPECT_FLOAT_EQ(entry.requirement().I1, 10.0F);
    EXPECT_FLOAT_EQ(entry.requirement().Von, 12.0F);
    EXPECT_FLOAT_EQ(entry.rememberedValue(Application::DcBiased, 2), 10.0F);
}

TEST_F(RequirementEntryTest, OnlyElevenCharactersOfAFieldAreRead) {
    entry.activate(Application::DcBiased);
    RequirementTexts texts = dcTexts();
    texts[1] = "00000000000x"; // the twelfth character is never read
    EXPECT_TRUE(entry.accept(texts));
    EXPECT_TRUE(sink.empty());
}

TEST_F(RequirementEntryTest, RemembersValuesPerApplication) {
    entry.activate(Application::DcBiased);
    ASSERT_TRUE(entry.accept(dcTexts()));
    entry.activate(Application::PfcBoost);
    EXPECT_EQ(entry.shownTexts()[0], "  0.00");
    EXPECT_EQ(entry.shownTexts()[8], "  55.0");
    EXPECT_FALSE(entry.requirement().accepted);
    entry.activate(Application::DcBiased);
    EXPECT_EQ(entry.shownTexts()[0], "100.00");
    EXPECT_EQ(entry.textCopies()[0], "100.00");
}

TEST_F(RequirementEntryTest, WideSwingForcesCompositeAndRestoresTheChosenShape) {
    entry.activate(Application::DcBiased);
    entry.setShape(CoreShape::ECore);
    entry.activate(Application::WideSwing);
    EXPECT_EQ(entry.requirement().shape, CoreShape::Composite);
    entry.activate(Application::DcBiased);
    EXPECT_EQ(entry.requirement().shape, CoreShape::ECore);
    // a shape chosen between other applications survives the change
    entry.setShape(CoreShape::Toroid);
    entry.activate(Application::PfcBoost);
    EXPECT_EQ(entry.requirement().shape, CoreShape::Toroid);
    // a shape chosen while WIDE SWING is shown is kept for later, the composite stays
    entry.activate(Application::WideSwing);
    entry.setShape(CoreShape::ECore);
    EXPECT_EQ(entry.requirement().shape, CoreShape::Composite);
    entry.activate(Application::Resonant);
    EXPECT_EQ(entry.requirement().shape, CoreShape::ECore);
}

TEST_F(RequirementEntryTest, DerivedResonantFrequencyIsReadWhole) {
    // 159.155 / 0.1 uH x 1e11 V / 1e-6 A = 1.59155e20 kHz: 23 characters as "%4.1f".
    entry.activate(Application::Resonant);
    RequirementTexts texts = {"0.1", "0", "0.000001", "",  "", "99999999999",
                              "",    "",  "25",       "1", "1"};
    const DerivedValue derived = deriveFromTexts(Application::Resonant, texts);
    texts[7] = resonantFrequencyText(derived.resonantFrequency.value_or(0.0F));
    ASSERT_GT(texts[7].size(), RequirementEntry::kReadLength);
    ASSERT_TRUE(entry.accept(texts));
    EXPECT_NEAR(entry.requirement().fkHz / 1.59155e20F, 1.0F, 1e-5F);
    // Typed fields are still read back at their length.
    texts[5] = "999999999990000";
    ASSERT_TRUE(entry.accept(texts));
    EXPECT_FLOAT_EQ(entry.requirement().Vpk, 99999999999.0F);
}

TEST_F(RequirementEntryTest, ResonantForcesSingleLayerAndRestoresTheRememberedWinding) {
    entry.activate(Application::DcBiased);
    entry.setWindingType(WindingType::FullWindow);
    entry.activate(Application::Resonant);
    EXPECT_EQ(entry.requirement().windingType, WindingType::SingleLayer);
    entry.setWindingType(WindingType::FullWindow); // changed while RESONANT is shown
    entry.setWindingType(WindingType::SingleLayer);
    entry.activate(Application::DcBiased);
    EXPECT_EQ(entry.requirement().windingType, WindingType::FullWindow);
}

TEST_F(RequirementEntryTest, TypedTextsGiveTheRequirementBackWhereShownTextsRound) {
    const RequirementTexts dc = {"4.7", "0.0047", "0.125", "",  "", "12.345",
                                 "5",   "333.3",  "-20.5", "2", "3"};
    const RequirementTexts line = {"10000", "0",  "2",  "8000", "0.0625", "",
                                   "",      "60", "25", "1",    "1"};
    for (const auto& [app, texts, expected] :
         {std::tuple{Application::DcBiased, dc,
                     RequirementTexts{"4.7", "0.0047", "0.125", "  0.00", "  0.00", "12.345", "5",
                                      "333.3", "-20.5", "2", " 3"}},
          std::tuple{Application::Line60Hz, line,
                     RequirementTexts{"10000", "0", "2", "8000", "0.0625", "  0.00", "  0.00", "60",
                                      "25", "1", " 1"}}}) {
        DesignParameters typedParameters;
        RequirementEntry typed(typedParameters);
        typed.activate(app);
        ASSERT_TRUE(typed.accept(texts));
        EXPECT_EQ(typed.typedTexts(), expected);
        // The window's own texts would round: Rs 0.0047 would show as no limit.
        EXPECT_EQ(typed.shownTexts()[1], "  0.00");

        DesignParameters otherParameters;
        RequirementEntry other(otherParameters);
        other.activate(app);
        ASSERT_TRUE(other.accept(typed.typedTexts()));
        const Requirement& a = typed.requirement();
        const Requirement& b = other.requirement();
        for (auto field :
             {&Requirement::L1, &Requirement::L2, &Requirement::I1, &Requirement::I2,
              &Requirement::I1rms, &Requirement::I2rms, &Requirement::fHz, &Requirement::fkHz,
              &Requirement::Rs, &Requirement::Ta, &Requirement::Von, &Requirement::Voff}) {
            EXPECT_EQ(a.*field, b.*field);
        }
        EXPECT_EQ(a.stackCount, b.stackCount);
        EXPECT_EQ(a.strands, b.strands);
    }
}

TEST_F(RequirementEntryTest, LoadedRequirementKeepsItsShapeAndWindingThroughActivation) {
    entry.activate(Application::DcBiased);
    entry.setShape(CoreShape::ECore);
    entry.activate(Application::WideSwing);
    // A resonant requirement saved with a full-window winding.
    entry.loadRemembered({Application::Resonant,
                          {10.0F, 0.0F, 2.0F, 0.0F, 0.0F, 50.0F, 0.0F, 397.9F},
                          25.0F,
                          CoreShape::Toroid,
                          WindingType::FullWindow,
                          2.0F,
                          3});
    entry.activate(Application::Resonant);
    const Requirement& r = entry.requirement();
    EXPECT_EQ(r.application, Application::Resonant);
    EXPECT_EQ(r.windingType, WindingType::FullWindow);
    EXPECT_EQ(r.shape, CoreShape::Toroid);
    EXPECT_FALSE(r.accepted);
    EXPECT_FLOAT_EQ(r.L1, 0.01F);
    EXPECT_FLOAT_EQ(r.Ipk, 2.0F);
    EXPECT_FLOAT_EQ(r.Vpk, 50.0F);
    EXPECT_FLOAT_EQ(r.fkHz, 397.9F);
    EXPECT_FLOAT_EQ(parameters.ambientTemperature(Application::Resonant), 25.0F);
    EXPECT_EQ(entry.shownTexts(),
              (RequirementTexts{" 10.00", "  0.00", "  2.00", "  0.00", "  0.00", " 50.00",
                                "  0.00", "397.90", "  25.0", "2", " 3"}));
    // The loaded toroid is the shape for the others now; RESONANT forces its winding again
    // once another application was shown.
    entry.activate(Application::DcBiased);
    EXPECT_EQ(entry.requirement().shape, CoreShape::Toroid);
    entry.activate(Application::Resonant);
    EXPECT_EQ(entry.requirement().windingType, WindingType::SingleLayer);
}

TEST_F(RequirementEntryTest, SixTitleClicksReturnToTheFirstApplication) {
    entry.activate(Application::PfcBoost);
    for (int i = 0; i < 6; ++i) {
        entry.nextApplication();
    }
    EXPECT_EQ(entry.application(), Application::PfcBoost);
    entry.activate(Application::Resonant);
    entry.nextApplication();
    EXPECT_EQ(entry.application(), Application::DcBiased);
}

TEST(RequirementFieldLabels, HiddenFieldsByApplication) {
    const auto dc = requirementFieldLabels(Application::DcBiased);
    EXPECT_FALSE(dc[3].visible);
    EXPECT_FALSE(dc[4].visible);
    EXPECT_EQ(dc[3].caption, "");
    const auto line = requirementFieldLabels(Application::Line60Hz);
    EXPECT_FALSE(line[5].visible);
    EXPECT_FALSE(line[6].visible);
    EXPECT_EQ(line[2].unit, "Amperes rms");
    EXPECT_EQ(line[7].unit, "Hertz");
    const auto res = requirementFieldLabels(Application::Resonant);
    EXPECT_FALSE(res[6].visible);
    EXPECT_EQ(res[2].caption, "Peak Current:");
    const auto pfc = requirementFieldLabels(Application::PfcBoost);
    EXPECT_EQ(pfc[5].caption, "Peak Regulator Input Voltage:");
    EXPECT_EQ(pfc[6].caption, "Regulator DC Output Voltage:");
}

TEST(DeriveFromTexts, RippleForSwitchModeAndFrequencyForResonant) {
    const RequirementTexts dc = {"10", "0", "10", "", "", "12", "5", "100", "55", "1", "1"};
    const DerivedValue ripple = deriveFromTexts(Application::DcBiased, dc);
    ASSERT_TRUE(ripple.rippleCurrent.has_value());
    EXPECT_NEAR(*ripple.rippleCurrent, 3.5294, 1e-4);
    EXPECT_FALSE(ripple.resonantFrequency.has_value());

    const RequirementTexts res = {"10", "0", "2", "", "", "100", "", "", "55", "1", "1"};
    const DerivedValue f = deriveFromTexts(Application::Resonant, res);
    ASSERT_TRUE(f.resonantFrequency.has_value());
    EXPECT_NEAR(*f.resonantFrequency, 795.775, 1e-3);
    EXPECT_FALSE(deriveFromTexts(Application::Line60Hz, res).rippleCurrent.has_value());
}

TEST(DeriveFromTexts, ResonantFrequencyThatIsNotAFiniteFloatShowsAsZero) {
    struct Case {
        const char* L1;
        const char* Ipk;
        const char* Vpk;
    };
    const Case cases[] = {
        {"10", "2", "inf"},         {"10", "2", "nan"}, {"10", "2", "1e308"},
        {"1e-30", "1e-30", "1"}, // finite in double, past the float range
        {"1e-30", "1e-30", "1e30"},
    };
    for (const Case& c : cases) {
        const RequirementTexts texts = {c.L1, "0", c.Ipk, "", "", c.Vpk, "", "", "55", "1", "1"};
        const DerivedValue derived = deriveFromTexts(Application::Resonant, texts);
        ASSERT_TRUE(derived.resonantFrequency.has_value()) << c.L1 << " " << c.Vpk;
        EXPECT_EQ(resonantFrequencyText(*derived.resonantFrequency), " 0.0")
            << c.L1 << " " << c.Ipk << " " << c.Vpk;
    }
}

} // namespace
} // namespace korvane
