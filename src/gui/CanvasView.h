#pragma once

#include "graphs/Canvas.h"

#include <QWidget>
#include <functional>

namespace korvane::gui {

// A widget whose whole client area the core draws through the Canvas.
class CanvasView : public QWidget {
    Q_OBJECT

  public:
    using Draw = std::function<void(Canvas&)>;
    explicit CanvasView(Draw draw, QWidget* parent = nullptr);

  Q_SIGNALS:
    // After every paint: the drawing may have changed what the window shows beside it.
    void painted();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Draw draw_;
};

} // namespace korvane::gui
