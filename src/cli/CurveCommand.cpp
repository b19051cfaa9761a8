#include "AnalysisCli.h"
#include "PageExportCli.h"
#include "format/StrPrintf.h"
#include "graphs/GraphDrawing.h"
#include "graphs/MaterialGraphs.h"
#include "materials/MaterialTable.h"
#include "report/CurveReport.h"
#include "results/ResultPageState.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <memory>

namespace korvane::cli {

namespace {

// `korvane curve`: the points of a materials graph (kinds 1 to 6) for a list of materials, or
// the inductance-versus-current (kind 7) or aging (kind 9) graph of a design analysed as the
// analysis window does, from the same options as `korvane analyze`.
struct CurveOptions {
    int kind = 1;
    std::optional<std::string> materials; // comma-separated codes; default: full selection
    AnalysisOptions analysis;
    ParameterOptions parameters;
    std::optional<std::string> plot; // the printed graph page: .pdf, .svg or .png
    OutputFormat format = OutputFormat::Text;
};

// Writes the printed graph page (landscape) of the graph shown, when asked to.
int writePlotIfAsked(const std::optional<std::string>& plot, const GraphState& shown) {
    if (!plot) {
        return kExitOk;
    }
    const std::string date = ResultPageState::dateTimeText(std::time(nullptr));
    return writePlot(
        *plot, PageOrientation::Landscape,
        [state = shown, date](Canvas& canvas) mutable { drawGraphPage(state, canvas, date); });
}

void print(const GraphState& s, OutputFormat format, Context& context, const Json& extra) {
    switch (format) {
    case OutputFormat::Json:
        printJson(report::graphJson(s, extra, context.sink.messages()));
        break;
    case OutputFormat::Csv:
        std::cout << report::graphCsv(s);
        break;
    case OutputFormat::Text:
        std::cout << s.caption << "\nX: " << report::xAxisText(s) << "\nY: " << report::yAxisText(s)
                  << "\n";
        if (!s.description.empty()) {
            std::cout << s.description << "\n";
        }
        for (int c = 0; c < s.drawableCurveCount(); ++c) {
            // The design graphs' single curve has no material name.
            const std::string& name = s.curveNames[static_cast<std::size_t>(c)];
            std::cout << "\n" << (name.empty() ? "" : name + "\n");
            const std::span<const GraphPoint> points = report::curvePoints(s, c);
            if (points.empty()) {
                std::cout << "  no data\n";
            }
            for (const GraphPoint& p : points) {
                std::cout << strprintf("%14.6g %14.6g\n", static_cast<double>(p.x),
                                       static_cast<double>(p.y));
            }
        }
        break;
    }
}

// Kind 7: the analysis window's INDUCTANCE button.
int runInductance(DesignSession& session, const CurveOptions& o, Context& context) {
    if (!session.showInductanceGraphOfAnalysis()) {
        return kExitRefused;
    }
    const GraphState& state = session.graph();
    GraphState shown = state;
    applyAutomaticAxes(shown);
    const AnalysisEntry& entry = session.analysis();
    const Json extra = {
        {"design", report::graphDesignJson(entry.candidate(), entry.application(),
                                           operatingCurrent(entry.conditions()))},
        {"description", state.description},
        {"marker", {{"x", jsonNumber(state.marker.x)}, {"y", jsonNumber(state.marker.y)}}},
        {"currentScale", jsonNumber(state.currentScale)},
        {"inductanceScale", jsonNumber(state.inductanceScale)}};
    const int status = writePlotIfAsked(o.plot, state);
    print(shown, o.format, context, extra);
    return status;
}

// Kind 9: the analysis window's T RISE button.
int runAging(DesignSession& session, const CurveOptions& o, Context& context) {
    if (!session.showAgingGraphOfAnalysis()) {
        return kExitRefused;
    }
    const GraphState& state = session.graph();
    GraphState shown = state;
    applyAutomaticAxes(shown);
    const AnalysisEntry& entry = session.analysis();
    const Json extra = {{"design", report::graphDesignJson(entry.candidate(), entry.application(),
                                                           operatingCurrent(entry.conditions()))},
                        {"description", state.description}};
    const int status = writePlotIfAsked(o.plot, state);
    print(shown, o.format, context, extra);
    return status;
}

// Kinds 7 and 9 draw the design analysed from the options.
int runDesignGraph(const CurveOptions& o, Context& context) {
    DesignSession session(&context.sink);
    AnalysisOutcome outcome = AnalysisOutcome::Refused;
    if (const int status = analyseFromOptions(o.analysis, o.parameters, session, outcome);
        status != kExitOk) {
        return status;
    }
    return o.kind == kGraphAging ? runAging(session, o, context)
                                 : runInductance(session, o, context);
}

int runCurve(const CurveOptions& o, Context& context) {
    if (o.kind == kGraphInductanceVsCurrent || o.kind == kGraphAging) {
        return runDesignGraph(o, context);
    }
    DesignSession session(&context.sink);
    const std::vector<std::string> list =
        o.materials ? materialCodes(*o.materials) : session.selection().selected();
    for (const std::string& code : list) {
        if (findMaterial(code) == nullptr) {
            std::cerr << "korvane: " << code << " is not a material of the table\n";
            return kExitUsage;
        }
    }
    session.showMaterialGraph(o.kind, list);
    const int status = writePlotIfAsked(o.plot, session.graph());
    print(session.graph(), o.format, context, Json::object());
    return status;
}

} // namespace

void addCurveCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<CurveOptions>();
    CLI::App* command = app.add_subcommand(
        "curve", "Points of a material graph (kinds 1-6) or of inductance versus current (7) of a "
                 "design given as to `korvane analyze`");
    command
        ->add_option("--kind", options->kind,
                     "1 initial perm vs DC bias, 2 % perm vs DC bias, 3 % perm vs AC flux, "
                     "4 perm vs frequency, 5 core loss at 1 kHz, 6 at 100 kHz, 7 inductance "
                     "vs current, 9 core temperature vs time")
        ->required()
        ->check(CLI::IsMember({1, 2, 3, 4, 5, 6, 7, 9}));
    command->add_option("--materials", options->materials,
                        "Comma-separated material codes, the dash optional (275,226,M702); "
                        "default: every selectable material");
    addAnalysisOptions(command, options->analysis);
    addParameterOptions(command, options->parameters);
    addPlotOption(command, options->plot,
                  "Also write the printed graph page (landscape) as FILE.pdf, FILE.svg or "
                  "FILE.png");
    addFormatOption(command, options->format, true);
    command->callback([options, &context]() { context.exitCode = runCurve(*options, context); });
}

} // namespace korvane::cli
