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

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Draw draw_;
};

} // namespace korvane::gui
