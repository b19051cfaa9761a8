#include "spice/SpiceModel.h"

#include "format/Messages.h"
#include "format/NumberFormat.h"
#include "format/StrPrintf.h"
#include "format/Trimmed.h"
#include "graphs/InductanceGraph.h"
#include "requirements/Requirement.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace korvane {

namespace {

// The 60 HZ graph is drawn in rms amperes of a sine wave; the model takes its inductance at
// the instantaneous current equal to that wave's peak. The other graphs are in DC or peak
// amperes.
double instantaneousPerCurveAmpere(Application application) {
    return application == Application::Line60Hz ? std::sqrt(2.0) : 1.0;
}

// Henries per unit of the graph's y axis: the unit group of L at 100 % permeability, as the
// graph chose its axis label.
double henriesPerAxisUnit(const DesignCandidate& design) {
    const double turns = design.turns;
    const double L100 = turns * turns * static_cast<double>(design.al) * 1e-9;
    const std::optional<int> group = inductanceUnitGroup(L100);
    return group ? std::pow(10.0, 3 * *group) : 1.0;
}

// Slope of the inductance over the segment from point k to point k + 1; 0 outside the points.
double segmentSlope(const std::vector<FluxLinkagePoint>& p, std::size_t k) {
    if (k + 1 >= p.size()) {
        return 0.0;
    }
    return (p[k + 1].inductance - p[k].inductance) / (p[k + 1].current - p[k].current);
}

// Index of the last positive point at or below `magnitude` (which is at least the first).
std::size_t segmentOf(const std::vector<FluxLinkagePoint>& p, double magnitude) {
    const auto above = std::upper_bound(
        p.begin(), p.end(), magnitude,
        [](double value, const FluxLinkagePoint& point) { return value < point.current; });
    return static_cast<std::size_t>(above - p.begin()) - 1;
}

std::string number(double value) {
    return strprintf("%.9g", value);
}

std::string engineering(double value, std::string_view unit) {
    return formatEngineering(value, 4, unit);
}

std::string operatingCurrentText(Application application, double current) {
    switch (application) {
    case Application::Line60Hz:
        return strprintf("%.4g A rms (%.4g A peak)", current,
                         current * instantaneousPerCurveAmpere(application));
    case Application::Resonant:
        return strprintf("%.4g A peak", current);
    default:
        return strprintf("%.4g A", current);
    }
}

} // namespace

std::vector<FluxLinkagePoint> FluxLinkageCurve::positivePoints() const {
    std::vector<FluxLinkagePoint> positive;
    for (const FluxLinkagePoint& p : points) {
        if (p.current > 0.0) {
            positive.push_back(p);
        }
    }
    return positive;
}

double FluxLinkageCurve::inductanceAt(double current) const {
    const std::vector<FluxLinkagePoint> p = positivePoints();
    if (p.empty()) {
        return 0.0;
    }
    const double magnitude = std::abs(current);
    if (magnitude <= p.front().current) {
        return p.front().inductance;
    }
    const std::size_t k = segmentOf(p, magnitude);
    return p[k].inductance + segmentSlope(p, k) * (magnitude - p[k].current);
}

double FluxLinkageCurve::fluxLinkageAt(double current) const {
    const std::vector<FluxLinkagePoint> p = positivePoints();
    if (p.empty()) {
        return 0.0;
    }
    const double magnitude = std::abs(current);
    double lambda = 0.0;
    if (magnitude <= p.front().current) {
        lambda = p.front().inductance * magnitude;
    } else {
        const std::size_t k = segmentOf(p, magnitude);
        const double d = magnitude - p[k].current;
        lambda = p[k].fluxLinkage + p[k].inductance * d + 0.5 * segmentSlope(p, k) * d * d;
    }
    return current < 0.0 ? -lambda : lambda;
}

std::optional<FluxLinkageCurve> fluxLinkageCurve(const GraphState& inductanceGraph,
                                                 Application application,
                                                 const DesignCandidate& design) {
    const double amperes = instantaneousPerCurveAmpere(application);
    const double henries = henriesPerAxisUnit(design);
    std::vector<FluxLinkagePoint> positive;
    const CurvePoints& graphPoints = inductanceGraph.points[0];
    const int count = std::min(inductanceGraph.drawablePointCount(), kGraphPointCapacity);
    for (int i = 0; i < count; ++i) {
        const GraphPoint& g = graphPoints[static_cast<std::size_t>(i)];
        const double current = static_cast<double>(g.x) * amperes;
        const double inductance = static_cast<double>(g.y) * henries;
        if (!std::isfinite(current) || !(current > 0.0) ||
            (!positive.empty() && !(current > positive.back().current))) {
            continue;
        }
        if (!std::isfinite(inductance) || inductance < 0.0) {
            return std::nullopt;
        }
        positive.push_back({current, inductance, 0.0});
    }
    if (positive.empty() ||
        std::none_of(positive.begin(), positive.end(),
                     [](const FluxLinkagePoint& p) { return p.inductance > 0.0; })) {
        return std::nullopt;
    }
    // Below the first point the inductance keeps its first value: a rectangle, then
    // trapezoids, which are exact for an inductance linear between the points.
    positive.front().fluxLinkage = positive.front().inductance * positive.front().current;
    for (std::size_t k = 1; k < positive.size(); ++k) {
        const FluxLinkagePoint& a = positive[k - 1];
        positive[k].fluxLinkage = a.fluxLinkage + 0.5 * (a.inductance + positive[k].inductance) *
                                                      (positive[k].current - a.current);
    }
    FluxLinkageCurve curve;
    for (auto p = positive.rbegin(); p != positive.rend(); ++p) {
        curve.points.push_back({-p->current, p->inductance, -p->fluxLinkage});
    }
    curve.points.push_back({0.0, positive.front().inductance, 0.0});
    curve.points.insert(curve.points.end(), positive.begin(), positive.end());
    return curve;
}

std::string spiceIdentifier(std::string_view partNumber, float stackCount) {
    std::string name = "KORVANE_";
    for (char c : trimmed(partNumber)) {
        const auto u = static_cast<unsigned char>(c);
        name += std::isalnum(u) != 0 ? static_cast<char>(std::toupper(u)) : '_';
    }
    if (stackCount != 1.0F) {
        std::string count = strprintf("%g", static_cast<double>(stackCount));
        std::replace_if(
            count.begin(), count.end(),
            [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; }, '_');
        name += "x" + count;
    }
    return name;
}

std::string fluxLinkageExpression(const FluxLinkageCurve& curve, std::string_view current) {
    const std::vector<FluxLinkagePoint> p = curve.positivePoints();
    const std::string i(current);
    if (p.empty()) {
        return "0";
    }
    // L(x) = L0 + sum of (m_k - m_k-1) uramp(x - x_k) over the knots, m the segment slopes
    // (0 below the first and above the last); integrated, each knot adds
    // (m_k - m_k-1) / 2 uramp(x - x_k)^2. The mirrored term makes the whole odd in i.
    std::string text = number(p.front().inductance) + "*" + i;
    double previousSlope = 0.0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        const double slope = segmentSlope(p, k);
        const double c = 0.5 * (slope - previousSlope);
        previousSlope = slope;
        if (c == 0.0) {
            continue;
        }
        const std::string knot = number(p[k].current);
        text += strprintf("\n+ %c%s*(uramp(%s-%s)**2-uramp(-%s-%s)**2)", c < 0.0 ? '-' : '+',
                          number(std::abs(c)).c_str(), i.c_str(), knot.c_str(), i.c_str(),
                          knot.c_str());
    }
    return text;
}

std::optional<std::string> spiceSubcircuit(const AnalysisEntry& analysis,
                                           const MaterialModel& model, std::time_t now) {
    const DesignCandidate& design = analysis.candidate();
    if (analysis.analysisResult() < 1 || !std::isfinite(design.rdc) || !(design.rdc > 0.0F)) {
        showMessage("NO ANALYSED DESIGN.  ANALYSE A DESIGN FIRST.", kSpiceModelCaption);
        return std::nullopt;
    }
    const Application application = analysis.application();
    const double rated = operatingCurrent(analysis.conditions());
    GraphState graph;
    std::optional<FluxLinkageCurve> curve;
    if (show_inductance_graph(graph, model, application, design, rated)) {
        curve = fluxLinkageCurve(graph, application, design);
    }
    if (!curve) {
        showMessage(
            strprintf("NO INDUCTANCE CURVE FOR %s: NO SPICE MODEL", design.partNumber.c_str()),
            kSpiceModelCaption);
        return std::nullopt;
    }

    const std::string name = spiceIdentifier(design.partNumber, design.stackCount);
    const double ratedInstantaneous = rated * instantaneousPerCurveAmpere(application);
    const std::string wire(trimmed(analysis.text(AnalysisField::Wire)));
    std::string text = "* " + name + ": Korvane iron-powder inductor for ngspice and LTspice\n";
    auto line = [&text](const std::string& label, std::string value) {
        // A line break in an entry text would end the comment.
        std::replace_if(
            value.begin(), value.end(),
            [](char c) { return std::iscntrl(static_cast<unsigned char>(c)) != 0; }, ' ');
        text += strprintf("* %-18s %s\n", (label + ":").c_str(), value.c_str());
    };
    line("Core", design.stackCount == 1.0F
                     ? design.partNumber
                     : strprintf("%s, %g stacked cores", design.partNumber.c_str(),
                                 static_cast<double>(design.stackCount)));
    line("Turns", strprintf("%g", static_cast<double>(design.turns)));
    line("Wire", strprintf("%s, %d strand(s)", wire.c_str(), design.strands));
    line("Rdc", strprintf("%.6g ohm", static_cast<double>(design.rdc)));
    line("L at 0 A", engineering(curve->inductanceAt(0.0), "H"));
    line(strprintf("L at %.4g A", ratedInstantaneous),
         engineering(curve->inductanceAt(ratedInstantaneous), "H"));
    line("Application", std::string(applicationTitle(application)));
    line("Operating current", operatingCurrentText(application, rated));
    line("Written", dateStamp(now));
    text += "*\n";
    text += "* Pins 1 and 2 are the winding's ends. The winding resistance R1 is in series with\n"
            "* an inductance that follows L(i) of the INDUCTANCE graph (percent permeability\n"
            "* at the magnetising force, or the AC flux density, of the current i): linear in\n"
            "* i between the graph's points, constant below the first and above the last, odd\n"
            "* in i (60 Hz graphs: rms amperes taken as the peak of the sine wave).\n"
            "* B1 drives the flux linkage lambda(i) = integral of L(i) di, in webers, as a\n"
            "* current through the 1 H inductor L1, so V(5) = d(lambda)/dt = L(i) di/dt; E1\n"
            "* puts that voltage in series with the winding. DC: V = I Rdc. The expression\n"
            "* uses only uramp(), ** and arithmetic, which ngspice and LTspice B sources both\n"
            "* read (ngspice has no table(), LTspice no pwl() in B sources). The flux linkage\n"
            "* is a branch current rather than a node voltage so that the simulator's current\n"
            "* tolerance, not its 1 uV voltage tolerance, bounds its error. A series resistance\n"
            "* a simulator gives L1 by default (LTspice: 1 mohm) adds only that resistance times\n"
            "* lambda to the voltage.\n";
    // The flux form: v = d(lambda)/dt holds exactly for any L(i), so energy is conserved over a
    // cycle and an .AC analysis sees the incremental inductance at the bias point. A 1 H
    // inductor integrates, the B source sets lambda(i), the E source copies d(lambda)/dt.
    text += ".SUBCKT " + name + " 1 2\n";
    text += "R1 1 3 " + number(design.rdc) + "\n";
    text += "V1 3 4 0\n";
    text += "B1 0 5 I=" + fluxLinkageExpression(*curve, "i(V1)") + "\n";
    text += "L1 5 0 1\n";
    text += "E1 4 2 5 0 1\n";
    text += ".ENDS " + name + "\n";
    return text;
}

} // namespace korvane
