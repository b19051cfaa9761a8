#include "gui/MainForm.h"

#include "graphs/GraphState.h"
#include "graphs/ShellLayout.h"
#include "gui/AnalysForm05.h"
#include "gui/DataTablPFE.h"
#include "gui/GraphicsForm.h"
#include "gui/HelpForm.h"
#include "gui/LoadReqtForm.h"
#include "gui/MaterialSelector.h"
#include "gui/ParamsForm.h"
#include "gui/QtText.h"
#include "gui/ReqtForm.h"
#include "gui/Shell.h"
#include "session/DesignSession.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace korvane::gui {
namespace {

constexpr const char* kCaption = "KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS";

QFont scaledFont(const QFont& base, double points, double scale, bool bold) {
    QFont f(base);
    f.setPointSizeF(points * scale);
    f.setBold(bold);
    return f;
}

struct DesignButton {
    Application application;
    const char* caption;
    const char* hint;
};

constexpr DesignButton kDesignButtons[] = {
    {Application::DcBiased, "DC &BIASED", "Design of DC Biased Filter Inductors"},
    {Application::ControlledSwing, "&CONTROLLED SWING",
     "Design of DC Biased Controlled Swing Filter Inductors"},
    {Application::WideSwing, "&WIDE SWING", "Design of DC Biased Wide Swing FIlter Inductors"},
    {Application::PfcBoost, "&PFC BOOST",
     "Design of Power Factor Correction Boost Converter Inductors"},
    {Application::Line60Hz, "60 &HZ", "Design of AC Powerline Frequency Inductors"},
    {Application::Resonant, "&RESONANT", "Design of  Resonant Converter Inductors"},
};

} // namespace

TMainForm::TMainForm(Shell& shell, Size screen) : shell_(shell), scale_(mainWindowScale(screen)) {
    setObjectName("MainForm");
    setWindowTitle(QString::fromLatin1(kCaption));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont own = font();
    own.setPointSizeF(9.0 * scale_);
    setFont(own);
    const Rect r = mainWindowRect(screen);
    move(r.left, r.top);
    resize(r.right - r.left, r.bottom - r.top);
    chooseRequirementFile = [this] { return askRequirementFile(); };
    chooseRequirementFileToLoad = [this] { return askRequirementFileToLoad(); };
    buildMenus();
    buildGroups();
    statusBar();
}

void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* files = bar->addMenu("FILES");
    QAction* save =
        files->addAction("SAVE REQUIREMENT TO FILE", this, &TMainForm::saveRequirementToFile);
    hint(save, "Saves Requirement for Reference or for Re-Load.  (Appends to an exixting file).");
    QAction* load =
        files->addAction("LOAD REQUIREMENT FROM FILE", this, &TMainForm::loadRequirementFromFile);
    hint(load, "Reads a requirement file and loads one of its entries into the requirements, "
               "materials and parameters, ready for OK");
    files->setToolTipsVisible(true);

    QMenu* references = bar->addMenu("&REFERENCES");
    references->addAction("MATERIALS DATA", this, &TMainForm::materialsDataItem);

    QMenu* designs = bar->addMenu("&AUTOMATIC DESIGNS");
    const char* designItems[] = {"DC BIASED", "CONTROLLED SWING", "WIDE SWING", "PFC BOOST",
                                 "60 HZ",     "RESONANT"};
    for (int i = 0; i < kApplicationCount; ++i) {
        const Application a = applicationFromIndex(i);
        // The 60 HZ item does what its button does, as every other item of the menu.
        designs->addAction(designItems[i], this, [this, a] { designCommand(a); });
    }

    QMenu* cores = bar->addMenu("CO&RE SELECTION");
    auto* shapes = new QActionGroup(this);
    shapes->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        const auto shape = static_cast<CoreShape>(i);
        QAction* item =
            cores->addAction(QString::fromLatin1(kCoreShapeNames[static_cast<std::size_t>(i)]),
                             this, [this, shape] { shapeCommand(shape); });
        item->setCheckable(true);
        item->setChecked(i == 0);
        shapes->addAction(item);
        shapeItems_[i] = item;
    }
    cores->addSeparator();
    cores->addAction("&MATERIAL SELECTION", this, &TMainForm::materialSelectionItem);
    QMenu* properties = cores->addMenu("MATERIALS PROPERTIES");
    const char* propertyItems[] = {"Initial Perm vs DC Bias",
                                   "Percent Initial Perm vs DC Bias",
                                   "Percent Initial Perm vs AC Flux Density",
                                   "Effective Perm vs Frequency",
                                   "Core Loss @ 1 kHz",
                                   "Core Loss @ 100 kHz"};
    materialsData_ = new QMenu(this);
    materialsData_->setObjectName("MaterialsDataMenu");
    const char* popupItems[] = {"INITIAL PERM vs DC BIAS",
                                "PERCENT INITIAL PERM vs DC BIAS",
                                "PERCENT INITIAL PERM vs AC FLUX DENSITY",
                                "EFFECTIVE PERM vs FREQUENCY",
                                "CORE LOSS @ 1kHZ",
                                "CORE LOSS @ 100 kHZ"};
    for (int k = 1; k <= 6; ++k) {
        properties->addAction(propertyItems[k - 1], this, [this, k] { materialsGraph(k); });
        materialsData_->addAction(popupItems[k - 1], this, [this, k] { materialsGraph(k); });
    }

    QMenu* display = bar->addMenu("DA&TA DISPLAY");
    display->addAction("ELECTRICAL and DIMENSIONS", this, &TMainForm::electricalAndDimensions);
    display->addAction("% PERM vs DC BIAS", this,
                       [this] { designPermeabilityGraph(kGraphPercentPermVsDcBias); });
    display->addAction("% PERM vs AC FLUX", this,
                       [this] { designPermeabilityGraph(kGraphPercentPermVsAcFlux); });
    display->addAction("INDUCTANCE vs CURRENT", this, &TMainForm::inductanceVsCurrent);
    display->addAction("LOSS vs AGE", this, &TMainForm::agingGraph);
    display->addAction("TEMPERATURE vs AGE", this, &TMainForm::agingGraph);

    bar->addAction("&PARAMETERS", this, &TMainForm::parametersCommand);

    QMenu* help = bar->addMenu("&HELP");
    help->addAction("ABOUT", this, &TMainForm::about);
    help->addAction("HELP TOPICS", this, &TMainForm::helpTopics);
}

void TMainForm::buildGroups() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    titleGroup_ = new QFrame(central);
    titleGroup_->setFrameShape(QFrame::StyledPanel);
    auto* titleLayout = new QVBoxLayout(titleGroup_);
    auto* maker = new QLabel("KORVANE", titleGroup_);
    maker->setFont(scaledFont(font(), 40.0, scale_, true));
    maker->setStyleSheet("color: rgb(255, 0, 0);");
    maker->setAlignment(Qt::AlignCenter);
    auto* title = new QLabel("DESIGN OF INDUCTORS FOR POWER FILTER APPLICATIONS", titleGroup_);
    title->setFont(scaledFont(font(), 16.0, scale_, true));
    title->setAlignment(Qt::AlignCenter);
    auto* date = new QLabel("March 02, 2010", titleGroup_);
    date->setAlignment(Qt::AlignRight);
    titleLayout->addWidget(maker);
    titleLayout->addWidget(title);
    titleLayout->addWidget(date);

    functionGroup_ = new QFrame(central);
    functionGroup_->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(functionGroup_);
    grid->setHorizontalSpacing(static_cast<int>(40 * scale_));
    grid->setVerticalSpacing(static_cast<int>(8 * scale_));
    auto* heading = new QLabel("____AUTOMATIC DESIGN FUNCTIONS____", functionGroup_);
    hint(heading, "Select From The List Below. Program Will Prompt for Your Requirements");
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    grid->addWidget(heading, 0, 0, 1, 3);

    auto columnHeading = [&](const char* text, int column) {
        auto* label = new QLabel(text, functionGroup_);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(headingFont);
        grid->addWidget(label, 1, column);
        return label;
    };
    columnHeading("TOROID AND E CORES", 0);
    columnHeading("EXISTING DESIGNS", 1);
    QLabel* references = columnHeading("REFERENCES", 2);
    hint(references, "Choose From The List of References Below");

    const int buttonHeight = static_cast<int>(28 * scale_);
    for (int i = 0; i < kApplicationCount; ++i) {
        const DesignButton& d = kDesignButtons[i];
        auto* button = new QPushButton(d.caption, functionGroup_);
        hint(button, d.hint);
        button->setMinimumHeight(buttonHeight);
        const Application a = d.application;
        connect(button, &QPushButton::clicked, this, [this, a] { designCommand(a); });
        grid->addWidget(button, 2 + i, 0);
        designButtons_[i] = button;
    }
    auto* analysis = new QPushButton("&ANALYSIS", functionGroup_);
    analysis->setObjectName("AnalysisButton");
    hint(analysis,
         "Analize An Existing Inductor Design.  Calculates inductance, flux densities, losses.");
    analysis->setMinimumHeight(buttonHeight);
    connect(analysis, &QPushButton::clicked, this, &TMainForm::analysisCommand);
    grid->addWidget(analysis, 2, 1);
    auto* started = new QPushButton("GETTING STARTED", functionGroup_);
    hint(started, "Press For A Guide To Using This Program");
    started->setMinimumHeight(2 * buttonHeight);
    connect(started, &QPushButton::clicked, this, &TMainForm::gettingStarted);
    grid->addWidget(started, 3, 1, 2, 1);
    auto* data = new QPushButton("MATERIALS DATA", functionGroup_);
    data->setObjectName("MaterialsDataButton");
    hint(data, "Graphs of Permeability and Loss Properties of Selected Materials");
    data->setMinimumHeight(buttonHeight);
    connect(data, &QPushButton::clicked, this, &TMainForm::materialsDataButton);
    grid->addWidget(data, 2, 2);
    auto* materials = new QPushButton("MATERIAL SELECTION", functionGroup_);
    hint(materials, "Select One or More Iron Powder Matrials");
    materials->setMinimumHeight(buttonHeight);
    connect(materials, &QPushButton::clicked, this, &TMainForm::materialSelectionButton);
    grid->addWidget(materials, 3, 2);
    grid->setRowStretch(2 + kApplicationCount, 1);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QWidget* client = centralWidget();
    const Size size{client->width(), client->height()};
    const GroupPlacement t = titleGroupPlacement(size);
    titleGroup_->setGeometry(t.left, t.top, t.width, t.height);
    const GroupPlacement f = functionGroupPlacement(size);
    functionGroup_->setGeometry(f.left, f.top, f.width, f.height);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    shell_.session->writeSettings();
    event->accept();
    QApplication::quit();
}

QAction* TMainForm::shapeItem(CoreShape shape) const {
    return shapeItems_[static_cast<int>(shape)];
}

QPushButton* TMainForm::designButton(Application a) const {
    return designButtons_[toIndex(a)];
}

void TMainForm::designCommand(Application a) {
    shell_.requirements->setApplication(a);
    shell_.requirements->showForm();
}

void TMainForm::shapeCommand(CoreShape shape) {
    shapeItem(shape)->setChecked(true);
    shell_.requirements->setShape(shape);
    shell_.requirements->showForm();
}

void TMainForm::materialSelectionButton() {
    lower();
    shell_.materials->showForm();
}

void TMainForm::materialsGraph(int kind) {
    shell_.graph->hide();
    shell_.session->showMaterialGraph(kind);
    shell_.graph->showGraph();
}

void TMainForm::materialsDataButton() {
    materialsData_->popup(QPoint(480, 480));
}

void TMainForm::materialsDataItem() {
    materialsData_->popup(QPoint(180, 80));
}

void TMainForm::designPermeabilityGraph(int kind) {
    if (shell_.session->showPermeabilityGraphOfSelectedRow(kind)) {
        shell_.graph->showGraph();
    }
}

void TMainForm::inductanceVsCurrent() {
    if (shell_.session->showInductanceGraphOfSelectedRow()) {
        shell_.graph->showGraph();
    }
}

void TMainForm::agingGraph() {
    if (shell_.session->showAgingGraphOfSelectedRow()) {
        shell_.graph->showGraph();
    }
}

void TMainForm::analysisCommand() {
    if (shell_.session->resultsAvailable()) {
        lower();
    }
    shell_.graph->hide();
    shell_.analysis->load();
}

void TMainForm::materialSelectionItem() {
    shell_.materials->showForm();
}

void TMainForm::electricalAndDimensions() {
    lower();
    shell_.results->setEnabled(true);
    shell_.results->update();
    shell_.results->showForm();
}

void TMainForm::parametersCommand() {
    shell_.params->showForApplication(currentApplication_);
}

void TMainForm::gettingStarted() {
    shell_.help->showGettingStarted();
}

void TMainForm::helpTopics() {
    shell_.help->showHelpTopics();
}

void TMainForm::about() {
    shell_.about->exec();
}

QString TMainForm::askRequirementFile() {
    QFileDialog dialog(this, "SAVE REQUIREMENTS ONLY");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(
        {"Requirement files (*.req *.REQ)", "Ascii files (*.asc *.ASC)", "All Files (*)"});
    dialog.selectFile("KORVANE_REQTS**.REQ");
    // The save appends, so choosing an existing file is no overwrite; read-only files are
    // refused by the write itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

QString TMainForm::askRequirementFileToLoad() {
    QFileDialog dialog(this, "LOAD REQUIREMENT FROM FILE");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {"Requirement files (*.req *.REQ)", "Ascii files (*.asc *.ASC)", "All Files (*)"});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

void TMainForm::loadRequirementFromFile() {
    const QString file = chooseRequirementFileToLoad ? chooseRequirementFileToLoad() : QString();
    if (!file.isEmpty()) {
        shell_.loadRequirement->openFile(file);
    }
}

void TMainForm::saveRequirementToFile() {
    const QString file = chooseRequirementFile ? chooseRequirementFile() : QString();
    if (file.isEmpty()) {
        return;
    }
    showMessage(file.toStdString(), "Requirements Will Be Saved to File:");
    shell_.session->saveRequirement(file.toStdString(), currentApplication_);
}

} // namespace korvane::gui
