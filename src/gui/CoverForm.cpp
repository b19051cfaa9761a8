#include "gui/CoverForm.h"

#include "graphs/ShellLayout.h"
#include "render/QtCanvas.h"

#include <QEvent>
#include <QPainter>
#include <QSvgWidget>

namespace korvane::gui {

TCoverForm::TCoverForm(Size screen) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName("CoverForm");
    setToolTip("Press Any Key To Start");
    setFocusPolicy(Qt::StrongFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    const Rect r = coverWindowRect(screen);
    move(r.left, r.top);
    resize(r.right - r.left, r.bottom - r.top);
    picture_ = new QSvgWidget(":/korvane/cover.svg", this);
    picture_->setToolTip("Press Any Key To Start The Design Program");
    picture_->installEventFilter(this);
    show();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void TCoverForm::dismiss() {
    dismissed_ = true;
    hide();
}

void TCoverForm::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    render::QtCanvas canvas(painter, false);
    drawCover(canvas);
}

void TCoverForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const Rect p = coverPictureRect({width(), height()});
    picture_->setGeometry(p.left, p.top, p.right - p.left, p.bottom - p.top);
}

void TCoverForm::keyPressEvent(QKeyEvent* /*event*/) {
    dismiss();
}

void TCoverForm::mousePressEvent(QMouseEvent* /*event*/) {
    dismiss();
}

bool TCoverForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseButtonPress) {
        dismiss();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korvane::gui
