#pragma once

#include "graphs/Canvas.h"

#include <QWidget>

class QSvgWidget;

namespace korvane::gui {

// The cover: borderless and black, the program's name in red over a picture of a wound
// toroid, until a key or a click dismisses it for the rest of the run.
class TCoverForm : public QWidget {
    Q_OBJECT

  public:
    explicit TCoverForm(Size screen);

    bool dismissed() const { return dismissed_; }
    void dismiss();
    QSvgWidget* picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSvgWidget* picture_ = nullptr;
    bool dismissed_ = false;
};

} // namespace korvane::gui
