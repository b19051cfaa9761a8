#include "render/OffscreenApplication.h"

#include <QGuiApplication>
#include <QtGlobal>

namespace korvane::render {
namespace {

QtMessageHandler qtDefaultHandler = nullptr;

// Qt's notes about the platform it runs on (no runtime folder, no display) mean nothing to a
// command-line run, which reports through its own messages: only errors are passed on.
void errorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtDefaultHandler != nullptr) {
        qtDefaultHandler(type, context, message);
    }
}

} // namespace

void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qtDefaultHandler = qInstallMessageHandler(errorsOnly);
    // QGuiApplication keeps references to argc and argv: they live as long as it does, and it
    // lives until exit, after the last page is painted.
    static int argc = 1;
    static char name[] = "korvane";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

} // namespace korvane::render
