#pragma once

#include "graphs/Canvas.h"

#include <QFont>
#include <QString>

class QPainter;
class QPaintDevice;

namespace korvane::render {

// The installed family that stands in for a font the program names: the family itself when
// the machine has it, else a metric-compatible or like-looking installed family ("Arial" ->
// "Liberation Sans", "Impact" -> a condensed bold sans), else the application's default.
QString installedFamily(const std::string& name);

// The Qt font of a canvas font: family resolved as above, height in points.
QFont qtFont(const Font& font);

// The one QPainter implementation of the core's Canvas. It draws on whatever device the
// painter is open on: a widget's client area, a printer page, an image, a PDF or SVG file.
class QtCanvas : public Canvas {
  public:
    // `printing`: the device stands for a printer page (printer, PDF).
    QtCanvas(QPainter& painter, bool printing);

    Size size() const override { return size_; }
    bool printing() const override { return printing_; }
    double pixelsPerPoint() const override { return pixelsPerPoint_; }

  protected:
    void drawLine(Point from, Point to) override;
    void drawFilledRect(const Rect& rect) override;
    void drawText(Point topLeft, std::string_view text) override;
    int measureWidth(std::string_view text) const override;
    int measureHeight(std::string_view text) const override;

  private:
    void usePen();
    QFont currentFont() const;

    QPainter& painter_;
    QPaintDevice* device_;
    Size size_;
    bool printing_;
    double pixelsPerPoint_;
};

} // namespace korvane::render
