#include "analysis/Analysis.h"

#include "catalog/CoreCatalog.h"
#include "engine/AcResistance.h"
#include "engine/Stacking.h"
#include "engine/Winding.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/AcPermeability.h"
#include "materials/MaterialLists.h"
#include "materials/MaterialModel.h"
#include "settings/DesignParameters.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr double kOerstedPerAmpTurnPerCm = 1.256636; // 0.4 pi
constexpr double kNanoHenry = 1e-9;
constexpr double kPercent = 0.01;
constexpr double kSquareWaveFlux = 0.25 * 100000.0; // gauss from V / (N Ae f[kHz])
constexpr double kFluxFromCurrent = 0.1;            // gauss from N I AL / Ae
constexpr double kSmallestOutputVoltage = 1e-6;
constexpr double kKiloPerUnit = 0.001;

constexpr const char* kProgramErrorCaption = "PROGRAM ERROR ";

// Whole cores of a stack for the bobbin: at least one, bounded so the conversion is defined.
int wholeStack(double stackCount) {
    if (!(stackCount >= 1.0)) {
        return 1;
    }
    return static_cast<int>(std::min(stackCount, 1000.0));
}

// Whole turns for the winding: the turns truncated, none for a negative or undefined count.
int wholeTurns(double turns) {
    if (!(turns >= 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(turns, 1e9));
}

// What the application formulas hand on to the losses.
struct OperatingPoint {
    double currentSquared = 0.0; // A^2 of the copper loss
    double fr = 1.0;             // AC resistance factor
    double lossFlux = 0.0;       // gauss given to the core loss
};

double percentOf(const std::optional<PermPair>& pair) {
    return pair ? static_cast<double>(pair->value) : 0.0;
}

} // namespace

void resetAnalysisResults(DesignCandidate& c) {
    c.rdc = 0.0F;
    c.rac = 0.0F;
    c.inductance = 0.0F;
    c.dcBias = 0.0F;
    c.acFlux = 0.0F;
    c.percentPerm = 0.0F;
    c.ripple = 0.0F;
    c.biasScale = 0.0F;
    c.pfcRatio = 0.0F;
    c.coreLoss = 0.0F;
    c.copperLoss = 0.0F;
    c.build = 0.0F;
    c.surfaceArea = 0.0F;
    c.tempRise = 0.0F;
}

std::string discontinuedMaterialNotice() {
    const auto gone = discontinuedMaterials();
    const auto now = replacementMaterials();
    std::string text = "MATERIALS";
    for (std::size_t i = 0; i < gone.size(); ++i) {
        text += i == 0 ? " " : " AND ";
        text += gone[i];
    }
    text += " HAVE BEEN DISCONTINUED.\n REPLACEMENT MATERIALS ARE";
    for (std::size_t i = 0; i < now.size(); ++i) {
        text += i == 0 ? " " : (i + 1 == now.size() ? " AND " : ", ");
        text += now[i];
    }
    return text;
}

int calc_analysis(Application application, const AnalysisWindowInputs& window, CoreRecord& core,
                  DesignCandidate& candidate, const Requirement& r, const CoreCatalog& catalog,
                  const MaterialModel& model) {
    resetAnalysisResults(candidate);
    const int found = catalog.lookupPartNumber(core, candidate.partNumber);
    if (found < 1) {
        return found;
    }

    const double stack = candidate.stackCount > 0.0F ? candidate.stackCount : 1.0;
    BobbinRecord bobbin;
    if (core.shape == CoreShape::ECore) {
        catalog.get_Bobbin_data(bobbin, candidate.partNumber, wholeStack(stack));
    }
    stackCore(core, stack);

    candidate.al = core.AL;
    candidate.ae = core.Ae;
    candidate.coreVolume = core.volume;

    std::string material = core.material;
    if (isDiscontinuedMaterial(material)) {
        showMessage(discontinuedMaterialNotice(), std::string(kNoticeCaption));
    }

    const double N = candidate.turns;
    const double AL = core.AL;
    const double Ae = core.Ae;
    const double le = core.le;
    if (N > 0.0) {
        candidate.biasScale = static_cast<float>(le / (kOerstedPerAmpTurnPerCm * N));
    }
    auto inductanceAt = [N, AL](double percent) {
        return N * N * AL * kNanoHenry * percent * kPercent;
    };
    auto currentPerGauss = [N, AL, Ae]() {
        return N * AL > 0.0 ? 10.0 * Ae / (std::sqrt(2.0) * N * AL) : 0.0;
    };

    OperatingPoint op;
    switch (application) {
    case Application::DcBiased:
    case Application::ControlledSwing:
    case Application::WideSwing:
    case Application::PfcBoost: {
        const bool pfc = application == Application::PfcBoost;
        const double I = r.I1peak;
        const double f = r.fkHz;
        const double H = le > 0.0 ? kOerstedPerAmpTurnPerCm * N * I / le : 0.0;
        const double p = percentOf(model.dcPercentPermPair(material, 0, H));
        const double L = inductanceAt(p);
        candidate.dcBias = static_cast<float>(H);
        candidate.percentPerm = static_cast<float>(p);
        candidate.inductance = static_cast<float>(L);
        candidate.frequency = static_cast<float>(1000.0 * f);
        const double NAef = N * Ae * f;
        double B = 0.0;
        double ripple = 0.0;
        if (pfc) {
            const double vout = r.Vpfc1;
            const double vin = r.Vpfc2;
            if (NAef > 0.0) {
                B = vout * kSquareWaveFlux * 0.5 / NAef;
            }
            if (vout > kSmallestOutputVoltage) {
                candidate.pfcRatio = static_cast<float>(vin / vout);
            }
            if (L * f > 0.0) {
                ripple = vout * 0.25 / (L * f * 1000.0);
            }
            op.currentSquared = 0.5 * I * I;
            op.lossFlux = 2.0 * B;
        } else {
            const double v1 = r.Von;
            const double v2 = r.Voff;
            const double V = v1 * v2 > 0.0 ? 2.0 * v1 * v2 / (v1 + v2) : 0.0;
            if (NAef > 0.0) {
                B = V * kSquareWaveFlux / NAef;
            }
            if (L * f > 0.0) {
                ripple = V * 0.5 / (L * f * 1000.0);
            }
            op.currentSquared = I * I;
            op.lossFlux = B;
        }
        candidate.acFlux = static_cast<float>(B);
        candidate.ripple = static_cast<float>(std::min(ripple, I));
        break;
    }
    case Application::Line60Hz: {
        const double Irms = std::max(r.I1rms, r.I2rms);
        const double B0 = Ae > 0.0 ? std::sqrt(2.0) * N * Irms * AL / Ae * kFluxFromCurrent : 0.0;
        if (B0 > kAcPermDataLimit) {
            showMessage(std::string(kAcPermRangeWarning), std::string(kAcPermRangeCaption));
        }
        if (const auto pair = calc_pct_perm_ac(B0, material, model)) {
            const double p = pair->value;
            candidate.percentPerm = static_cast<float>(p);
            candidate.inductance = static_cast<float>(inductanceAt(p));
            candidate.acFlux = static_cast<float>(p * kPercent * B0);
        }
        candidate.frequency = r.fHz;
        candidate.biasScale = static_cast<float>(currentPerGauss());
        op.currentSquared = Irms * Irms;
        op.lossFlux = candidate.acFlux;
        break;
    }
    case Application::Resonant: {
        const double Ipk = r.Ipk;
        const double f = r.fkHz;
        const double B = Ae > 0.0 ? N * Ipk * AL / Ae * kFluxFromCurrent : 0.0;
        candidate.acFlux = static_cast<float>(B);
        if (const auto pair = calc_pct_perm_ac(B, material, model)) {
            const double p = pair->value;
            candidate.percentPerm = static_cast<float>(p);
            candidate.inductance = static_cast<float>(inductanceAt(p));
        }
        candidate.frequency = static_cast<float>(1000.0 * f);
        candidate.biasScale = static_cast<float>(currentPerGauss());
        // The factor's lookup refreshes the record it is given: the candidate's wire stays.
        WireRecord wire = candidate.wire;
        const double mu = core.initialPerm;
        op.fr = core.shape == CoreShape::ECore
                    ? calc_ac_res_Fr(wire, N, candidate.strands,
                                     BobbinWinding{static_cast<double>(bobbin.windingWidth)}, mu, f)
                    : calc_ac_res_Fr(wire, N, candidate.strands, core.ID, core.OD, mu, f);
        op.currentSquared = 0.5 * Ipk * Ipk;
        op.lossFlux = B;
        break;
    }
    default:
        showMessage(">>> Unrecognized Application in ANALYSIS", kProgramErrorCaption);
        return 0;
    }

    const WireSystem system = candidate.wire.system;
    const float size = candidate.wire.size;
    auto wireTableError = [size]() {
        showMessage(
            strprintf("Wire Table Lookup error, Gage indicates %f", static_cast<double>(size)),
            kProgramErrorCaption);
    };
    if (window.stripFlag == 0 &&
        ((system == WireSystem::Awg && size > 50.0F) ||
         (system == WireSystem::Metric && static_cast<double>(size) < 0.05))) {
        wireTableError();
        return 0;
    }

    const ParameterSet& params = window.parameters.set(application);
    const double rdc = calcWinding(candidate, core, wholeTurns(N), system, size, params.LeadL, r.Ta,
                                   r.windingType, bobbin);
    if (rdc == 0.0) {
        // A size the tables do not hold (an SWG gauge past the table, say).
        wireTableError();
        return 0;
    }
    if (rdc < 0.0) {
        showMessage(strprintf("Wire too wide for the bobbin winding width %5.3f",
                              static_cast<double>(bobbin.windingWidth)),
                    kProgramErrorCaption);
        return 0;
    }
    candidate.rdc = static_cast<float>(rdc);
    const double rac = op.fr * rdc;
    candidate.rac = static_cast<float>(rac);
    candidate.copperLoss = static_cast<float>(op.currentSquared * rac * 1000.0);
    candidate.coreLoss = model.coreLoss(core.shape, material, core.volume,
                                        static_cast<double>(candidate.frequency) * kKiloPerUnit,
                                        op.lossFlux, application, candidate.pfcRatio);

    const double loss = static_cast<double>(candidate.coreLoss) + candidate.copperLoss;
    const double area = candidate.surfaceArea;
    if (area > 0.0 && loss > 0.0) {
        candidate.tempRise = static_cast<float>(
            std::pow(static_cast<double>(params.Trise_f) * loss / area, params.Trise_ex));
    }
    return 1;
}

} // namespace korvane
