#include "gui/Designer.h"
#include "gui/MainForm.h"
#include "gui/MessageBoxSink.h"
#include "session/DesignSession.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstring>

namespace {

// Ends the program once the main window has painted itself for the first time.
class QuitAfterFirstPaint : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// korvane-designer [--quit-after-start]: the desktop program. With --quit-after-start it
// ends as soon as the main window has been shown and painted (for start-up timing).
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The program's title. Not also the display name: Qt would append that to every window's
    // and message box's caption.
    QApplication::setApplicationName("INDUCTOR DESIGN FOR POWER FILTERS");
    QApplication::setQuitOnLastWindowClosed(false);

    korvane::gui::MessageBoxSink sink;
    korvane::setMessageSink(&sink);
    korvane::DesignSession session(&sink);
    korvane::gui::Designer designer(session);

    QuitAfterFirstPaint quit;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quit-after-start") == 0) {
            designer.shell().main->installEventFilter(&quit);
        }
    }
    return QApplication::exec();
}
