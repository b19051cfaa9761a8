#include "GuiFixture.h"
#include "analysis/AnalysisRows.h"
#include "gui/AnalysForm05.h"
#include "gui/DataTablPFE.h"
#include "gui/ExportDialog.h"
#include "gui/GraphicsForm.h"
#include "gui/MainForm.h"
#include "gui/ReqtForm.h"
#include "support/RecordingCanvas.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

namespace korvane::gui {

using F = AnalysisField;

// The text of a PDF and its page count and size, read with poppler-utils.
struct PdfText {
    int pages = 0;
    double width = 0.0;
    double height = 0.0;
    QString text;
};

inline std::optional<PdfText> readPdf(const QString& file) {
    const QString info = QStandardPaths::findExecutable("pdfinfo");
    const QString totext = QStandardPaths::findExecutable("pdftotext");
    if (info.isEmpty() || totext.isEmpty()) {
        return std::nullopt;
    }
    QProcess p;
    p.start(info, {file});
    p.waitForFinished(20000);
    const QString meta = QString::fromLatin1(p.readAllStandardOutput());
    PdfText pdf;
    pdf.pages = QRegularExpression("Pages:\\s+(\\d+)").match(meta).captured(1).toInt();
    const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(meta);
    pdf.width = size.captured(1).toDouble();
    pdf.height = size.captured(2).toDouble();
    p.start(totext, {"-layout", file, "-"});
    p.waitForFinished(20000);
    pdf.text = QString::fromLatin1(p.readAllStandardOutput());
    return pdf;
}

class AnalysisWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> f;
    TAnalysForm05* analysis() { return f->shell().analysis; }

    // A DC-biased inductor: 30 turns of #18 on a T80-275, 5 A, 12 V / 5 V at 100 kHz.
    void enter(std::initializer_list<std::pair<F, const char*>> overrides = {}) {
        const std::pair<F, const char*> base[] = {{F::PartNumber, "T80-275"}, {F::StackCount, "1"},
                                                  {F::Wire, "#18"},           {F::Strands, "1"},
                                                  {F::Turns, "30"},           {F::Current, "5"},
                                                  {F::Voltage1, "12"},        {F::Voltage2, "5"},
                                                  {F::Frequency, "100"},      {F::Ambient, "25"}};
        for (const auto& [field, text] : base) {
            analysis()->field(field)->setText(text);
        }
        for (const auto& [field, text] : overrides) {
            analysis()->field(field)->setText(text);
        }
    }

    std::vector<std::string> pageTexts() {
        RecordingCanvas canvas({940, 600});
        analysis()->drawPage(canvas);
        std::vector<std::string> texts;
        for (const RecordedText& t : canvas.texts()) {
            texts.push_back(t.text);
        }
        return texts;
    }

  private Q_SLOTS:
    void init() {
        f = std::make_unique<GuiFixture>();
        f->shell().main->analysisCommand();
        QVERIFY(analysis()->isVisible());
        QVERIFY(activate(analysis()));
    }
    void cleanup() { f.reset(); }

    void openedWithoutADesign() {
        QCOMPARE(analysis()->windowTitle(), QString("Analysis: Toroid & E CORES"));
        QCOMPARE(analysis()->titleLabel()->text(),
                 QString("DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS"));
        QCOMPARE(analysis()->field(F::PartNumber)->text(), QString());
        QCOMPARE(analysis()->field(F::StackCount)->text(), QString("1"));
        QCOMPARE(analysis()->field(F::Strands)->text(), QString("1"));
        QVERIFY(f->sink.empty());
        QVERIFY(pageTexts().empty());
    }

    void partNumberMessagesInTheirOrder() {
        struct Case {
            const char* part;
            std::string message;
            std::string caption;
        };
        const Case cases[] = {
            {"T999", "MISSING OR INCOMPLETE CORE PART NUMBER T999 ", "DATA ENTRY ERROR"},
            // Four characters or fewer are incomplete before the grammar is checked.
            {"T-99", "MISSING OR INCOMPLETE CORE PART NUMBER T-99 ", "DATA ENTRY ERROR"},
            {"T-999", "\n MISSING SIZE Digits in CORE PART NUMBER", "DATA ENTRY ERROR"},
            {"X999-99", "\n MISSING EST in CORE PART NUMBER", "DATA ENTRY ERROR"},
            {"T999-", "\n MISSING MATERIAL CODE in CORE PART NUMBER", "DATA ENTRY ERROR"},
        };
        for (const Case& c : cases) {
            enter({{F::PartNumber, c.part}});
            f->sink.clear();
            QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Refused);
            QCOMPARE(f->sink.size(), std::size_t{1});
            QCOMPARE(f->sink.last().text, c.message);
            QCOMPARE(f->sink.last().caption, c.caption);
        }
    }

    void partNumberTypingUpperCasesAndRefusesForeignLetters() {
        QLineEdit* pn = analysis()->field(F::PartNumber);
        pn->clear();
        pn->setFocus();
        QTest::keyClicks(pn, "t80-26");
        QCOMPARE(pn->text(), QString("T80-26"));
        QVERIFY(f->sink.empty());
        QTest::keyClick(pn, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), analysis()->field(F::Wire));

        pn->clear();
        pn->setFocus();
        QTest::keyClicks(pn, "x");
        QCOMPARE(f->sink.size(), std::size_t{1});
        QCOMPARE(f->sink.last().text, std::string("INVALID CHARACTER X"));
        QCOMPARE(f->sink.last().caption, std::string("ERROR"));
        // With the error standing, Enter keeps the focus in the part number.
        QTest::keyClick(pn, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), pn);
    }

    void ambientAndEntryChecks() {
        enter({{F::Ambient, "-120"}});
        QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Analysed);
        QCOMPARE(analysis()->field(F::Ambient)->text(), QString("-100"));
        QCOMPARE(f->session->analysis().conditions().Ta, -100.0F);

        enter({{F::Ambient, "-20"}});
        QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Analysed);

        enter({{F::Ambient, "2-0"}});
        f->sink.clear();
        QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Refused);
        QCOMPARE(f->sink.last().text,
                 std::string("INVALID CHARACTER in position  2 in Parameter 8.  2-0 "));
        QCOMPARE(f->sink.last().caption, std::string("DATA ENTRY ERROR"));

        enter({{F::StackCount, "0"}});
        QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Analysed);
        QCOMPARE(f->session->analysis().candidate().stackCount, 1.0F);
    }

    void sixtyHertzHidesAndSkipsTheVoltages() {
        f->session->analysis().setApplication(Application::Line60Hz);
        analysis()->formActivate();
        QVERIFY(!analysis()->field(F::Voltage1)->isVisible());
        QVERIFY(!analysis()->field(F::Voltage2)->isVisible());
        enter({{F::Current, "2"}, {F::Frequency, "60"}, {F::Voltage1, "x?"}, {F::Voltage2, "!"}});
        QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Analysed);
        QCOMPARE(f->session->analysis().conditions().fHz, 60.0F);
    }

    void rowsOfBothPagesAndABlankAcResistance() {
        enter();
        QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Analysed);
        QVERIFY(!analysis()->timeLabel()->text().isEmpty());
        const auto& rows = f->session->analysis().electricalRows();
        // A DC-biased winding has no AC resistance of its own: the row stays blank.
        QCOMPARE(rows[2].value, 0.0F);
        QVERIFY(rowValueText(rows[2], f->session->parameters()).empty());
        std::vector<std::string> texts = pageTexts();
        QVERIFY(std::find(texts.begin(), texts.end(), "INDUCTANCE") != texts.end());
        QVERIFY(std::find(texts.begin(), texts.end(), "AC RESISTANCE") != texts.end());

        QTest::mouseClick(analysis()->button("Mechanical"), Qt::LeftButton);
        texts = pageTexts();
        QVERIFY(std::find(texts.begin(), texts.end(), "CORE OD") != texts.end());
        QVERIFY(std::find(texts.begin(), texts.end(), "WOUND HEIGHT") != texts.end());
        QTest::mouseClick(analysis()->button("Electrical"), Qt::LeftButton);
        texts = pageTexts();
        QVERIFY(std::find(texts.begin(), texts.end(), "INDUCTANCE") != texts.end());
    }

    void analysisFromAResultsRowAnalysesAtOnce() {
        f->shell().main->designCommand(Application::DcBiased);
        TReqtForm* reqt = f->shell().requirements;
        const QStringList texts = {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"};
        for (int i = 0; i < texts.size(); ++i) {
            reqt->param(i)->setText(texts[i]);
        }
        reqt->Button_OKClick();
        QVERIFY(f->shell().results->isVisible());
        f->session->selectRow(2);
        QTest::mouseClick(f->shell().results->analysisButton(), Qt::LeftButton);
        const DesignCandidate& chosen = f->session->lastRun()->search.table.slots[2];
        QCOMPARE(analysis()->field(F::PartNumber)->text(),
                 QString::fromStdString(chosen.partNumber));
        QCOMPARE(analysis()->field(F::Turns)->text(),
                 QString::number(static_cast<int>(chosen.turns)));
        QCOMPARE(analysis()->field(F::Current)->text(), QString(" 10.00"));
        QCOMPARE(analysis()->field(F::Frequency)->text(), QString(" 100.0"));
        QVERIFY(analysis()->field(F::Wire)->text().startsWith("#"));
        QCOMPARE(f->session->analysis().analysisResult(), 1);
        // The analysis of the design gives the search's own figures back.
        QCOMPARE(f->session->analysis().candidate().tempRise, chosen.tempRise);
    }

    void graphButtonsOpenTheGraphsOfTheAnalysedDesign() {
        enter({{F::Frequency, "50"}, {F::Voltage1, "50"}, {F::Ambient, "60"}});
        struct Case {
            const char* button;
            int kind;
        };
        const Case cases[] = {{"Perm_vs_Idc", kGraphPercentPermVsDcBias},
                              {"Perm_vs_AC_Flux", kGraphPercentPermVsAcFlux},
                              {"L_vs_I", kGraphInductanceVsCurrent},
                              {"Temp_Rise", kGraphAging},
                              {"Loss", kGraphAging}};
        for (const Case& c : cases) {
            f->shell().graph->hide();
            QTest::mouseClick(analysis()->button(c.button), Qt::LeftButton);
            QVERIFY2(f->shell().graph->isVisible(), c.button);
            QCOMPARE(static_cast<int>(f->session->graph().graphKind), c.kind);
            QCOMPARE(f->shell().graph->windowTitle(),
                     QString::fromStdString(f->session->graph().caption));
        }
        QCOMPARE(f->shell().graph->windowTitle(), QString("CORE TEMPERATURE vs TIME"));
    }

    void spiceModelOfTheAnalysedInductor() {
        enter();
        const QString file = f->dir.filePath("T80-275.lib");
        QString suggestedName;
        chooseSpiceFile = [&](QWidget*, const QString& suggested) {
            suggestedName = suggested;
            return file;
        };
        QTest::mouseClick(analysis()->button("Spice"), Qt::LeftButton);
        QCOMPARE(suggestedName, QString("T80-275"));
        QFile model(file);
        QVERIFY(model.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromLatin1(model.readAll());
        QVERIFY(text.startsWith("*"));
        QVERIFY(text.contains(".SUBCKT KORVANE_T80_275 1 2"));
        QVERIFY(text.contains("T80-275"));
        QVERIFY(text.contains(".ENDS"));
        QVERIFY(QDir(f->dir.path()).entryList({"*.lib*"}).size() == 1);

        // An unwritable place: the message, and no file.
        f->sink.clear();
        const QString nowhere = f->dir.filePath("missing/T80-275.lib");
        chooseSpiceFile = [&](QWidget*, const QString&) { return nowhere; };
        QTest::mouseClick(analysis()->button("Spice"), Qt::LeftButton);
        chooseSpiceFile = nullptr;
        QCOMPARE(f->sink.last().caption, std::string("FILE ERROR"));
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    void printedAndExportedPagesArePortrait() {
        enter();
        QCOMPARE(analysis()->ButtonOK_Click(), AnalysisOutcome::Analysed);
        const QString pdf = f->dir.filePath("analysis.pdf");
        chooseExportFile = [&](QWidget*, const QString&) { return pdf; };
        QTest::mouseClick(analysis()->button("SaveAs"), Qt::LeftButton);
        chooseExportFile = nullptr;
        QVERIFY(QFileInfo::exists(pdf));
        QVERIFY(QDir(f->dir.path()).entryList({"*.partial-*"}).isEmpty());
        const auto read = readPdf(pdf);
        if (!read) {
            QSKIP("poppler-utils is not installed");
        }
        QCOMPARE(read->pages, 1);
        QVERIFY(read->height > read->width);
        QVERIFY(read->text.contains("KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS"));
        QVERIFY(read->text.contains(
            QRegularExpression("DC BIASED OUTPUT FILTER INDUCTOR\\s+ANALYSIS")));
        QVERIFY(read->text.contains("ELECTRICAL PROPERTIES:"));
        QVERIFY(read->text.contains("MECHANICAL PROPERTIES:"));
        QVERIFY(read->text.contains("T80-275 X 1"));

        // An unwritable place is refused with the message and leaves nothing behind.
        f->sink.clear();
        QVERIFY(!exportTo(f->dir.filePath("missing/analysis.pdf"),
                          render::PageOrientation::Portrait,
                          [this](Canvas& c) { analysis()->drawPrintedPage(c); }));
        QCOMPARE(f->sink.last().caption, std::string("FILE ERROR"));
        QVERIFY(!QFileInfo::exists(f->dir.filePath("missing")));
    }
};

} // namespace korvane::gui

QTEST_MAIN(korvane::gui::AnalysisWindowTest)
#include "AnalysisWindowTest.moc"
