#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "graphs/Canvas.h"

#include <QMainWindow>
#include <QString>
#include <functional>

class QAction;
class QFrame;
class QMenu;
class QPushButton;

namespace korvane::gui {

struct Shell;

// The program's frame: the menu bar and the buttons from which every function starts.
// Closing it writes the parameter settings file and ends the program.
class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    TMainForm(Shell& shell, Size screen);

    Application currentApplication() const { return currentApplication_; }
    void setCurrentApplication(Application a) { currentApplication_ = a; }
    double contentScale() const { return scale_; }

    // The commands of the buttons and menu items.
    void designCommand(Application a);
    void shapeCommand(CoreShape shape);
    void materialSelectionButton();
    // MATERIALS PROPERTIES item k and pop-up item k (1 to 6): materials graph k.
    void materialsGraph(int kind);
    // MATERIALS DATA: the pop-up menu at a screen position.
    void materialsDataButton();
    void materialsDataItem();
    // DATA DISPLAY graphs of the design selected in the results window.
    void designPermeabilityGraph(int kind);
    void inductanceVsCurrent();
    void agingGraph();
    void analysisCommand();
    QMenu* materialsDataMenu() const { return materialsData_; }
    void materialSelectionItem();
    void electricalAndDimensions();
    void parametersCommand();
    void gettingStarted();
    void helpTopics();
    void about();
    void saveRequirementToFile();
    void loadRequirementFromFile();

    // The save dialog: the chosen file name, or empty when cancelled. Tests replace it.
    std::function<QString()> chooseRequirementFile;
    // The open dialog of LOAD REQUIREMENT FROM FILE; tests replace it.
    std::function<QString()> chooseRequirementFileToLoad;

    QAction* shapeItem(CoreShape shape) const;
    QPushButton* designButton(Application a) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildGroups();
    QString askRequirementFile();
    QString askRequirementFileToLoad();

    Shell& shell_;
    double scale_;
    Application currentApplication_ = Application::DcBiased;
    QMenu* materialsData_ = nullptr;
    QFrame* titleGroup_ = nullptr;
    QFrame* functionGroup_ = nullptr;
    QAction* shapeItems_[3] = {};
    QPushButton* designButtons_[kApplicationCount] = {};
};

} // namespace korvane::gui
