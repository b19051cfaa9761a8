#pragma once

#include "gui/FormWindow.h"
#include "results/WhyNot.h"

#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace korvane::gui {

struct Shell;

// WHY NOT: every catalog listing the last run visited, in listing order, with what became of
// it; a filter by part number or material, the count of each outcome, and for a listing the
// run never reached, why.
class TWhyNotForm : public FormWindow {
    Q_OBJECT

  public:
    explicit TWhyNotForm(Shell& shell);

    void formActivate() override;
    void FilterChange();

    QLineEdit* filterBox() const { return filter_; }
    QLabel* countsLabel() const { return counts_; }
    QLabel* noteLabel() const { return note_; }
    QPlainTextEdit* list() const { return list_; }

  private:
    Shell& shell_;
    std::vector<WhyNotRow> rows_;
    QLineEdit* filter_ = nullptr;
    QLabel* counts_ = nullptr;
    QLabel* note_ = nullptr;
    QPlainTextEdit* list_ = nullptr;
};

} // namespace korvane::gui
