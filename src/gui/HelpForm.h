#pragma once

#include "graphs/Canvas.h"
#include "gui/FormWindow.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace korvane::gui {

// The help window: the getting-started text or the help topics.
class THelp : public FormWindow {
    Q_OBJECT

  public:
    explicit THelp(Size screen);

    void showGettingStarted();
    void showHelpTopics();

    QLabel* heading() const { return heading_; }
    QPlainTextEdit* gettingStartedField() const { return gettingStarted_; }
    QPlainTextEdit* helpTopicsField() const { return helpTopics_; }
    QPlainTextEdit* blankField() const { return blank_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* heading_ = nullptr;
    QPlainTextEdit* gettingStarted_ = nullptr;
    QPlainTextEdit* helpTopics_ = nullptr;
    QPlainTextEdit* blank_ = nullptr;
};

// The about box, shown modally until OK.
class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace korvane::gui
