#include "engine/WireSelection.h"

#include "domain/SharedTypes.h"
#include "engine/AcResistance.h"
#include "engine/Winding.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

namespace R = WireSelectionResult;

// Wires are chosen at 20 degC; the winding's resistance is then worked out at the ambient.
constexpr double kSelectionTemperature = 20.0;

// An E-core bobbin is filled to 78 % whatever the application's fill.
constexpr double kECoreFill = 0.78;

// Clearance of a single layer from the toroid's inside diameter, inches.
constexpr double kSingleLayerClearance = 0.02;

// Each fit pass takes 90 % of the area before; from the largest catalog window a wire falls
// below the smallest table area in under 200 passes, so the bound is never the one that ends
// the loop for a real core.
constexpr double kFitShrink = 0.9;
constexpr int kMaxFitPasses = 500;

// Passes of the E-core build loop, each one with a wire 10 % thinner.
constexpr int kMaxBuildPasses = 50;
constexpr double kBuildShrink = 0.9;

// Largest bare diameter, in skin depths, used unstranded at the resonant frequency.
constexpr double kMaxSkinDepths = 3.0;

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
                WindingType winding, const CoreCatalogBase& catalog, const CoreRecord& core,
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
        return R::kInvalidTurns;
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
            shape == CoreShape::ECore ? kECoreFill : static_cast<double>(params.Fill) / 100.0;
        area = fill * aw / n / static_cast<double>(strands);
        if (!lookupWire(wire, system, WireLookupKind::ByArea, area, kSelectionTemperature)) {
            return R::kNoFullWindowWire;
        }
    } else {
        double maxDiameter = 0.0;
        if (shape == CoreShape::ECore) {
            maxDiameter = static_cast<double>(bobbin.windingWidth) / (conductors + 1.0);
        } else {
            // Circles of this diameter round the inside of the window just touch.
            const double sn = std::sin(kPi / conductors);
            maxDiameter = sn * (id - kSingleLayerClearance) / (sn + 1.0);
        }
        if (!lookupWire(wire, system, WireLookupKind::ByMaxDiameter, maxDiameter,
                        kSelectionTemperature)) {
            return R::kNoDiameterWire;
        }
        area = wire.areaCmil;
    }

    // Copper the current needs.
    const double requiredArea = static_cast<double>(params.Cudens) * current;

    // Shrink the wire until the winding fits the toroid window.
    for (int pass = 0;; ++pass) {
        if (pass == kMaxFitPasses ||
            !lookupWire(wire, system, WireLookupKind::ByArea, area, kSelectionTemperature)) {
            return R::kNoFitWire;
        }
        const double copper = static_cast<double>(wire.areaCmil);
        if (std::isnan(requiredArea) ||
            (static_cast<double>(strands) * copper < requiredArea && requiredArea > 1.0)) {
            return R::kCurrentDensity;
        }
        const double windowFactor =
            std::min(kMaxWindowFactor, kWindowFactorScale * aw / (copper * conductors));
        if (shape == CoreShape::ECore || aw * windowFactor >= copper * conductors) {
            break;
        }
        area *= kFitShrink;
    }

    // Wind it; an E-core winding must also leave the bobbin one wire of depth.
    const int turns = wholeTurns(n);
    const double leadLength = params.LeadL;
    double rdc = 0.0;
    for (int pass = 1;; ++pass) {
        rdc =
            calcWinding(candidate, core, turns, system, wire.size, leadLength, Ta, winding, bobbin);
        if (rdc == 0.0) {
            return R::kNoFitWire; // the wire just chosen could not be looked up again
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
        if (pass == kMaxBuildPasses) {
            showMessage("Unable to adjust wire to fit Window. ", "Exiting select_wire");
            return R::kNoBuildFit;
        }
        if (!lookupWire(wire, system, WireLookupKind::ByMaxDiameter,
                        kBuildShrink * static_cast<double>(wire.insulatedDiameter),
                        kSelectionTemperature)) {
            return R::kNoBuildFit;
        }
    }
    candidate.rdc = static_cast<float>(rdc);

    if (Rs > 0.0 && rdc > Rs) {
        return R::kResistanceLimit;
    }

    double fr = 1.0;
    if (application == Application::Resonant) {
        const double f = candidate.frequency; // kHz
        if (!(f > 0.0) || !std::isfinite(f)) {
            showMessage("Error: Peak Current, Voltage, or frequency Not Specified",
                        "ERROR from select_wire");
            return R::kFrequencyMissing;
        }
        const double skinDepth = kSkinDepthAt1Hz / std::sqrt(1000.0 * f);
        if (static_cast<double>(wire.bareDiameter) / skinDepth > kMaxSkinDepths) {
            // Strands of at most three skin depths, side by side in the width of the wire
            // they replace.
            const double formerDiameter = wire.insulatedDiameter;
            if (!lookupWire(wire, system, WireLookupKind::ByMaxDiameter, kMaxSkinDepths * skinDepth,
                            kSelectionTemperature)) {
                return R::kNoDiameterWire;
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
                return R::kNoFitWire;
            }
            if (static_cast<double>(strands) * wire.areaCmil < requiredArea && requiredArea > 1.0) {
                return R::kCurrentDensity;
            }
            if (Rs > 0.0 && rdc > Rs) {
                return R::kResistanceLimit;
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
    return R::kFound;
}

} // namespace korvane
