#include "AnalysisCli.h"
#include "format/StrPrintf.h"
#include "results/DesignRun.h"
#include "results/ResultCells.h"
#include "results/ResultText.h"
#include "settings/MaterialSelection.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <sstream>

namespace korvane::cli {

namespace {

struct DesignOptions {
    RequirementOptions requirement;
    ParameterOptions parameters;
    std::optional<std::string> materials;
    std::string page = "both";
    bool explain = false;
    std::optional<std::string> analyze; // 1-based row of the design to analyse
    OutputFormat format = OutputFormat::Text;
};

// The selection of the given codes ("-275,-226" or "275,226"); nullopt for an unknown code.
std::optional<MaterialSelection> selectionOf(const std::string& codes) {
    MaterialSelection selection;
    for (std::size_t i = 0; i < selection.materialCount(); ++i) {
        selection.setChecked(i, false);
    }
    std::stringstream list(codes);
    std::string code;
    while (std::getline(list, code, ',')) {
        code.erase(0, code.find_first_not_of(' '));
        code.erase(code.find_last_not_of(' ') + 1);
        if (code.empty()) {
            continue;
        }
        if (code.front() != '-') {
            code.insert(0, "-");
        }
        bool known = false;
        for (std::size_t i = 0; i < selection.materialCount(); ++i) {
            if (selection.materials()[i] == code) {
                selection.setChecked(i, true);
                known = true;
            }
        }
        if (!known) {
            std::cerr << "korvane: " << code << " is not a selectable material\n";
            return std::nullopt;
        }
    }
    selection.ok();
    return selection;
}

Json pageJson(const ResultTables& tables, ResultGrid grid, const DesignRunOutput& run) {
    const HeadingPage page =
        tables.headingPage(grid, run.design.application, run.search.wireSystemName);
    Json headings = Json::array();
    for (const HeadingLine& line : page.lines) {
        Json cells = Json::array();
        for (const HeadingCell& cell : line) {
            cells.push_back({{"text", cell.text}, {"columns", cell.columns}});
        }
        headings.push_back(cells);
    }
    Json rows = Json::array();
    const int rowCount = run.search.accepted + (run.search.endOfCatalog ? 1 : 0);
    for (int r = 0; r < rowCount; ++r) {
        Json row = Json::array();
        for (int c = 0; c < columnCount(grid); ++c) {
            row.push_back(tables.grid(grid).cell(r, c));
        }
        rows.push_back(row);
    }
    return {{"caption", std::string(pageCaption(grid))}, {"headings", headings}, {"rows", rows}};
}

void printRequirementBlock(const ResultPageState& state) {
    const RequirementBlock block = state.displayedRequirementBlock();
    for (const RequirementBlockLine& line : block) {
        if (!line.label.empty()) {
            std::cout << strprintf("%-34s %12s  %s\n", line.label.c_str(), line.value.c_str(),
                                   line.unit.c_str());
        }
    }
}

// Hands design `k` (1-based) of the search to the analysis as the results window does: the
// entries are set up from the design and the requirement, then OK is pressed.
int analyseDesign(int k, const DesignRunOutput& run, const RequirementEntry& entry,
                  const DesignParameters& parameters, OutputFormat format, Context& context) {
    if (k < 1 || k > run.search.accepted) {
        std::cerr << "korvane: --analyze " << k << ": the search found " << run.search.accepted
                  << (run.search.accepted == 1 ? " design\n" : " designs\n");
        return kExitRefused;
    }
    const Requirement& r = entry.requirement();
    AnalysisEntry analysis(parameters);
    analysis.setUpFromResult(r.application, r.windingType,
                             &run.search.table.slots[static_cast<std::size_t>(k - 1)], r);
    const AnalysisOutcome outcome = analysis.ok();
    printAnalysis(analysis, outcome, parameters, format, context);
    return outcome == AnalysisOutcome::Analysed ? kExitOk : kExitRefused;
}

// The design number of --analyze: a whole number, nothing else.
std::optional<int> designNumber(const std::string& text) {
    int k = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), k);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return k;
}

int runDesign(const DesignOptions& o, Context& context) {
    std::optional<int> analyze;
    if (o.analyze) {
        analyze = designNumber(*o.analyze);
        if (!analyze) {
            std::cerr << "korvane: --analyze expects a design number (1 = first row): \""
                      << *o.analyze << "\"\n";
            return kExitUsage;
        }
    }
    if (analyze && o.format == OutputFormat::Csv) {
        std::cerr << "korvane: --analyze prints text or json\n";
        return kExitUsage;
    }
    DesignParameters parameters;
    const Application app = parseApplication(o.requirement.app);
    if (const int status = applyParameterOptions(o.parameters, app, parameters);
        status != kExitOk) {
        return status;
    }
    MaterialSelection selection;
    if (o.materials) {
        auto chosen = selectionOf(*o.materials);
        if (!chosen) {
            return kExitUsage;
        }
        selection = *chosen;
    }
    RequirementEntry entry(parameters);
    if (!enterRequirement(o.requirement, entry)) {
        if (o.format == OutputFormat::Json) {
            printJson(
                Json{{"accepted", false}, {"messages", messagesJson(context.sink.messages())}});
        }
        return kExitRefused;
    }
    const Requirement& r = entry.requirement();
    DesignRunOutput run =
        runAutomaticDesign(r, entry.requirementBlock(), parameters, selection, o.explain);
    if (analyze) {
        return analyseDesign(*analyze, run, entry, parameters, o.format, context);
    }
    const bool electrical = o.page != "dimensions";
    const bool dimensions = o.page != "electrical";
    const ResultGrid dimensionPage = dimensionGrid(r.shape);

    switch (o.format) {
    case OutputFormat::Json: {
        Json designs = Json::array();
        for (int i = 0; i < run.search.accepted; ++i) {
            const DesignCandidate& c = run.search.table.slots[static_cast<std::size_t>(i)];
            Json d = candidateJson(c);
            const float price = run.search.cores[static_cast<std::size_t>(i)].price;
            d["price"] = price > 0.0F ? Json(jsonNumber(price)) : Json(nullptr);
            designs.push_back(d);
        }
        Json pages = Json::object();
        if (electrical) {
            pages["electrical"] = pageJson(run.tables, ResultGrid::Electrical, run);
        }
        if (dimensions) {
            pages["dimensions"] = pageJson(run.tables, dimensionPage, run);
        }
        Json out = {{"requirement", requirementJson(r)},
                    {"requirementText", requirementText(r, app)},
                    {"designs", designs},
                    {"endOfCatalog", run.search.endOfCatalog},
                    {"pages", pages},
                    {"messages", messagesJson(context.sink.messages())}};
        if (o.explain) {
            Json trace = Json::array();
            for (const TraceEvent& e : run.trace) {
                trace.push_back(describeTraceEvent(e));
            }
            out["trace"] = trace;
        }
        printJson(out);
        break;
    }
    case OutputFormat::Csv: {
        std::cout << "slot,partNumber";
        for (const auto& [name, value] : candidateNumbers(DesignCandidate{})) {
            std::cout << "," << name;
        }
        std::cout << ",wire.systemName,wire.size,wire.areaCmil,wire.bareDiameter,"
                     "wire.insulatedDiameter,wire.maxOverallDiameter,wire.ohmsPerFoot,price\n";
        for (int i = 0; i < run.search.accepted; ++i) {
            const DesignCandidate& c = run.search.table.slots[static_cast<std::size_t>(i)];
            std::cout << i << "," << c.partNumber;
            for (const auto& [name, value] : candidateNumbers(c)) {
                std::cout << "," << strprintf("%g", value);
            }
            const WireRecord& w = c.wire;
            std::cout << strprintf(
                ",%s,%g,%g,%g,%g,%g,%g", w.systemName.c_str(), static_cast<double>(w.size),
                static_cast<double>(w.areaCmil), static_cast<double>(w.bareDiameter),
                static_cast<double>(w.insulatedDiameter), static_cast<double>(w.maxOverallDiameter),
                static_cast<double>(w.ohmsPerFoot));
            const float price = run.search.cores[static_cast<std::size_t>(i)].price;
            std::cout << "," << (price > 0.0F ? strprintf("%.2f", static_cast<double>(price)) : "")
                      << "\n";
        }
        break;
    }
    case OutputFormat::Text: {
        std::cout << applicationTitle(app) << "\n";
        std::cout << run.state.dateTime() << "\n\n";
        printRequirementBlock(run.state);
        const int rows = run.search.accepted + (run.search.endOfCatalog ? 1 : 0);
        for (ResultGrid grid : {ResultGrid::Electrical, dimensionPage}) {
            if ((grid == ResultGrid::Electrical && !electrical) ||
                (grid != ResultGrid::Electrical && !dimensions)) {
                continue;
            }
            std::cout << "\n" << pageCaption(grid) << "\n";
            std::cout << renderGridText(
                run.tables.headingPage(grid, app, run.search.wireSystemName), run.tables.grid(grid),
                0, rows);
        }
        if (o.explain) {
            std::cout << "\nSEARCH TRACE\n";
            for (const TraceEvent& e : run.trace) {
                std::cout << describeTraceEvent(e) << "\n";
            }
        }
        break;
    }
    }
    return run.search.accepted > 0 ? kExitOk : kExitRefused;
}

} // namespace

void addDesignCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<DesignOptions>();
    CLI::App* command = app.add_subcommand(
        "design", "Automatic design: every catalog core that meets the requirement, up to 40");
    addRequirementOptions(command, options->requirement);
    addParameterOptions(command, options->parameters);
    command->add_option("--materials", options->materials,
                        "Materials the search may use, e.g. -226,-275 (default: all selectable)");
    command->add_option("--page", options->page, "Result pages to print")
        ->check(CLI::IsMember({"electrical", "dimensions", "both"}));
    command->add_flag("--explain", options->explain,
                      "Print what became of every catalog listing the search visited");
    command->add_option("--analyze", options->analyze,
                        "Analyse design K of the results (1 = first row) as the analysis window "
                        "does, and print the analysis instead of the tables");
    addFormatOption(command, options->format, true);
    command->callback([options, &context]() { context.exitCode = runDesign(*options, context); });
}

} // namespace korvane::cli
