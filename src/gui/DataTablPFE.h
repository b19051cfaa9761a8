#pragma once

#include "graphs/Canvas.h"
#include "gui/FormWindow.h"

class QHBoxLayout;
class QPrinter;
class QPushButton;
class QScrollBar;

namespace korvane {
struct DesignRunOutput;
}

namespace korvane::gui {

class CanvasView;
struct Shell;

// A window of paged text tables drawn by the core: the page, one vertical scroll bar that
// selects the row, PRINT (landscape, through the print dialog) and CLOSE.
class TDataTablProto : public FormWindow {
    Q_OBJECT

  public:
    explicit TDataTablProto(Size screen);

    QScrollBar* scrollBar() const { return scrollBar_; }
    CanvasView* page() const { return page_; }
    QPushButton* printButton() const { return printBtn_; }
    QPushButton* closeButton() const { return closeBtn_; }

    void PrintBtnClick();
    // Draws the printed page on `printer` (landscape), as PRINT does after its dialog.
    void printTo(QPrinter& printer);

    // The window's page and the printed page, drawn on any canvas.
    virtual void drawPage(Canvas& canvas) = 0;
    virtual void drawPrintedPage(Canvas& canvas) = 0;

  protected:
    virtual void rowSelected(int row) = 0;
    QHBoxLayout* buttonRow() const { return buttons_; }
    Size screen() const { return screen_; }

  private:
    Size screen_;
    CanvasView* page_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QPushButton* printBtn_ = nullptr;
    QPushButton* closeBtn_ = nullptr;
};

// The results window: the ELECTRICAL and DIMENSION pages of the last automatic design, with
// the selected row that the graphs and the analysis work on.
class TDataTablPFE : public TDataTablProto {
    Q_OBJECT

  public:
    TDataTablPFE(Shell& shell, Size screen);

    // The search found designs: show the new run, on the page and row the window had.
    void showResults();
    void formActivate() override;

    void ElectricalClick();
    void DimensionClick();
    void InductanceClick();
    void TempRiseClick();
    void AnalysisBtnClick();
    void SaveAsClick();
    void WhyNotClick();
    void TradeOffClick();

    QPushButton* electricalButton() const { return button1_; }
    QPushButton* dimensionButton() const { return button2_; }
    QPushButton* inductanceButton() const { return button3_; }
    QPushButton* tempRiseButton() const { return button4_; }
    QPushButton* analysisButton() const { return button5_; }
    QPushButton* saveAsButton() const { return saveAs_; }
    QPushButton* whyNotButton() const { return whyNot_; }
    QPushButton* tradeOffButton() const { return tradeOff_; }

    void drawPage(Canvas& canvas) override;
    void drawPrintedPage(Canvas& canvas) override;

  protected:
    void rowSelected(int row) override;

  private:
    DesignRunOutput* run() const;
    void refresh();

    Shell& shell_;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QPushButton* button4_ = nullptr;
    QPushButton* button5_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    QPushButton* whyNot_ = nullptr;
    QPushButton* tradeOff_ = nullptr;
};

} // namespace korvane::gui
