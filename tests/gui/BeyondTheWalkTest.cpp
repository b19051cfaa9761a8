#include "GuiFixture.h"
#include "gui/CanvasView.h"
#include "gui/DataTablPFE.h"
#include "gui/MainForm.h"
#include "gui/ReqtForm.h"
#include "gui/TradeOffForm.h"
#include "gui/WhyNotForm.h"
#include "support/RecordingCanvas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::BeyondTheWalkTest)
#include "BeyondTheWalkTest.moc"
