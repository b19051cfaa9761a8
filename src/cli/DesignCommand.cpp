#include "AnalysisCli.h"
#include "PageExportCli.h"
#include "format/StrPrintf.h"
#include "graphs/ResultPageDrawing.h"
#include "graphs/TradeOffPlot.h"
#include "report/DesignReport.h"
#include "results/ResultHeadings.h"
#include "results/ResultText.h"

#include <charconv>
#include <iostream>
#include <memory>

namespace korvane::cli {

namespace {

struct DesignOptions {
    RequirementOptions requirement;
    std::optional<std::string> requirementFile;
    std::optional<int> entry; // 1-based; default the file's last entry
    ParameterOptions parameters;
    std::optional<std::string> materials;
    std::string page = "both";
    bool explain = false;
    std::optional<std::string> analyze; // 1-based row of the design to analyse
    std::optional<std::string> pdf;
    std::string tradeoff = "volume,loss"; // the plot's x and y quantities
    std::optional<std::string> plot;
    OutputFormat format = OutputFormat::Text;
};

// "x,y" of two trade-off quantity names; nothing unless both name one.
std::optional<std::pair<TradeOffQuantity, TradeOffQuantity>> tradeOffAxes(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto x = tradeOffFromName(text.substr(0, comma));
    const auto y = tradeOffFromName(text.substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return std::pair{*x, *y};
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
int analyseDesign(int k, DesignSession& session, const DesignOptions& o, Context& context) {
    const DesignRunOutput& run = *session.lastRun();
    if (k < 1 || k > run.search.accepted) {
        std::cerr << "korvane: --analyze " << k << ": the search found " << run.search.accepted
                  << (run.search.accepted == 1 ? " design\n" : " designs\n");
        return kExitRefused;
    }
    session.selectRow(k - 1);
    session.setUpAnalysisFromSelectedRow();
    const AnalysisOutcome outcome = session.analyse();
    int status = outcome == AnalysisOutcome::Analysed ? kExitOk : kExitRefused;
    if (status == kExitOk && o.pdf) {
        status = writeAnalysisPdf(session, *o.pdf);
    }
    printAnalysis(session, outcome, o.format, context);
    return status;
}

// The printed result pages of the run (landscape): ELECTRICAL, then DIMENSION, as chosen.
std::vector<PageDrawing> resultPrintPages(const DesignRunOutput& run, bool electrical,
                                          bool dimensions) {
    const std::string_view title = applicationTitle(run.state.run().application);
    std::vector<PageDrawing> pages;
    for (const ResultPage page : {ResultPage::Electrical, ResultPage::Dimension}) {
        if (!(page == ResultPage::Electrical ? electrical : dimensions)) {
            continue;
        }
        ResultPageState state = run.state;
        if (page == ResultPage::Electrical) {
            state.showElectrical();
        } else {
            state.showDimensions();
        }
        pages.emplace_back([&run, state, title](Canvas& canvas) {
            drawResultPrintPage(canvas, run.tables, state, title, state.dateTime());
        });
    }
    return pages;
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

// Loads entry --entry (default the last) of --requirement-file into the session.
bool loadFileEntry(const DesignOptions& o, DesignSession& session) {
    int index = 0;
    if (o.entry) {
        index = *o.entry - 1;
    } else {
        const auto entries = session.requirementFileEntries(*o.requirementFile);
        if (!entries) {
            return false;
        }
        index = entries->empty() ? 0 : static_cast<int>(entries->size()) - 1;
    }
    return session.loadRequirement(*o.requirementFile, index);
}

// The loaded requirement typed into the requirements window, the resonant frequency derived
// from the typed values as the window derives it.
RequirementTexts loadedRequirementTexts(const RequirementEntry& entry) {
    RequirementTexts texts = entry.typedTexts();
    if (entry.application() == Application::Resonant) {
        const DerivedValue derived = deriveFromTexts(Application::Resonant, texts);
        texts[7] = resonantFrequencyText(derived.resonantFrequency.value_or(0.0F));
    }
    return texts;
}

void printRefusal(const DesignOptions& o, const Context& context) {
    if (o.format == OutputFormat::Json) {
        printJson(Json{{"accepted", false}, {"messages", messagesJson(context.sink.messages())}});
    }
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
    DesignSession session(&context.sink);
    Application app = parseApplication(o.requirement.app);
    ParameterOptions parameterOptions = o.parameters;
    if (o.requirementFile) {
        // As in the program: the settings file is read at start-up, the requirement file's
        // entry then sets the requirement, its materials and parameters; the options given
        // with it apply after.
        if (parameterOptions.settings && !loadSettings(*parameterOptions.settings, session)) {
            return kExitUsage;
        }
        parameterOptions.settings.reset();
        if (!loadFileEntry(o, session)) {
            printRefusal(o, context);
            return kExitRefused;
        }
        app = session.requirementEntry().application();
    }
    if (const int status = applyParameterOptions(parameterOptions, app, session);
        status != kExitOk) {
        return status;
    }
    if (o.materials) {
        if (const auto unknown = session.selectOnly(materialCodes(*o.materials))) {
            std::cerr << "korvane: " << *unknown << " is not a selectable material\n";
            return kExitUsage;
        }
    }
    RequirementEntry& entry = session.requirementEntry();
    const RequirementTexts texts =
        o.requirementFile ? loadedRequirementTexts(entry) : requirementTexts(o.requirement, entry);
    if (session.acceptRequirement(texts, o.explain) == DesignOutcome::Refused) {
        printRefusal(o, context);
        return kExitRefused;
    }
    const Requirement& r = entry.requirement();
    const DesignRunOutput& run = *session.lastRun();
    if (analyze) {
        return analyseDesign(*analyze, session, o, context);
    }
    const bool electrical = o.page != "dimensions";
    const bool dimensions = o.page != "electrical";
    const ResultGrid dimensionPage = dimensionGrid(r.shape);
    // A search that found nothing has no pages to write; its messages say why.
    int status = run.search.accepted > 0 ? kExitOk : kExitRefused;
    if (status == kExitOk && o.pdf) {
        status = writePdf(*o.pdf, PageOrientation::Landscape,
                          resultPrintPages(run, electrical, dimensions));
    }
    if (status == kExitOk && o.plot) {
        // The option's check has read the quantities.
        const auto axes =
            tradeOffAxes(o.tradeoff)
                .value_or(std::pair{TradeOffQuantity::WoundVolume, TradeOffQuantity::TotalLoss});
        const std::vector<TradeOffPoint> points =
            tradeOffPoints(run.search, axes.first, axes.second);
        const int selected = run.state.selectedRow();
        status = writePlot(*o.plot, PageOrientation::Landscape, [&](Canvas& canvas) {
            drawTradeOff(canvas, points, axes.first, axes.second, selected);
        });
    }

    switch (o.format) {
    case OutputFormat::Json:
        printJson(report::designRunJson(run, r, requirementText(r, app), {electrical, dimensions},
                                        context.sink.messages(), o.explain));
        break;
    case OutputFormat::Csv:
        std::cout << report::designsCsv(run);
        break;
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
    return status;
}

} // namespace

void addDesignCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<DesignOptions>();
    CLI::App* command = app.add_subcommand(
        "design", "Automatic design: every catalog core that meets the requirement, up to 40");
    addRequirementOptions(command, options->requirement);
    CLI::Option* file = command->add_option(
        "--requirement-file", options->requirementFile,
        "Design a requirement saved in a requirement file, with the materials and design "
        "parameters saved with it, in place of the requirement options; --settings is read "
        "before it, --units, --wire-standard, --param and --materials apply after it");
    excludeRequirementOptions(command, file);
    command
        ->add_option("--entry", options->entry,
                     "Entry of the requirement file, 1 = first (default: the last)")
        ->needs(file);
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
    addPdfOption(command, options->pdf,
                 "Also write the printed pages chosen by --page as a PDF (landscape); with "
                 "--analyze the printed analysis page");
    std::string names;
    for (const TradeOffQuantity q : kTradeOffQuantities) {
        names += (names.empty() ? "" : ", ") + std::string(tradeOffName(q));
    }
    const CLI::Validator axes(
        [](std::string& text) {
            return tradeOffAxes(text) ? std::string()
                                      : "expected two of the quantities as X,Y: " + text;
        },
        "X,Y");
    addPlotOption(command, options->plot,
                  "Write the trade-off plot of the designs (the quantities of --tradeoff) as "
                  "PDF, SVG or PNG by the name's extension");
    command
        ->add_option("--tradeoff", options->tradeoff,
                     "Quantities of the trade-off plot as X,Y, each one of " + names +
                         " (default volume,loss)")
        ->check(axes);
    addFormatOption(command, options->format, true);
    command->callback([options, &context]() { context.exitCode = runDesign(*options, context); });
}

} // namespace korvane::cli
