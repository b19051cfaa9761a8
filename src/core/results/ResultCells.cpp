#include "results/ResultCells.h"

#include "format/NumberFormat.h"
#include "format/StrPrintf.h"
#include "settings/DesignParameters.h"

#include <cmath>

namespace korvane {

LengthDisplay lengthDisplay(UnitSystem units) {
    DesignParameters parameters;
    parameters.setUnitSystem(units);
    return {parameters.shortLengthFactor(), parameters.shortLengthLabel()};
}

std::string lengthCellText(double inches, UnitSystem units) {
    const double factor = lengthDisplay(units).factor;
    return strprintf(factor == 1.0 ? "%6.3f" : "%6.2f", inches * factor);
}

std::string wireSizeText(const WireRecord& wire) {
    if (wire.system == WireSystem::Metric) {
        return strprintf("%4.2f", static_cast<double>(wire.size));
    }
    // Gauges run from 4/0 (-3) to about 50; anything far outside is no gauge at all, and the
    // range check keeps the conversion to int defined.
    constexpr float kLowestGauge = -9.0F;
    constexpr float kHighestGauge = 999.0F;
    if (!std::isfinite(wire.size) || wire.size < kLowestGauge || wire.size > kHighestGauge) {
        return {};
    }
    const int gauge = static_cast<int>(std::trunc(wire.size));
    if (gauge >= 1) {
        return strprintf("#%3d", gauge);
    }
    return "# " + std::string(static_cast<std::size_t>(1 - gauge), '0');
}

std::string wireCellText(const WireRecord& wire, int strands) {
    std::string size = wireSizeText(wire);
    if (strands >= 2) {
        return strprintf("%3d x %s", strands, size.c_str());
    }
    return size;
}

std::string partNumberCellText(std::string_view partNumber, float stackCount) {
    if (stackCount == 1.0F) {
        return std::string(partNumber);
    }
    const std::string count = formatFixed(stackCount);
    return strprintf("%.*s x%s", static_cast<int>(partNumber.size()), partNumber.data(),
                     count.c_str());
}

std::string priceCellText(float price) {
    return price > 0.0F ? strprintf("%6.2f", static_cast<double>(price)) : std::string();
}

std::string resistanceCellText(float ohms) {
    return formatEngineering(ohms, 3, "");
}

std::string fillCellText(const WireRecord& wire, float turns, int strands, float Aw) {
    if (!(Aw > 0.0F)) {
        return {};
    }
    const double fill = static_cast<double>(wire.areaCmil) * turns * strands * 0.1 / Aw;
    return strprintf("%6.1f", fill);
}

bool isMetricWireSystemName(std::string_view name) {
    return name == "Metric";
}

} // namespace korvane
