#pragma once

// What must hold after the analysis window's OK, shared by the analysis target and the design
// search target (which analyses its first design): the outcome and its message, the rows and
// their texts, both pages drawn, and the inductance and aging graphs of an analysed design.

#include "FuzzChecks.h"
#include "analysis/AnalysisEntry.h"
#include "analysis/AnalysisRows.h"
#include "graphs/AgingGraph.h"
#include "graphs/AnalysisPageDrawing.h"
#include "graphs/GraphDrawing.h"
#include "graphs/InductanceGraph.h"
#include "materials/PowderMaterialModel.h"
#include "settings/DesignParameters.h"
#include "support/RecordingCanvas.h"

#include <span>
#include <string>

namespace korvane::fuzz {

// Characters of the value column of the analysis rows (as printed and as listed).
inline constexpr std::size_t kRowValueColumn = 12;

inline void checkCanvasTexts(const RecordingCanvas& canvas, const Echo& echo, const char* where) {
    for (const RecordedText& t : canvas.texts()) {
        checkQuotingText(t.text, echo, where);
    }
}

inline void checkRows(std::span<const ResultRow> rows, const DesignParameters& parameters,
                      bool analysed, const char* page) {
    for (const ResultRow& row : rows) {
        const std::string what = std::string(page) + " row " + row.label;
        if (!analysed) {
            KORVANE_FUZZ_CHECK(row.value == 0.0F, what + " keeps a value after a failure");
            continue;
        }
        checkFinite(row.value, what);
        for (RowMedium medium : {RowMedium::Window, RowMedium::Page}) {
            const std::string text = rowValueText(row, parameters, medium);
            checkNumberText(text, what.c_str());
            KORVANE_FUZZ_CHECK(text.size() <= kRowValueColumn,
                               what + " does not fit its column: \"" + text + "\"");
        }
        checkNumberText(rowUnitsText(row, parameters), what.c_str());
    }
}

inline void checkGraphPoints(const GraphState& state, const char* graph) {
    for (int c = 0; c < state.drawableCurveCount(); ++c) {
        if (!(state.curveReference[static_cast<std::size_t>(c)] > 0.0F)) {
            continue;
        }
        for (int i = 0; i < state.drawablePointCount(); ++i) {
            const GraphPoint& p =
                state.points[static_cast<std::size_t>(c)][static_cast<std::size_t>(i)];
            checkFinite(p.x, std::string(graph) + " point x");
            checkFinite(p.y, std::string(graph) + " point y");
        }
    }
}

// Draws a design graph as the graph window does and checks what it shows.
inline void checkGraphDrawing(const GraphState& state, const Echo& echo, const char* graph) {
    checkGraphPoints(state, graph);
    checkQuotingText(state.description, echo, graph);
    GraphState axes = state;
    applyAutomaticAxes(axes);
    checkFinite(axes.xStart, std::string(graph) + " x start");
    checkFinite(axes.yMin, std::string(graph) + " y min");
    checkFinite(axes.yMax, std::string(graph) + " y max");
    // A graph without data (a material without the model the graph asks) keeps its empty
    // axis; any point above the x axis needs a y axis of some height.
    bool above = false;
    for (int i = 0; i < state.drawablePointCount(); ++i) {
        above = above || state.points[0][static_cast<std::size_t>(i)].y > 0.0F;
    }
    KORVANE_FUZZ_CHECK(axes.yMax >= axes.yMin && (!above || axes.yMax > axes.yMin),
                       std::string(graph) + " has an empty y axis");
    GraphState drawn = state;
    RecordingCanvas screen({1200, 600});
    drawGraph(drawn, screen);
    checkCanvasTexts(screen, echo, graph);
}

// The operating current the analysis read: the DC or peak current, rms for 60 Hz.
inline double analysedCurrent(const Requirement& r) {
    switch (r.application) {
    case Application::Line60Hz:
        return r.I1rms;
    case Application::Resonant:
        return r.Ipk;
    default:
        return r.I1peak;
    }
}

inline void checkDesignGraphs(const AnalysisEntry& entry, const DesignParameters& parameters,
                              const Echo& echo) {
    const PowderMaterialModel model;
    RecordingSink sink;
    {
        ScopedMessageSink scoped(sink);
        GraphState inductance;
        if (show_inductance_graph(inductance, model, entry.application(), entry.candidate(),
                                  analysedCurrent(entry.conditions()))) {
            checkFinite(inductance.marker.x, "inductance marker x");
            checkFinite(inductance.marker.y, "inductance marker y");
            checkNumberText(inductance.yLabel, "inductance y label");
            checkGraphDrawing(inductance, echo, "inductance graph");
        }
        GraphState aging;
        const Requirement& r = entry.conditions();
        const int shown = show_aging_graph(aging, model, entry.application(), entry.candidate(),
                                           static_cast<double>(r.fkHz) * 1000.0, r.Ta, parameters);
        KORVANE_FUZZ_CHECK(shown >= -1 && shown <= 1,
                           "aging graph answer " + std::to_string(shown));
        if (shown == 1) {
            checkGraphDrawing(aging, echo, "aging graph");
        }
    }
    checkMessages(sink, echo);
}

// After OK: the outcome and the rows, both pages drawn on the window and the printed page,
// and for an analysed design its graphs. `sink` recorded OK's messages.
inline void checkAnalysis(const AnalysisEntry& entry, AnalysisOutcome outcome,
                          const DesignParameters& parameters, const RecordingSink& sink,
                          const Echo& echo) {
    checkMessages(sink, echo);
    const bool analysed = outcome == AnalysisOutcome::Analysed;
    if (!analysed) {
        KORVANE_FUZZ_CHECK(!sink.empty(), "an analysis refused or failed without a message");
    }
    const int count = entry.electricalRowCount();
    KORVANE_FUZZ_CHECK(count == 13 || count == 15, "electrical rows: " + std::to_string(count));
    const auto electrical =
        std::span<const ResultRow>(entry.electricalRows()).first(static_cast<std::size_t>(count));
    const std::span<const ResultRow> mechanical(entry.mechanicalRows());
    if (outcome != AnalysisOutcome::Refused) {
        checkRows(electrical, parameters, analysed, "electrical");
        checkRows(mechanical, parameters, analysed, "mechanical");
    }
    if (analysed) {
        const DesignCandidate& c = entry.candidate();
        checkDesignNumbers(c, "the analysed design");
        KORVANE_FUZZ_CHECK(c.turns >= 0.5F && c.stackCount > 0.0F &&
                               static_cast<double>(c.strands) * c.stackCount >= 0.1,
                           "analysed without turns, strands or cores");
        KORVANE_FUZZ_CHECK(entry.agingComputed() == (count == 15), "aging rows and row count");
    }

    RecordingSink drawing;
    {
        ScopedMessageSink scoped(drawing);
        for (const auto& rows : {electrical, mechanical}) {
            RecordingCanvas window({936, 615});
            window.setFont({"Arial", 10.0});
            drawAnalysisRows(window, rows, parameters);
            checkCanvasTexts(window, echo, "the analysis window");
        }
        RecordingCanvas page({2550, 3300}, true, 300.0 / 72.0);
        page.setFont({"Arial", 10.0});
        printAnalysisPage(page, entry, parameters);
        checkCanvasTexts(page, echo, "the printed analysis");
    }
    KORVANE_FUZZ_CHECK(drawing.empty(), "drawing the analysis showed a message");

    if (analysed) {
        checkDesignGraphs(entry, parameters, echo);
    }
}

} // namespace korvane::fuzz
