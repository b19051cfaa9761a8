#pragma once

#include "engine/DesignCandidate.h"
#include "graphs/GraphState.h"
#include "report/ReportJson.h"

#include <span>
#include <string>

namespace korvane::report {

// The points a curve has: none for a curve the graph does not draw.
std::span<const GraphPoint> curvePoints(const GraphState& s, int curve);

// The axes: scale, start or range, and label of each.
Json axesJson(const GraphState& s);

// The designed part a design graph draws, with the current it was drawn for.
Json graphDesignJson(const DesignCandidate& design, Application application, double current);

// A graph: kind, captions, axes and every drawn curve with its points; then the fields of
// `extra` and the messages.
Json graphJson(const GraphState& s, const Json& extra, const std::vector<Message>& messages);

// A graph as CSV: caption, axes and description as comment lines, then material, point, x, y.
std::string graphCsv(const GraphState& s);

// The axis descriptions of the CSV comments and the text output.
std::string xAxisText(const GraphState& s);
std::string yAxisText(const GraphState& s);

} // namespace korvane::report
