#include "gui/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>

namespace korvane::gui {

void MessageBoxSink::show(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace korvane::gui
