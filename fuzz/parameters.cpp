// The design parameters: the parameters window's OK over nine typed texts, the wire standard
// change, and applyParametersText over a typed block, repeated on one set of parameters.
// Stored values stay within the window's ranges, a refused OK stores exactly the positions
// before the one it names, and the parameters text always reads back as 23 items.
//
// Input: a choice item (unit system, wire standard, shown application), then steps: a choice
// item (0 OK with the next nine texts and the unit system chosen by the item's second byte,
// 1 wire standard change with the next text as the visible copper field, 2 applyParametersText
// of the next text for the application of the item's second byte).

#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "format/NumberReader.h"
#include "settings/DesignParameters.h"
#include "settings/ParametersForm.h"

#include <cmath>
#include <cstdlib>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

constexpr int kMaxSteps = 12;
constexpr double kLowestCudens = 10.0;
constexpr double kHighestCudens = 197400.0 / 10.0;

void checkStored(const DesignParameters& p) {
    for (Application a : kAllApplications) {
        const ParameterSet& set = p.set(a);
        for (int i = 0; i < ParameterSet::kCount; ++i) {
            const double v = set.at(i);
            const ParameterRange r = parameterRanges()[static_cast<std::size_t>(i)];
            const bool inRange =
                i == 1 ? v >= kLowestCudens * (1 - 1e-6) && v <= kHighestCudens * (1 + 1e-6)
                       : v >= r.minimum && v <= r.maximum;
            KORVANE_FUZZ_CHECK(std::isfinite(v) && inRange, "stored parameter " +
                                                                std::to_string(i) + " is " +
                                                                std::to_string(v));
        }
        const std::string text = p.parametersText(a);
        checkNumberText(text, "the parameters text");
        // The three lines joined, as the settings reader assembles a block, read back whole.
        std::string joined;
        for (char c : text) {
            if (c != '\n') {
                joined += c;
            }
        }
        DesignParameters copy = p;
        KORVANE_FUZZ_CHECK(copy.applyParametersText(a, joined) == 23,
                           "the parameters text does not read back: " + joined);
        KORVANE_FUZZ_CHECK(copy.unitSystem() == p.unitSystem() &&
                               copy.wireSystem() == p.wireSystem(),
                           "the parameters text reads back other standards");
        KORVANE_FUZZ_CHECK(std::fabs(copy.set(a).Cudens - set.Cudens) <= 1e-4 * set.Cudens,
                           "Cudens read back from the parameters text differs");
    }
    for (const std::string& t : parameterTexts(p)) {
        checkNumberText(t, "a parameters window field");
    }
}

// The position a range message names (counted from 1), or 0.
int namedPosition(const std::string& message) {
    const std::string_view prefix = "Parameter";
    if (!message.starts_with(prefix)) {
        return 0;
    }
    return std::atoi(message.c_str() + prefix.size());
}

void ok(DesignParameters& p, FuzzInput& in, int unitChoice) {
    ParameterTexts texts;
    Echo echo;
    for (std::string& t : texts) {
        t = in.text();
        echo.add(t);
    }
    const DesignParameters before = p;
    const auto units = static_cast<UnitSystem>(unitChoice);
    RecordingSink sink;
    bool accepted = false;
    {
        ScopedMessageSink scoped(sink);
        accepted = applyParameterTexts(p, texts, units);
    }
    checkMessages(sink, echo);
    const ParameterSet& now = p.set(p.shownApplication());
    const ParameterSet& was = before.set(before.shownApplication());
    // Positions stored: all on acceptance, those before the named one after a range error,
    // none after a character error.
    int stored = ParameterSet::kCount;
    if (!accepted) {
        KORVANE_FUZZ_CHECK(sink.size() == 1, "a refused OK shows one message");
        const Message& m = sink.last();
        if (m.caption == "DATA ENTRY ERROR") {
            stored = 0;
        } else {
            KORVANE_FUZZ_CHECK(m.caption == "PARAMETER OUT OF RANGE ERROR", m.caption);
            stored = namedPosition(m.text) - 1;
            KORVANE_FUZZ_CHECK(stored >= 0 && stored < ParameterSet::kCount, m.text);
        }
        KORVANE_FUZZ_CHECK(p.unitSystem() == before.unitSystem(),
                           "a refused OK changed the unit system");
    } else {
        KORVANE_FUZZ_CHECK(sink.empty(), "an accepted OK showed a message");
        KORVANE_FUZZ_CHECK(p.unitSystem() == units, "OK did not take the unit system");
    }
    for (int i = 0; i < ParameterSet::kCount; ++i) {
        if (i >= stored) {
            KORVANE_FUZZ_CHECK(now.at(i) == was.at(i),
                               "position " + std::to_string(i) + " changed after the refusal");
            continue;
        }
        float typed = 0.0F;
        const bool read = scanFloat(
            leadingChars(texts[static_cast<std::size_t>(i)], kParameterReadLength), typed);
        KORVANE_FUZZ_CHECK(read, "position " + std::to_string(i) + " stored without a number");
        const double expected = i == 1 && p.wireSystem() == WireSystem::Metric
                                    ? 197400.0 / static_cast<double>(typed)
                                    : static_cast<double>(typed);
        KORVANE_FUZZ_CHECK(std::fabs(now.at(i) - expected) <= 1e-6 * std::fabs(expected),
                           "position " + std::to_string(i) + " stored " +
                               std::to_string(now.at(i)) + " for " + std::to_string(typed));
    }
    for (Application a : kAllApplications) {
        if (a != p.shownApplication()) {
            for (int i = 0; i < ParameterSet::kCount; ++i) {
                KORVANE_FUZZ_CHECK(p.set(a).at(i) == before.set(a).at(i),
                                   "OK changed another application's set");
            }
        }
    }
}

void changeStandard(DesignParameters& p, FuzzInput& in, int wireChoice) {
    const std::string visible = in.text();
    Echo echo;
    echo.add(visible);
    RecordingSink sink;
    std::optional<std::string> converted;
    {
        ScopedMessageSink scoped(sink);
        converted = changeWireStandard(p, static_cast<WireSystem>(wireChoice), visible);
    }
    checkMessages(sink, echo);
    KORVANE_FUZZ_CHECK(p.wireSystem() == static_cast<WireSystem>(wireChoice),
                       "the wire standard did not change at once");
    if (!converted) {
        return;
    }
    checkNumberText(*converted, "the converted copper field");
    // A copper figure the window can store turns into the other one, to the two decimals shown.
    float typed = 0.0F;
    if (scanFloat(leadingChars(visible, kParameterReadLength), typed) && typed >= kLowestCudens &&
        typed <= kHighestCudens) {
        double number = 0.0;
        KORVANE_FUZZ_CHECK(scanDouble(*converted, number) &&
                               std::fabs(number - 197400.0 / static_cast<double>(typed)) <= 0.0051,
                           "copper field " + visible + " converted to " + *converted);
    }
}

void applyText(DesignParameters& p, FuzzInput& in, int appChoice) {
    const std::string text = in.text();
    const DesignParameters before = p;
    RecordingSink sink;
    int count = 0;
    {
        ScopedMessageSink scoped(sink);
        count = p.applyParametersText(applicationFromIndex(appChoice), text);
    }
    KORVANE_FUZZ_CHECK(sink.empty(), "applyParametersText showed a message");
    KORVANE_FUZZ_CHECK(count >= 0 && count <= 23, "items read: " + std::to_string(count));
    if (count != 23) {
        KORVANE_FUZZ_CHECK(
            p.unitSystem() == before.unitSystem() && p.wireSystem() == before.wireSystem() &&
                p.shownApplication() == before.shownApplication() &&
                p.set(Application::DcBiased).Cudens == before.set(Application::DcBiased).Cudens,
            "a block of " + std::to_string(count) + " items changed something");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string choices = in.text();
    DesignParameters p;
    p.setUnitSystem(static_cast<UnitSystem>(FuzzInput::choiceAt(choices, 0, 3)));
    p.setWireSystem(static_cast<WireSystem>(FuzzInput::choiceAt(choices, 1, 3)));
    p.setShownApplication(applicationFromIndex(FuzzInput::choiceAt(choices, 2, 6)));
    for (int step = 0; step < kMaxSteps && !in.empty(); ++step) {
        const std::string item = in.text();
        switch (FuzzInput::choiceAt(item, 0, 3)) {
        case 0:
            ok(p, in, FuzzInput::choiceAt(item, 1, 3));
            break;
        case 1:
            changeStandard(p, in, FuzzInput::choiceAt(item, 1, 3));
            break;
        default:
            applyText(p, in, FuzzInput::choiceAt(item, 1, 6));
            break;
        }
        checkStored(p);
    }
    return 0;
}
