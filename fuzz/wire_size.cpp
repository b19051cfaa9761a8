// Wire sizes as typed into the analysis window: parseWireSize in each wire standard, then the
// wire table lookup of an accepted size as the winding does it.
//
// Input: a choice item (the entry's current standard; the size the entry held before, as a
// table wire of that standard), then the typed text; further texts are typed in turn into the
// same entry, as a user retyping the field.

#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "engine/WireSize.h"
#include "engine/WireTable.h"

#include <cmath>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

constexpr int kMaxTexts = 8;

void checkLookup(const WireSizeEntry& entry, const std::string& typed) {
    WireRecord wire;
    if (!lookupWire(wire, entry.system, WireLookupKind::BySize, entry.size, 20.0)) {
        // Every AWG gauge from 4/0 to 50 and every metric size from 0.05 mm has a table wire.
        const bool awgInRange =
            entry.system == WireSystem::Awg && entry.size >= -3.0F && entry.size <= 50.0F;
        const bool metricInRange = entry.system == WireSystem::Metric && entry.size >= 0.05F;
        KORVANE_FUZZ_CHECK(!awgInRange && !metricInRange,
                           "no table wire for the accepted size of \"" + typed + "\"");
        return;
    }
    const float numbers[] = {wire.areaCmil,           wire.bareDiameter, wire.insulatedDiameter,
                             wire.maxOverallDiameter, wire.build,        wire.ohmsPerFoot,
                             wire.poundsPerFoot};
    for (float v : numbers) {
        checkFinite(v, "a figure of the wire of \"" + typed + "\"");
        KORVANE_FUZZ_CHECK(v > 0.0F || v == wire.build,
                           "a wire figure that is not positive for \"" + typed + "\"");
    }
    KORVANE_FUZZ_CHECK(wire.insulatedDiameter >= wire.bareDiameter &&
                           wire.maxOverallDiameter >= wire.insulatedDiameter,
                       "insulation thinner than nothing for \"" + typed + "\"");
}

void typeOne(WireSizeEntry& entry, const std::string& typed) {
    Echo echo;
    echo.add(typed);
    const WireSizeEntry before = entry;
    RecordingSink sink;
    std::string shown;
    {
        ScopedMessageSink scoped(sink);
        shown = parseWireSize(typed, entry);
    }
    checkMessages(sink, echo);
    KORVANE_FUZZ_CHECK(sink.size() <= 1, "more than one message for one wire text");
    checkFinite(entry.size, "the wire size after \"" + typed + "\"");
    checkFinite(entry.width, "the strip width after \"" + typed + "\"");
    checkFinite(entry.thickness, "the strip thickness after \"" + typed + "\"");

    if (!sink.empty()) {
        KORVANE_FUZZ_CHECK(sink.last().text == "Invalid Wire Size" &&
                               sink.last().caption == "DATA ENTRY ERROR",
                           sink.last().text);
        KORVANE_FUZZ_CHECK(shown == typed, "a refused text is not shown unchanged");
        KORVANE_FUZZ_CHECK(entry.refused, "a refused text is not flagged for the OK");
        return;
    }
    KORVANE_FUZZ_CHECK(!entry.refused, "an accepted text is flagged as refused");
    checkNumberText(shown, "the wire display");
    KORVANE_FUZZ_CHECK(shown.size() <= kTextBufferLength, "the wire display overflows: " + shown);

    if (typed.find('x') != std::string::npos) {
        // A strip: a conductor of real, positive width and thickness.
        KORVANE_FUZZ_CHECK(entry.width > 0.0F && entry.thickness > 0.0F,
                           "strip \"" + typed + "\" accepted without a positive size");
        KORVANE_FUZZ_CHECK(entry.stripFlag == (entry.width < 0.01F ? 3 : 0), "strip flag");
        KORVANE_FUZZ_CHECK(shown.ends_with(" Cu"), shown);
        KORVANE_FUZZ_CHECK(entry.system == before.system && entry.size == before.size,
                           "a strip changed the round wire");
        return;
    }
    KORVANE_FUZZ_CHECK(entry.stripFlag == 0, "a round wire keeps the strip flag");
    switch (entry.system) {
    case WireSystem::Awg:
        KORVANE_FUZZ_CHECK(entry.size >= -3.0F && entry.size <= 50.0F,
                           "AWG gauge out of the tables: " + std::to_string(entry.size));
        KORVANE_FUZZ_CHECK(shown.starts_with("#") && shown.ends_with(" AWG"), shown);
        break;
    case WireSystem::Metric:
        KORVANE_FUZZ_CHECK(entry.size >= 0.05F, "metric size below 0.05 mm");
        KORVANE_FUZZ_CHECK(shown.ends_with(" mm"), shown);
        break;
    case WireSystem::Swg:
        KORVANE_FUZZ_CHECK(std::floor(entry.size + 0.5F) >= 1.0F, "SWG gauge below the table");
        KORVANE_FUZZ_CHECK(shown.starts_with("#") && shown.ends_with(" SWG"), shown);
        break;
    }
    checkLookup(entry, typed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string choices = in.text();
    WireSizeEntry entry;
    entry.system = static_cast<WireSystem>(FuzzInput::choiceAt(choices, 0, 3));
    // The wire the entry held before: a table wire of its standard.
    const int previous = FuzzInput::choiceAt(choices, 1, 50);
    switch (entry.system) {
    case WireSystem::Metric:
        entry.size = 0.05F + 0.01F * static_cast<float>(previous);
        break;
    case WireSystem::Awg:
        entry.size = static_cast<float>(previous - 3);
        break;
    case WireSystem::Swg:
        entry.size = static_cast<float>(previous + 1);
        break;
    }
    for (int i = 0; i < kMaxTexts && (i == 0 || !in.empty()); ++i) {
        typeOne(entry, in.text());
    }
    return 0;
}
