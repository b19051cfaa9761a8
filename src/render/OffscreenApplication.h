#pragma once

namespace korvane::render {

// Makes sure a QGuiApplication exists before pages are painted (fonts and the paint engines
// need one). When the process has no Qt application yet, one is created for the rest of the
// run, on the "offscreen" platform unless QT_QPA_PLATFORM names another, so that pages render
// without a display; Qt's debug and warning output is then dropped, its errors are kept.
// Programs that create their own application are left alone.
void ensureGuiApplication();

} // namespace korvane::render
