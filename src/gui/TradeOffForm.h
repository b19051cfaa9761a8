#pragma once

#include "graphs/TradeOffPlot.h"
#include "gui/FormWindow.h"

class QComboBox;
class QPrinter;
class QPushButton;

namespace korvane::gui {

class CanvasView;
struct Shell;

// TRADE-OFF: the run's designs as points of two quantities, the Pareto-optimal ones
// distinct, the selected row marked; a click on a point selects its row in the results.
class TTradeOffForm : public FormWindow {
    Q_OBJECT

  public:
    explicit TTradeOffForm(Shell& shell);

    void formActivate() override;
    TradeOffQuantity xQuantity() const;
    TradeOffQuantity yQuantity() const;
    void setQuantities(TradeOffQuantity x, TradeOffQuantity y);

    // A click on the plot at a pixel of it.
    void PlotClick(Point at);
    void PrintClick();
    void SaveAsClick();
    void printTo(QPrinter& printer);
    void drawPlot(Canvas& canvas);

    QComboBox* xBox() const { return xBox_; }
    QComboBox* yBox() const { return yBox_; }
    CanvasView* plot() const { return plot_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<TradeOffPoint> points() const;

    Shell& shell_;
    QComboBox* xBox_ = nullptr;
    QComboBox* yBox_ = nullptr;
    CanvasView* plot_ = nullptr;
};

} // namespace korvane::gui
