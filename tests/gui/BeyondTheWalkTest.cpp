#include "GuiFixture.h"
#include "gui/CanvasView.h"
#include "gui/DataTablPFE.h"
#include "gui/LoadReqtForm.h"
#include "gui/MainForm.h"
#include "gui/ReqtForm.h"
#include "gui/TradeOffForm.h"
#include "gui/WhyNotForm.h"
#include "support/RecordingCanvas.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace korvane::gui {

// The windows beyond the catalog walk: WHY NOT and TRADE-OFF.
class BeyondTheWalkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> f;

    void design(const QStringList& texts) {
        f->shell().main->designCommand(Application::DcBiased);
        TReqtForm* reqt = f->shell().requirements;
        for (int i = 0; i < texts.size(); ++i) {
            reqt->param(i)->setText(texts[i]);
        }
        QTest::mouseClick(reqt->okButton(), Qt::LeftButton);
        QVERIFY(f->shell().results->isVisible());
    }

  private Q_SLOTS:
    void init() {
        f = std::make_unique<GuiFixture>();
        design({"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
    }
    void cleanup() { f.reset(); }

    void whyNotListsEveryVisitedListing() {
        QTest::mouseClick(f->shell().results->whyNotButton(), Qt::LeftButton);
        TWhyNotForm* why = f->shell().whyNot;
        QVERIFY(why->isVisible());
        const std::size_t visited = f->session->lastRun()->trace.size();
        QVERIFY(visited > 40);
        const QStringList lines = why->list()->toPlainText().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(static_cast<std::size_t>(lines.size()), visited);
        QVERIFY(why->countsLabel()->text().startsWith(QString("%1 of %1 listings:").arg(visited)));
        QVERIFY(why->countsLabel()->text().contains("Accepted 40"));
        QVERIFY(!why->noteLabel()->isVisible());
        QCOMPARE(lines.filter("accepted into row ").size(), 40);

        // Typing a filter keeps the listings it names, either case.
        why->filterBox()->setFocus();
        QTest::keyClicks(why->filterBox(), "t137");
        const QStringList kept = why->list()->toPlainText().split('\n', Qt::SkipEmptyParts);
        QVERIFY(!kept.isEmpty());
        for (const QString& line : kept) {
            QVERIFY2(line.contains("T137-"), qPrintable(line));
        }
        QVERIFY(why->countsLabel()->text().startsWith(
            QString("%1 of %2 listings:").arg(kept.size()).arg(visited)));

        // A listing after the fortieth design: never reached, and why.
        why->filterBox()->setText("T400");
        QVERIFY(why->list()->toPlainText().isEmpty());
        QVERIFY(why->noteLabel()->isVisible());
        QVERIFY(why->noteLabel()->text().contains("was never reached"));
        QVERIFY(why->noteLabel()->text().contains("stops at 40 designs"));
    }

    void tradeOffPlotsTheDesignsAndClicksSelectRows() {
        QTest::mouseClick(f->shell().results->tradeOffButton(), Qt::LeftButton);
        TTradeOffForm* plot = f->shell().tradeOff;
        QVERIFY(plot->isVisible());
        QCOMPARE(plot->xQuantity(), TradeOffQuantity::WoundVolume);
        QCOMPARE(plot->yQuantity(), TradeOffQuantity::TotalLoss);
        QCOMPARE(plot->xBox()->count(), 6);

        RecordingCanvas canvas({plot->plot()->width(), plot->plot()->height()});
        plot->drawPlot(canvas);
        QVERIFY(canvas.hasText("TOTAL LOSS, W  vs  WOUND VOLUME, cu cm"));
        QVERIFY(canvas.hasText("row 1")); // the first row is selected after a run

        // A click on the point of row 6 selects row 6 in the results window.
        const auto points =
            tradeOffPoints(f->session->lastRun()->search, plot->xQuantity(), plot->yQuantity());
        const Size size{plot->plot()->width(), plot->plot()->height()};
        std::optional<Point> at;
        for (int y = 0; y < size.height && !at; ++y) {
            for (int x = 0; x < size.width && !at; ++x) {
                if (tradeOffRowAt(size, points, {x, y}) == 5) {
                    at = Point{x, y};
                }
            }
        }
        QVERIFY(at.has_value());
        QTest::mouseClick(plot->plot(), Qt::LeftButton, Qt::NoModifier, QPoint(at->x, at->y));
        QCOMPARE(f->session->selectedRow(), 5);
        QCOMPARE(f->shell().results->scrollBar()->value(), 5);
        // Choosing other quantities plots them.
        plot->xBox()->setCurrentIndex(static_cast<int>(TradeOffQuantity::Price));
        plot->yBox()->setCurrentIndex(static_cast<int>(TradeOffQuantity::TempRise));
        canvas.clear();
        plot->drawPlot(canvas);
        QVERIFY(canvas.hasText("PRICE"));
        QVERIFY(canvas.hasText("TEMPERATURE RISE, DEG C"));
        QVERIFY(canvas.hasText("row 6"));
    }

    void loadRequirementFromAThreeEntryFile() {
        // Three requirements saved in turn, each with the application then shown.
        const QString file = f->dir.filePath("three.REQ");
        const Application apps[] = {Application::DcBiased, Application::PfcBoost,
                                    Application::Line60Hz};
        const QStringList texts[] = {
            {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"},
            {"400", "0", "6", "", "", "375", "400", "65", "30", "2", "1"},
            {"10000", "0", "2", "8000", "0.5", "", "", "60", "40", "1", "3"}};
        f->shell().main->chooseRequirementFile = [&] { return file; };
        for (int i = 0; i < 3; ++i) {
            f->shell().main->designCommand(apps[i]);
            TReqtForm* reqt = f->shell().requirements;
            for (int k = 0; k < texts[i].size(); ++k) {
                reqt->param(k)->setText(texts[i][k]);
            }
            reqt->Button_OKClick();
            f->shell().main->saveRequirementToFile();
        }
        f->sink.clear();

        // A fresh program loads the PFC entry back.
        GuiFixture other;
        other.shell().main->chooseRequirementFileToLoad = [&] { return file; };
        other.shell().main->loadRequirementFromFile();
        TLoadReqtForm* load = other.shell().loadRequirement;
        QVERIFY(load->isVisible());
        QCOMPARE(load->list()->count(), 3);
        QVERIFY(load->list()->item(1)->text().contains("PFCBOOST"));
        QCOMPARE(load->list()->currentRow(), 2); // the last entry at first
        load->list()->setCurrentRow(1);
        QTest::mouseClick(load->loadButton(), Qt::LeftButton);
        QVERIFY(!load->isVisible());
        TReqtForm* reqt = other.shell().requirements;
        QVERIFY(reqt->isVisible());
        QCOMPARE(reqt->application(), Application::PfcBoost);
        QCOMPARE(reqt->param(0)->text().trimmed(), QString("400.00"));
        QCOMPARE(reqt->param(5)->text().trimmed(), QString("375.00"));
        QCOMPARE(reqt->param(9)->text().trimmed(), QString("2"));
        QCOMPARE(other.session->parameters().ambientTemperature(Application::PfcBoost), 30.0F);
        QVERIFY(other.sink.empty());
        // OK designs it as typed.
        reqt->Button_OKClick();
        QVERIFY(other.session->resultsAvailable());

        // A file that does not read is refused with the line, and no window opens.
        const QString bad = f->dir.filePath("bad.REQ");
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("not a requirement file\n");
        out.close();
        load->hide();
        other.shell().main->chooseRequirementFileToLoad = [&] { return bad; };
        other.shell().main->loadRequirementFromFile();
        QVERIFY(!load->isVisible());
        QCOMPARE(other.sink.last().caption, std::string("REQUIREMENT FILE ERROR"));
    }
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::BeyondTheWalkTest)
#include "BeyondTheWalkTest.moc"
