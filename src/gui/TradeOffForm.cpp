#include "gui/TradeOffForm.h"

#include "gui/CanvasView.h"
#include "gui/DataTablPFE.h"
#include "gui/ExportDialog.h"
#include "gui/QtText.h"
#include "gui/Shell.h"
#include "session/DesignSession.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane::gui {
TTradeOffForm::TTradeOffForm(Shell& shell) : shell_(shell) {
    setObjectName("TradeOffForm");
    setWindowTitle("TRADE-OFF OF THE DESIGNS");
    resize(900, 640);
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    xBox_ = new QComboBox(this);
    xBox_->setObjectName("XBox");
    yBox_ = new QComboBox(this);
    yBox_->setObjectName("YBox");
    for (const TradeOffQuantity q : kTradeOffQuantities) {
        xBox_->addItem(qt(tradeOffLabel(q)));
        yBox_->addItem(qt(tradeOffLabel(q)));
    }
    top->addWidget(new QLabel("X:", this));
    top->addWidget(xBox_);
    top->addSpacing(20);
    top->addWidget(new QLabel("Y:", this));
    top->addWidget(yBox_);
    top->addStretch(1);
    auto* print = new QPushButton("PRINT", this);
    print->setObjectName("PrintBtn");
    auto* save = new QPushButton("SAVE AS", this);
    save->setObjectName("SaveAsBtn");
    save->setToolTip("Saves the plot as a PDF, SVG or PNG file");
    top->addWidget(print);
    top->addWidget(save);
    outer->addLayout(top);
    plot_ = new CanvasView([this](Canvas& canvas) { drawPlot(canvas); }, this);
    plot_->setToolTip("Click a design to select its row in the results");
    plot_->installEventFilter(this);
    outer->addWidget(plot_, 1);
    setQuantities(TradeOffQuantity::WoundVolume, TradeOffQuantity::TotalLoss);
    connect(xBox_, &QComboBox::currentIndexChanged, plot_, [this] { plot_->update(); });
    connect(yBox_, &QComboBox::currentIndexChanged, plot_, [this] { plot_->update(); });
    connect(print, &QPushButton::clicked, this, &TTradeOffForm::PrintClick);
    connect(save, &QPushButton::clicked, this, &TTradeOffForm::SaveAsClick);
}

TradeOffQuantity TTradeOffForm::xQuantity() const {
    return kTradeOffQuantities[static_cast<std::size_t>(std::max(0, xBox_->currentIndex()))];
}

TradeOffQuantity TTradeOffForm::yQuantity() const {
    return kTradeOffQuantities[static_cast<std::size_t>(std::max(0, yBox_->currentIndex()))];
}

void TTradeOffForm::setQuantities(TradeOffQuantity x, TradeOffQuantity y) {
    xBox_->setCurrentIndex(static_cast<int>(x));
    yBox_->setCurrentIndex(static_cast<int>(y));
}

std::vector<TradeOffPoint> TTradeOffForm::points() const {
    const DesignSession& s = *shell_.session;
    if (!s.resultsAvailable()) {
        return {};
    }
    return tradeOffPoints(s.lastRun()->search, xQuantity(), yQuantity());
}

void TTradeOffForm::formActivate() {
    plot_->update();
}

void TTradeOffForm::drawPlot(Canvas& canvas) {
    drawTradeOff(canvas, points(), xQuantity(), yQuantity(), shell_.session->selectedRow());
}

void TTradeOffForm::PlotClick(Point at) {
    const auto row = tradeOffRowAt({plot_->width(), plot_->height()}, points(), at);
    if (!row) {
        return;
    }
    shell_.session->selectRow(*row);
    shell_.results->formActivate();
    plot_->update();
}

bool TTradeOffForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == plot_ && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint p = mouse->position().toPoint();
        PlotClick({p.x(), p.y()});
        return true;
    }
    return FormWindow::eventFilter(watched, event);
}

void TTradeOffForm::printTo(QPrinter& printer) {
    printPage(printer, render::PageOrientation::Landscape,
              [this](Canvas& canvas) { drawPlot(canvas); });
}

void TTradeOffForm::PrintClick() {
    printWithDialog(this, render::PageOrientation::Landscape,
                    [this](QPrinter& printer) { printTo(printer); });
}

void TTradeOffForm::SaveAsClick() {
    saveAs(this, "tradeoff", render::PageOrientation::Landscape,
           [this](Canvas& canvas) { drawPlot(canvas); });
}

} // namespace korvane::gui
