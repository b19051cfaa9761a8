#include "gui/AnalysForm05.h"

#include "graphs/AnalysisPageDrawing.h"
#include "graphs/GraphState.h"
#include "gui/CanvasView.h"
#include "gui/ClickableLabel.h"
#include "gui/EntryFilter.h"
#include "gui/ExportDialog.h"
#include "gui/GraphicsForm.h"
#include "gui/QtText.h"
#include "gui/Shell.h"
#include "results/ResultPageState.h"
#include "session/DesignSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <ctime>

namespace korvane::gui {
namespace {

// Window layout in pixels: the entry rows from the top, the buttons at the right, the result
// rows drawn by the core below the entries (21 font heights down).
constexpr int kRowTop = 34;
constexpr int kRowPitch = 26;
constexpr int kLabelLeft = 10;
constexpr int kLabelWidth = 305;
constexpr int kEntryLeft = 325;
constexpr int kEntryWidth = 170;
constexpr int kUnitsLeft = 505;
constexpr int kButtonLeft = 690;
constexpr int kButtonWidth = 112;
constexpr int kButtonHeight = 26;

struct ButtonSpec {
    const char* name;
    const char* caption;
    const char* hint;
    void (TAnalysForm05::*handler)();
};

} // namespace

TAnalysForm05::TAnalysForm05(Shell& shell, Size /*screen*/) : shell_(shell) {
    setObjectName("AnalysForm05");
    setWindowTitle(qt(std::string(kAnalysisCaption)));
    resize(940, 600);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
    setAutoFillBackground(true);
    setMinimumSize(940, 520);

    page_ = new CanvasView([this](Canvas& canvas) { drawPage(canvas); }, this);
    page_->lower();

    title_ = new QLabel(this);
    title_->setObjectName("TitleLabel");
    styleApplicationTitle(*title_);
    title_->setCursor(Qt::ArrowCursor);
    title_->setGeometry(kLabelLeft, 6, kButtonLeft - 2 * kLabelLeft, 24);

    QFont bold = font();
    bold.setBold(true);
    // Rows 1 to 8 are the panels; 9 is the hidden field; 10 and 11 sit beside 1 and 2.
    for (std::size_t f = 1; f <= 9; ++f) {
        const int y = kRowTop + static_cast<int>(f - 1) * kRowPitch;
        auto* name = new QLabel(this);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        name->setGeometry(kLabelLeft, y, kLabelWidth, kButtonHeight - 2);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Param%1").arg(f));
        edit->setGeometry(kEntryLeft, y, kEntryWidth, kButtonHeight - 2);
        edit->setFont(bold);
        auto* unit = new QLabel(this);
        unit->setGeometry(kUnitsLeft, y, kButtonLeft - kUnitsLeft - 10, kButtonHeight - 2);
        labels_[f] = name;
        fields_[f] = edit;
        units_[f] = unit;
    }
    fields_[9]->hide();
    fields_[9]->setEnabled(false);
    labels_[9]->hide();
    units_[9]->hide();
    for (std::size_t k = 0; k < 2; ++k) {
        const int y = kRowTop + static_cast<int>(k) * kRowPitch;
        auto* cross = new QLabel("X", this);
        cross->setAlignment(Qt::AlignCenter);
        cross->setGeometry(kUnitsLeft, y, 16, kButtonHeight - 2);
        crosses_[k] = cross;
        auto* count = new QLineEdit("Int", this);
        const std::size_t f = k == 0 ? static_cast<std::size_t>(AnalysisField::StackCount)
                                     : static_cast<std::size_t>(AnalysisField::Strands);
        count->setObjectName(QString("Param%1").arg(f));
        count->setGeometry(kUnitsLeft + 20, y, 56, kButtonHeight - 2);
        count->setAlignment(Qt::AlignHCenter);
        count->setFont(bold);
        fields_[f] = count;
    }
    // The units labels of rows 1 and 2 give way to the counts.
    units_[1]->hide();
    units_[2]->hide();
    strandsLabel_ = new QLabel("STRANDS", this);
    strandsLabel_->setGeometry(kUnitsLeft + 82, kRowTop + kRowPitch, 90, kButtonHeight - 2);

    const ButtonSpec buttons[] = {
        {"Button_OK", "OK", "PRESS TO BEGIN ANALYSIS COMPUTATIONS", nullptr},
        {"PRINT", "PRINT", "Prints the analysis on a page", &TAnalysForm05::OnPrint},
        {"Electrical", "ELECTRICAL", "Shows the electrical properties",
         &TAnalysForm05::OnElectrical},
        {"Mechanical", "MECHANICAL", "Shows the mechanical properties",
         &TAnalysForm05::OnMechanical},
        {"SaveAs", "SAVE AS", "Saves the printed page as a PDF, SVG or PNG file",
         &TAnalysForm05::OnSaveAs},
        {"Perm_vs_Idc", "DC PERM", "Percent permeability of the core material versus DC bias",
         &TAnalysForm05::OnDCPerm},
        {"Perm_vs_AC_Flux", "AC PERM ",
         "Percent permeability of the core material versus AC flux density",
         &TAnalysForm05::OnACPerm},
        {"L_vs_I", "INDUCTANCE", "Inductance of the analysed design versus current",
         &TAnalysForm05::OnInductance},
        {"Loss", "LOSS ", "Core temperature of the analysed design as the core ages",
         &TAnalysForm05::OnAging},
        {"Temp_Rise", "T RISE", "Core temperature of the analysed design as the core ages",
         &TAnalysForm05::OnAging},
        {"Spice", "SPICE MODEL",
         "Saves a SPICE subcircuit of the analysed inductor: winding resistance and the "
         "inductance as it falls with current",
         &TAnalysForm05::OnSpice},
    };
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const ButtonSpec& b = buttons[i];
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        button->setToolTip(b.hint);
        button->setAutoDefault(false);
        const int column = static_cast<int>(i % 2);
        const int row = static_cast<int>(i / 2);
        button->setGeometry(kButtonLeft + column * (kButtonWidth + 8),
                            kRowTop + row * (kButtonHeight + 8), kButtonWidth, kButtonHeight);
        if (b.handler == nullptr) {
            connect(button, &QPushButton::clicked, this, [this] { ButtonOK_Click(); });
        } else {
            connect(button, &QPushButton::clicked, this, b.handler);
        }
    }
    time_ = new QLabel(this);
    time_->setObjectName("TimeLabel");
    time_->setAlignment(Qt::AlignCenter);
    // Top right, beside the title: the buttons fill the column below.
    time_->setGeometry(kButtonLeft, 6, 2 * kButtonWidth + 8, 24);

    using F = AnalysisField;
    std::vector<EntryFilter::Field> ring;
    const std::pair<F, FieldFilter> order[] = {
        {F::PartNumber, FieldFilter::Plain},   {F::StackCount, FieldFilter::Positive},
        {F::Wire, FieldFilter::Plain},         {F::Strands, FieldFilter::Positive},
        {F::Turns, FieldFilter::Positive},     {F::Current, FieldFilter::Positive},
        {F::Voltage1, FieldFilter::Positive},  {F::Voltage2, FieldFilter::Positive},
        {F::Frequency, FieldFilter::Positive}, {F::Ambient, FieldFilter::Signed},
    };
    for (const auto& [f, filter] : order) {
        ring.push_back({field(f), filter});
    }
    keys_ = new EntryFilter(
        EntryKeys::Scheme::Input, std::move(ring), [this] { ButtonOK_Click(); }, this);
    keys_->setOnKeyUp(
        [this](std::size_t index, EntryKey key) { return index == 0 && onPartNumberKeyUp(key); });
    setEnabled(false);
}

void TAnalysForm05::resizeEvent(QResizeEvent* event) {
    FormWindow::resizeEvent(event);
    // The core draws the rows over the whole client area, under the entries.
    page_->setGeometry(rect());
}

AnalysisEntry& TAnalysForm05::entry() const {
    return shell_.session->analysis();
}

QPushButton* TAnalysForm05::button(const char* name) const {
    return findChild<QPushButton*>(name);
}

void TAnalysForm05::showEntryTexts() {
    for (std::size_t f = 1; f < kAnalysisFieldCount; ++f) {
        fields_[f]->setText(qt(entry().text(static_cast<AnalysisField>(f))));
    }
}

void TAnalysForm05::readEntryTexts() {
    for (std::size_t f = 1; f < kAnalysisFieldCount; ++f) {
        const auto which = static_cast<AnalysisField>(f);
        const auto length =
            which == AnalysisField::PartNumber ? kPartNumberReadLength : kAnalysisReadLength;
        entry().setText(which,
                        fields_[f]->text().left(static_cast<qsizetype>(length)).toStdString());
    }
}

void TAnalysForm05::showLabels() {
    title_->setText(qt(entry().title()));
    const auto rows = entry().labels();
    for (std::size_t f = 1; f <= 8; ++f) {
        const EntryLabel& l = rows[f - 1];
        labels_[f]->setText(qt(l.label));
        labels_[f]->setVisible(l.visible);
        fields_[f]->setVisible(l.visible);
        if (f > 2) {
            units_[f]->setText(qt(l.units));
            units_[f]->setVisible(l.visible);
        }
    }
    // The shown rows close up, as panels do when one of them is hidden.
    int shown = 0;
    for (std::size_t f = 1; f <= 8; ++f) {
        if (!rows[f - 1].visible) {
            continue;
        }
        const int y = kRowTop + shown++ * kRowPitch;
        labels_[f]->move(labels_[f]->x(), y);
        fields_[f]->move(fields_[f]->x(), y);
        units_[f]->move(units_[f]->x(), y);
    }
    keys_->updateVisibility();
}

void TAnalysForm05::load() {
    shell_.session->setUpAnalysisFromSelectedRow();
    showForm();
}

void TAnalysForm05::formActivate() {
    showLabels();
    showEntryTexts();
    keys_->reset();
    if (shell_.session->selectedDesign() != nullptr) {
        ButtonOK_Click();
    }
}

bool TAnalysForm05::onPartNumberKeyUp(EntryKey key) {
    QLineEdit* pn = field(AnalysisField::PartNumber);
    if (key == EntryKey::LetterOrDigit || key == EntryKey::Enter) {
        const PartNumberTyping typed = partNumberTyping(pn->text().toStdString());
        partNumberError_ = typed.error;
        const int caret = pn->cursorPosition();
        pn->setText(qt(typed.text));
        pn->setCursorPosition(caret);
    }
    if (partNumberError_) {
        return key == EntryKey::Enter || key == EntryKey::Down;
    }
    if (key == EntryKey::Enter) {
        keys_->moveFocus(2); // the wire
        return true;
    }
    if (key == EntryKey::Down) {
        keys_->moveFocus(3); // the strands
        return true;
    }
    return false;
}

AnalysisOutcome TAnalysForm05::ButtonOK_Click() {
    readEntryTexts();
    const AnalysisOutcome outcome = shell_.session->analyse();
    showEntryTexts();
    showLabels();
    if (outcome != AnalysisOutcome::Refused) {
        analysed_ = true;
        time_->setText(qt(ResultPageState::dateTimeText(std::time(nullptr))));
    }
    page_->update();
    return outcome;
}

void TAnalysForm05::drawPage(Canvas& canvas) {
    if (!analysed_) {
        return;
    }
    const AnalysisEntry& e = entry();
    const DesignParameters& parameters = shell_.session->parameters();
    if (e.page() == AnalysisPage::Electrical) {
        const auto& rows = e.electricalRows();
        drawAnalysisRows(canvas,
                         std::span<const ResultRow>(
                             rows.data(), static_cast<std::size_t>(e.electricalRowCount())),
                         parameters);
    } else {
        const auto& rows = e.mechanicalRows();
        drawAnalysisRows(canvas, std::span<const ResultRow>(rows.data(), rows.size()), parameters);
    }
}

void TAnalysForm05::drawPrintedPage(Canvas& canvas) {
    printAnalysisPage(canvas, entry(), shell_.session->parameters());
}

void TAnalysForm05::printTo(QPrinter& printer) {
    printPage(printer, render::PageOrientation::Portrait,
              [this](Canvas& canvas) { drawPrintedPage(canvas); });
}

void TAnalysForm05::OnPrint() {
    if (ButtonOK_Click() == AnalysisOutcome::Refused) {
        return;
    }
    printWithDialog(this, render::PageOrientation::Portrait,
                    [this](QPrinter& printer) { printTo(printer); });
}

void TAnalysForm05::OnSaveAs() {
    if (ButtonOK_Click() == AnalysisOutcome::Refused) {
        return;
    }
    saveAs(this, "analysis", render::PageOrientation::Portrait,
           [this](Canvas& canvas) { drawPrintedPage(canvas); });
}

void TAnalysForm05::OnElectrical() {
    entry().showElectrical();
    ButtonOK_Click();
}

void TAnalysForm05::OnMechanical() {
    entry().showMechanical();
    ButtonOK_Click();
}

void TAnalysForm05::OnSpice() {
    if (ButtonOK_Click() != AnalysisOutcome::Analysed) {
        return;
    }
    const std::optional<std::string> model = shell_.session->spiceModelOfAnalysis();
    if (!model) {
        return;
    }
    const QString file = chooseSpiceFile
                             ? chooseSpiceFile(this, field(AnalysisField::PartNumber)->text())
                             : QString();
    if (!file.isEmpty()) {
        saveText(file, *model);
    }
}

void TAnalysForm05::showGraphIf(bool drawn) {
    if (drawn) {
        shell_.graph->showGraph();
    }
}

void TAnalysForm05::OnDCPerm() {
    if (ButtonOK_Click() == AnalysisOutcome::Analysed) {
        showGraphIf(shell_.session->showPermeabilityGraphOfAnalysis(kGraphPercentPermVsDcBias));
    }
}

void TAnalysForm05::OnACPerm() {
    if (ButtonOK_Click() == AnalysisOutcome::Analysed) {
        showGraphIf(shell_.session->showPermeabilityGraphOfAnalysis(kGraphPercentPermVsAcFlux));
    }
}

void TAnalysForm05::OnInductance() {
    if (ButtonOK_Click() == AnalysisOutcome::Analysed) {
        showGraphIf(shell_.session->showInductanceGraphOfAnalysis());
    }
}

void TAnalysForm05::OnAging() {
    if (ButtonOK_Click() == AnalysisOutcome::Analysed) {
        showGraphIf(shell_.session->showAgingGraphOfAnalysis());
    }
}

} // namespace korvane::gui
