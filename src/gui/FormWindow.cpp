#include "gui/FormWindow.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>

namespace korvane::gui {

namespace {

// The program's window the user was last in; message boxes and file dialogs do not count.
QPointer<QWidget>& lastWindow() {
    static QPointer<QWidget> window;
    return window;
}

// Notes the activation of the program's windows that are not FormWindows (the main window,
// the cover), so that coming from one of them to a FormWindow counts as coming from elsewhere.
class WindowActivations : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow() &&
                qobject_cast<FormWindow*>(widget) == nullptr &&
                qobject_cast<QDialog*>(widget) == nullptr && !widget->isModal()) {
                lastWindow() = widget;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void watchWindowActivations() {
    static QPointer<WindowActivations> watcher;
    if (watcher.isNull() && qApp != nullptr) {
        watcher = new WindowActivations(qApp);
        qApp->installEventFilter(watcher);
    }
}

} // namespace

FormWindow::FormWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    watchWindowActivations();
}

void FormWindow::showForm() {
    setEnabled(true);
    show();
    raise();
    activateWindow();
    // A command of another window shows this one: the user comes to it from elsewhere.
    lastWindow() = this;
    formActivate();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) {
        return;
    }
    // Coming back from a message box or a file dialog, or from another program, is not
    // coming from another window of the program: the user's typing stays.
    if (lastWindow() != this) {
        lastWindow() = this;
        formActivate();
    }
}

void placeWindow(QWidget& window, int left, int top, int width, int height) {
    window.move(left, top);
    window.resize(width, height);
}

} // namespace korvane::gui
