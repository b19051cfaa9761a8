#include "GuiFixture.h"
#include "gui/DataTablPFE.h"
#include "gui/MainForm.h"
#include "gui/MaterialSelector.h"
#include "gui/ReqtForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace korvane::gui {

class RequirementsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> f;
    TReqtForm* reqt() { return f->shell().requirements; }

    void typeRequirement(const QStringList& values) {
        for (int i = 0; i < values.size(); ++i) {
            reqt()->param(i)->setText(values[i]);
        }
    }

  private Q_SLOTS:
    void init() {
        f = std::make_unique<GuiFixture>();
        f->shell().main->designCommand(Application::DcBiased);
        QVERIFY(activate(reqt()));
    }
    void cleanup() { f.reset(); }

    void titleClicksWalkTheApplications() {
        QCOMPARE(reqt()->labelApplication()->text(), QString("DC BIASED OUTPUT FILTER INDUCTOR"));
        QStringList titles;
        for (int i = 0; i < 6; ++i) {
            QTest::mouseClick(reqt()->labelApplication(), Qt::LeftButton);
            titles << reqt()->labelApplication()->text();
            QCOMPARE(f->shell().main->currentApplication(), reqt()->application());
        }
        QCOMPARE(titles.back(), QString("DC BIASED OUTPUT FILTER INDUCTOR"));
        QCOMPARE(titles.removeDuplicates(), 0);
        QCOMPARE(reqt()->shapeBox()->count(), 3);
        QCOMPARE(reqt()->windingBox()->count(), 2);
    }

    void fieldsFollowTheApplication() {
        struct Row {
            Application app;
            QString caption2;
            QString unit2;
            bool field3;
            bool field5;
            bool ripple;
            bool material;
        };
        const Row rows[] = {
            {Application::DcBiased, "Maximum Current:", "Amperes", false, true, true, true},
            {Application::ControlledSwing, "Maximum Current:", "Amperes", true, true, true, true},
            {Application::WideSwing, "Maximum Current:", "Amperes", true, true, true, false},
            {Application::PfcBoost, "Maximum Current:", "Amperes", false, true, true, true},
            {Application::Line60Hz, "Maximum Current:", "Amperes rms", true, false, false, true},
            {Application::Resonant, "Peak Current:", "Amperes", false, true, false, false},
        };
        for (const Row& r : rows) {
            f->shell().main->designCommand(r.app);
            reqt()->formActivate();
            QCOMPARE(reqt()->caption(2)->text(), r.caption2);
            QCOMPARE(reqt()->unit(2)->text(), r.unit2);
            QCOMPARE(reqt()->param(3)->isVisible(), r.field3);
            QCOMPARE(reqt()->caption(3)->isVisible(), r.field3);
            QCOMPARE(reqt()->param(5)->isVisible(), r.field5);
            QCOMPARE(reqt()->rippleLabel()->isVisible(), r.ripple);
            QCOMPARE(reqt()->materialButton()->isVisible(), r.material);
            QCOMPARE(reqt()->param(0)->toolTip(),
                     QString("INDUCTANCE AT MAXIMUM CURRENT INDICATED BELOW"));
        }
        QCOMPARE(reqt()->param(7)->toolTip(),
                 QString("This value is calculated from the Specified voltage, current, and "
                         "inductance and CANNOT BE CHANGED HERE."));
    }

    void wideSwingForcesCompositeAndResonantSingleLayer() {
        reqt()->shapeBox()->setCurrentIndex(1);
        Q_EMIT reqt()->shapeBox()->activated(1);                       // E-CORE chosen by the user
        QTest::mouseClick(reqt()->labelApplication(), Qt::LeftButton); // CONTROLLED SWING
        QTest::mouseClick(reqt()->labelApplication(), Qt::LeftButton); // WIDE SWING
        QVERIFY(!reqt()->shapeBox()->isVisible());
        QVERIFY(reqt()->compositeLabel()->isVisible());
        QCOMPARE(f->session->requirementEntry().requirement().shape, CoreShape::Composite);
        QTest::mouseClick(reqt()->labelApplication(), Qt::LeftButton); // PFC BOOST
        QVERIFY(reqt()->shapeBox()->isVisible());
        QCOMPARE(reqt()->shapeBox()->currentText(), QString("E-CORE"));

        QTest::mouseClick(reqt()->labelApplication(), Qt::LeftButton); // 60 HZ
        QTest::mouseClick(reqt()->labelApplication(), Qt::LeftButton); // RESONANT
        QCOMPARE(reqt()->windingBox()->currentText(), QString("SINGLE LAYER"));
        // The user's own FULL WINDOW comes back after RESONANT, even when the winding was
        // changed while RESONANT forced it.
        reqt()->windingBox()->setCurrentIndex(1);
        Q_EMIT reqt()->windingBox()->activated(1);
        QTest::mouseClick(reqt()->labelApplication(), Qt::LeftButton); // DC BIASED
        QCOMPARE(reqt()->windingBox()->currentText(), QString("FULL WINDOW"));
        QCOMPARE(f->session->requirementEntry().requirement().windingType, WindingType::FullWindow);
    }

    void typingFiltersTheLastCharacter() {
        QLineEdit* l1 = reqt()->param(0);
        l1->setFocus();
        QTest::keyClicks(l1, "12a");
        QCOMPARE(l1->text(), QString("12a"));
        QTest::keyClicks(l1, "3");
        QCOMPARE(l1->text(), QString("123"));
        // Minus is foreign in a value field, allowed in the temperature field.
        QTest::keyClicks(l1, "-5");
        QCOMPARE(l1->text(), QString("1235"));
        QLineEdit* ta = reqt()->param(8);
        ta->setFocus();
        QTest::keyClicks(ta, "1-2");
        QCOMPARE(ta->text(), QString("1-2"));
    }

    void typingGoesInAtTheCaretAndOverTheSelection() {
        QLineEdit* l1 = reqt()->param(0);
        l1->setFocus();
        QTest::keyClicks(l1, "10");
        QTest::keyClick(l1, Qt::Key_Left);
        QTest::keyClicks(l1, "2");
        QCOMPARE(l1->text(), QString("120"));
        QCOMPARE(l1->cursorPosition(), 2);
        l1->setSelection(0, 2);
        QTest::keyClicks(l1, "7");
        QCOMPARE(l1->text(), QString("70"));
    }

    void enterMovesOnAndArrowsWalkTheRing() {
        QLineEdit* l1 = reqt()->param(0);
        l1->setFocus();
        QTest::keyClick(l1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), reqt()->param(1));
        QTest::keyClick(reqt()->param(1), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), reqt()->param(2));
        // DC BIASED hides fields 3 and 4: Down goes on to field 5.
        QTest::keyClick(reqt()->param(2), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), reqt()->param(5));
        QTest::keyClick(reqt()->param(5), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), reqt()->param(2));
        // The first key typed after the move replaces the field.
        QTest::keyClicks(reqt()->param(2), "7");
        QCOMPARE(reqt()->param(2)->text(), QString("7"));
    }

    void twoEntersRunTheDesignAndShowTheResults() {
        typeRequirement({"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
        QLineEdit* l1 = reqt()->param(0);
        l1->setFocus();
        QTest::keyClick(l1, Qt::Key_Return);
        QVERIFY(!f->shell().results->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(f->session->resultsAvailable());
        QVERIFY(f->shell().results->isVisible());
        QVERIFY(f->sink.empty());
        QCOMPARE(f->session->lastRun()->search.accepted, 40);
        QCOMPARE(f->session->parameters().ambientTemperature(Application::DcBiased), 25.0F);
    }

    void refusedRequirementShowsTheMessageAndKeepsTheWindow() {
        typeRequirement({"100", "0", "0", "", "", "12", "5", "100", "25", "1", "1"});
        QTest::mouseClick(reqt()->okButton(), Qt::LeftButton);
        QCOMPARE(f->sink.size(), std::size_t{1});
        QCOMPARE(f->sink.last().caption, std::string("DATA ENTRY ERROR"));
        QCOMPARE(f->sink.last().text, std::string("Peak Current must be greater than 1 uA"));
        QVERIFY(!f->session->resultsAvailable());
        QVERIFY(!f->shell().results->isVisible());
        QCOMPARE(reqt()->param(2)->text(), QString("0"));
    }

    void cancelRestoresTheTextsOfTheLastActivation() {
        const QString shown = reqt()->param(0)->text();
        reqt()->param(0)->setText("555");
        reqt()->param(5)->setText("9");
        reqt()->ButtonCancelClick();
        QCOMPARE(reqt()->param(0)->text(), shown);
        QVERIFY(reqt()->param(5)->text() != QString("9"));
    }

    // Typing survives a trip to another program and a message box; coming from the main
    // window rebuilds the fields from the stored requirement.
    void typingSurvivesLeavingTheProgramButNotAnotherWindow() {
        const QString shown = reqt()->param(0)->text();
        reqt()->param(0)->setText("555");
        QApplication::setActiveWindow(nullptr); // another program is active
        QTRY_VERIFY(!reqt()->isActiveWindow());
        QVERIFY(activate(reqt()));
        QCOMPARE(reqt()->param(0)->text(), QString("555"));

        f->shell().main->show();
        QVERIFY(activate(f->shell().main));
        QVERIFY(activate(reqt()));
        QCOMPARE(reqt()->param(0)->text(), shown);
    }

    void rippleAndResonantFrequencyFollowFocusLoss() {
        typeRequirement({"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"});
        reqt()->param(0)->setFocus();
        reqt()->param(1)->setFocus(); // leaving field 0
        // Veff = 2 x 12 x 5 / 17 = 7.0588 V; 7.0588 / 100 / 100 x 1000 x 0.5 = 0.353 A.
        QCOMPARE(reqt()->rippleLabel()->text(), QString("RIPPLE CURRENT:   0.353 Amperes  p-p"));

        f->shell().main->designCommand(Application::Resonant);
        reqt()->formActivate();
        typeRequirement({"10", "0", "2", "", "", "50", "", "1", "25", "1", "1"});
        reqt()->param(5)->setFocus();
        reqt()->param(0)->setFocus(); // leaving field 5
        // 159.155 / 10 x 50 / 2 = 397.9 kHz.
        QCOMPARE(reqt()->param(7)->text(), QString("397.9"));
    }

    void coreMaterialOpensTheMaterialSelection() {
        QTest::mouseClick(reqt()->materialButton(), Qt::LeftButton);
        QVERIFY(f->shell().materials->isVisible());
        QVERIFY(f->shell().materials->isEnabled());
    }

    void acceleratorsAreTheCaptionsMarks() {
        QCOMPARE(reqt()->okButton()->text(), QString("&OK"));
        QCOMPARE(QKeySequence::mnemonic(reqt()->okButton()->text()),
                 QKeySequence(Qt::ALT | Qt::Key_O));
        QCOMPARE(QKeySequence::mnemonic(reqt()->materialButton()->text()),
                 QKeySequence(Qt::ALT | Qt::Key_M));
    }
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::RequirementsWindowTest)
#include "RequirementsWindowTest.moc"
