// The automatic design as the requirements window's OK starts it, then the analysis of its
// first design as the results window hands it over. Every design found meets the limits the
// search enforces, the result pages show no "nan" or "inf", and the first design can be
// analysed: refused by no entry check, with the winding the search computed.
//
// Input: a choice item (application; shape; winding; wire standard; unit system; a parameter
// position 0 to 8 to set before the design, 9 none; 1 = keep the typed frequency of a
// resonant requirement instead of the derived one), the parameter's text, then the eleven
// requirement field texts.

#include "AnalysisChecks.h"
#include "FuzzInput.h"
#include "graphs/ResultPageDrawing.h"
#include "requirements/RequirementEntry.h"
#include "results/DesignRun.h"
#include "results/ResultText.h"
#include "settings/MaterialSelection.h"
#include "settings/ParametersForm.h"

#include <cmath>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

void checkDesign(const DesignCandidate& c, const Requirement& r, const DesignParameters& p,
                 int slot) {
    const std::string what = "design " + std::to_string(slot + 1) + " " + c.partNumber;
    checkDesignNumbers(c, what);
    KORVANE_FUZZ_CHECK(!c.partNumber.empty(), what + " has no part number");
    KORVANE_FUZZ_CHECK(c.turns >= 1.0F && c.turns == std::floor(c.turns),
                       what + " turns " + std::to_string(c.turns));
    KORVANE_FUZZ_CHECK(c.tempRise <= p.temperatureRiseLimit(r.application),
                       what + " rises " + std::to_string(c.tempRise) + " C");
    KORVANE_FUZZ_CHECK(!(r.Rs > 0.0F) || c.rdc <= r.Rs, what + " is above the resistance limit");
    // A resonant winding of a wire thicker than three skin depths is restranded: strands that
    // fit its width replace the strand count asked for.
    KORVANE_FUZZ_CHECK(r.application == Application::Resonant || c.strands >= r.strands,
                       what + " has fewer strands than asked");
    KORVANE_FUZZ_CHECK(c.stackCount == r.stackCount, what + " stack count");
    if (r.application == Application::DcBiased || r.application == Application::PfcBoost) {
        KORVANE_FUZZ_CHECK(c.percentPerm >= p.minimumPercentPerm(r.application) &&
                               c.percentPerm <= 100.0F,
                           what + " percent permeability " + std::to_string(c.percentPerm));
    }
    const float gauge = c.wire.size;
    switch (c.wire.system) {
    case WireSystem::Awg:
        KORVANE_FUZZ_CHECK(gauge >= -3.0F && gauge <= 50.0F,
                           what + " AWG " + std::to_string(gauge));
        break;
    case WireSystem::Metric:
        KORVANE_FUZZ_CHECK(gauge >= 0.05F, what + " metric wire " + std::to_string(gauge));
        break;
    case WireSystem::Swg:
        KORVANE_FUZZ_CHECK(gauge >= 1.0F && gauge <= 50.0F, what + " SWG " + std::to_string(gauge));
        break;
    }
    KORVANE_FUZZ_CHECK(c.wire.system == p.wireSystem(), what + " wire of another standard");
}

void checkPages(const DesignRunOutput& run, const Application app, const Echo& echo) {
    const int rows = run.search.accepted + (run.search.endOfCatalog ? 1 : 0);
    for (ResultGrid grid : {ResultGrid::Electrical, dimensionGrid(run.design.shape)}) {
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < TextGrid::kCells; ++column) {
                checkNumberText(run.tables.grid(grid).cell(row, column), "a result cell");
            }
        }
    }
    checkQuotingText(renderPageText(run.tables, run.state), echo, "the result page");
    RecordingCanvas window({1200, 700});
    drawResultPage(window, run.tables, run.state, applicationTitle(app), run.state.dateTime());
    checkCanvasTexts(window, echo, "the results window");
    RecordingCanvas page({3300, 2550}, true, 300.0 / 72.0);
    drawResultPrintPage(page, run.tables, run.state, applicationTitle(app), run.state.dateTime());
    checkCanvasTexts(page, echo, "the printed results");
}

// The analysis recomputes the winding of the same core, turns, wire and strands: its surface
// is the search's, and so is its resistance, unless the analysis took the ambient as its
// lowest, -100 C (the ambient is handed over as "%6.1f").
void checkSameWinding(const DesignCandidate& found, const DesignCandidate& analysed,
                      float ambient) {
    auto near = [](double a, double b, double relative) {
        return std::fabs(a - b) <= relative * std::fabs(b) + 1e-9;
    };
    KORVANE_FUZZ_CHECK(analysed.partNumber == found.partNumber, "analysed another core");
    KORVANE_FUZZ_CHECK(analysed.turns == found.turns && analysed.strands == found.strands,
                       "analysed other turns or strands");
    KORVANE_FUZZ_CHECK(near(analysed.surfaceArea, found.surfaceArea, 1e-4),
                       "surface " + std::to_string(analysed.surfaceArea) + " analysed, " +
                           std::to_string(found.surfaceArea) + " designed");
    KORVANE_FUZZ_CHECK(ambient < -100.0F || near(analysed.rdc, found.rdc, 1e-3),
                       "Rdc " + std::to_string(analysed.rdc) + " analysed, " +
                           std::to_string(found.rdc) + " designed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string choices = in.text();
    const std::string parameterText = in.text();
    const Application app = applicationFromIndex(FuzzInput::choiceAt(choices, 0, 6));

    Echo echo;
    echo.add(parameterText);
    RecordingSink sink;
    DesignParameters parameters;
    parameters.setWireSystem(static_cast<WireSystem>(FuzzInput::choiceAt(choices, 3, 3)));
    parameters.setUnitSystem(static_cast<UnitSystem>(FuzzInput::choiceAt(choices, 4, 3)));
    parameters.setShownApplication(app);
    const int position = FuzzInput::choiceAt(choices, 5, 10);
    RequirementEntry entry(parameters);
    RequirementTexts texts;
    bool accepted = false;
    {
        ScopedMessageSink scoped(sink);
        if (position < ParameterSet::kCount) {
            ParameterTexts shown = parameterTexts(parameters);
            shown[static_cast<std::size_t>(position)] = parameterText;
            applyParameterTexts(parameters, shown, parameters.unitSystem());
        }
        entry.activate(app);
        entry.setShape(static_cast<CoreShape>(FuzzInput::choiceAt(choices, 1, 3)));
        entry.setWindingType(static_cast<WindingType>(FuzzInput::choiceAt(choices, 2, 2)));
        for (std::string& t : texts) {
            t = in.text();
            echo.add(t);
        }
        if (app == Application::Resonant && FuzzInput::choiceAt(choices, 6, 2) == 0) {
            // The frequency of a resonant requirement is derived from the other fields.
            const DerivedValue derived = deriveFromTexts(app, texts);
            texts[7] = resonantFrequencyText(derived.resonantFrequency.value_or(0.0F));
            echo.add(texts[7]);
        }
        accepted = entry.accept(texts);
    }
    checkMessages(sink, echo);
    if (!accepted) {
        return 0;
    }

    const Requirement& r = entry.requirement();
    sink.clear();
    DesignRunOutput run;
    {
        ScopedMessageSink scoped(sink);
        run = runAutomaticDesign(r, entry.requirementBlock(), parameters, MaterialSelection(),
                                 builtInCatalog(), builtInModel());
    }
    checkMessages(sink, echo);
    KORVANE_FUZZ_CHECK(run.search.accepted >= 0 && run.search.accepted <= kCandidateSlots,
                       "designs found: " + std::to_string(run.search.accepted));
    KORVANE_FUZZ_CHECK(run.search.valid == (run.search.accepted > 0), "valid flag");
    for (int i = 0; i < run.search.accepted; ++i) {
        checkDesign(run.search.table.slots[static_cast<std::size_t>(i)], r, parameters, i);
    }
    checkPages(run, app, echo);
    if (run.search.accepted == 0) {
        return 0;
    }

    // `korvane design --analyze 1`: the results window hands its first design to the analysis.
    const DesignCandidate& first = run.search.table.slots[0];
    AnalysisEntry analysis(parameters, builtInCatalog(), builtInModel());
    analysis.setUpFromResult(r.application, r.windingType, &first, r);
    sink.clear();
    AnalysisOutcome outcome = AnalysisOutcome::Refused;
    {
        ScopedMessageSink scoped(sink);
        outcome = analysis.ok();
    }
    KORVANE_FUZZ_CHECK(outcome == AnalysisOutcome::Analysed,
                       "design 1 (" + first.partNumber + ") cannot be analysed: " +
                           (sink.empty() ? std::string("no message") : sink.last().text));
    checkAnalysis(analysis, outcome, parameters, sink, echo);
    checkSameWinding(first, analysis.candidate(), r.Ta);
    return 0;
}
