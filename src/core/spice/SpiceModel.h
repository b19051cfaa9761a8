#pragma once

#include "analysis/AnalysisEntry.h"
#include "domain/Application.h"
#include "engine/DesignCandidate.h"
#include "graphs/GraphState.h"
#include "materials/MaterialModel.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr const char* kSpiceModelCaption = "SPICE MODEL";

// One point of a winding's flux-linkage curve.
struct FluxLinkagePoint {
    double current = 0.0;     // A, instantaneous winding current
    double inductance = 0.0;  // H, incremental inductance d(lambda)/di at that current
    double fluxLinkage = 0.0; // Wb (V s), the integral of the inductance from 0 to the current
};

// The flux linkage of a winding as a function of its current, odd in the current. Between
// two points the inductance is linear in the current (so the flux linkage is quadratic and
// every point's flux linkage is the trapezoid sum up to it); below the first point it keeps
// the first point's value, above the last the last one's.
struct FluxLinkageCurve {
    // Ascending current: the mirror image of the positive points, the origin, the points.
    std::vector<FluxLinkagePoint> points;

    // The positive points, the first one's current above zero.
    std::vector<FluxLinkagePoint> positivePoints() const;
    double inductanceAt(double current) const;
    double fluxLinkageAt(double current) const;
};

// The flux-linkage curve of the first curve of an inductance graph (kind 7) of `design`:
// x converted to instantaneous amperes (the 60 HZ graph's rms amperes are taken as the peak
// of that sine wave, x sqrt(2); the others are drawn in DC or peak amperes already), y from
// the axis unit to henries. Points whose current does not rise past the previous point's are
// left out. Nothing when no point remains or an inductance is negative or not finite.
std::optional<FluxLinkageCurve> fluxLinkageCurve(const GraphState& inductanceGraph,
                                                 Application application,
                                                 const DesignCandidate& design);

// The subcircuit name of a core: "KORVANE_" and the part number with every character that
// is no letter or digit replaced by "_", plus "x" and the count for stacked cores:
// "T80-275" -> "KORVANE_T80_275", two T200-275 -> "KORVANE_T200_275x2".
std::string spiceIdentifier(std::string_view partNumber, float stackCount);

// The flux linkage of `curve` as a B-source expression of the current `current` (e.g.
// "i(V1)"): L0*i + sum of c*(uramp(i-ik)**2 - uramp(-i-ik)**2), with only the operators and
// functions that ngspice and LTspice B sources both read. Terms are joined by newlines
// followed by "+ " so that the expression continues over netlist lines.
std::string fluxLinkageExpression(const FluxLinkageCurve& curve, std::string_view current);

// The two-pin subcircuit of the entry's last analysis for ngspice and LTspice: the winding
// resistance in series with the inductance of the INDUCTANCE graph at every current, under
// a comment block describing the design and the model, dated `now`. Nothing, with its
// message (caption "SPICE MODEL"), when the entry holds no analysed design or the design has
// no inductance curve (no turns, no AC data of a composite material).
std::optional<std::string> spiceSubcircuit(const AnalysisEntry& analysis,
                                           const MaterialModel& model, std::time_t now);

} // namespace korvane
