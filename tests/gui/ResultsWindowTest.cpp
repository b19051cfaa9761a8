#include "GuiFixture.h"
#include "gui/DataTablPFE.h"
#include "gui/MainForm.h"
#include "gui/ReqtForm.h"
#include "support/RecordingCanvas.h"

#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

namespace korvane::gui {

class ResultsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> f;
    TDataTablPFE* results() { return f->shell().results; }

    // The requirements window's OK on these texts.
    void design(Application a, CoreShape shape, const QStringList& texts) {
        f->shell().main->shapeCommand(shape);
        f->shell().main->designCommand(a);
        TReqtForm* reqt = f->shell().requirements;
        for (int i = 0; i < texts.size(); ++i) {
            reqt->param(i)->setText(texts[i]);
        }
        QTest::mouseClick(reqt->okButton(), Qt::LeftButton);
    }

    // The texts the window draws now.
    std::vector<std::string> pageTexts(bool printed = false) {
        RecordingCanvas canvas(printed ? Size{3300, 2550} : Size{1180, 640}, printed);
        if (printed) {
            results()->drawPrintedPage(canvas);
        } else {
            results()->drawPage(canvas);
        }
        std::vector<std::string> texts;
        for (const RecordedText& t : canvas.texts()) {
            texts.push_back(t.text);
        }
        return texts;
    }

    static bool has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

  private Q_SLOTS:
    void init() { f = std::make_unique<GuiFixture>(); }
    void cleanup() { f.reset(); }

    void pagesOfADesignRun() {
        design(Application::DcBiased, CoreShape::Toroid,
               {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->windowTitle(), QString("ELECTRICAL PROPERTIES DATA"));
        // 40 designs: rows 0 to 39, the scroll bar from 0 to row count - 2 = 39.
        QCOMPARE(results()->scrollBar()->maximum(), 39);
        const std::vector<std::string> electrical = pageTexts();
        QVERIFY(has(electrical, "DC BIASED OUTPUT FILTER INDUCTOR"));
        QVERIFY(has(electrical, "Core Part Number"));
        const std::string first = f->session->lastRun()->search.table.slots[0].partNumber;
        QVERIFY(has(electrical, first));

        results()->scrollBar()->setValue(5);
        QCOMPARE(f->session->selectedRow(), 5);
        QTest::mouseClick(results()->dimensionButton(), Qt::LeftButton);
        QCOMPARE(results()->windowTitle(), QString("CORE DIMENSION PROPERTIES DATA"));
        QVERIFY(has(pageTexts(), "Wound, Overall"));
        QCOMPARE(results()->scrollBar()->value(), 5);
        QTest::mouseClick(results()->electricalButton(), Qt::LeftButton);
        QCOMPARE(results()->windowTitle(), QString("ELECTRICAL PROPERTIES DATA"));
        QTest::mouseClick(results()->closeButton(), Qt::LeftButton);
        QVERIFY(!results()->isVisible());
    }

    void endOfCatalogRowAndStackedPartNumbers() {
        // 20 mH at 10 A on two stacked toroids: few cores qualify and the walk runs out; the
        // designs and the END OF CATALOG row all fit the ten rows shown.
        design(Application::DcBiased, CoreShape::Toroid,
               {"20000", "0", "10", "", "", "12", "5", "100", "25", "2", "1"});
        QVERIFY(f->session->resultsAvailable());
        const DesignRunOutput& run = *f->session->lastRun();
        QVERIFY(run.search.endOfCatalog);
        const int designs = run.search.accepted;
        QCOMPARE(results()->scrollBar()->maximum(), designs - 1);
        results()->scrollBar()->setValue(designs - 1);
        const std::vector<std::string> texts = pageTexts();
        QVERIFY(has(texts, "END OF CATALOG"));
        QVERIFY(has(texts, " ( # Stacked ) "));
        bool x2 = false;
        for (const std::string& t : texts) {
            x2 = x2 || (t.size() > 3 && t.compare(t.size() - 3, 3, " x2") == 0);
        }
        QVERIFY(x2);
        QCOMPARE(f->sink.size(), std::size_t{1});
        QVERIFY(f->sink.last().caption.find("END OF CATALOG") != std::string::npos);
    }

    void aRunWithoutDesignsHidesTheWindow() {
        design(Application::DcBiased, CoreShape::Toroid,
               {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
        QVERIFY(results()->isVisible());
        design(Application::DcBiased, CoreShape::Toroid,
               {"100000000", "0", "50", "", "", "12", "5", "100", "25", "1", "1"});
        QVERIFY(!f->session->resultsAvailable());
        QVERIFY(!results()->isVisible());
        QVERIFY(pageTexts().empty());
    }

    void printedPageIsOneLandscapePage() {
        design(Application::DcBiased, CoreShape::Toroid,
               {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
        const std::vector<std::string> printed = pageTexts(true);
        QVERIFY(has(printed, "KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS"));

        const QString pdf = f->dir.filePath("results.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        results()->printTo(printer);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(QFileInfo(pdf).size() > 1000);

        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QProcess info;
        info.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(20000));
        const QString meta = QString::fromLatin1(info.readAllStandardOutput());
        QVERIFY2(meta.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(meta));
        // Wider than high: "Page size: 842 x 595 pts (A4)" or 792 x 612 (letter).
        const QRegularExpressionMatch size =
            QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(meta);
        QVERIFY2(size.hasMatch(), qPrintable(meta));
        QVERIFY2(size.captured(1).toDouble() > size.captured(2).toDouble(), qPrintable(meta));
        QProcess text;
        text.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        const QString page = QString::fromLatin1(text.readAllStandardOutput());
        QVERIFY(page.contains("KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS"));
        QVERIFY(page.contains("DC BIASED OUTPUT FILTER INDUCTOR"));
        QVERIFY(page.contains("Inductance At Max Current:"));
        QVERIFY(page.contains("Core Part Number"));
        const std::string first = f->session->lastRun()->search.table.slots[0].partNumber;
        QVERIFY2(page.contains(QString::fromStdString(first)), qPrintable(page));
    }
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::ResultsWindowTest)
#include "ResultsWindowTest.moc"
