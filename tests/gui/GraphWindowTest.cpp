#include "GuiFixture.h"
#include "graphs/PlotAxes.h"
#include "gui/CanvasView.h"
#include "gui/DataTablPFE.h"
#include "gui/ExportDialog.h"
#include "gui/GraphicsForm.h"
#include "gui/MainForm.h"
#include "gui/ReqtForm.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

namespace korvane::gui {

class GraphWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> f;
    TGraphicsForm* graph() { return f->shell().graph; }
    const GraphState& state() { return f->session->graph(); }

    void design(Application a, const QStringList& texts) {
        f->shell().main->designCommand(a);
        TReqtForm* reqt = f->shell().requirements;
        for (int i = 0; i < texts.size(); ++i) {
            reqt->param(i)->setText(texts[i]);
        }
        reqt->Button_OKClick();
        QVERIFY(f->session->resultsAvailable());
    }

    // Red pixels of a picture: the curves and the marker.
    static QRect redBounds(const QImage& image) {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 90 && c.blue() < 90) {
                    bounds = bounds.united(QRect(x, y, 1, 1));
                }
            }
        }
        return bounds;
    }

  private Q_SLOTS:
    void init() { f = std::make_unique<GuiFixture>(); }
    void cleanup() {
        chooseExportFile = nullptr;
        f.reset();
    }

    void materialGraphsOfEverySelectedMaterial() {
        const char* titles[] = {
            "INITIAL PERMEABILITY vs DC BIAS", "PERCENT INITIAL PERMEABILITY vs DC BIAS",
            "PERCENT PERMEABILITY vs AC FLUX DENSITY", "EFFECTIVE PERMEABILITY vs FREQUENCY",
            "CORE LOSS vs PEAK AC FLUX DENSITY @ 1 kHZ"};
        for (int k = 1; k <= 6; ++k) {
            graph()->hide();
            f->shell().main->materialsGraph(k);
            QVERIFY(graph()->isVisible());
            QCOMPARE(static_cast<int>(state().graphKind), k);
            // 18 mixes selected: the first 16 are drawn, as the message says.
            QCOMPARE(state().curveCount, 16);
            QCOMPARE(f->sink.last().text,
                     std::string("Graphs for Only the first 16 in the list will be shown"));
            if (k <= 5) {
                QCOMPARE(graph()->windowTitle(), QString(titles[k - 1]));
            }
            QVERIFY(!graph()->xLabel()->text().isEmpty());
            QVERIFY(!graph()->yLabel()->text().isEmpty());
        }
        // The pop-up's items do what the MATERIALS PROPERTIES items do.
        QMenu* popup = f->shell().main->materialsDataMenu();
        QCOMPARE(popup->actions().size(), 6);
        QCOMPARE(popup->actions()[2]->text(), QString("PERCENT INITIAL PERM vs AC FLUX DENSITY"));
        popup->actions()[0]->trigger();
        QCOMPARE(static_cast<int>(state().graphKind), 1);
    }

    void designGraphsNeedADesign() {
        graph()->hide();
        f->shell().main->designPermeabilityGraph(kGraphPercentPermVsDcBias);
        f->shell().main->designPermeabilityGraph(kGraphPercentPermVsAcFlux);
        f->shell().main->inductanceVsCurrent();
        f->shell().main->agingGraph();
        QVERIFY(!graph()->isVisible());

        design(Application::DcBiased, {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
        f->shell().main->designPermeabilityGraph(kGraphPercentPermVsAcFlux);
        QVERIFY(graph()->isVisible());
        QCOMPARE(static_cast<int>(state().graphKind), kGraphPercentPermVsAcFlux);
        QCOMPARE(state().curveCount, 1);
        f->shell().main->inductanceVsCurrent();
        QCOMPARE(static_cast<int>(state().graphKind), kGraphInductanceVsCurrent);
        QCOMPARE(graph()->windowTitle(), QString("INDUCTANCE vs CURRENT"));
        QCOMPARE(graph()->yLabel()->text(), QString("L, uH"));
        // The results window's INDUCTANCE draws the same graph.
        const auto points = state().points[0];
        QTest::mouseClick(f->shell().results->inductanceButton(), Qt::LeftButton);
        QCOMPARE(state().points[0], points);
    }

    void lossAndTemperatureVsAgeAreOneGraph() {
        // A -275 core at 50 kHz and 60 C: a design whose core ages noticeably.
        const std::string mix[] = {"-275"};
        QVERIFY(!f->session->selectOnly(mix));
        design(Application::DcBiased, {"20", "0", "5", "", "", "50", "5", "50", "60", "1", "1"});
        std::vector<GraphState> shown;
        for (int i = 0; i < 3; ++i) {
            graph()->hide();
            if (i == 0) {
                f->shell().main->agingGraph(); // LOSS vs AGE and TEMPERATURE vs AGE
            } else if (i == 1) {
                f->shell().main->agingGraph();
            } else {
                QTest::mouseClick(f->shell().results->tempRiseButton(), Qt::LeftButton);
            }
            QVERIFY(graph()->isVisible());
            shown.push_back(state());
        }
        for (const GraphState& s : shown) {
            QCOMPARE(static_cast<int>(s.graphKind), kGraphAging);
            QCOMPARE(s.points[0], shown[0].points[0]);
            QCOMPARE(s.caption, std::string("CORE TEMPERATURE vs TIME"));
        }
        QMenu* display = nullptr;
        for (QMenu* m : f->shell().main->findChildren<QMenu*>()) {
            if (m->title() == "DA&TA DISPLAY") {
                display = m;
            }
        }
        QVERIFY(display != nullptr);
        QStringList items;
        for (QAction* a : display->actions()) {
            items << a->text();
        }
        QCOMPARE(items,
                 QStringList({"ELECTRICAL and DIMENSIONS", "% PERM vs DC BIAS", "% PERM vs AC FLUX",
                              "INDUCTANCE vs CURRENT", "LOSS vs AGE", "TEMPERATURE vs AGE"}));
    }

    void resizingRedrawsFromTheStoredPoints() {
        f->shell().main->materialsGraph(kGraphPercentPermVsDcBias);
        graph()->resize(640, 480);
        const QImage small = graph()->plot()->grab().toImage();
        const auto points = state().points;
        graph()->resize(1000, 760);
        QApplication::processEvents();
        const QImage large = graph()->plot()->grab().toImage();
        QVERIFY(large.width() > small.width());
        QCOMPARE(state().points, points);
        // The curves are drawn again, inside the plot, at the new size.
        for (const QImage& image : {small, large}) {
            const QRect red = redBounds(image);
            QVERIFY(!red.isEmpty());
            const PixelFrame frame = screenFrame(image.width(), image.height());
            QVERIFY(red.left() >= frame.xOrigin - 1);
            QVERIFY(red.right() <= frame.right + 40); // the names stand at the curves' ends
        }
        // PRINT GRAPH shows once the graph has been drawn on the screen.
        QTRY_VERIFY(graph()->printButton()->isVisible());
    }

    void exportsOfTheGraphPage() {
        design(Application::DcBiased, {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
        f->shell().main->inductanceVsCurrent();
        QVERIFY(graph()->isVisible());
        QString file;
        chooseExportFile = [&](QWidget*, const QString&) { return file; };

        file = f->dir.filePath("graph.svg");
        graph()->SaveAsClick();
        QFile svg(file);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        int paths = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline"))) {
                ++paths;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(paths > 0);

        file = f->dir.filePath("graph.png");
        graph()->SaveAsClick();
        const QImage png(file);
        const Size page = render::exportImageSize(render::PageOrientation::Landscape);
        QCOMPARE(png.size(), QSize(page.width, page.height));
        const QRect red = redBounds(png);
        QVERIFY(!red.isEmpty());
        const PixelFrame frame = printFrame(page.width, page.height);
        QVERIFY(red.left() >= frame.xOrigin - 12);
        QVERIFY(red.right() <= frame.xOrigin + frame.xLength + 12);
        QVERIFY(red.top() >= frame.highestRow() - 12);
        QVERIFY(red.bottom() <= frame.lowestRow() + 12);

        file = f->dir.filePath("graph.pdf");
        graph()->SaveAsClick();
        QVERIFY(QDir(f->dir.path()).entryList({"*.partial-*"}).isEmpty());
        QProcess info;
        const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
        if (pdfinfo.isEmpty()) {
            QSKIP("poppler-utils is not installed");
        }
        info.start(pdfinfo, {file});
        QVERIFY(info.waitForFinished(20000));
        const QString meta = QString::fromLatin1(info.readAllStandardOutput());
        QVERIFY(meta.contains(QRegularExpression("Pages:\\s+1\\n")));
        const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(meta);
        QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble());
        QProcess text;
        text.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", file, "-"});
        QVERIFY(text.waitForFinished(20000));
        const QString page2 = QString::fromLatin1(text.readAllStandardOutput());
        QVERIFY(page2.contains("INDUCTANCE vs CURRENT"));
        QVERIFY(page2.contains("CURRENT IN AMPERES"));
        QVERIFY(page2.contains(
            QString::fromStdString(f->session->lastRun()->search.table.slots[0].partNumber)));

        // PRINT GRAPH to a PDF printer prints the same page and hides the button.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(f->dir.filePath("printed.pdf"));
        graph()->printTo(printer);
        QVERIFY(QFileInfo(f->dir.filePath("printed.pdf")).size() > 1000);
        QVERIFY(!graph()->printButton()->isVisible());
    }
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::GraphWindowTest)
#include "GraphWindowTest.moc"
