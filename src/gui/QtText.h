#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

namespace korvane::gui {

// A core text (UTF-8) on a widget.
inline QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A control's hint: its tool tip, and the status bar's text while the pointer is on it.
template <class Control>
void hint(Control* control, const QString& text) {
    control->setToolTip(text);
    control->setStatusTip(text);
}

} // namespace korvane::gui
