#include "gui/ClickableLabel.h"

#include "gui/QtText.h"

#include <QMouseEvent>

namespace korvane::gui {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        Q_EMIT clicked();
    }
}

void styleApplicationTitle(QLabel& label) {
    QFont f = label.font();
    f.setBold(true);
    f.setUnderline(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    label.setFont(f);
    label.setStyleSheet("color: rgb(255, 0, 0);");
    label.setAlignment(Qt::AlignCenter);
    label.setCursor(Qt::PointingHandCursor);
}

ClickableLabel* applicationTitleLabel(QWidget* parent) {
    auto* label = new ClickableLabel(parent);
    label->setObjectName("LabelApplication");
    styleApplicationTitle(*label);
    hint(label, "Click Here to Change the Application.");
    return label;
}

} // namespace korvane::gui
