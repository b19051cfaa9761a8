#include "AnalysisCli.h"
#include "format/StrPrintf.h"
#include "graphs/AgingGraph.h"
#include "graphs/GraphDrawing.h"
#include "graphs/InductanceGraph.h"
#include "graphs/MaterialGraphs.h"
#include "materials/AcPermeability.h"
#include "materials/MaterialLists.h"
#include "materials/MaterialTable.h"
#include "materials/PowderMaterialModel.h"
#include "settings/MaterialSelection.h"

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
    OutputFormat format = OutputFormat::Text;
};

std::vector<std::string> materialList(const std::optional<std::string>& option) {
    if (!option) {
        return MaterialSelection().selected();
    }
    std::vector<std::string> list;
    std::string code;
    auto flush = [&list, &code]() {
        if (!code.empty()) {
            // "275" stands for "-275": a leading dash would read as an option.
            list.push_back(code.front() == '-' ? code : "-" + code);
        }
        code.clear();
    };
    for (char c : *option) {
        if (c == ',' || c == ' ') {
            flush();
        } else {
            code += c;
        }
    }
    flush();
    return list;
}

std::string g(float v) {
    return strprintf("%g", static_cast<double>(v));
}

Json axesJson(const GraphState& s) {
    Json x = s.xDecades > 0
                 ? Json{{"scale", "log"}, {"start", jsonNumber(s.xStart)}, {"decades", s.xDecades}}
                 : Json{{"scale", "linear"}, {"end", jsonNumber(s.xStart)}};
    Json y =
        s.yDecades > 0
            ? Json{{"scale", "log"}, {"decades", s.yDecades}}
            : Json{{"scale", "linear"}, {"min", jsonNumber(s.yMin)}, {"max", jsonNumber(s.yMax)}};
    x["label"] = s.xLabel;
    y["label"] = s.yLabel;
    return {{"x", x}, {"y", y}};
}

std::string xAxisText(const GraphState& s) {
    return s.xDecades > 0 ? strprintf("%s, log from %s, %d decades", s.xLabel.c_str(),
                                      g(s.xStart).c_str(), s.xDecades)
                          : strprintf("%s, linear to %s", s.xLabel.c_str(), g(s.xStart).c_str());
}

std::string yAxisText(const GraphState& s) {
    return s.yDecades > 0 ? strprintf("%s, log, %d decades from the curve reference",
                                      s.yLabel.c_str(), s.yDecades)
                          : strprintf("%s, linear from %s to %s", s.yLabel.c_str(),
                                      g(s.yMin).c_str(), g(s.yMax).c_str());
}

// The points a curve has: none for a curve the graph does not draw.
std::span<const GraphPoint> curvePoints(const GraphState& s, int curve) {
    const auto c = static_cast<std::size_t>(curve);
    if (!(s.curveReference[c] > 0.0F)) {
        return {};
    }
    return std::span<const GraphPoint>(s.points[c])
        .first(static_cast<std::size_t>(s.drawablePointCount()));
}

void print(const GraphState& s, OutputFormat format, Context& context, const Json& extra) {
    const int curves = s.drawableCurveCount();
    switch (format) {
    case OutputFormat::Json: {
        Json list = Json::array();
        for (int c = 0; c < curves; ++c) {
            const auto i = static_cast<std::size_t>(c);
            Json points = Json::array();
            for (const GraphPoint& p : curvePoints(s, c)) {
                points.push_back({{"x", jsonNumber(p.x)}, {"y", jsonNumber(p.y)}});
            }
            list.push_back(
                {{"material", s.curveNames[i]},
                 {"reference", jsonNumber(s.curveReference[i])},
                 {"labelAnchor",
                  {{"x", jsonNumber(s.labelAnchors[i].x)}, {"y", jsonNumber(s.labelAnchors[i].y)}}},
                 {"points", points}});
        }
        Json j = {{"kind", s.graphKind},
                  {"caption", s.caption},
                  {"printTitle", s.printTitle},
                  {"axes", axesJson(s)},
                  {"curves", list}};
        for (const auto& [key, value] : extra.items()) {
            j[key] = value;
        }
        j["messages"] = messagesJson(context.sink.messages());
        printJson(j);
        break;
    }
    case OutputFormat::Csv:
        std::cout << "# " << s.caption << "\n# x: " << xAxisText(s) << "\n# y: " << yAxisText(s)
                  << "\n";
        if (!s.description.empty()) {
            std::cout << "# " << s.description << "\n";
        }
        std::cout << "material,point,x,y\n";
        for (int c = 0; c < curves; ++c) {
            int i = 0;
            for (const GraphPoint& p : curvePoints(s, c)) {
                std::cout << s.curveNames[static_cast<std::size_t>(c)] << "," << i++ << ","
                          << g(p.x) << "," << g(p.y) << "\n";
            }
        }
        break;
    case OutputFormat::Text:
        std::cout << s.caption << "\nX: " << xAxisText(s) << "\nY: " << yAxisText(s) << "\n";
        if (!s.description.empty()) {
            std::cout << s.description << "\n";
        }
        for (int c = 0; c < curves; ++c) {
            // The design graphs' single curve has no material name.
            const std::string& name = s.curveNames[static_cast<std::size_t>(c)];
            std::cout << "\n" << (name.empty() ? "" : name + "\n");
            const std::span<const GraphPoint> points = curvePoints(s, c);
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

// The operating current the analysis read for the application: the DC or peak current,
// rms for 60 Hz.
double operatingCurrent(const Requirement& r) {
    switch (r.application) {
    case Application::Line60Hz:
        return r.I1rms;
    case Application::Resonant:
        return r.Ipk;
    default:
        return r.I1peak;
    }
}

Json designJson(const AnalysisEntry& entry, double current) {
    const DesignCandidate& d = entry.candidate();
    return {{"partNumber", d.partNumber},
            {"application", std::string(applicationCliName(entry.application()))},
            {"turns", jsonNumber(d.turns)},
            {"al", jsonNumber(d.al)},
            {"percentPerm", jsonNumber(d.percentPerm)},
            {"biasScale", jsonNumber(d.biasScale)},
            {"current", current}};
}

// Kind 7: the analysis window's INDUCTANCE button.
int runInductance(const AnalysisEntry& entry, OutputFormat format, Context& context) {
    const PowderMaterialModel model;
    const double current = operatingCurrent(entry.conditions());
    GraphState state;
    if (!show_inductance_graph(state, model, entry.application(), entry.candidate(), current)) {
        return kExitRefused;
    }
    GraphState shown = state;
    applyAutomaticAxes(shown);
    const Json extra = {
        {"design", designJson(entry, current)},
        {"description", state.description},
        {"marker", {{"x", jsonNumber(state.marker.x)}, {"y", jsonNumber(state.marker.y)}}},
        {"currentScale", jsonNumber(state.currentScale)},
        {"inductanceScale", jsonNumber(state.inductanceScale)}};
    print(shown, format, context, extra);
    return kExitOk;
}

// Kind 9: the analysis window's T RISE button, at the analysed frequency (kHz x 1000) and
// ambient temperature.
int runAging(const AnalysisEntry& entry, const DesignParameters& parameters, OutputFormat format,
             Context& context) {
    const PowderMaterialModel model;
    const Requirement& r = entry.conditions();
    GraphState state;
    if (show_aging_graph(state, model, entry.application(), entry.candidate(),
                         static_cast<double>(r.fkHz) * 1000.0, r.Ta, parameters) != 1) {
        return kExitRefused;
    }
    GraphState shown = state;
    applyAutomaticAxes(shown);
    const Json extra = {{"design", designJson(entry, operatingCurrent(r))},
                        {"description", state.description}};
    print(shown, format, context, extra);
    return kExitOk;
}

// Kinds 7 and 9 draw the design analysed from the options.
int runDesignGraph(const CurveOptions& o, Context& context) {
    DesignParameters parameters;
    AnalysisEntry entry(parameters);
    AnalysisOutcome outcome = AnalysisOutcome::Refused;
    if (const int status = analyseFromOptions(o.analysis, o.parameters, parameters, entry, outcome);
        status != kExitOk) {
        return status;
    }
    return o.kind == kGraphAging ? runAging(entry, parameters, o.format, context)
                                 : runInductance(entry, o.format, context);
}

int runCurve(const CurveOptions& o, Context& context) {
    if (o.kind == kGraphInductanceVsCurrent || o.kind == kGraphAging) {
        return runDesignGraph(o, context);
    }
    const std::vector<std::string> list = materialList(o.materials);
    for (const std::string& code : list) {
        if (findMaterial(code) == nullptr) {
            std::cerr << "korvane: " << code << " is not a material of the table\n";
            return kExitUsage;
        }
    }
    const PowderMaterialModel model;
    GraphState state;
    state.curveCount = static_cast<int>(list.size());
    show_material_graph(state, model, o.kind, list);
    print(state, o.format, context, Json::object());
    return kExitOk;
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
    addFormatOption(command, options->format, true);
    command->callback([options, &context]() { context.exitCode = runCurve(*options, context); });
}

} // namespace korvane::cli
