#include "render/QtCanvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <utility>

namespace korvane::render {
namespace {

QColor qtColor(Color c) {
    return {c.r, c.g, c.b};
}

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Stand-ins for the families the program names, in order of preference.
const std::array<std::pair<const char*, std::array<const char*, 3>>, 3> kStandIns = {{
    {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
    {"Impact", {"Anton", "DejaVu Sans Condensed", "DejaVu Sans"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono", "Monospace"}},
}};

} // namespace

QString installedFamily(const std::string& name) {
    const QStringList families = QFontDatabase::families();
    const QString wanted = QString::fromStdString(name);
    if (families.contains(wanted, Qt::CaseInsensitive)) {
        return wanted;
    }
    for (const auto& [family, standIns] : kStandIns) {
        if (wanted.compare(QLatin1String(family), Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (const char* standIn : standIns) {
            if (families.contains(QLatin1String(standIn), Qt::CaseInsensitive)) {
                return QLatin1String(standIn);
            }
        }
    }
    return QGuiApplication::font().family();
}

QFont qtFont(const Font& font) {
    QFont f(installedFamily(font.name));
    f.setPointSizeF(font.height > 0.0 ? font.height : 1.0);
    f.setBold(font.bold);
    return f;
}

QtCanvas::QtCanvas(QPainter& painter, bool printing)
    : painter_(painter), device_(painter.device()), printing_(printing) {
    size_ = {device_->width(), device_->height()};
    pixelsPerPoint_ = device_->logicalDpiY() / 72.0;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void QtCanvas::usePen() {
    QPen p(qtColor(pen().color));
    // Pen widths are screen pixels: a printer page or a PDF draws them as wide as the screen
    // does (1/96 inch each), not as hairlines of its own dots.
    const double scale = std::max(1.0, device_->logicalDpiX() / 96.0);
    p.setWidth(std::max(1, static_cast<int>(pen().width * scale + 0.5)));
    painter_.setPen(p);
}

QFont QtCanvas::currentFont() const {
    // Points of the device (a printer has more pixels per point than the screen).
    return QFont(qtFont(font()), device_);
}

void QtCanvas::drawLine(Point from, Point to) {
    usePen();
    painter_.drawLine(from.x, from.y, to.x, to.y);
}

void QtCanvas::drawFilledRect(const Rect& rect) {
    painter_.fillRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1)),
                      qtColor(brushColor()));
}

void QtCanvas::drawText(Point topLeft, std::string_view text) {
    const QFont f = currentFont();
    painter_.setFont(f);
    painter_.setPen(qtColor(font().color));
    const QFontMetrics metrics(f, device_);
    painter_.drawText(QPoint(topLeft.x, topLeft.y + metrics.ascent()), qtText(text));
}

int QtCanvas::measureWidth(std::string_view text) const {
    return QFontMetrics(currentFont(), device_).horizontalAdvance(qtText(text));
}

int QtCanvas::measureHeight(std::string_view /*text*/) const {
    return QFontMetrics(currentFont(), device_).height();
}

} // namespace korvane::render
