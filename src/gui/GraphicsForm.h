#pragma once

#include "graphs/Canvas.h"
#include "gui/FormWindow.h"

class QLabel;
class QPrinter;
class QPushButton;

namespace korvane {
struct GraphState;
}

namespace korvane::gui {

class CanvasView;
struct Shell;

// The graph window: the core draws the session's graph state on every activate, paint and
// resize; PRINT GRAPH (shown once the graph has been drawn on the screen) prints it on a
// landscape page, SAVE AS exports that page.
class TGraphicsForm : public FormWindow {
    Q_OBJECT

  public:
    TGraphicsForm(Shell& shell, Size screen);

    // A graph command filled the state: show the window with it.
    void showGraph();
    void formActivate() override;

    void Button_PrintGraphClick();
    void SaveAsClick();
    // The printed page on `printer`, as PRINT GRAPH does after its dialog.
    void printTo(QPrinter& printer);
    // The printed page on any canvas.
    void drawPrintedPage(Canvas& canvas);

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* xLabel() const { return xLabel_; }
    QLabel* yLabel() const { return yLabel_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* saveAsButton() const { return saveAs_; }
    CanvasView* plot() const { return plot_; }

  private:
    GraphState& state() const;
    void showTexts();

    Shell& shell_;
    QLabel* titleLabel_ = nullptr;
    QLabel* xLabel_ = nullptr;
    QLabel* yLabel_ = nullptr;
    CanvasView* plot_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* saveAs_ = nullptr;
};

} // namespace korvane::gui
