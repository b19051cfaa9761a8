#include "report/CurveReport.h"

#include "format/StrPrintf.h"

namespace korvane::report {

namespace {

std::string g(float v) {
    return strprintf("%g", static_cast<double>(v));
}

} // namespace

std::span<const GraphPoint> curvePoints(const GraphState& s, int curve) {
    const auto c = static_cast<std::size_t>(curve);
    if (!(s.curveReference[c] > 0.0F)) {
        return {};
    }
    return std::span<const GraphPoint>(s.points[c])
        .first(static_cast<std::size_t>(s.drawablePointCount()));
}

Json axesJson(const GraphState& s) {
    Json x = s.xDecades > 0
                 ? Json{{"scale", "log"}, {"start", jsonNumber(s.xStart)}, {"decades", s.xDecades}}
                 : Json{{"scale", "linear"}, {"end", jsonNumber(s.xStart)}};
    Json y =
        s.yDecades > 0
            ? Json{{"scale", "log"}, {"decades", s.yDecades}}
            : Json{{"scale", "linear"}, {"min", jsonNumber(s.yMin)}, {"max", jsonNumber(s.yMax)}};
    x["label"] = s.xLabel;
    y["label"] = s.yLabel;
    return {{"x", x}, {"y", y}};
}

std::string xAxisText(const GraphState& s) {
    return s.xDecades > 0 ? strprintf("%s, log from %s, %d decades", s.xLabel.c_str(),
                                      g(s.xStart).c_str(), s.xDecades)
                          : strprintf("%s, linear to %s", s.xLabel.c_str(), g(s.xStart).c_str());
}

std::string yAxisText(const GraphState& s) {
    return s.yDecades > 0 ? strprintf("%s, log, %d decades from the curve reference",
                                      s.yLabel.c_str(), s.yDecades)
                          : strprintf("%s, linear from %s to %s", s.yLabel.c_str(),
                                      g(s.yMin).c_str(), g(s.yMax).c_str());
}

Json graphDesignJson(const DesignCandidate& d, Application application, double current) {
    return {{"partNumber", d.partNumber},
            {"application", std::string(applicationCliName(application))},
            {"turns", jsonNumber(d.turns)},
            {"al", jsonNumber(d.al)},
            {"percentPerm", jsonNumber(d.percentPerm)},
            {"biasScale", jsonNumber(d.biasScale)},
            {"current", current}};
}

Json graphJson(const GraphState& s, const Json& extra, const std::vector<Message>& messages) {
    Json list = Json::array();
    for (int c = 0; c < s.drawableCurveCount(); ++c) {
        const auto i = static_cast<std::size_t>(c);
        Json points = Json::array();
        for (const GraphPoint& p : curvePoints(s, c)) {
            points.push_back({{"x", jsonNumber(p.x)}, {"y", jsonNumber(p.y)}});
        }
        list.push_back(
            {{"material", s.curveNames[i]},
             {"reference", jsonNumber(s.curveReference[i])},
             {"labelAnchor",
              {{"x", jsonNumber(s.labelAnchors[i].x)}, {"y", jsonNumber(s.labelAnchors[i].y)}}},
             {"points", points}});
    }
    Json j = {{"kind", s.graphKind},
              {"caption", s.caption},
              {"printTitle", s.printTitle},
              {"axes", axesJson(s)},
              {"curves", list}};
    for (const auto& [key, value] : extra.items()) {
        j[key] = value;
    }
    j["messages"] = messagesJson(messages);
    return j;
}

std::string graphCsv(const GraphState& s) {
    std::string csv = "# " + s.caption + "\n# x: " + xAxisText(s) + "\n# y: " + yAxisText(s) + "\n";
    if (!s.description.empty()) {
        csv += "# " + s.description + "\n";
    }
    csv += "material,point,x,y\n";
    for (int c = 0; c < s.drawableCurveCount(); ++c) {
        int i = 0;
        for (const GraphPoint& p : curvePoints(s, c)) {
            csv += s.curveNames[static_cast<std::size_t>(c)] + "," + std::to_string(i++) + "," +
                   g(p.x) + "," + g(p.y) + "\n";
        }
    }
    return csv;
}

} // namespace korvane::report
