// The analysis window: typed entries, OK, the two pages and the graphs of the analysed design.
// An analysis either is refused or fails with a message and blank rows, or shows finite
// results whose texts fit their column; nothing on the pages or graphs shows "nan" or "inf"
// made from a number.
//
// Input: a choice item (application; winding; the wire standard of the parameters; the unit
// system; 1 = the part number is a catalog listing, whose line the part-number text gives;
// the listing's shape; 1 = press OK twice), then the texts of the part number, wire, turns,
// current, voltage 1, voltage 2, frequency, ambient, the hidden field, stack count and strands.

#include "AnalysisChecks.h"
#include "FuzzInput.h"
#include "catalog/CoreCatalog.h"
#include "format/NumberReader.h"

namespace {

using namespace korvane;
using namespace korvane::fuzz;

using F = AnalysisField;

constexpr F kFieldOrder[] = {F::PartNumber, F::Wire,       F::Turns,     F::Current,
                             F::Voltage1,   F::Voltage2,   F::Frequency, F::Ambient,
                             F::Hidden,     F::StackCount, F::Strands};

std::string listingPartNumber(CoreShape shape, const std::string& lineText) {
    CoreCatalog catalog;
    const int count = catalog.listingCount(shape);
    int line = 0;
    scanInt(lineText, line);
    line = ((line % count) + count) % count;
    CoreRecord record;
    RecordingSink quiet;
    ScopedMessageSink scoped(quiet);
    catalog.readCatalogLine(record, line, shape);
    return record.partNumber;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string choices = in.text();
    DesignParameters parameters;
    parameters.setWireSystem(static_cast<WireSystem>(FuzzInput::choiceAt(choices, 2, 3)));
    parameters.setUnitSystem(static_cast<UnitSystem>(FuzzInput::choiceAt(choices, 3, 3)));

    AnalysisEntry entry(parameters, builtInCatalog(), builtInModel());
    entry.setApplication(applicationFromIndex(FuzzInput::choiceAt(choices, 0, 6)));
    entry.setWindingType(static_cast<WindingType>(FuzzInput::choiceAt(choices, 1, 2)));
    entry.wireEntry().system = parameters.wireSystem();

    Echo echo;
    RecordingSink sink;
    {
        ScopedMessageSink scoped(sink);
        for (F field : kFieldOrder) {
            std::string text = in.text();
            if (field == F::PartNumber) {
                text = FuzzInput::choiceAt(choices, 4, 2) == 1
                           ? listingPartNumber(
                                 static_cast<CoreShape>(FuzzInput::choiceAt(choices, 5, 3)), text)
                           : partNumberTyping(text).text; // upper-cased as it is typed
            }
            echo.add(text);
            entry.setText(field, std::move(text));
        }
    }
    checkMessages(sink, echo);

    const int presses = 1 + FuzzInput::choiceAt(choices, 6, 2);
    for (int press = 0; press < presses; ++press) {
        sink.clear();
        AnalysisOutcome outcome = AnalysisOutcome::Refused;
        {
            ScopedMessageSink scoped(sink);
            outcome = entry.ok();
        }
        checkAnalysis(entry, outcome, parameters, sink, echo);
    }
    return 0;
}
