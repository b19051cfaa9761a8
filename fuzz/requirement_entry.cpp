// The requirements window: activations of any application with the eleven field texts and OK,
// repeated on one window. An accepted requirement holds finite values that pass the checks of
// its application; the texts the window shows (fields, ripple label, resonant frequency,
// requirement text, messages) never show "nan" or "inf" made from a number.
//
// Input: per activation a choice item (application; shape; winding; 1 = next application by
// the title instead; 1 = keep the typed frequency of a resonant requirement instead of the
// derived one), then the eleven field texts.

#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "requirements/RequirementEntry.h"
#include "settings/DesignParameters.h"

#include <cmath>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

constexpr int kMaxActivations = 12;

void checkShown(const RequirementEntry& entry, const DesignParameters& parameters) {
    for (const std::string& t : entry.shownTexts()) {
        checkNumberText(t, "a requirements field");
        KORVANE_FUZZ_CHECK(t.size() <= kTextBufferLength, "a field text overflows: " + t);
    }
    for (Application a : kAllApplications) {
        for (int field = 0; field < 8; ++field) {
            checkFinite(entry.rememberedValue(a, field), "a remembered value");
        }
        checkFinite(parameters.ambientTemperature(a), "the ambient temperature");
    }
}

void checkAccepted(const Requirement& r, Application a) {
    const float values[] = {r.L1,   r.L2, r.I1, r.I2,  r.I1peak, r.I1rms, r.I2rms, r.Ipk,  r.fHz,
                            r.fkHz, r.Rs, r.Ta, r.Von, r.Voff,   r.Vpk,   r.Vpfc1, r.Vpfc2};
    for (float v : values) {
        checkFinite(v, "a value of an accepted requirement");
    }
    checkFinite(r.stackCount, "the stack count of an accepted requirement");
    KORVANE_FUZZ_CHECK(r.accepted && r.application == a, "accepted flag or application");
    KORVANE_FUZZ_CHECK(static_cast<double>(r.stackCount) * r.strands >= 0.1,
                       "accepted without cores or strands");
    KORVANE_FUZZ_CHECK(r.I1peak == r.I1, "I1peak is not I1");
    KORVANE_FUZZ_CHECK(r.L1 >= 0.0001F, "accepted below 100 nH");
    const float current = a == Application::Line60Hz   ? r.I1rms
                          : a == Application::Resonant ? r.Ipk
                                                       : r.I1;
    KORVANE_FUZZ_CHECK(current >= 1e-6F, "accepted below 1 uA");
    if (a == Application::ControlledSwing || a == Application::WideSwing) {
        KORVANE_FUZZ_CHECK(r.L2 >= 0.0001F && r.L2 > r.L1 && r.I2 >= 1e-6F && r.I2 < r.I1,
                           "a swing requirement accepted out of order");
    }
    if (a == Application::PfcBoost) {
        KORVANE_FUZZ_CHECK(static_cast<double>(r.Vpfc1) * r.Vpfc2 * r.fkHz >= 0.0001,
                           "a PFC requirement accepted without voltages or frequency");
    }
    const std::string text = requirementText(r, a);
    checkNumberText(text, "the requirement text");
    const std::string_view keyword =
        a == Application::ControlledSwing ? "WIDESWNG" : applicationKeyword(a);
    KORVANE_FUZZ_CHECK(text.starts_with(keyword), "requirement text " + text);
}

void activation(RequirementEntry& entry, DesignParameters& parameters, FuzzInput& in) {
    const std::string choices = in.text();
    if (FuzzInput::choiceAt(choices, 3, 2) == 1) {
        entry.nextApplication();
    } else {
        entry.activate(applicationFromIndex(FuzzInput::choiceAt(choices, 0, 6)));
    }
    entry.setShape(static_cast<CoreShape>(FuzzInput::choiceAt(choices, 1, 3)));
    entry.setWindingType(static_cast<WindingType>(FuzzInput::choiceAt(choices, 2, 2)));
    const Application a = entry.application();
    checkShown(entry, parameters);

    RequirementTexts texts;
    Echo echo;
    for (std::string& t : texts) {
        t = in.text();
        echo.add(t);
    }
    // What the window derives as the fields are left: the ripple label, or the resonant
    // frequency written into the frequency field.
    const DerivedValue derived = deriveFromTexts(a, texts);
    // The ripple label is the window's alone, whose fields hold only the characters of
    // numbers; the resonant frequency is derived by the command line from any text as well.
    if (derived.rippleCurrent && !characterCheck(texts)) {
        checkNumberText(rippleText(*derived.rippleCurrent), "the ripple label");
    }
    if (derived.resonantFrequency) {
        const std::string frequency = resonantFrequencyText(*derived.resonantFrequency);
        checkNumberText(frequency, "the resonant frequency field");
        if (FuzzInput::choiceAt(choices, 4, 2) == 0) {
            texts[7] = frequency;
            echo.add(frequency);
        }
    }

    RecordingSink sink;
    bool accepted = false;
    {
        ScopedMessageSink scoped(sink);
        accepted = entry.accept(texts);
    }
    checkMessages(sink, echo);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& copy = entry.textCopies()[i];
        KORVANE_FUZZ_CHECK(texts[i].starts_with(copy), "a field copy that was not typed");
    }
    if (accepted) {
        KORVANE_FUZZ_CHECK(sink.empty(), "an accepted requirement showed a message");
        checkAccepted(entry.requirement(), a);
        for (const RequirementBlockLine& line : entry.requirementBlock()) {
            checkQuotingText(line.value, echo, "the requirement block");
        }
    } else {
        KORVANE_FUZZ_CHECK(sink.size() == 1 && sink.last().caption == "DATA ENTRY ERROR",
                           "a refused requirement shows one DATA ENTRY ERROR");
    }
    checkShown(entry, parameters);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    DesignParameters parameters;
    RequirementEntry entry(parameters);
    for (int i = 0; i < kMaxActivations && (i == 0 || !in.empty()); ++i) {
        activation(entry, parameters, in);
    }
    return 0;
}
