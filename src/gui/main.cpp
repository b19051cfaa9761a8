#include "gui/Designer.h"
#include "gui/MessageBoxSink.h"
#include "session/DesignSession.h"

#include <QApplication>
#include <QTimer>
#include <cstring>

// korvane-designer [--quit-after-start]: the desktop program. With --quit-after-start it
// ends as soon as the main window is shown (for start-up timing).
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("INDUCTOR DESIGN FOR POWER FILTERS");
    QApplication::setApplicationDisplayName("INDUCTOR DESIGN FOR POWER FILTERS");
    QApplication::setQuitOnLastWindowClosed(false);

    korvane::gui::MessageBoxSink sink;
    korvane::setMessageSink(&sink);
    korvane::DesignSession session(&sink);
    korvane::gui::Designer designer(session);

    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quit-after-start") == 0) {
            QTimer::singleShot(0, &app, &QApplication::quit);
        }
    }
    return QApplication::exec();
}
