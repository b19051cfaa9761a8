#include "GuiFixture.h"
#include "gui/HelpForm.h"
#include "gui/HelpTexts.h"
#include "gui/MainForm.h"
#include "gui/MaterialSelector.h"
#include "gui/ParamsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace korvane::gui {

// The parameters, material selection and help windows.
class EntryWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> f;
    TParamsForm* params() { return f->shell().params; }
    TMaterialSelector* materials() { return f->shell().materials; }
    DesignParameters& parameters() { return f->session->parameters(); }

    void chooseWireStandard(int index) {
        params()->wireGageBox()->setCurrentIndex(index);
        Q_EMIT params()->wireGageBox()->activated(index);
    }

    std::vector<bool> checks() {
        std::vector<bool> c;
        for (std::size_t i = 0; i < materials()->boxCount(); ++i) {
            c.push_back(materials()->box(i)->isChecked());
        }
        return c;
    }

  private Q_SLOTS:
    void init() {
        f = std::make_unique<GuiFixture>();
        f->shell().main->parametersCommand();
        QVERIFY(activate(params()));
    }
    void cleanup() { f.reset(); }

    void parametersShowTheSetAndTheCopperField() {
        QCOMPARE(params()->windowTitle(), QString("DESIGN_PARAMETERS"));
        QCOMPARE(params()->field(0)->text(), QString(" 40.00"));
        QCOMPARE(params()->field(1)->text(), QString("150.00"));
        QCOMPARE(params()->field(7)->text(), QString("0.8330"));
        QVERIFY(params()->field(1)->isVisible());
        QVERIFY(!params()->field(2)->isVisible());
        QCOMPARE(params()->unitsBox()->count(), 3);
        QCOMPARE(params()->wireGageBox()->currentText(), QString("AMERICAN, AWG"));
        // AWG to SWG keeps the field; AWG to metric turns 150 into 1316.00.
        chooseWireStandard(2);
        QVERIFY(params()->field(1)->isVisible());
        QCOMPARE(params()->field(1)->text(), QString("150.00"));
        chooseWireStandard(0);
        QVERIFY(!params()->field(1)->isVisible());
        QVERIFY(params()->field(2)->isVisible());
        QCOMPARE(params()->field(2)->text(), QString("1316.00"));
    }

    void currentDensityRoundTrip() {
        chooseWireStandard(0);
        QLineEdit* density = params()->field(2);
        density->setFocus();
        QTest::keyClicks(density, "1316");
        QCOMPARE(density->text(), QString("1316"));
        QTest::mouseClick(params()->okButton(), Qt::LeftButton);
        QVERIFY(f->sink.empty());
        QVERIFY(!params()->isVisible());
        QCOMPARE(parameters().copperArea(Application::DcBiased), 197400.0F / 1316.0F);
        f->shell().main->parametersCommand();
        QCOMPARE(params()->field(2)->text(), QString("1316.00"));
    }

    void twoEntersRunOkAndAMessageKeepsTheWindow() {
        QLineEdit* rise = params()->field(0);
        rise->setFocus();
        QTest::keyClicks(rise, "30");
        QTest::keyClick(rise, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), params()->field(1));
        QTest::keyClick(params()->field(1), Qt::Key_Return);
        QVERIFY(!params()->isVisible());
        QCOMPARE(parameters().temperatureRiseLimit(Application::DcBiased), 30.0F);

        f->shell().main->parametersCommand();
        params()->field(0)->setText("201");
        QTest::mouseClick(params()->okButton(), Qt::LeftButton);
        QCOMPARE(f->sink.size(), std::size_t{1});
        QCOMPARE(f->sink.last().caption, std::string("PARAMETER OUT OF RANGE ERROR"));
        QCOMPARE(f->sink.last().text,
                 std::string("Parameter 1. (201.00) Must Be In The Range:   0.00 To 200.00"));
        QVERIFY(params()->isVisible());
        params()->field(0)->setText("4x");
        QTest::mouseClick(params()->okButton(), Qt::LeftButton);
        QCOMPARE(f->sink.last().caption, std::string("DATA ENTRY ERROR"));
        QCOMPARE(f->sink.last().text, std::string("INVALID CHARACTER in Parameter 0.  4x "));
    }

    void cancelRestoresAndTheTitleWalksTheApplications() {
        params()->field(0)->setText("77");
        params()->field(4)->setText("12");
        QTest::mouseClick(params()->cancelButton(), Qt::LeftButton);
        QCOMPARE(params()->field(0)->text(), QString(" 40.00"));
        QCOMPARE(params()->field(4)->text(), QString(" 40.00"));
        QVERIFY(params()->isVisible());
        for (int i = 0; i < 6; ++i) {
            QTest::mouseClick(params()->labelApplication(), Qt::LeftButton);
        }
        QCOMPARE(params()->labelApplication()->text(), QString("DC BIASED OUTPUT FILTER INDUCTOR"));
    }

    void materialSelectionBoxes() {
        f->shell().main->materialSelectionItem();
        QCOMPARE(materials()->boxCount(), std::size_t{18});
        const std::vector<bool> all(18, true);
        QCOMPARE(checks(), all);
        QTest::mouseClick(materials()->invertButton(), Qt::LeftButton);
        QCOMPARE(checks(), std::vector<bool>(18, false));
        QTest::mouseClick(materials()->invertButton(), Qt::LeftButton);
        QCOMPARE(checks(), all);

        // Unchecking without OK keeps the material; the next activation checks it again.
        materials()->box(3)->setChecked(false);
        materials()->close();
        QCOMPARE(f->session->selection().selectedCount(), std::size_t{18});
        materials()->formActivate();
        QVERIFY(materials()->box(3)->isChecked());

        // OK with two boxes checked selects those two.
        QTest::mouseClick(materials()->invertButton(), Qt::LeftButton);
        materials()->box(0)->setChecked(true);
        materials()->box(5)->setChecked(true);
        QTest::mouseClick(materials()->okButton(), Qt::LeftButton);
        QVERIFY(!materials()->isVisible());
        const auto& selection = f->session->selection();
        QCOMPARE(selection.selectedCount(), std::size_t{2});
        QCOMPARE(selection.selected()[0], selection.materials()[0]);
        QCOMPARE(selection.selected()[1], selection.materials()[5]);
        f->shell().main->materialSelectionItem();
        QTest::mouseClick(materials()->selectAllButton(), Qt::LeftButton);
        QCOMPARE(checks(), all);
        QCOMPARE(f->session->selection().selectedCount(), std::size_t{2});
    }

    void helpViews() {
        THelp* help = f->shell().help;
        QCOMPARE(help->windowTitle(), QString("KORVANE HELP"));
        QCOMPARE(help->pos(), QPoint(256, 204));
        QCOMPARE(help->size(), QSize(768, 696));
        f->shell().main->gettingStarted();
        QVERIFY(help->gettingStartedField()->isVisible());
        QVERIFY(!help->helpTopicsField()->isVisible());
        QVERIFY(help->blankField()->isVisible());
        QCOMPARE(help->gettingStartedField()->width(), 640);

        f->shell().main->helpTopics();
        QVERIFY(!help->gettingStartedField()->isVisible());
        QVERIFY(!help->blankField()->isVisible());
        QVERIFY(help->helpTopicsField()->isVisible());
        QScrollBar* bar = help->helpTopicsField()->verticalScrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(bar->value() > 0);
        f->shell().main->helpTopics();
        QCOMPARE(bar->value(), 0);
        f->shell().main->gettingStarted();
        QVERIFY(help->gettingStartedField()->isVisible());
        QVERIFY(!help->blankField()->isVisible());
    }

    void helpTextsHoldEveryHeading() {
        const QString started = QString::fromLatin1(
            kGettingStartedText.data(), static_cast<qsizetype>(kGettingStartedText.size()));
        QVERIFY(started.startsWith("This program consists of three primary functions, Automatic "
                                   "Design, Analysis, and References.  You can launch"));
        QVERIFY(
            started.trimmed().endsWith("FOR ADDITIONAL DETAILS ON THE USE OF THIS PROGRAM PRESS "
                                       "THE HELP BUTTON IN THE MAIN WINDOW TOOLBAR."));
        for (const char* h : {"AUTOMATIC DESIGNS:", "ANALYSIS:", "REFERENCE DATA:"}) {
            QVERIFY2(started.contains(QString("\r\n") + h), h);
        }
        QVERIFY(!started.contains(QRegularExpression("[^\r]\n")));
        const QString topics = QString::fromLatin1(kHelpTopicsText.data(),
                                                   static_cast<qsizetype>(kHelpTopicsText.size()));
        const QStringList lines = topics.split("\r\n");
        for (const char* entry :
             {"HELP TOPICS", "PROGRAM DESCRIPTION", "GETTING STARTED", "MENUS AND BUTTONS",
              "DESIGNS AVAILABLE", "ENTERING DESIGN REQUIREMENTS",
              "CHANGING DESIGN CONSTANTS AND CONSTRAINTS", "SELECTING CORES AND MATERIALS",
              "DATA DISPLAYS", "THE ANALYSIS FUNCTION", "DEFINITIONS", "UNITS OF MEASURE"}) {
            QVERIFY2(lines.contains(QString(8, ' ') + entry), entry);
        }
        for (const char* entry : {"DC Resistance", "Copper and Core Losses", "Temperature Rise"}) {
            QVERIFY2(lines.contains(QString(16, ' ') + entry), entry);
        }
        int at = 0;
        for (const char* heading : {"PROGRAM DESCRIPTION:",
                                    "GETTING STARTED:",
                                    "MENUS AND BUTTONS:",
                                    "DESIGN TYPES AVAILABLE:",
                                    "POWER SUPPLY OUTPUT (dc biased) FILTER INDUCTORS:",
                                    "CONTROLLED INDUCTANCE SWING FILTER INDUCTORS:",
                                    "WIDE SWING FILTER INDUCTORS:",
                                    "INDUCTORS FOR POWER FACTOR BOOST (PFC) applications:",
                                    "60 HZ. AC INDUCTORS:",
                                    "RESONANT INDUCTORS:",
                                    "DESIGN REQUIREMENTS:",
                                    "DESIGN PARAMETERS:",
                                    "SELECTING CORES:",
                                    "DATA DISPLAYS:",
                                    "THE ANALYSIS FUNCTION:",
                                    "DEFINITIONS:",
                                    "DC Resistance:",
                                    "Copper Loss:",
                                    "Core Loss:",
                                    "Temperature Rise:",
                                    "UNITS OF MEASURE:"}) {
            const int line = static_cast<int>(lines.indexOf(QString(heading), at));
            QVERIFY2(line > at, heading);
            at = line;
        }
        QVERIFY(topics.contains("Temperature is in degrees Celsius."));
        QVERIFY(started.size() > 2200 && started.size() < 3000);
        QVERIFY(topics.size() > 11000 && topics.size() < 15000);
    }
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::EntryWindowsTest)
#include "EntryWindowsTest.moc"
