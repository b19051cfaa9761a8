#pragma once

#include "gui/FormWindow.h"

#include <vector>

class QCheckBox;
class QPushButton;

namespace korvane::gui {

struct Shell;

// The material selection: one check box per selectable mix with the maker's description.
// The boxes become the selection only through OK.
class TMaterialSelector : public FormWindow {
    Q_OBJECT

  public:
    explicit TMaterialSelector(Shell& shell);

    void formActivate() override;
    void InvertClick();
    void SelectAllClick();
    void OKClick();

    QCheckBox* box(std::size_t i) const { return boxes_[i]; }
    std::size_t boxCount() const { return boxes_.size(); }
    QPushButton* invertButton() const { return invert_; }
    QPushButton* selectAllButton() const { return selectAll_; }
    QPushButton* okButton() const { return ok_; }

  private:
    void showChecks();

    Shell& shell_;
    std::vector<QCheckBox*> boxes_;
    QPushButton* invert_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace korvane::gui
