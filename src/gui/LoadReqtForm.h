#pragma once

#include "gui/FormWindow.h"
#include "settings/RequirementFile.h"

#include <QString>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace korvane::gui {

struct Shell;

// LOAD REQUIREMENT FROM FILE: the entries of a requirement file by date and application; the
// chosen one fills the requirements window, the material selection and the application's
// design parameters, ready for OK. Entries that do not read are listed with the reason and
// cannot be chosen.
class TLoadReqtForm : public FormWindow {
    Q_OBJECT

  public:
    explicit TLoadReqtForm(Shell& shell);

    // Lists the file's entries and shows the window; false (the message shown) when the file
    // does not read.
    bool openFile(const QString& file);
    void LoadClick();

    QListWidget* list() const { return list_; }
    QPushButton* loadButton() const { return load_; }

  private:
    Shell& shell_;
    QString file_;
    std::vector<RequirementFileListing> entries_;
    QLabel* fileLabel_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* load_ = nullptr;
};

} // namespace korvane::gui
