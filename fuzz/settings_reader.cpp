// The parameter settings reader on arbitrary file content: it may change only the unit system,
// the wire standard, the shown application and (for every application alike) the copper area,
// only to values the parameters window could store, and silently. What it leaves is written
// out and read back unchanged.
//
// Input: a choice item (unit system, wire standard and shown application before reading),
// then the file content (everything after the first separator).

#include "FuzzChecks.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "settings/DesignParameters.h"
#include "settings/SettingsFile.h"

#include <cmath>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

// Copper areas a settings block may bring: the window's range as copper area (10 to 9999
// cmil/A) or as current density under the metric wire standard (197400 / 9999 to 197400 / 10).
constexpr double kLowestCudens = 10.0;
constexpr double kHighestCudens = 197400.0 / 10.0;
// A fixed moment for the written stamp.
constexpr std::time_t kStamp = 1'796'000'000;

bool sameExceptCopper(const ParameterSet& a, const ParameterSet& b) {
    for (int i = 0; i < ParameterSet::kCount; ++i) {
        if (i != 1 && a.at(i) != b.at(i)) {
            return false;
        }
    }
    return true;
}

bool close(double a, double b) {
    return std::fabs(a - b) <= 1e-4 * std::fabs(b);
}

void checkRead(const DesignParameters& before, const DesignParameters& after,
               const RecordingSink& sink) {
    KORVANE_FUZZ_CHECK(sink.empty(), "the settings reader showed \"" +
                                         (sink.empty() ? std::string() : sink.last().text) + "\"");
    KORVANE_FUZZ_CHECK(toIndex(after.unitSystem()) >= 0 && toIndex(after.unitSystem()) <= 2,
                       "unit system " + std::to_string(toIndex(after.unitSystem())));
    KORVANE_FUZZ_CHECK(toIndex(after.wireSystem()) >= 0 && toIndex(after.wireSystem()) <= 2,
                       "wire standard " + std::to_string(toIndex(after.wireSystem())));
    const float cudens = after.set(Application::DcBiased).Cudens;
    for (Application a : kAllApplications) {
        const ParameterSet& p = after.set(a);
        KORVANE_FUZZ_CHECK(sameExceptCopper(p, before.set(a)),
                           "the settings reader changed a parameter besides Cudens");
        KORVANE_FUZZ_CHECK(std::isfinite(p.Cudens) && p.Cudens >= kLowestCudens * (1 - 1e-6) &&
                               p.Cudens <= kHighestCudens * (1 + 1e-6),
                           "Cudens " + std::to_string(p.Cudens));
        KORVANE_FUZZ_CHECK(p.Cudens == cudens, "applications with different Cudens");
        checkNumberText(after.parametersText(a), "the parameters text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string choices = in.text();
    const std::string content = in.rest();

    DesignParameters parameters;
    parameters.setUnitSystem(static_cast<UnitSystem>(FuzzInput::choiceAt(choices, 0, 3)));
    parameters.setWireSystem(static_cast<WireSystem>(FuzzInput::choiceAt(choices, 1, 3)));
    parameters.setShownApplication(applicationFromIndex(FuzzInput::choiceAt(choices, 2, 6)));
    const DesignParameters before = parameters;

    const std::filesystem::path file = scratch().freshPath("KorvaneParams.log");
    writeFile(file, content);
    RecordingSink sink;
    {
        ScopedMessageSink scoped(sink);
        readParameterSettings(parameters, file);
    }
    checkRead(before, parameters, sink);

    // Written out at close and read at the next start, the settings come back as they were.
    const std::filesystem::path written = scratch().freshPath("written.log");
    KORVANE_FUZZ_CHECK(writeParameterSettings(parameters, written, kStamp),
                       "the settings file could not be written");
    const auto text = readFile(written);
    KORVANE_FUZZ_CHECK(text && *text == parameterSettingsText(parameters, dateStamp(kStamp)),
                       "the written file is not the settings text");
    DesignParameters next;
    next.setUnitSystem(parameters.unitSystem() == UnitSystem::English ? UnitSystem::Metric
                                                                      : UnitSystem::English);
    next.setWireSystem(parameters.wireSystem() == WireSystem::Awg ? WireSystem::Swg
                                                                  : WireSystem::Awg);
    {
        ScopedMessageSink scoped(sink);
        readParameterSettings(next, written);
    }
    KORVANE_FUZZ_CHECK(sink.empty(), "reading a written file showed a message");
    KORVANE_FUZZ_CHECK(next.unitSystem() == parameters.unitSystem(), "unit system not restored");
    KORVANE_FUZZ_CHECK(next.wireSystem() == parameters.wireSystem(), "wire standard not restored");
    KORVANE_FUZZ_CHECK(next.shownApplication() == Application::Resonant,
                       "the last block is not the shown application");
    for (Application a : kAllApplications) {
        KORVANE_FUZZ_CHECK(close(next.set(a).Cudens, parameters.set(a).Cudens),
                           "Cudens " + std::to_string(parameters.set(a).Cudens) + " read back as " +
                               std::to_string(next.set(a).Cudens));
    }
    return 0;
}
