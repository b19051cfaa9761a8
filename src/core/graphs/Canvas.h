#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace korvane {

// Device pixel coordinates: x to the right, y downwards, (0, 0) at the top left.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// Edges in pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Color&) const = default;
};

namespace colors {
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{0, 128, 0};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kNavy{0, 0, 128};
inline constexpr Color kGray{128, 128, 128};
inline constexpr Color kSilver{192, 192, 192};
// Background of windows and of the cleared graph area.
inline constexpr Color kFace = kSilver;
} // namespace colors

struct Pen {
    Color color = colors::kBlack;
    int width = 1; // device pixels
    bool operator==(const Pen&) const = default;
};

// The font height is in points (the point size) so that a font keeps its physical size on
// the screen and on a printer page; the canvas converts it to device pixels (pixelsPerPoint).
struct Font {
    std::string name = "Arial";
    double height = 9.0;
    Color color = colors::kBlack;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

// A drawing surface: a window's client area, a printer page or an image. Core code lays out
// everything it draws on this interface; the GUI implements it once with QPainter, tests with
// RecordingCanvas. The pen, brush and font are state of the canvas, read by each primitive.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // Client area or page size in device pixels.
    virtual Size size() const = 0;
    // True for a printer page (and exports that stand in for one).
    virtual bool printing() const = 0;
    // Device pixels per typographic point, for laying out fonts given in pixels.
    virtual double pixelsPerPoint() const = 0;
    // Font height in points of a font that is `pixels` device pixels high on this canvas.
    double pointsForPixels(double pixels) const {
        const double scale = pixelsPerPoint();
        return scale > 0.0 ? pixels / scale : pixels;
    }

    const Pen& pen() const { return pen_; }
    void setPen(const Pen& pen) { pen_ = pen; }
    void setPenColor(Color color) { pen_.color = color; }
    void setPenWidth(int width) { pen_.width = width; }

    Color brushColor() const { return brush_; }
    void setBrushColor(Color color) { brush_ = color; }

    const Font& font() const { return font_; }
    void setFont(Font font) { font_ = std::move(font); }
    void setFontHeight(double height) { font_.height = height; }
    void setFontColor(Color color) { font_.color = color; }

    Point penPosition() const { return position_; }

    // Moves the pen without drawing.
    void moveTo(int x, int y) {
        position_ = {x, y};
        penMoved(position_);
    }
    // Draws a line with the pen from the pen position to (x, y), which becomes the position.
    void lineTo(int x, int y) {
        const Point from = position_;
        position_ = {x, y};
        drawLine(from, position_);
    }
    void line(Point from, Point to) {
        moveTo(from.x, from.y);
        lineTo(to.x, to.y);
    }

    // Fills the rectangle with the brush colour, without an outline.
    void fillRect(const Rect& rect) { drawFilledRect(rect); }

    // Writes one line of text with the font; (x, y) is the top left of its cell.
    void textOut(int x, int y, std::string_view text) { drawText({x, y}, text); }

    // Size in device pixels of the text written with the current font.
    int textWidth(std::string_view text) const { return measureWidth(text); }
    int textHeight(std::string_view text) const { return measureHeight(text); }

  protected:
    virtual void penMoved(Point /*to*/) {}
    virtual void drawLine(Point from, Point to) = 0;
    virtual void drawFilledRect(const Rect& rect) = 0;
    virtual void drawText(Point topLeft, std::string_view text) = 0;
    virtual int measureWidth(std::string_view text) const = 0;
    virtual int measureHeight(std::string_view text) const = 0;

  private:
    Pen pen_;
    Color brush_ = colors::kWhite;
    Font font_;
    Point position_;
};

} // namespace korvane
