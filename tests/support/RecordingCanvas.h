#pragma once

#include "graphs/Canvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// One primitive drawn on a RecordingCanvas, with the canvas state at the time.
struct RecordedPrimitive {
    enum class Kind { MoveTo, Line, FillRect, Text };
    Kind kind = Kind::MoveTo;
    Point from;       // MoveTo: the new position; Line: start; Text: top left
    Point to;         // Line: end
    Rect rect;        // FillRect
    std::string text; // Text
    Pen pen;
    Color brush;
    Font font;
    bool operator==(const RecordedPrimitive&) const = default;
};

struct RecordedText {
    std::string text;
    Point topLeft;
    int width = 0;
    int height = 0;
    Font font;
};

struct RecordedLine {
    Point from;
    Point to;
    Pen pen;
};

// A canvas that draws nothing and records every primitive in order. Text metrics are
// deterministic: a character is 0.6 font heights wide, a line one font height tall, the font
// height in pixels being the font height in points times pixelsPerPoint, each rounded to whole
// pixels.
class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(Size size, bool printing = false, double pixelsPerPoint = 1.0)
        : size_(size), printing_(printing), pixelsPerPoint_(pixelsPerPoint) {}

    Size size() const override { return size_; }
    bool printing() const override { return printing_; }
    double pixelsPerPoint() const override { return pixelsPerPoint_; }

    const std::vector<RecordedPrimitive>& primitives() const { return primitives_; }
    void clear() {
        primitives_.clear();
        texts_.clear();
    }

    // Texts in the order written, with their measured size.
    const std::vector<RecordedText>& texts() const { return texts_; }
    std::vector<RecordedLine> lines() const;
    std::vector<Rect> filledRects() const;
    // Runs of connected lines: a MoveTo starts a new run, each line extends the current one
    // (a line not preceded by a MoveTo continues from the pen position). Each run lists its
    // vertices; a MoveTo that no line follows gives a run of one point.
    std::vector<std::vector<Point>> polylines() const;

    // The first recorded text equal to `text`, or nullptr.
    const RecordedText* findText(std::string_view text) const;
    bool hasText(std::string_view text) const { return findText(text) != nullptr; }

  protected:
    void penMoved(Point to) override;
    void drawLine(Point from, Point to) override;
    void drawFilledRect(const Rect& rect) override;
    void drawText(Point topLeft, std::string_view text) override;
    int measureWidth(std::string_view text) const override;
    int measureHeight(std::string_view text) const override;

  private:
    RecordedPrimitive withState(RecordedPrimitive::Kind kind) const;
    double fontPixels() const;

    Size size_;
    bool printing_;
    double pixelsPerPoint_;
    std::vector<RecordedPrimitive> primitives_;
    std::vector<RecordedText> texts_;
};

} // namespace korvane
