#pragma once

#include "analysis/AnalysisEntry.h"
#include "format/EntryKeys.h"
#include "graphs/Canvas.h"
#include "gui/FormWindow.h"

#include <array>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace korvane::gui {

class CanvasView;
class EntryFilter;
struct Shell;

// The analysis window: an existing inductor (part number and stack, wire and strands, turns)
// under the operating conditions of the application; OK analyses it and the window draws the
// electrical or mechanical rows, prints them on a portrait page and opens the graphs of the
// analysed design.
class TAnalysForm05 : public FormWindow {
    Q_OBJECT

  public:
    TAnalysForm05(Shell& shell, Size screen);

    // ANALYSIS from the main window or the results window: the entries set up from the
    // selected design (or none) and the requirement, then enable and show; with a design the
    // activation analyses it at once.
    void load();
    void formActivate() override;

    AnalysisOutcome ButtonOK_Click();
    void OnPrint();
    void OnSaveAs();
    void OnElectrical();
    void OnMechanical();
    void OnDCPerm();
    void OnACPerm();
    void OnInductance();
    void OnAging();
    void OnSpice();

    // The printed page on `printer` (portrait) and on any canvas.
    void printTo(QPrinter& printer);
    void drawPrintedPage(Canvas& canvas);
    // The rows the window draws, on any canvas.
    void drawPage(Canvas& canvas);

    QLineEdit* field(AnalysisField f) const { return fields_[static_cast<std::size_t>(f)]; }
    QLabel* label(AnalysisField f) const { return labels_[static_cast<std::size_t>(f)]; }
    QLabel* units(AnalysisField f) const { return units_[static_cast<std::size_t>(f)]; }
    QLabel* titleLabel() const { return title_; }
    QLabel* timeLabel() const { return time_; }
    QPushButton* button(const char* name) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    AnalysisEntry& entry() const;
    void showEntryTexts();
    void readEntryTexts();
    void showLabels();
    bool onPartNumberKeyUp(EntryKey key);
    void showGraphIf(bool drawn);

    Shell& shell_;
    QLabel* title_ = nullptr;
    QLabel* time_ = nullptr;
    std::array<QLineEdit*, kAnalysisFieldCount> fields_{};
    std::array<QLabel*, kAnalysisFieldCount> labels_{};
    std::array<QLabel*, kAnalysisFieldCount> units_{};
    std::array<QLabel*, 2> crosses_{};
    QLabel* strandsLabel_ = nullptr;
    CanvasView* page_ = nullptr;
    EntryFilter* keys_ = nullptr;
    bool partNumberError_ = false;
    bool analysed_ = false; // an OK has run: the rows are drawn
};

} // namespace korvane::gui
