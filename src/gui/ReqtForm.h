#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "graphs/Canvas.h"
#include "gui/FormWindow.h"
#include "requirements/Requirement.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane::gui {

class ClickableLabel;
class EntryFilter;
struct Shell;

// The requirements window: the application, its requirement, the core shape, winding type,
// stacked cores and strands. OK checks the requirement and runs the automatic design.
class TReqtForm : public FormWindow {
    Q_OBJECT

  public:
    static constexpr int kFields = kRequirementFieldCount; // Param0 .. Param10

    TReqtForm(Shell& shell, Size screen);

    // Set by the main window's commands before the window is shown.
    void setApplication(Application a) { application_ = a; }
    Application application() const { return application_; }
    void setShape(CoreShape shape);

    void formActivate() override;

    // The handlers.
    void LabelApplicationClick();
    void Button_OKClick();
    void ButtonCancelClick();
    void ButtonMaterialClick();
    void ParamExit(std::size_t field);

    QLineEdit* param(int i) const { return params_[static_cast<std::size_t>(i)]; }
    QLabel* caption(int i) const { return captions_[static_cast<std::size_t>(i)]; }
    QLabel* unit(int i) const { return units_[static_cast<std::size_t>(i)]; }
    QLabel* labelApplication() const;
    QLabel* rippleLabel() const { return ripple_; }
    QLabel* compositeLabel() const { return label39_; }
    QComboBox* shapeBox() const { return shapeBox_; }
    QComboBox* windingBox() const { return windgBox_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* materialButton() const { return material_; }

  private:
    RequirementTexts texts() const;
    void showTexts(const RequirementTexts& texts);

    Shell& shell_;
    Application application_ = Application::DcBiased;
    ClickableLabel* labelApplication_ = nullptr;
    std::array<QLineEdit*, kFields> params_{};
    std::array<QLabel*, 9> captions_{};
    std::array<QLabel*, 9> units_{};
    QLabel* ripple_ = nullptr;
    QLabel* label39_ = nullptr;
    QComboBox* shapeBox_ = nullptr;
    QComboBox* windgBox_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* material_ = nullptr;
    EntryFilter* keys_ = nullptr;
};

} // namespace korvane::gui
