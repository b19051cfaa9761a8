#pragma once

#include "gui/Designer.h"
#include "session/DesignSession.h"
#include "support/RecordingSink.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>

namespace korvane::gui {

// The program's windows on a 1280 x 1024 screen, over a session whose messages a recording
// sink keeps, in a working directory of their own (the settings file is read and written
// there).
struct GuiFixture {
    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();
    RecordingSink sink;
    std::unique_ptr<DesignSession> session;
    std::unique_ptr<Designer> designer;

    GuiFixture() {
        QDir::setCurrent(dir.path());
        setMessageSink(&sink);
        session = std::make_unique<DesignSession>(&sink);
        designer = std::make_unique<Designer>(*session, Size{1280, 1024});
    }
    ~GuiFixture() {
        designer.reset();
        session.reset();
        setMessageSink(nullptr);
        QDir::setCurrent(previousDir);
    }
    GuiFixture(const GuiFixture&) = delete;
    GuiFixture& operator=(const GuiFixture&) = delete;

    Shell& shell() { return designer->shell(); }
};

// Makes `w` the active window so that focus moves and key events reach it as on a desktop.
inline bool activate(QWidget* w) {
    w->activateWindow();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

} // namespace korvane::gui
