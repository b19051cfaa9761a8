#include "analysis/AnalysisRows.h"

#include "format/NumberFormat.h"
#include "format/StrPrintf.h"
#include "settings/DesignParameters.h"

#include <cmath>

namespace korvane {

namespace {

constexpr double kMilliToUnit = 0.001;
// An AC resistance within this ratio of the DC resistance is not shown.
constexpr double kVisibleAcRatio = 1.001;
constexpr double kSmallestEngineeringValue = 1e-12;
// 1000 exa: the first value the engineering prefixes cannot name.
constexpr double kLargestEngineeringValue = 1e21;
constexpr int kEngineeringDigits = 3;
constexpr std::size_t kUnitNameLength = 7;

bool holds(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

float toFloat(double x) {
    return static_cast<float>(x);
}

} // namespace

void fillElectricalRows(ElectricalRows& rows, const DesignCandidate& c) {
    const double rdc = c.rdc;
    const double rac = c.rac;
    rows[0].value = c.inductance;
    rows[1].value = c.rdc;
    rows[1].format = "%5.2f";
    rows[2].value = rac > kVisibleAcRatio * rdc ? c.rac : 0.0F;
    rows[2].format = "%5.2f";
    rows[3].value = c.ripple;
    rows[4].value = c.dcBias;
    rows[5].value = c.acFlux;
    rows[6].value = c.percentPerm;
    rows[7].value = c.al;
    rows[8].value = toFloat(static_cast<double>(c.coreLoss) * kMilliToUnit);
    rows[9].value = toFloat(static_cast<double>(c.copperLoss) * kMilliToUnit);
    rows[10].value = c.build;
    rows[11].value = c.surfaceArea;
    rows[12].value = c.tempRise;
}

void fillMechanicalRows(MechanicalRows& rows, const CoreRecord& core, const DesignCandidate& c) {
    const bool eCore = core.shape == CoreShape::ECore;
    rows[0].value = eCore ? core.dimA : core.OD;
    rows[1].value = eCore ? core.dimB : core.ID;
    rows[2].value = eCore ? core.dimC : core.Ht;
    rows[3].value = core.weight;
    rows[4].value = core.volume;
    rows[5].value = core.Ae;
    rows[6].value = core.le;
    rows[7].value = c.wire.bareDiameter;
    rows[8].value = c.wireLength;
    rows[9].value = toFloat(static_cast<double>(c.strands) * c.wireLength * c.wire.poundsPerFoot);
    rows[10].value = c.surfaceArea;
    rows[11].value = toFloat((static_cast<double>(c.coreLoss) + static_cast<double>(c.copperLoss)) *
                             kMilliToUnit);
    rows[12].value = c.tempRise;
    rows[13].value = c.build;
    const double window = static_cast<double>(core.Aw) * 1000.0;
    rows[14].value =
        window > 0.0
            ? toFloat(static_cast<double>(c.wire.areaCmil) * 100.0 * c.turns * c.strands / window)
            : 0.0F;
    rows[15].value = c.woundOD;
    rows[16].value = c.woundHeight;
    // The labels follow the core of each analysis, so a toroid after an E-core reads right.
    rows[0].label = eCore ? "E Core Dimension A" : "CORE OD";
    rows[1].label = eCore ? "E Core Dimension B" : "CORE ID";
    rows[2].label = eCore ? "E Core Height" : "CORE HEIGHT";
    rows[15].label = eCore ? "" : "WOUND OD";
    // An E-core has no wound OD: its row is blank, units included (no lone "INCH").
    rows[15].units = eCore ? "" : "INCH";
    if (eCore) {
        rows[15].value = 0.0F;
    }
}

std::string rowValueText(const ResultRow& row, const DesignParameters& parameters,
                         RowMedium medium) {
    const double value = row.value;
    const double shownAbove = medium == RowMedium::Window ? 0.0 : kSmallestEngineeringValue;
    if (!(std::fabs(value) > shownAbove)) {
        return {};
    }
    const std::string_view units = row.units;
    double factor = 1.0;
    if (holds(units, "INCH")) {
        factor = parameters.shortLengthFactor();
    } else if (holds(units, "Ft")) {
        factor = parameters.longLengthFactor();
    } else if (holds(units, "Lbs")) {
        factor = parameters.massFactor();
    } else if (holds(units, "Henry") || holds(units, "OHMS") || holds(units, "W") ||
               (medium == RowMedium::Page && holds(units, "AMPS"))) {
        if (value > kSmallestEngineeringValue) {
            return formatEngineering(value, kEngineeringDigits, "");
        }
    }
    return strprintf(row.format.c_str(), value * factor);
}

bool rowShowable(const ResultRow& row, const DesignParameters& parameters) {
    const double value = row.value;
    if (!std::isfinite(value) || std::fabs(value) >= kLargestEngineeringValue) {
        return false;
    }
    for (RowMedium medium : {RowMedium::Window, RowMedium::Page}) {
        if (rowValueText(row, parameters, medium).size() > kLongestRowValueText) {
            return false;
        }
    }
    return true;
}

std::string rowUnitsText(const ResultRow& row, const DesignParameters& parameters) {
    std::string units = row.units;
    auto replace = [&units](std::string_view name, std::string_view by) {
        const std::size_t at = units.find(name);
        if (at != std::string::npos) {
            units.replace(at, name.size(), by.substr(0, kUnitNameLength));
        }
    };
    replace("INCH", parameters.shortLengthLabel());
    replace("Ft", parameters.longLengthLabel());
    replace("Lbs", parameters.massLabel());
    return units;
}

} // namespace korvane
