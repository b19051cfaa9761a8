#include "support/RecordingCanvas.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

int roundToPixels(double v) {
    return static_cast<int>(std::floor(std::clamp(v, 0.0, 1.0e9) + 0.5));
}

} // namespace

RecordedPrimitive RecordingCanvas::withState(RecordedPrimitive::Kind kind) const {
    RecordedPrimitive p;
    p.kind = kind;
    p.pen = pen();
    p.brush = brushColor();
    p.font = font();
    return p;
}

double RecordingCanvas::fontPixels() const {
    const double pixels = font().height * pixelsPerPoint_;
    return std::isfinite(pixels) && pixels > 0.0 ? pixels : 0.0;
}

void RecordingCanvas::penMoved(Point to) {
    RecordedPrimitive p = withState(RecordedPrimitive::Kind::MoveTo);
    p.from = to;
    primitives_.push_back(std::move(p));
}

void RecordingCanvas::drawLine(Point from, Point to) {
    RecordedPrimitive p = withState(RecordedPrimitive::Kind::Line);
    p.from = from;
    p.to = to;
    primitives_.push_back(std::move(p));
}

void RecordingCanvas::drawFilledRect(const Rect& rect) {
    RecordedPrimitive p = withState(RecordedPrimitive::Kind::FillRect);
    p.rect = rect;
    primitives_.push_back(std::move(p));
}

void RecordingCanvas::drawText(Point topLeft, std::string_view text) {
    RecordedPrimitive p = withState(RecordedPrimitive::Kind::Text);
    p.from = topLeft;
    p.text = std::string(text);
    primitives_.push_back(std::move(p));
    texts_.push_back({std::string(text), topLeft, measureWidth(text), measureHeight(text), font()});
}

int RecordingCanvas::measureWidth(std::string_view text) const {
    return roundToPixels(static_cast<double>(text.size()) * 0.6 * fontPixels());
}

int RecordingCanvas::measureHeight(std::string_view /*text*/) const {
    return roundToPixels(fontPixels());
}

std::vector<RecordedLine> RecordingCanvas::lines() const {
    std::vector<RecordedLine> result;
    for (const RecordedPrimitive& p : primitives_) {
        if (p.kind == RecordedPrimitive::Kind::Line) {
            result.push_back({p.from, p.to, p.pen});
        }
    }
    return result;
}

std::vector<Rect> RecordingCanvas::filledRects() const {
    std::vector<Rect> result;
    for (const RecordedPrimitive& p : primitives_) {
        if (p.kind == RecordedPrimitive::Kind::FillRect) {
            result.push_back(p.rect);
        }
    }
    return result;
}

std::vector<std::vector<Point>> RecordingCanvas::polylines() const {
    std::vector<std::vector<Point>> result;
    bool open = false; // the last run can still be extended
    for (const RecordedPrimitive& p : primitives_) {
        switch (p.kind) {
        case RecordedPrimitive::Kind::MoveTo:
            result.push_back({p.from});
            open = true;
            break;
        case RecordedPrimitive::Kind::Line:
            if (!open) {
                result.push_back({p.from});
                open = true;
            }
            result.back().push_back(p.to);
            break;
        case RecordedPrimitive::Kind::FillRect:
        case RecordedPrimitive::Kind::Text:
            break;
        }
    }
    return result;
}

const RecordedText* RecordingCanvas::findText(std::string_view text) const {
    for (const RecordedText& t : texts_) {
        if (t.text == text) {
            return &t;
        }
    }
    return nullptr;
}

} // namespace korvane
