#pragma once

#include "domain/Application.h"
#include "graphs/Canvas.h"
#include "gui/FormWindow.h"
#include "settings/ParametersForm.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane::gui {

class ClickableLabel;
class EntryFilter;
struct Shell;

// The design parameters window: the nine limits and constants of one application, the unit
// system and the wire gauge standard.
class TParamsForm : public FormWindow {
    Q_OBJECT

  public:
    // Component order of the fields: Param0, Param1 (cmil/A), Param1A (A/cm^2), Param2..8.
    static constexpr int kFields = 10;

    TParamsForm(Shell& shell, Size screen);

    // PARAMETERS: the shown application, then enable and show.
    void showForApplication(Application a);
    void formActivate() override;

    void Button_OK();
    void ButtonCancel();
    void WireGageBoxChange(int index);
    void LabelApplicationClick();

    // The field of component position `i` (0 .. 9 as above).
    QLineEdit* field(int i) const { return fields_[static_cast<std::size_t>(i)]; }
    QLabel* labelApplication() const;
    QComboBox* unitsBox() const { return unitsBox_; }
    QComboBox* wireGageBox() const { return wireGageBox_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    bool metric() const;
    // The edit field of parameter position 0 .. 8, position 1 being the visible copper field.
    QLineEdit* positionField(int position) const;
    void showCopperField();

    Shell& shell_;
    ClickableLabel* labelApplication_ = nullptr;
    std::array<QLineEdit*, kFields> fields_{};
    QLabel* copperLabels_[2][2] = {};
    QComboBox* unitsBox_ = nullptr;
    QComboBox* wireGageBox_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    EntryFilter* keys_ = nullptr;
    ParameterTexts buffers_; // texts shown at activation or read by the last OK
};

} // namespace korvane::gui
