#include "gui/GraphicsForm.h"

#include "graphs/GraphDrawing.h"
#include "graphs/GraphState.h"
#include "gui/CanvasView.h"
#include "gui/ExportDialog.h"
#include "gui/QtText.h"
#include "gui/Shell.h"
#include "results/ResultPageState.h"
#include "session/DesignSession.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <ctime>

namespace korvane::gui {
TGraphicsForm::TGraphicsForm(Shell& shell, Size screen) : shell_(shell) {
    setObjectName("GraphicsForm");
    setWindowTitle("GraphicsForm Constructor");
    const Rect r = graphWindowRect(screen);
    placeWindow(*this, r.left, r.top, r.right - r.left, r.bottom - r.top);

    auto* outer = new QVBoxLayout(this);
    titleLabel_ = new QLabel(this);
    titleLabel_->setObjectName("TitleLabel");
    titleLabel_->setAlignment(Qt::AlignHCenter);
    titleLabel_->setWordWrap(true);
    outer->addWidget(titleLabel_);

    auto* middle = new QHBoxLayout;
    yLabel_ = new QLabel(this);
    yLabel_->setObjectName("Y_label");
    yLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    yLabel_->setWordWrap(true);
    yLabel_->setFixedWidth(90);
    plot_ = new CanvasView([this](Canvas& canvas) { drawGraph(state(), canvas); }, this);
    plot_->setMinimumSize(320, 240);
    middle->addWidget(yLabel_);
    middle->addWidget(plot_, 1);
    outer->addLayout(middle, 1);

    xLabel_ = new QLabel(this);
    xLabel_->setObjectName("X_Label");
    xLabel_->setAlignment(Qt::AlignHCenter);
    outer->addWidget(xLabel_);

    auto* buttons = new QHBoxLayout;
    print_ = new QPushButton("PRINT GRAPH", this);
    print_->setObjectName("Button_PrintGraph");
    print_->hide();
    saveAs_ = new QPushButton("SAVE AS", this);
    saveAs_->setObjectName("Button_SaveAs");
    saveAs_->setToolTip("Saves the printed page as a PDF, SVG or PNG file");
    saveAs_->hide();
    buttons->addWidget(print_);
    buttons->addWidget(saveAs_);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    connect(print_, &QPushButton::clicked, this, &TGraphicsForm::Button_PrintGraphClick);
    connect(saveAs_, &QPushButton::clicked, this, &TGraphicsForm::SaveAsClick);

    // The drawing reports the print button's state; the buttons follow after the paint.
    connect(plot_, &CanvasView::painted, this, [this] {
        showTexts();
        const bool drawn = state().printButtonVisible && state().graphKind != 0;
        if (print_->isVisible() != drawn) {
            print_->setVisible(drawn);
            saveAs_->setVisible(drawn);
        }
    });
}

GraphState& TGraphicsForm::state() const {
    return shell_.session->graph();
}

void TGraphicsForm::showTexts() {
    const GraphState& s = state();
    setWindowTitle(qt(s.caption));
    titleLabel_->setText(qt(s.titleLabel));
    xLabel_->setText(qt(s.xLabel));
    yLabel_->setText(qt(s.yLabel));
}

void TGraphicsForm::showGraph() {
    showTexts();
    showForm();
    plot_->update();
}

void TGraphicsForm::formActivate() {
    showTexts();
    plot_->update();
}

void TGraphicsForm::drawPrintedPage(Canvas& canvas) {
    drawGraphPage(state(), canvas, ResultPageState::dateTimeText(std::time(nullptr)));
}

void TGraphicsForm::printTo(QPrinter& printer) {
    if (!printPage(printer, render::PageOrientation::Landscape,
                   [this](Canvas& canvas) { drawPrintedPage(canvas); })) {
        return;
    }
    // The print hides the button until the graph is drawn on the screen again.
    print_->hide();
    saveAs_->hide();
    state().printButtonVisible = false;
    plot_->update();
}

void TGraphicsForm::Button_PrintGraphClick() {
    printWithDialog(this, render::PageOrientation::Landscape,
                    [this](QPrinter& printer) { printTo(printer); });
}

void TGraphicsForm::SaveAsClick() {
    saveAs(this, "graph", render::PageOrientation::Landscape,
           [this](Canvas& canvas) { drawPrintedPage(canvas); });
}

} // namespace korvane::gui
