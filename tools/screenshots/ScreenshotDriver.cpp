// Drives the real windows of korvane-designer through the flows of a session and saves a PNG
// of every window into the directory given as the first argument (and the printed results
// page as results-print.pdf). Run by tools/screenshots.sh under Xvfb at 1280 x 1024.
#include "gui/AnalysForm05.h"
#include "gui/CoverForm.h"
#include "gui/DataTablPFE.h"
#include "gui/Designer.h"
#include "gui/GraphicsForm.h"
#include "gui/HelpForm.h"
#include "gui/LoadReqtForm.h"
#include "gui/MainForm.h"
#include "gui/MaterialSelector.h"
#include "gui/ParamsForm.h"
#include "gui/ReqtForm.h"
#include "gui/TradeOffForm.h"
#include "gui/WhyNotForm.h"
#include "session/DesignSession.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

using namespace korvane;
using namespace korvane::gui;

QString outDir;

void settle(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(40);
    }
}

void save(QWidget* w, const char* name) {
    settle(w);
    const QString file = QDir(outDir).filePath(QString(name) + ".png");
    if (!w->grab().save(file)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(file));
    } else {
        std::printf("%s\n", qPrintable(file));
    }
}

void printPdf(const std::function<void(QPrinter&)>& print, const char* name) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(outDir).filePath(QString(name) + ".pdf"));
    print(printer);
}

void type(TReqtForm* reqt, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) {
        reqt->param(i)->setText(texts[i]);
    }
    reqt->ParamExit(0);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("INDUCTOR DESIGN FOR POWER FILTERS");
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(outDir);

    // Messages are collected, not shown in boxes, so nothing waits for a click.
    CollectingSink sink(false);
    setMessageSink(&sink);
    DesignSession session(&sink);
    Designer designer(session);
    Shell& s = designer.shell();

    save(s.cover, "cover");
    s.cover->dismiss();
    save(s.main, "main-window");

    s.main->gettingStarted();
    save(s.help, "help-getting-started");
    s.main->helpTopics();
    save(s.help, "help-topics");
    s.help->hide();

    QTimer::singleShot(300, s.about, [&] {
        save(s.about, "about");
        s.about->accept();
    });
    s.main->about();

    s.main->parametersCommand();
    save(s.params, "parameters-awg");
    s.params->wireGageBox()->setCurrentIndex(0);
    s.params->WireGageBoxChange(0);
    save(s.params, "parameters-metric");
    s.params->wireGageBox()->setCurrentIndex(1);
    s.params->WireGageBoxChange(1);
    s.params->Button_OK();

    s.main->materialSelectionItem();
    save(s.materials, "material-selection");
    s.materials->hide();

    const char* names[] = {"requirements-dc-biased",  "requirements-controlled-swing",
                           "requirements-wide-swing", "requirements-pfc-boost",
                           "requirements-60hz",       "requirements-resonant"};
    const QStringList examples[] = {
        {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"},
        {"100", "0", "10", "150", "1", "12", "5", "100", "25", "1", "1"},
        {"100", "0", "10", "500", "1", "12", "5", "100", "25", "1", "1"},
        {"400", "0", "6", "", "", "375", "400", "65", "25", "1", "1"},
        {"10000", "0", "2", "8000", "0.5", "", "", "60", "25", "1", "1"},
        {"10", "0", "2", "", "", "50", "", "", "25", "1", "1"},
    };
    for (int i = 0; i < kApplicationCount; ++i) {
        s.main->designCommand(applicationFromIndex(i));
        type(s.requirements, examples[i]);
        save(s.requirements, names[i]);
    }

    s.main->shapeCommand(CoreShape::Toroid);
    s.main->designCommand(Application::DcBiased);
    type(s.requirements, examples[0]);
    s.requirements->Button_OKClick();
    s.results->scrollBar()->setValue(3);
    s.results->ElectricalClick();
    save(s.results, "results-toroid-electrical");
    s.results->DimensionClick();
    save(s.results, "results-toroid-dimensions");
    s.results->ElectricalClick();
    printPdf([&](QPrinter& p) { s.results->printTo(p); }, "results-print");
    s.results->WhyNotClick();
    save(s.whyNot, "why-not");
    s.whyNot->filterBox()->setText("T157");
    save(s.whyNot, "why-not-filtered");
    s.whyNot->filterBox()->setText("T400");
    save(s.whyNot, "why-not-never-reached");
    s.whyNot->filterBox()->clear();
    s.whyNot->hide();
    s.results->TradeOffClick();
    save(s.tradeOff, "trade-off");
    s.tradeOff->hide();

    // The design graphs of the selected DC-biased design, and its analysis.
    s.main->designPermeabilityGraph(2);
    save(s.graph, "graph-dc-biased-perm-vs-dc-bias");
    s.main->designPermeabilityGraph(3);
    save(s.graph, "graph-dc-biased-perm-vs-ac-flux");
    s.main->inductanceVsCurrent();
    save(s.graph, "graph-dc-biased-inductance-vs-current");
    printPdf([&](QPrinter& p) { s.graph->printTo(p); }, "graph-print");
    s.graph->hide();
    s.results->AnalysisBtnClick();
    save(s.analysis, "analysis-toroid-electrical");
    s.analysis->OnMechanical();
    save(s.analysis, "analysis-toroid-mechanical");
    s.analysis->OnElectrical();
    printPdf([&](QPrinter& p) { s.analysis->printTo(p); }, "analysis-print");
    // A design whose core ages noticeably: 30 turns of #18 on a T80-275 at 50 kHz, 60 C.
    using F = AnalysisField;
    const std::pair<F, const char*> aging[] = {
        {F::PartNumber, "T80-275"}, {F::StackCount, "1"}, {F::Wire, "#18"},    {F::Strands, "1"},
        {F::Turns, "30"},           {F::Current, "5"},    {F::Voltage1, "50"}, {F::Voltage2, "5"},
        {F::Frequency, "50"},       {F::Ambient, "60"}};
    s.session->selectRow(0);
    for (const auto& [field, text] : aging) {
        s.analysis->field(field)->setText(text);
    }
    s.analysis->OnAging();
    save(s.graph, "graph-aging");
    s.graph->hide();
    s.analysis->hide();

    const char* materialGraphs[] = {
        "graph-initial-perm-vs-dc-bias", "graph-percent-perm-vs-dc-bias",
        "graph-percent-perm-vs-ac-flux", "graph-effective-perm-vs-frequency",
        "graph-core-loss-1khz",          "graph-core-loss-100khz"};
    for (int k = 1; k <= 6; ++k) {
        s.main->materialsGraph(k);
        save(s.graph, materialGraphs[k - 1]);
    }
    s.graph->hide();

    s.main->shapeCommand(CoreShape::ECore);
    s.main->designCommand(Application::Line60Hz);
    type(s.requirements, examples[4]);
    s.requirements->Button_OKClick();
    s.results->ElectricalClick();
    save(s.results, "results-ecore-electrical");
    s.results->DimensionClick();
    save(s.results, "results-ecore-dimensions");
    s.main->inductanceVsCurrent();
    save(s.graph, "graph-60hz-inductance-vs-current");
    s.main->designPermeabilityGraph(2);
    save(s.graph, "graph-60hz-perm-vs-dc-bias");
    s.main->designPermeabilityGraph(3);
    save(s.graph, "graph-60hz-perm-vs-ac-flux");
    s.graph->hide();
    s.results->AnalysisBtnClick();
    save(s.analysis, "analysis-ecore-electrical");
    s.analysis->OnMechanical();
    save(s.analysis, "analysis-ecore-mechanical");
    s.analysis->hide();

    // Three requirements saved into one file, then the load window over it.
    const QString requirements = QDir::current().filePath("designs.REQ");
    s.main->chooseRequirementFile = [&] { return requirements; };
    for (const int i : {0, 3, 4}) {
        s.main->designCommand(applicationFromIndex(i));
        type(s.requirements, examples[i]);
        s.requirements->Button_OKClick();
        s.main->saveRequirementToFile();
    }
    s.results->hide();
    s.main->chooseRequirementFileToLoad = [&] { return requirements; };
    s.main->loadRequirementFromFile();
    save(s.loadRequirement, "load-requirement");
    return 0;
}
