#include "requirements/Requirement.h"

#include <gtest/gtest.h>
#include <limits>

namespace korvane {
namespace {

TEST(Ripple, WorkedExample) {
    // Veff = 2*12*5/(12+5) = 7.0588 V; ripple = 7.0588/100/10 * 1000 * 0.5 = 3.529 A p-p
    EXPECT_NEAR(rippleCurrent(10.0F, 10.0F, 12.0F, 5.0F, 100.0F), 3.5294, 1e-4);
    EXPECT_EQ(rippleText(rippleCurrent(10.0F, 10.0F, 12.0F, 5.0F, 100.0F)),
              "RIPPLE CURRENT:   3.529 Amperes  p-p");
}

TEST(Ripple, LimitedToCurrentAndZeroWhenUndefined) {
    EXPECT_FLOAT_EQ(rippleCurrent(10.0F, 1.0F, 12.0F, 5.0F, 100.0F), 1.0F);
    EXPECT_FLOAT_EQ(rippleCurrent(10.0F, 10.0F, 0.0F, 5.0F, 100.0F), 0.0F);
    EXPECT_FLOAT_EQ(rippleCurrent(10.0F, 10.0F, -12.0F, 5.0F, 100.0F), 0.0F);
    EXPECT_FLOAT_EQ(rippleCurrent(0.0F, 10.0F, 12.0F, 5.0F, 100.0F), 0.0F);
    EXPECT_FLOAT_EQ(rippleCurrent(10.0F, 10.0F, 12.0F, 5.0F, 0.0F), 0.0F);
    EXPECT_FLOAT_EQ(
        rippleCurrent(std::numeric_limits<float>::quiet_NaN(), 10.0F, 12.0F, 5.0F, 100.0F), 0.0F);
}

TEST(ResonantFrequency, WorkedExampleAndZeroWhenUndefined) {
    // 159.155 / 10 uH * 100 V / 2 A = 795.8 kHz
    EXPECT_NEAR(resonantFrequency(10.0F, 2.0F, 100.0F), 795.775, 1e-3);
    EXPECT_EQ(resonantFrequencyText(resonantFrequency(10.0F, 2.0F, 100.0F)), "795.8");
    EXPECT_FLOAT_EQ(resonantFrequency(0.0F, 2.0F, 100.0F), 0.0F);
    EXPECT_FLOAT_EQ(resonantFrequency(10.0F, 0.0F, 100.0F), 0.0F);
}

RequirementTexts cleanTexts() {
    return {"100", "0", "10", "0", "0", "12", "5", "100", "55", "1", " 1"};
}

TEST(CharacterCheck, FirstOffendingFieldIsReported) {
    EXPECT_EQ(characterCheck(cleanTexts()), std::nullopt);

    struct Case {
        int field;
        const char* text;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {0, "12a", "INVALID CHARACTER in Parameter 0.  12a "},
        {7, "-100", "INVALID CHARACTER in Parameter 7.  -100 "},
        {8, "-20", nullptr},
        {8, " 2-0", nullptr}, // the minus sign is allowed anywhere in the temperature
        {8, "20C", "INVALID CHARACTER in Parameter 8.  20C "},
        {9, " 2", "INVALID CHARACTER in Parameter 9.   2 "}, // no blank in the stack count
        {9, "1.5", nullptr},
        {10, "1.5", "INVALID CHARACTER in Parameter10.  1.5 "},
        {10, " 3", nullptr},
    };
    for (const Case& c : cases) {
        RequirementTexts texts = cleanTexts();
        texts[static_cast<std::size_t>(c.field)] = c.text;
        const auto message = characterCheck(texts);
        if (c.message == nullptr) {
            EXPECT_EQ(message, std::nullopt) << c.text;
        } else {
            EXPECT_EQ(message, std::string(c.message)) << c.text;
        }
    }

    RequirementTexts twoBad = cleanTexts();
    twoBad[5] = "x";
    twoBad[3] = "y";
    EXPECT_EQ(characterCheck(twoBad), std::string("INVALID CHARACTER in Parameter 3.  y "));
}

TEST(StackStrandCheck, ProductMustReachOneTenth) {
    const std::string message =
        "ERROR: STACKED CORES and MIN WIRE STRANDS MUST BE GREATER THAN ZERO";
    EXPECT_EQ(stackStrandCheck(0.0F, 1), message);
    EXPECT_EQ(stackStrandCheck(1.0F, 0), message);
    EXPECT_EQ(stackStrandCheck(std::numeric_limits<float>::quiet_NaN(), 1), message);
    EXPECT_EQ(stackStrandCheck(0.1F, 1), std::nullopt);
    EXPECT_EQ(stackStrandCheck(2.0F, 3), std::nullopt);
}

Requirement dcRequirement() {
    Requirement r;
    r.application = Application::DcBiased;
    r.L1 = 0.1F;
    r.I1 = r.I1peak = 10.0F;
    r.Von = 12.0F;
    r.Voff = 5.0F;
    r.fkHz = 100.0F;
    r.Ta = 55.0F;
    return r;
}

Requirement swingRequirement() {
    Requirement r = dcRequirement();
    r.application = Application::WideSwing;
    r.L2 = 0.5F;
    r.I2 = 1.0F;
    return r;
}

TEST(ValueCheck, LastFailingCheckWins) {
    struct Case {
        const char* name;
        Requirement r;
        const char* message;
    };
    std::vector<Case> cases;
    cases.push_back({"valid dc", dcRequirement(), nullptr});
    cases.push_back({"valid swing", swingRequirement(), nullptr});
    {
        Requirement r = dcRequirement();
        r.I1 = 0.0F;
        cases.push_back({"no current", r, "Peak Current must be greater than 1 uA"});
        r.L1 = 0.05e-3F; // 0.05 uH = 50 nH, and the current still missing
        cases.push_back({"inductance message is later", r,
                         "SPECIFIED INDUCTANCE: 50.0 nH is beyond the 100 nano H lower Limit "});
    }
    {
        Requirement r = dcRequirement();
        r.application = Application::PfcBoost;
        r.I1 = 0.0F;
        r.Vpfc1 = 400.0F;
        r.Vpfc2 = 0.0F;
        cases.push_back({"pfc voltage after current", r,
                         " Invalid voltage and/or frequency for PFC Boost Regulator"});
        r.Vpfc2 = 375.0F;
        r.I1 = 5.0F;
        cases.push_back({"valid pfc", r, nullptr});
    }
    {
        Requirement r = swingRequirement();
        r.L2 = r.L1;
        cases.push_back({"swing equal inductances", r,
                         "Inductance at Max current must be < Inductance at Min current "});
        r.I2 = r.I1;
        cases.push_back(
            {"swing both wrong: last message", r, "Min Current must be less than Max Current"});
    }
    {
        Requirement r = swingRequirement();
        r.L1 = 0.00001F;
        r.L2 = 0.00005F;
        cases.push_back({"swing small minimum-current inductance", r,
                         "SPECIFIED INDUCTANCE: 50.0 nH is beyond the 100 uH lower Limit "});
        r = swingRequirement();
        r.I2 = 0.0F;
        cases.push_back({"swing no minimum current", r, "Both Currents must be greater than 1 uA"});
    }
    {
        Requirement r = dcRequirement();
        r.application = Application::Line60Hz;
        r.I1 = 0.0F; // the 60 Hz current is I1rms
        r.I1rms = 2.0F;
        cases.push_back({"60 Hz uses the rms current", r, nullptr});
        r.I1rms = 0.0F;
        r.I1 = 5.0F;
        cases.push_back({"60 Hz without rms current", r, "Peak Current must be greater than 1 uA"});
    }
    {
        Requirement r = dcRequirement();
        r.application = Application::Resonant;
        r.I1 = 0.0F;
        r.Ipk = 2.0F;
        cases.push_back({"resonant uses the peak current", r, nullptr});
    }
    {
        Requirement r = dcRequirement();
        r.L1 = std::numeric_limits<float>::quiet_NaN();
        cases.push_back({"NaN inductance never passes", r,
                         "SPECIFIED INDUCTANCE:  nan nH is beyond the 100 nano H lower Limit "});
    }
    {
        Requirement r = dcRequirement();
        r.Ta = -100.0F;
        cases.push_back({"ambient at the lowest the program takes", r, nullptr});
        r.Ta = -1095.0F; // copper below -234.4 C has a negative resistance
        cases.push_back({"ambient below -100 C", r, "Ambient Temperature must be -100 C or more"});
        r.Ta = std::numeric_limits<float>::quiet_NaN();
        r.I1 = 0.0F;
        cases.push_back({"a later check's message takes precedence", r,
                         "Peak Current must be greater than 1 uA"});
    }
    for (const Case& c : cases) {
        const auto message = valueCheck(c.r);
        if (c.message == nullptr) {
            EXPECT_EQ(message, std::nullopt) << c.name;
        } else {
            EXPECT_EQ(message, std::string(c.message)) << c.name;
        }
    }
}

TEST(RequirementText, LinesByApplication) {
    Requirement r = dcRequirement();
    EXPECT_EQ(requirementText(r, Application::DcBiased),
              "DC BIASED, L1: 100.0 uH, Rs: 0, I1: 10.00 A, Von: 12, Voff: 5, f: 100 k, Ta: 55 C \n"
              "    Shape: T, Stack: 1, Windg: Full, Strands: 1 \n");

    Requirement s = swingRequirement();
    s.application = Application::ControlledSwing; // writes the WIDESWNG line too
    s.Rs = 0.05F;
    EXPECT_EQ(requirementText(s, Application::ControlledSwing),
              // 1 A is an exact power of ten inside [0.1, 1]: one decimal more
              "WIDESWNG, L1: 100.0 uH, Rs: 0.05, I1: 10.00 A, L2: 500.0 uH, I2: 1.0000 A, Von: 12, "
              "Voff: 5, f k: 100, Ta: 55 C \n"
              "    Shape: T, Stack: 1, Windg: Full, Strands: 1 \n");

    Requirement p = dcRequirement();
    p.application = Application::PfcBoost;
    p.Vpfc1 = 400.0F;
    p.Vpfc2 = 375.0F;
    p.shape = CoreShape::ECore;
    p.stackCount = 2.0F;
    EXPECT_EQ(requirementText(p, Application::PfcBoost),
              "PFCBOOST, L1: 100.0 uH, Rs: 0, I1: 10.00 A, Vpfc1: 400, Vpfc2: 375, f: 100 k, Ta: "
              "55 C \n"
              "    Shape: E, Stack: 2, Windg: Full, Strands: 1 \n");

    Requirement a;
    a.application = Application::Line60Hz;
    a.L1 = 10.0F; // 10 mH
    a.L2 = 20.0F;
    a.I1rms = 2.0F;
    a.I2rms = 0.5F;
    a.fHz = 60.0F;
    a.Ta = 40.0F;
    EXPECT_EQ(requirementText(a, Application::Line60Hz),
              // log10(0.01 H) = -2 exactly gives three decimals; 0.5 A truncates to the unit group
              "ACINDUCTOR, L1: 10.000 mH, Rs: 0, I1: 2.000 A rms, L2: 20.00 mH, I2: 0.5000 A rms, "
              "f: 60 Hz, Ta: 40 C \n"
              "    Shape: T, Stack: 1, Windg: Full, Strands: 1 \n");

    Requirement z;
    z.application = Application::Resonant;
    z.L1 = 0.01F;
    z.Ipk = 2.0F;
    z.Vpk = 100.0F;
    z.fkHz = 795.8F;
    z.Ta = 25.0F;
    z.shape = CoreShape::Composite;
    z.windingType = WindingType::SingleLayer;
    z.strands = 3;
    EXPECT_EQ(requirementText(z, Application::Resonant),
              "RESONANT, L1: 10.000 uH, Rs: 0, Ipk: 2.000 A, Vpk: 100, f: 795.8 k, Ta: 25 C \n"
              "    Shape: CM, Stack: 1, Windg: Singl, Strands: 3 \n");
}

TEST(RequirementText, NoTextForAnotherApplicationOrWithoutInductance) {
    Requirement r = dcRequirement();
    EXPECT_EQ(requirementText(r, Application::PfcBoost), "");
    r.L1 = 0.0F;
    EXPECT_EQ(requirementText(r, Application::DcBiased), "");
}

} // namespace
} // namespace korvane
