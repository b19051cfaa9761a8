#include "settings/ParametersForm.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

class ParametersFormTest : public ::testing::Test {
  protected:
    DesignParameters parameters;
    RecordingSink sink;
    ScopedMessageSink scoped{sink};
};

TEST_F(ParametersFormTest, ActivationTexts) {
    const ParameterTexts texts = parameterTexts(parameters);
    const ParameterTexts expected = {" 40.00", "150.00", " 40.00", " 40.00", "  1.00",
                                     "  1.00", "0.8330", "  0.25", " 55.00"};
    EXPECT_EQ(texts, expected);
    parameters.setWireSystem(WireSystem::Metric);
    EXPECT_EQ(parameterTexts(parameters)[1], "1316.00");
}

TEST_F(ParametersFormTest, OkStoresIntoTheShownApplication) {
    parameters.setShownApplication(Application::Line60Hz);
    ParameterTexts texts = parameterTexts(parameters);
    texts[0] = "200";  // bounds are inclusive
    texts[8] = "-200"; // a minus sign only in the ambient temperature
    texts[3] = " 5 0"; // a blank is read as the end of the number: 5, then out of range
    EXPECT_FALSE(applyParameterTexts(parameters, texts, UnitSystem::Metric));
    EXPECT_EQ(sink.last(), (Message{"Parameter 4. (  5.00) Must Be In The Range:  10.00 To 100.00",
                                    "PARAMETER OUT OF RANGE ERROR"}));
    texts[3] = " 50";
    EXPECT_TRUE(applyParameterTexts(parameters, texts, UnitSystem::Metric));
    EXPECT_FLOAT_EQ(parameters.temperatureRiseLimit(Application::Line60Hz), 200.0F);
    EXPECT_FLOAT_EQ(parameters.ambientTemperature(Application::Line60Hz), -200.0F);
    EXPECT_FLOAT_EQ(parameters.minimumPercentPerm(Application::Line60Hz), 50.0F);
    EXPECT_FLOAT_EQ(parameters.temperatureRiseLimit(Application::DcBiased), 40.0F);
    EXPECT_EQ(parameters.unitSystem(), UnitSystem::Metric);
}

TEST_F(ParametersFormTest, InvalidCharacterNumbersFromZeroAndStoresNothing) {
    ParameterTexts texts = parameterTexts(parameters);
    texts[0] = "4x";
    texts[2] = "-5";
    EXPECT_FALSE(applyParameterTexts(parameters, texts, UnitSystem::Metric));
    EXPECT_EQ(sink.last(), (Message{"INVALID CHARACTER in Parameter 0.  4x ", "DATA ENTRY ERROR"}));
    texts[0] = "45";
    EXPECT_FALSE(applyParameterTexts(parameters, texts, UnitSystem::Metric));
    EXPECT_EQ(sink.last().text, "INVALID CHARACTER in Parameter 2.  -5 ");
    EXPECT_FLOAT_EQ(parameters.temperatureRiseLimit(Application::DcBiased), 40.0F);
    EXPECT_EQ(parameters.unitSystem(), UnitSystem::English);
}

TEST_F(ParametersFormTest, RangeErrorLeavesEarlierPositionsStored) {
    ParameterTexts texts = parameterTexts(parameters);
    texts[0] = "60";
    texts[1] = "300";
    texts[2] = "50";
    texts[3] = "20";
    texts[4] = "1.2"; // Rho_f above 1.1
    texts[5] = "2";
    EXPECT_FALSE(applyParameterTexts(parameters, texts, UnitSystem::Metric));
    EXPECT_EQ(sink.last().text, "Parameter 5. (  1.20) Must Be In The Range:   0.90 To   1.10");
    const ParameterSet& s = parameters.set(Application::DcBiased);
    EXPECT_FLOAT_EQ(s.Trise_lim, 60.0F);
    EXPECT_FLOAT_EQ(s.Cudens, 300.0F);
    EXPECT_FLOAT_EQ(s.Fill, 50.0F);
    EXPECT_FLOAT_EQ(s.Min_mu, 20.0F);
    EXPECT_FLOAT_EQ(s.Rho_f, 1.0F);
    EXPECT_FLOAT_EQ(s.Trise_f, 1.0F);
    EXPECT_EQ(parameters.unitSystem(), UnitSystem::English);
}

TEST_F(ParametersFormTest, RangeEdges) {
    struct Case {
        int position;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {0, "200", true},     {0, "200.01", false}, {8, "-200", true},  {8, "-200.01", false},
        {8, "250", true},     {2, "0.1", true},     {2, "0.09", false}, {6, "0.25", true},
        {6, "1.0001", false}, {7, "0", true},       {1, "9", false},    {1, "", false},
    };
    for (const Case& c : cases) {
        DesignParameters p;
        ParameterTexts texts = parameterTexts(p);
        texts[static_cast<std::size_t>(c.position)] = c.text;
        EXPECT_EQ(applyParameterTexts(p, texts, UnitSystem::English), c.accepted)
            << c.position << " " << c.text;
    }
    // a field with no number is refused by the range test and shown as typed, never as nan
    EXPECT_EQ(sink.last().text, "Parameter 2. (      ) Must Be In The Range:  10.00 To 9999.00");
    for (const char* typed : {"  .", " "}) {
        DesignParameters p;
        ParameterTexts texts = parameterTexts(p);
        texts[0] = typed;
        EXPECT_FALSE(applyParameterTexts(p, texts, UnitSystem::English));
        EXPECT_EQ(sink.last().text, strprintf("Parameter 1. (%6s) Must Be In The Range:   0.00 To "
                                              "200.00",
                                              typed))
            << typed;
    }
}

TEST_F(ParametersFormTest, MetricCurrentDensityConvertsToCircularMils) {
    parameters.setWireSystem(WireSystem::Metric);
    ParameterTexts texts = parameterTexts(parameters);
    texts[1] = "1316";
    EXPECT_TRUE(applyParameterTexts(parameters, texts, UnitSystem::English));
    // 197400 / 1316 = 150 cmil/A
    EXPECT_NEAR(parameters.copperArea(Application::DcBiased), 150.0F, 1e-4);
    EXPECT_EQ(parameterTexts(parameters)[1], "1316.00");
}

TEST_F(ParametersFormTest, MetricRangeErrorAfterTheCopperFieldKeepsCircularMils) {
    parameters.setWireSystem(WireSystem::Metric);
    ParameterTexts texts = parameterTexts(parameters);
    texts[1] = "987";   // 197400 / 987 = 200 cmil/A
    texts[2] = "99.01"; // Fill out of range: the copper position is already stored
    EXPECT_FALSE(applyParameterTexts(parameters, texts, UnitSystem::Metric));
    EXPECT_EQ(sink.last().text, "Parameter 3. ( 99.01) Must Be In The Range:   0.10 To  99.00");
    EXPECT_NEAR(parameters.copperArea(Application::DcBiased), 200.0F, 1e-3);
    EXPECT_EQ(parameterTexts(parameters)[1], "987.00");
    EXPECT_EQ(parameters.unitSystem(), UnitSystem::English);
}

TEST_F(ParametersFormTest, WireStandardChangeConvertsOnlyAcrossMetric) {
    EXPECT_EQ(changeWireStandard(parameters, WireSystem::Metric, "150.00"),
              std::optional<std::string>("1316.00"));
    EXPECT_EQ(parameters.wireSystem(), WireSystem::Metric);
    EXPECT_EQ(changeWireStandard(parameters, WireSystem::Awg, "1316.00"),
              std::optional<std::string>("150.00"));
    EXPECT_EQ(changeWireStandard(parameters, WireSystem::Swg, "150.00"), std::nullopt);
    EXPECT_EQ(parameters.wireSystem(), WireSystem::Swg);
    // a field without a positive number is not converted (no division by zero)
    EXPECT_EQ(changeWireStandard(parameters, WireSystem::Metric, "  0"), std::nullopt);
    EXPECT_EQ(parameters.wireSystem(), WireSystem::Metric);
    // the stored parameters change only through OK
    EXPECT_FLOAT_EQ(parameters.copperArea(Application::DcBiased), 150.0F);
}

TEST(CopperFieldText, MetricFieldHoldsTheCurrentDensityOfTheArea) {
    struct Case {
        const char* cmilPerAmp;
        WireSystem system;
        const char* field;
    };
    const Case cases[] = {
        {"300", WireSystem::Metric, "658.00"}, {"197400", WireSystem::Metric, "1.00"},
        {"300", WireSystem::Awg, "300"},       {"300", WireSystem::Swg, "300"},
        {"0", WireSystem::Metric, "0"},        {"-5", WireSystem::Metric, "-5"},
        {"abc", WireSystem::Metric, "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(copperFieldText(c.cmilPerAmp, c.system), c.field) << c.cmilPerAmp;
    }
}

} // namespace
} // namespace korvane
