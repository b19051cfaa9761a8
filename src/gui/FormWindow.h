#pragma once

#include <QWidget>

namespace korvane::gui {

// A top-level window of the program that rebuilds its display when it becomes active, as the
// windows do when the user comes to them from another window of the program. Coming back
// from a message box or a file dialog, or from another program, is not a new activation: the
// user's typing stays.
class FormWindow : public QWidget {
    Q_OBJECT

  public:
    explicit FormWindow(QWidget* parent = nullptr);

    // Enable, show, bring to the front, and activate.
    void showForm();
    // The activation handler: rebuild the display from the state it shows.
    virtual void formActivate() {}

  protected:
    void changeEvent(QEvent* event) override;
};

// Places a window's frame (`rect` in screen pixels: left, top, width, height).
void placeWindow(QWidget& window, int left, int top, int width, int height);

} // namespace korvane::gui
