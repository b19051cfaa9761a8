#include "engine/WireSelection.h"

#include "engine/AcResistance.h"
#include "engine/Winding.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

namespace R = WireSelectionResult;

constexpr double Pi = 3.14159;

// Wires are chosen at 20 degC; the winding's resistance is then worked out at the ambient.
constexpr double SelectionTemperature = 20.0;

// An E-core bobbin is filled to 78 % whatever the application's fill.
constexpr double ECoreFill = 0.78;

// Clearance of a single layer from the toroid's inside diameter, inches.
constexpr double SingleLayerClearance = 0.02;

// Window share the winding can reach (see calcWinding).
constexpr double MaxWindowFactor = 0.83;
constexpr double WindowFactorScale = 0.218;

// Each fit pass takes 90 % of the area before; from the largest catalog window a wire falls
// below the smallest table area in under 200 passes, so the bound is never the one that ends
// the loop for a real core.
constexpr double FitShrink = 0.9;
constexpr int MaxFitPasses = 500;

// Passes of the E-core build loop, each one with a wire 10 % thinner.
constexpr int MaxBuildPasses = 50;
constexpr double BuildShrink = 0.9;

// Copper skin depth in inches at 1 Hz; divide by the square root of the frequency in Hz.
constexpr double SkinDepthAt1Hz = 2.795275590551181;
// Largest bare diameter, in skin depths, used unstranded at the resonant frequency.
constexpr double MaxSkinDepths = 3.0;

// Whole turns handed to the winding (N is at least 1 here; the bound keeps the conversion
// defined for any value).
int wholeTurns(double n) {
    if (!(n >= 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(n, 1e9));
}

// Whole cores of a stack for the bobbin: at least one.
int wholeStack(double stackCount) {
    if (!(stackCount >= 1.0)) {
        return 1;
    }
    return static_cast<int>(std::min(stackCount, 1000.0));
}

} // namespace

int select_wire(const DesignPFE& design, Application application, WireRecord& wire,
                DesignCandidate& candidate, double current, double Ta, double Rs, CoreShape shape,
                WindingType winding, CoreCatalogBase& catalog, const CoreRecord& core,
                BobbinRecord& bobbin, const DesignParameters& parameters) {
    const ParameterSet& params = parameters.set(application);
    const WireSystem system = design.wireSystem;
    const double aw = static_cast<double>(core.Aw) * 1000.0; // window, circular mils
    const double id = core.ID;
    const double od = core.OD;
    const double ht = core.Ht;
    double n = candidate.turns;
    int strands = std::max({candidate.strands, design.minStrands, 1});
    candidate.strands = strands;

    if (shape == CoreShape::Toroid && !(aw * id * od * ht >= 0.001)) {
        showMessage(strprintf("Core %s Missing Dimension: Aw = %4.0f kcm, ID = %4.3f, oD = "
                              "%4.3f, Ht = %4.3f",
                              core.partNumber.c_str(), aw, id, od, ht),
                    "SELECT WIRE CORE DIMENSION ERROR: ");
    }
    if (!(n >= 0.5)) {
        showMessage(strprintf("Application:%2d, CORE: %s,  turns:%6.0f, Window: %3.1f",
                              toIndex(application), core.partNumber.c_str(), n, aw),
                    "ERROR: in select_wire, invalid number of turns");
        return R::InvalidTurns;
    }
    if (shape == CoreShape::ECore) {
        const int found =
            catalog.get_Bobbin_data(bobbin, core.partNumber, wholeStack(candidate.stackCount));
        if (found < 1) {
            showMessage(strprintf("lines remaining %d, Winding Width %4.2f", found,
                                  static_cast<double>(bobbin.windingWidth)),
                        "get_Bobbin_data ");
        }
    }
    n = std::max(n, 1.0);
    const double conductors = n * static_cast<double>(strands);

    // First wire: the largest the window takes.
    double area = 0.0;
    if (winding == WindingType::FullWindow) {
        const double fill =
            shape == CoreShape::ECore ? ECoreFill : static_cast<double>(params.Fill) / 100.0;
        area = fill * aw / n / static_cast<double>(strands);
        if (!lookupWire(wire, system, WireLookupKind::ByArea, area, SelectionTemperature)) {
            return R::NoFullWindowWire;
        }
    } else {
        double maxDiameter = 0.0;
        if (shape == CoreShape::ECore) {
            maxDiameter = static_cast<double>(bobbin.windingWidth) / (conductors + 1.0);
        } else {
            // Circles of this diameter round the inside of the window just touch.
            const double sn = std::sin(Pi / conductors);
            maxDiameter = sn * (id - SingleLayerClearance) / (sn + 1.0);
        }
        if (!lookupWire(wire, system, WireLookupKind::ByMaxDiameter, maxDiameter,
                        SelectionTemperature)) {
            return R::NoDiameterWire;
        }
        area = wire.areaCmil;
    }

    // Copper the current needs.
    const double requiredArea = static_cast<double>(params.Cudens) * current;

    // Shrink the wire until the winding fits the toroid window.
    for (int pass = 0;; ++pass) {
        if (pass == MaxFitPasses ||
            !lookupWire(wire, system, WireLookupKind::ByArea, area, SelectionTemperature)) {
            return R::NoFitWire;
        }
        const double copper = static_cast<double>(wire.areaCmil);
        if (std::isnan(requiredArea) ||
            (static_cast<double>(strands) * copper < requiredArea && requiredArea > 1.0)) {
            return R::CurrentDensity;
        }
        const double windowFactor =
            std::min(MaxWindowFactor, WindowFactorScale * aw / (copper * conductors));
        if (shape == CoreShape::ECore || aw * windowFactor >= copper * conductors) {
            break;
        }
        area *= FitShrink;
    }

    // Wind it; an E-core winding must also leave the bobbin one wire of depth.
    const int turns = wholeTurns(n);
    const double leadLength = params.LeadL;
    double rdc = 0.0;
    for (int pass = 1;; ++pass) {
        rdc =
            calcWinding(candidate, core, turns, system, wire.size, leadLength, Ta, winding, bobbin);
        if (rdc == 0.0) {
            return R::NoFitWire; // the wire just chosen could not be looked up again
        }
        if (shape != CoreShape::ECore) {
            break;
        }
        // rdc -1: the bobbin's width holds fewer than two of these wires; a thinner one may.
        if (rdc > 0.0 && static_cast<double>(bobbin.windingDepth) -
                                 static_cast<double>(wire.insulatedDiameter) >=
                             static_cast<double>(candidate.build)) {
            break;
        }
        if (pass == MaxBuildPasses) {
            showMessage("Unable to adjust wire to fit Window. ", "Exiting select_wire");
            return R::NoBuildFit;
        }
        if (!lookupWire(wire, system, WireLookupKind::ByMaxDiameter,
                        BuildShrink * static_cast<double>(wire.insulatedDiameter),
                        SelectionTemperature)) {
            return R::NoBuildFit;
        }
    }
    candidate.rdc = static_cast<float>(rdc);

    if (Rs > 0.0 && rdc > Rs) {
        return R::ResistanceLimit;
    }

    double fr = 1.0;
    if (application == Application::Resonant) {
        const double f = candidate.frequency; // kHz
        if (!(f > 0.0) || !std::isfinite(f)) {
            showMessage("Error: Peak Current, Voltage, or frequency Not Specified",
                        "ERROR from select_wire");
            return R::FrequencyMissing;
        }
        const double skinDepth = SkinDepthAt1Hz / std::sqrt(1000.0 * f);
        if (static_cast<double>(wire.bareDiameter) / skinDepth > MaxSkinDepths) {
            // Strands of at most three skin depths, side by side in the width of the wire
            // they replace.
            const double formerDiameter = wire.insulatedDiameter;
            if (!lookupWire(wire, system, WireLookupKind::ByMaxDiameter, MaxSkinDepths * skinDepth,
                            SelectionTemperature)) {
                return R::NoDiameterWire;
            }
            const double whole =
                std::floor(formerDiameter / static_cast<double>(wire.insulatedDiameter));
            strands = whole >= 1.0 ? static_cast<int>(std::min(whole, 1e6)) : 1;
            candidate.strands = strands;
            rdc = calcWinding(candidate, core, turns, system, wire.size, leadLength, Ta, winding,
                              bobbin);
            candidate.rdc = static_cast<float>(rdc);
            // The strands that fit the former wire's width may carry less copper, and more
            // resistance, than the single wire did: the limits hold for the stranded winding.
            if (rdc == 0.0) {
                return R::NoFitWire;
            }
            if (static_cast<double>(strands) * wire.areaCmil < requiredArea && requiredArea > 1.0) {
                return R::CurrentDensity;
            }
            if (Rs > 0.0 && rdc > Rs) {
                return R::ResistanceLimit;
            }
        }
        // The factor's lookup refreshes the record it is given: keep `wire` as chosen.
        WireRecord strand = wire;
        const double mu = core.initialPerm;
        fr = shape == CoreShape::ECore
                 ? calc_ac_res_Fr(strand, n, strands,
                                  BobbinWinding{static_cast<double>(bobbin.windingWidth)}, mu, f)
                 : calc_ac_res_Fr(strand, n, strands, id, od, mu, f);
    }
    candidate.rac = static_cast<float>(fr * rdc);
    return R::Found;
}

} // namespace korvane
