#include "graphs/TradeOffPlot.h"

#include "format/StrPrintf.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace korvane {
namespace {

constexpr double kCubicCmPerCubicInch = 16.387064;

struct Range {
    double low = 0.0;
    double high = 1.0;
    double step = 0.5;
};

// An axis from a value range: 1, 2 or 5 times a power of ten per step, about five steps,
// ends on whole steps, never empty.
Range niceRange(double low, double high) {
    if (!(high > low)) {
        const double pad = std::fabs(low) > 0.0 ? std::fabs(low) * 0.1 : 1.0;
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (raw <= step) {
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

struct Axes {
    Rect frame;
    Range x;
    Range y;
    int px(double v) const {
        return frame.left + static_cast<int>(std::lround((v - x.low) / (x.high - x.low) *
                                                         (frame.right - frame.left)));
    }
    int py(double v) const {
        return frame.bottom - static_cast<int>(std::lround((v - y.low) / (y.high - y.low) *
                                                           (frame.bottom - frame.top)));
    }
};

Axes axesOf(Size size, const std::vector<TradeOffPoint>& points) {
    double xl = std::numeric_limits<double>::max();
    double xh = std::numeric_limits<double>::lowest();
    double yl = xl;
    double yh = xh;
    for (const TradeOffPoint& p : points) {
        xl = std::min(xl, p.x);
        xh = std::max(xh, p.x);
        yl = std::min(yl, p.y);
        yh = std::max(yh, p.y);
    }
    if (points.empty()) {
        xl = yl = 0.0;
        xh = yh = 1.0;
    }
    return {tradeOffFrame(size), niceRange(xl, xh), niceRange(yl, yh)};
}

std::string tickText(double value, double step) {
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return strprintf("%.*f", std::clamp(decimals, 0, 6), value);
}

} // namespace

std::string_view tradeOffLabel(TradeOffQuantity q) {
    switch (q) {
    case TradeOffQuantity::Price:
        return "PRICE";
    case TradeOffQuantity::TotalLoss:
        return "TOTAL LOSS, W";
    case TradeOffQuantity::TempRise:
        return "TEMPERATURE RISE, DEG C";
    case TradeOffQuantity::WoundVolume:
        return "WOUND VOLUME, cu cm";
    case TradeOffQuantity::CoreWeight:
        return "CORE WEIGHT, Lbs";
    case TradeOffQuantity::Rdc:
        return "Rdc, Ohms";
    }
    return {};
}

std::string_view tradeOffName(TradeOffQuantity q) {
    switch (q) {
    case TradeOffQuantity::Price:
        return "price";
    case TradeOffQuantity::TotalLoss:
        return "loss";
    case TradeOffQuantity::TempRise:
        return "rise";
    case TradeOffQuantity::WoundVolume:
        return "volume";
    case TradeOffQuantity::CoreWeight:
        return "weight";
    case TradeOffQuantity::Rdc:
        return "rdc";
    }
    return {};
}

std::optional<TradeOffQuantity> tradeOffFromName(std::string_view name) {
    for (const TradeOffQuantity q : kTradeOffQuantities) {
        if (tradeOffName(q) == name) {
            return q;
        }
    }
    return std::nullopt;
}

std::optional<double> tradeOffValue(const DesignCandidate& d, const CoreRecord& core,
                                    TradeOffQuantity q) {
    double v = 0.0;
    switch (q) {
    case TradeOffQuantity::Price:
        if (!(core.price > 0.0F)) {
            return std::nullopt;
        }
        v = core.price;
        break;
    case TradeOffQuantity::TotalLoss:
        v = (static_cast<double>(d.coreLoss) + d.copperLoss) * 0.001;
        break;
    case TradeOffQuantity::TempRise:
        v = d.tempRise;
        break;
    case TradeOffQuantity::WoundVolume:
        if (core.shape == CoreShape::ECore) {
            // The pair's envelope, the winding standing out by its build on both faces.
            v = static_cast<double>(core.dimA) * 2.0 * core.dimB * (core.dimC + 2.0 * d.build);
        } else {
            v = kPi / 4.0 * d.woundOD * d.woundOD * d.woundHeight;
        }
        v *= kCubicCmPerCubicInch;
        break;
    case TradeOffQuantity::CoreWeight:
        v = core.weight;
        break;
    case TradeOffQuantity::Rdc:
        v = d.rdc;
        break;
    }
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

std::vector<TradeOffPoint> tradeOffPoints(const SearchResult& run, TradeOffQuantity x,
                                          TradeOffQuantity y) {
    std::vector<TradeOffPoint> points;
    for (int i = 0; i < run.accepted && i < kCandidateSlots; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const auto vx = tradeOffValue(run.table.slots[slot], run.cores[slot], x);
        const auto vy = tradeOffValue(run.table.slots[slot], run.cores[slot], y);
        if (vx && vy) {
            points.push_back({i, *vx, *vy, false});
        }
    }
    for (TradeOffPoint& p : points) {
        p.pareto = std::none_of(points.begin(), points.end(), [&](const TradeOffPoint& q) {
            return q.x <= p.x && q.y <= p.y && (q.x < p.x || q.y < p.y);
        });
    }
    return points;
}

Rect tradeOffFrame(Size size) {
    return {size.width * 12 / 100, size.height / 10, size.width * 95 / 100, size.height * 82 / 100};
}

void drawTradeOff(Canvas& canvas, const std::vector<TradeOffPoint>& points, TradeOffQuantity x,
                  TradeOffQuantity y, int selectedRow) {
    const Size size = canvas.size();
    const Axes a = axesOf(size, points);
    const Rect& f = a.frame;
    if (!canvas.printing()) {
        canvas.setBrushColor(colors::kFace);
        canvas.fillRect({0, 0, size.width, size.height});
    }
    canvas.setBrushColor(colors::kWhite);
    canvas.fillRect(f);

    Font font;
    font.color = colors::kBlack;
    canvas.setFont(font);
    const int h = canvas.textHeight("0");
    // Grid and ticks; a tick label that would touch the one before it is left out.
    int lastRight = std::numeric_limits<int>::min();
    for (double v = a.x.low; v <= a.x.high + a.x.step * 0.5; v += a.x.step) {
        const int px = a.px(v);
        canvas.setPen({colors::kSilver, 1});
        canvas.line({px, f.top}, {px, f.bottom});
        const std::string text = tickText(v, a.x.step);
        const int w = canvas.textWidth(text);
        if (px - w / 2 > lastRight) {
            canvas.textOut(px - w / 2, f.bottom + h / 3, text);
            lastRight = px - w / 2 + w + h / 2;
        }
    }
    int lastTop = std::numeric_limits<int>::max();
    for (double v = a.y.low; v <= a.y.high + a.y.step * 0.5; v += a.y.step) {
        const int py = a.py(v);
        canvas.setPen({colors::kSilver, 1});
        canvas.line({f.left, py}, {f.right, py});
        const std::string text = tickText(v, a.y.step);
        if (py + h / 2 < lastTop) {
            canvas.textOut(f.left - canvas.textWidth(text) - h / 2, py - h / 2, text);
            lastTop = py - h / 2;
        }
    }
    canvas.setPen({colors::kBlack, 1});
    canvas.line({f.left, f.top}, {f.right, f.top});
    canvas.lineTo(f.right, f.bottom);
    canvas.lineTo(f.left, f.bottom);
    canvas.lineTo(f.left, f.top);

    // Axis labels and the title.
    const std::string_view xl = tradeOffLabel(x);
    canvas.textOut((f.left + f.right - canvas.textWidth(xl)) / 2, f.bottom + 2 * h, xl);
    const std::string_view yl = tradeOffLabel(y);
    canvas.textOut(std::max(2, f.left - canvas.textWidth(yl) / 2), f.top - 2 * h + h / 2, yl);
    Font title = font;
    title.height = font.height * 1.3;
    title.bold = true;
    canvas.setFont(title);
    const std::string heading =
        std::string(tradeOffLabel(y)) + "  vs  " + std::string(tradeOffLabel(x));
    canvas.textOut((size.width - canvas.textWidth(heading)) / 2, h / 2, heading);
    canvas.setFont(font);

    // The designs: others first, the Pareto-optimal on top, the selected one ringed.
    const int s = std::max(3, h / 3);
    for (const bool front : {false, true}) {
        for (const TradeOffPoint& p : points) {
            if (p.pareto != front) {
                continue;
            }
            const int px = a.px(p.x);
            const int py = a.py(p.y);
            if (p.pareto) {
                canvas.setBrushColor(colors::kRed);
                canvas.fillRect({px - s, py - s, px + s + 1, py + s + 1});
            } else {
                canvas.setPen({colors::kBlue, 1});
                canvas.line({px - s, py - s}, {px + s, py - s});
                canvas.lineTo(px + s, py + s);
                canvas.lineTo(px - s, py + s);
                canvas.lineTo(px - s, py - s);
            }
        }
    }
    for (const TradeOffPoint& p : points) {
        if (p.row != selectedRow) {
            continue;
        }
        const int px = a.px(p.x);
        const int py = a.py(p.y);
        const int r = 3 * s;
        canvas.setPen({colors::kBlack, 2});
        canvas.line({px - r, py - r}, {px + r, py - r});
        canvas.lineTo(px + r, py + r);
        canvas.lineTo(px - r, py + r);
        canvas.lineTo(px - r, py - r);
        canvas.setPen({colors::kBlack, 1});
        const std::string label = strprintf("row %d", p.row + 1);
        canvas.textOut(std::min(px + r + 2, f.right - canvas.textWidth(label)), py - r - h, label);
    }
    const std::string legend = "filled red: Pareto-optimal (no design is better in both)   "
                               "blue: others   ringed: the selected row";
    canvas.textOut(f.left, f.bottom + 3 * h + h / 2, legend);
}

std::optional<int> tradeOffRowAt(Size size, const std::vector<TradeOffPoint>& points, Point at) {
    const Axes a = axesOf(size, points);
    std::optional<int> nearest;
    long best = 0;
    const long reach = std::max(8, size.width / 80);
    for (const TradeOffPoint& p : points) {
        const long dx = a.px(p.x) - at.x;
        const long dy = a.py(p.y) - at.y;
        const long d2 = dx * dx + dy * dy;
        if (d2 <= reach * reach && (!nearest || d2 < best)) {
            nearest = p.row;
            best = d2;
        }
    }
    return nearest;
}

} // namespace korvane
