#pragma once

#include <QLabel>

namespace korvane::gui {

// A label that reports a click (the windows' application titles).
class ClickableLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  Q_SIGNALS:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The red, bold, underlined application title at the top of the entry windows.
void styleApplicationTitle(QLabel& label);

// The clickable application title (LabelApplication) of the requirements and parameters
// windows, with its hint; a click moves on to the next application.
ClickableLabel* applicationTitleLabel(QWidget* parent);

} // namespace korvane::gui
