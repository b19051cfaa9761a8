#include "GuiFixture.h"
#include "gui/CoverForm.h"
#include "gui/DataTablPFE.h"
#include "gui/HelpForm.h"
#include "gui/MainForm.h"
#include "gui/MaterialSelector.h"
#include "gui/ParamsForm.h"
#include "gui/ReqtForm.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSvgWidget>
#include <QtTest>

namespace korvane::gui {

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> f;
    TMainForm* main() { return f->shell().main; }

    QStringList menuTitles() {
        QStringList titles;
        for (QAction* a : main()->menuBar()->actions()) {
            if (a->isVisible()) {
                titles << a->text();
            }
        }
        return titles;
    }

  private Q_SLOTS:
    void init() { f = std::make_unique<GuiFixture>(); }
    void cleanup() { f.reset(); }

    void startUpOnAnSxgaScreen() {
        QCOMPARE(main()->windowTitle(), QString("KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS"));
        QCOMPARE(main()->contentScale(), 1.25);
        QCOMPARE(main()->pos(), QPoint(64, 51));
        QCOMPARE(main()->size(), QSize(1152, 921));
        QVERIFY(main()->isVisible());
        TCoverForm* cover = f->shell().cover;
        QVERIFY(cover->isVisible());
        QCOMPARE(cover->pos(), QPoint(64, 51));
        QCOMPARE(cover->size(), QSize(1152, 921));
        // Every other window waits for its command.
        QVERIFY(!f->shell().requirements->isVisible());
        QVERIFY(!f->shell().results->isVisible());
        QVERIFY(!f->shell().params->isVisible());
        QVERIFY(!f->shell().help->isVisible());
        QCOMPARE(menuTitles(),
                 QStringList({"FILES", "&REFERENCES", "&AUTOMATIC DESIGNS", "CO&RE SELECTION",
                              "DA&TA DISPLAY", "&PARAMETERS", "&HELP"}));
    }

    void coverGoesAtAnyKeyOrClick() {
        TCoverForm* cover = f->shell().cover;
        QTest::keyClick(cover, Qt::Key_Shift);
        QVERIFY(!cover->isVisible());
        QVERIFY(cover->dismissed());

        GuiFixture other;
        TCoverForm* second = other.shell().cover;
        QTest::mouseClick(second->picture(), Qt::LeftButton);
        QVERIFY(!second->isVisible());
    }

    void designButtonsShowTheRequirementsOfTheirApplication() {
        const QString captions[] = {"DC &BIASED", "&CONTROLLED SWING", "&WIDE SWING", "&PFC BOOST",
                                    "60 &HZ",     "&RESONANT"};
        const Qt::Key keys[] = {Qt::Key_B, Qt::Key_C, Qt::Key_W, Qt::Key_P, Qt::Key_H, Qt::Key_R};
        for (int i = 0; i < kApplicationCount; ++i) {
            const Application a = applicationFromIndex(i);
            QPushButton* button = main()->designButton(a);
            QCOMPARE(button->text(), captions[i]);
            QCOMPARE(QKeySequence::mnemonic(button->text()), QKeySequence(Qt::ALT | keys[i]));
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(f->shell().requirements->isVisible());
            QCOMPARE(f->shell().requirements->application(), a);
            QCOMPARE(main()->currentApplication(), a);
        }
        QCOMPARE(main()->designButton(Application::DcBiased)->toolTip(),
                 QString("Design of DC Biased Filter Inductors"));
    }

    void shapeItemsAreRadioItems() {
        QVERIFY(main()->shapeItem(CoreShape::Toroid)->isChecked());
        const CoreShape order[] = {CoreShape::ECore, CoreShape::Composite, CoreShape::Toroid,
                                   CoreShape::Composite};
        for (CoreShape s : order) {
            main()->shapeItem(s)->trigger();
            int checked = 0;
            for (int k = 0; k < 3; ++k) {
                checked += main()->shapeItem(static_cast<CoreShape>(k))->isChecked() ? 1 : 0;
            }
            QCOMPARE(checked, 1);
            QVERIFY(main()->shapeItem(s)->isChecked());
            QCOMPARE(f->session->requirementEntry().requirement().shape, s);
            QVERIFY(f->shell().requirements->isVisible());
        }
    }

    void parametersOpenTheCurrentApplicationsSet() {
        main()->parametersCommand();
        QCOMPARE(f->shell().params->labelApplication()->text(),
                 QString("DC BIASED OUTPUT FILTER INDUCTOR"));
        main()->designCommand(Application::Line60Hz);
        main()->parametersCommand();
        QCOMPARE(f->shell().params->labelApplication()->text(),
                 QString("POWERLINE FREQUENCY INDUCTOR"));
        QVERIFY(f->shell().params->isVisible());
        QVERIFY(f->shell().params->isEnabled());
    }

    void windowsOpenedFromTheMenus() {
        main()->materialSelectionItem();
        QVERIFY(f->shell().materials->isVisible());
        main()->gettingStarted();
        QVERIFY(f->shell().help->isVisible());
        QCOMPARE(f->shell().help->heading()->text(), QString("GETTING STARTED"));
        main()->helpTopics();
        QCOMPARE(f->shell().help->heading()->text(), QString("HELP TOPICS"));
        main()->electricalAndDimensions();
        QVERIFY(f->shell().results->isVisible());
    }

    void saveRequirementAppendsToTheChosenFile() {
        const QString file = f->dir.filePath("designs.REQ");
        main()->chooseRequirementFile = [&] { return file; };
        // Before any requirement: the entry's requirement part is a line holding one blank.
        main()->saveRequirementToFile();
        QCOMPARE(f->sink.size(), std::size_t{1});
        QCOMPARE(f->sink.last().caption, std::string("Requirements Will Be Saved to File:"));
        QCOMPARE(f->sink.last().text, file.toStdString());

        main()->designCommand(Application::DcBiased);
        QVERIFY(f->session->acceptRequirement({"100", "0", "10", "", "", "12", "5", "100", "25",
                                               "1", "1"}) == DesignOutcome::Designed);
        main()->saveRequirementToFile();
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromLatin1(saved.readAll()).split('\n');
        QCOMPARE(lines[0], QString("    List of Requirements for Various Inductor Designs"));
        QCOMPARE(lines.filter("List of Requirements").size(), 1);
        QCOMPARE(lines.filter(QRegularExpression("^DC BIASED, L1: ")).size(), 1);
        QCOMPARE(lines.filter("Materials:").size(), 1);

        // Cancelling the dialog saves nothing.
        main()->chooseRequirementFile = [] { return QString(); };
        f->sink.clear();
        main()->saveRequirementToFile();
        QVERIFY(f->sink.empty());
    }

    void closingTheMainWindowWritesTheSettings() {
        f->session->parameters().setUnitSystem(UnitSystem::Metric);
        main()->close();
        QFile settings(f->dir.filePath("KorvaneParams.log"));
        QVERIFY(settings.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromLatin1(settings.readAll());
        QVERIFY(text.startsWith("Parameter settings record \n"));
        QCOMPARE(text.count("Units: MET, Wire: AWG,"), 6);
        // The next start reads them back.
        DesignSession session;
        QVERIFY(session.readSettings());
        QCOMPARE(session.parameters().unitSystem(), UnitSystem::Metric);
    }
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::MainWindowTest)
#include "MainWindowTest.moc"
