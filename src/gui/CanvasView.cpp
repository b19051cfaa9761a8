#include "gui/CanvasView.h"

#include "render/QtCanvas.h"

#include <QPainter>

namespace korvane::gui {

CanvasView::CanvasView(Draw draw, QWidget* parent) : QWidget(parent), draw_(std::move(draw)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    render::QtCanvas canvas(painter, false);
    if (draw_) {
        draw_(canvas);
    }
    painter.end();
    QMetaObject::invokeMethod(this, &CanvasView::painted, Qt::QueuedConnection);
}

} // namespace korvane::gui
