#include "gui/DataTablPFE.h"

#include "graphs/ResultPageDrawing.h"
#include "gui/AnalysForm05.h"
#include "gui/CanvasView.h"
#include "gui/ExportDialog.h"
#include "gui/GraphicsForm.h"
#include "gui/Shell.h"
#include "gui/TradeOffForm.h"
#include "gui/WhyNotForm.h"
#include "session/DesignSession.h"

#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace korvane::gui {

TDataTablProto::TDataTablProto(Size screen) : screen_(screen) {
    setWindowTitle("TOROID / E CORE DESIGN DATA");
    const Rect r = resultWindowRect(screen);
    placeWindow(*this, r.left, r.top, r.right - r.left, r.bottom - r.top);

    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    page_ = new CanvasView([this](Canvas& canvas) { drawPage(canvas); }, this);
    page_->setAutoFillBackground(true);
    QPalette pal = page_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page_->setPalette(pal);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName("ScrollBar1");
    body->addWidget(page_, 1);
    body->addWidget(scrollBar_);
    outer->addLayout(body, 1);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int row) {
        rowSelected(row);
        page_->update();
    });

    buttons_ = new QHBoxLayout;
    printBtn_ = new QPushButton("PRINT", this);
    printBtn_->setObjectName("PrintBtn");
    closeBtn_ = new QPushButton("CLOSE", this);
    closeBtn_->setObjectName("CloseBtn");
    buttons_->addWidget(printBtn_);
    buttons_->addStretch(1);
    buttons_->addWidget(closeBtn_);
    outer->addLayout(buttons_);
    connect(printBtn_, &QPushButton::clicked, this, &TDataTablProto::PrintBtnClick);
    connect(closeBtn_, &QPushButton::clicked, this, &QWidget::hide);
}

void TDataTablProto::PrintBtnClick() {
    printWithDialog(this, render::PageOrientation::Landscape,
                    [this](QPrinter& printer) { printTo(printer); });
}

void TDataTablProto::printTo(QPrinter& printer) {
    printPage(printer, render::PageOrientation::Landscape,
              [this](Canvas& canvas) { drawPrintedPage(canvas); });
}

TDataTablPFE::TDataTablPFE(Shell& shell, Size screen) : TDataTablProto(screen), shell_(shell) {
    setObjectName("DataTablPFE");
    button1_ = new QPushButton("DISPLAY ELECTRICAL", this);
    button1_->setObjectName("Button1");
    button2_ = new QPushButton("DISPLAY DIMENSIONS", this);
    button2_->setObjectName("Button2");
    button3_ = new QPushButton("INDUCTANCE", this);
    button3_->setObjectName("Button3");
    button4_ = new QPushButton("TEMP RISE", this);
    button4_->setObjectName("Button4");
    button5_ = new QPushButton("ANALYSIS", this);
    button5_->setObjectName("Button5");
    saveAs_ = new QPushButton("SAVE AS", this);
    saveAs_->setObjectName("SaveAsBtn");
    saveAs_->setToolTip("Saves the printed page as a PDF, SVG or PNG file");
    whyNot_ = new QPushButton("WHY NOT", this);
    whyNot_->setObjectName("WhyNotBtn");
    whyNot_->setToolTip("What became of every catalog listing the search visited");
    tradeOff_ = new QPushButton("TRADE-OFF", this);
    tradeOff_->setObjectName("TradeOffBtn");
    tradeOff_->setToolTip("The designs plotted against two quantities, Pareto-optimal marked");
    int at = 1;
    for (QPushButton* b :
         {saveAs_, button1_, button2_, button3_, button4_, button5_, whyNot_, tradeOff_}) {
        buttonRow()->insertWidget(at++, b);
    }
    connect(button1_, &QPushButton::clicked, this, &TDataTablPFE::ElectricalClick);
    connect(button2_, &QPushButton::clicked, this, &TDataTablPFE::DimensionClick);
    connect(button3_, &QPushButton::clicked, this, &TDataTablPFE::InductanceClick);
    connect(button4_, &QPushButton::clicked, this, &TDataTablPFE::TempRiseClick);
    connect(button5_, &QPushButton::clicked, this, &TDataTablPFE::AnalysisBtnClick);
    connect(saveAs_, &QPushButton::clicked, this, &TDataTablPFE::SaveAsClick);
    connect(whyNot_, &QPushButton::clicked, this, &TDataTablPFE::WhyNotClick);
    connect(tradeOff_, &QPushButton::clicked, this, &TDataTablPFE::TradeOffClick);
}

DesignRunOutput* TDataTablPFE::run() const {
    return shell_.session->resultsAvailable() ? shell_.session->lastRun() : nullptr;
}

void TDataTablPFE::refresh() {
    DesignRunOutput* r = run();
    if (r == nullptr) {
        scrollBar()->setRange(0, 0);
        page()->update();
        return;
    }
    ResultPageState& state = r->state;
    setWindowTitle(QString::fromLatin1(state.caption().data(),
                                       static_cast<qsizetype>(state.caption().size())));
    const QSignalBlocker block(scrollBar());
    scrollBar()->setRange(0, state.scrollMaximum());
    scrollBar()->setValue(state.selectedRow());
    page()->update();
}

void TDataTablPFE::showResults() {
    showForm();
}

void TDataTablPFE::formActivate() {
    refresh();
}

void TDataTablPFE::ElectricalClick() {
    if (DesignRunOutput* r = run()) {
        r->state.showElectrical();
    }
    refresh();
}

void TDataTablPFE::DimensionClick() {
    if (DesignRunOutput* r = run()) {
        r->state.showDimensions();
    }
    refresh();
}

void TDataTablPFE::InductanceClick() {
    if (shell_.session->showInductanceGraphOfSelectedRow()) {
        shell_.graph->showGraph();
    }
}

void TDataTablPFE::TempRiseClick() {
    if (shell_.session->showAgingGraphOfSelectedRow()) {
        shell_.graph->showGraph();
    }
}

void TDataTablPFE::AnalysisBtnClick() {
    shell_.graph->hide();
    shell_.analysis->load();
}

void TDataTablPFE::SaveAsClick() {
    if (run() == nullptr) {
        return;
    }
    saveAs(this, "results", render::PageOrientation::Landscape,
           [this](Canvas& canvas) { drawPrintedPage(canvas); });
}

void TDataTablPFE::WhyNotClick() {
    shell_.whyNot->showForm();
}

void TDataTablPFE::TradeOffClick() {
    if (run() != nullptr) {
        shell_.tradeOff->showForm();
    }
}

void TDataTablPFE::rowSelected(int row) {
    shell_.session->selectRow(row);
    if (shell_.tradeOff != nullptr && shell_.tradeOff->isVisible()) {
        shell_.tradeOff->formActivate();
    }
}

void TDataTablPFE::drawPage(Canvas& canvas) {
    DesignRunOutput* r = run();
    if (r == nullptr) {
        return;
    }
    // Resize and paint alike: the rows that fit the window's height.
    const ResultPageLayout layout = resultWindowLayout(canvas);
    r->state.setVisibleRows(resultVisibleRows(screen(), height(), layout.rowHeight,
                                              r->state.run().rowCount, r->state.visibleRows()));
    drawResultPage(canvas, r->tables, r->state, applicationTitle(r->state.run().application),
                   r->state.dateTime());
}

void TDataTablPFE::drawPrintedPage(Canvas& canvas) {
    const DesignRunOutput* r = run();
    if (r == nullptr) {
        return;
    }
    drawResultPrintPage(canvas, r->tables, r->state, applicationTitle(r->state.run().application),
                        r->state.dateTime());
}

} // namespace korvane::gui
