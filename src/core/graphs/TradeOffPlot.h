#pragma once

#include "engine/DesignSearch.h"
#include "graphs/Canvas.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace korvane {

// The quantities the trade-off plot sets against each other; all are smaller-is-better.
enum class TradeOffQuantity { Price, TotalLoss, TempRise, WoundVolume, CoreWeight, Rdc };
inline constexpr std::array<TradeOffQuantity, 6> kTradeOffQuantities = {
    TradeOffQuantity::Price,       TradeOffQuantity::TotalLoss,  TradeOffQuantity::TempRise,
    TradeOffQuantity::WoundVolume, TradeOffQuantity::CoreWeight, TradeOffQuantity::Rdc};

// Axis label ("TOTAL LOSS, W") and command-line name ("loss") of a quantity.
std::string_view tradeOffLabel(TradeOffQuantity q);
std::string_view tradeOffName(TradeOffQuantity q);
std::optional<TradeOffQuantity> tradeOffFromName(std::string_view name);

// The quantity of one design on its (stacked) core: price, (core + copper loss) / 1000 in
// watts, temperature rise in C, wound volume in cm^3 (a toroid's wound cylinder, an E-core
// pair's envelope with the winding's build beyond it), core weight in pounds, Rdc in ohms.
// Nothing when the design does not have the quantity (a core without a price).
std::optional<double> tradeOffValue(const DesignCandidate& design, const CoreRecord& core,
                                    TradeOffQuantity q);

// One design of the run as a point; `pareto` when no other design is at least as good in both
// quantities and better in one.
struct TradeOffPoint {
    int row = 0; // results row (slot)
    double x = 0.0;
    double y = 0.0;
    bool pareto = false;
};
std::vector<TradeOffPoint> tradeOffPoints(const SearchResult& run, TradeOffQuantity x,
                                          TradeOffQuantity y);

// The plot's frame on a canvas: room on the left and below for the tick labels and the axis
// labels, above for the title.
Rect tradeOffFrame(Size size);

// Draws the trade-off plot of the points: frame, grid and ticks of both linear axes, the axis
// labels, the title, the designs as small squares (the Pareto-optimal ones filled red, the
// others blue outlines), the selected row ringed, and a legend line.
void drawTradeOff(Canvas& canvas, const std::vector<TradeOffPoint>& points, TradeOffQuantity x,
                  TradeOffQuantity y, int selectedRow);

// The row whose point lies nearest to a pixel of the canvas (within a few pixels), if any.
std::optional<int> tradeOffRowAt(Size size, const std::vector<TradeOffPoint>& points, Point at);

} // namespace korvane
