#include "graphs/GraphState.h"

#include <algorithm>

namespace korvane {

namespace {

std::string truncated(std::string_view text, std::size_t capacity) {
    return std::string(text.substr(0, capacity - 1));
}

} // namespace

void GraphState::setCurveName(int curve, std::string_view name) {
    if (curve >= 0 && curve < kGraphCurveLimit) {
        curveNames[static_cast<std::size_t>(curve)] = truncated(name, kCurveNameCapacity);
    }
}

void GraphState::setDescription(std::string_view text) {
    description = truncated(text, kDescriptionCapacity);
}

void GraphState::setPrintTitle(std::string_view text) {
    printTitle = truncated(text, kPrintTitleCapacity);
}

int GraphState::drawableCurveCount() const {
    return std::clamp(curveCount, 0, std::clamp(curveLimit, 0, kGraphCurveLimit));
}

int GraphState::drawablePointCount() const {
    return std::clamp(pointsPerCurve, 0, kGraphPointCapacity);
}

Rect graphWindowRect(Size screen) {
    const int left = screen.width / 12;
    const int top = screen.height / 6;
    return {left, top, left + screen.width / 2, top + screen.height / 2};
}

} // namespace korvane
