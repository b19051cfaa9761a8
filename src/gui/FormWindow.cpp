#include "gui/FormWindow.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace korvane::gui {

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {}

void FormWindow::showForm() {
    setEnabled(true);
    show();
    raise();
    activateWindow();
    // A command of another window shows this one: the user comes to it from elsewhere.
    active_ = true;
    formActivate();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (isActiveWindow()) {
        if (!active_) {
            active_ = true;
            formActivate();
        }
    } else if (QApplication::activeModalWidget() == nullptr &&
               qobject_cast<QDialog*>(QApplication::activeWindow()) == nullptr) {
        // The user went to another window of the program; coming back activates again.
        active_ = false;
    }
}

void placeWindow(QWidget& window, int left, int top, int width, int height) {
    window.move(left, top);
    window.resize(width, height);
}

} // namespace korvane::gui
