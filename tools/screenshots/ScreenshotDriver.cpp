// Drives the real windows of korvane-designer through the flows of a session and saves a PNG
// of every window into the directory given as the first argument (and the printed results
// page as results-print.pdf). Run by tools/screenshots.sh under Xvfb at 1280 x 1024.
#include "gui/CoverForm.h"
#include "gui/DataTablPFE.h"
#include "gui/Designer.h"
#include "gui/HelpForm.h"
#include "gui/MainForm.h"
#include "gui/MaterialSelector.h"
#include "gui/ParamsForm.h"
#include "gui/ReqtForm.h"
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
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(outDir).filePath("results-print.pdf"));
    s.results->printTo(printer);

    s.main->shapeCommand(CoreShape::ECore);
    s.main->designCommand(Application::Line60Hz);
    type(s.requirements, examples[4]);
    s.requirements->Button_OKClick();
    s.results->ElectricalClick();
    save(s.results, "results-ecore-electrical");
    s.results->DimensionClick();
    save(s.results, "results-ecore-dimensions");
    return 0;
}
