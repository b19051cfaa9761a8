#include "engine/WireTable.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace korvane {

namespace {

// Copper at 20 degC: 10.3713 ohm circular mil per foot, 1/254.4 per degC, 3.044e-6 lb per
// circular mil foot.
constexpr double kCopperOhmCmilPerFoot = 10.3713;
constexpr double kCopperTempCoefficient = 254.4;
constexpr double kCopperPoundsPerCmilFoot = 3.044e-6;

// Smallest requests any table can answer.
constexpr double kMinAreaCmil = 0.61;
constexpr double kMinMaxDiameter = 0.0011;

// Largest AWG gauge whose rounded bare diameter is still at least 0.0001 inch is about 75;
// beyond this the gauge formula is not evaluated (and no double reaches an int unchecked).
constexpr double kMaxAwgGauge = 100.0;
// The AWG tables end at gauge 50. The search looks wires up by area and by diameter, and
// must never pick one the tables (and the analysis) do not hold: a finer area request takes
// gauge 50, which carries more copper than asked, and a finer diameter has no wire.
constexpr double kFinestTableAwg = 50.0;

// Passes of the ByMaxDiameter fit loop; one retry is all any table wire needs.
constexpr int kMaxFitPasses = 64;

// The wire picked by one pass of the lookup, in the record's single-precision fields: each
// figure is stored as it is found, and what follows is computed from the stored value.
struct Pick {
    float size = 0.0F;
    float bare = 0.0F;
    float build = 0.0F;
    float maxOverall = 0.0F;
};

// Bare diameter that may be used when the insulated diameter must stay below `maxDiameter`
// with `build` of insulation (1 % margin and 0.1 mil clearance).
double allowedBare(double maxDiameter, double build) {
    return 0.99 * maxDiameter - build - 0.0001;
}

// Insulation build of AWG and SWG film wire, rounded to 0.1 mil.
float gaugeBuild(float bare) {
    return static_cast<float>(
        std::floor(7.449 * std::log10(79.36507936507937 * static_cast<double>(bare)) + 16.0 + 0.5) *
        0.0001);
}

// Enamel of a metric wire: from the table when the diameter is listed, else the heavy-build
// proportions (3.73 % build, 7.47 % over nominal at most).
void metricEnamel(Pick& pick) {
    const double diameterMm = pick.size;
    for (const MetricEnamelRow& row : MetricEnamelTable) {
        if (std::fabs(static_cast<double>(row.diameter) - diameterMm) <= 0.005) {
            pick.build = static_cast<float>(2.0 * static_cast<double>(row.thickness) * kInchPerMm);
            pick.maxOverall = static_cast<float>(static_cast<double>(row.maxOverall) * kInchPerMm);
            return;
        }
    }
    const double bare = pick.bare;
    pick.build = static_cast<float>(0.0373333 * bare);
    pick.maxOverall = static_cast<float>(1.0746667 * bare);
}

std::optional<Pick> pickMetric(WireLookupKind kind, double value, double build) {
    for (const float entry : MetricDiameterTable) {
        const double d = entry;
        const double inches = d * 0.0393700787;
        bool fits = false;
        switch (kind) {
        case WireLookupKind::BySize:
            fits = value + 0.001 >= d;
            break;
        case WireLookupKind::ByArea:
            fits = inches * inches <= value * 1e-6;
            break;
        case WireLookupKind::ByMaxDiameter:
            fits = inches <= allowedBare(value, build);
            break;
        }
        if (fits) {
            Pick pick;
            pick.size = entry;
            pick.bare = static_cast<float>(d * kInchPerMm);
            metricEnamel(pick);
            return pick;
        }
    }
    return std::nullopt;
}

std::optional<Pick> pickAwg(WireLookupKind kind, double value, double build) {
    double gauge = 0.0;
    switch (kind) {
    case WireLookupKind::BySize:
        gauge = value;
        break;
    case WireLookupKind::ByArea:
        // The tables end at AWG 50: a finer request takes AWG 50, which carries more copper
        // than asked, never less, and leaves the fit to the window fill.
        gauge = std::min(std::floor(9.9298 * std::log10(10384.0 / value) + 10.7), kFinestTableAwg);
        break;
    case WireLookupKind::ByMaxDiameter: {
        const double bare = allowedBare(value, build);
        if (!(bare > 0.0)) {
            return std::nullopt; // the insulation alone fills the allowed diameter
        }
        gauge = std::ceil(19.8596 * std::log10(0.1019 / bare) + 10.0);
        if (gauge > kFinestTableAwg) {
            return std::nullopt;
        }
        break;
    }
    }
    if (!std::isfinite(gauge) || gauge > kMaxAwgGauge) {
        return std::nullopt;
    }
    if (gauge < -3.0) {
        gauge = -3.0; // 4/0 is the thickest gauge
    }
    Pick pick;
    pick.size = static_cast<float>(gauge);
    pick.bare =
        static_cast<float>(std::floor(1019.0 * std::exp((10.0 - gauge) * 0.115943) + 0.5) * 0.0001);
    if (!(pick.bare > 0.0F)) {
        return std::nullopt; // finer than 0.05 mil rounds to nothing
    }
    pick.build = gaugeBuild(pick.bare);
    if (gauge < 4.0) {
        pick.maxOverall = static_cast<float>(static_cast<double>(pick.bare) + 0.0037);
    } else if (gauge <= 50.0) {
        // A fractional gauge takes the limit of the next thicker whole gauge.
        const auto index = static_cast<std::size_t>(gauge) - 4;
        pick.maxOverall = AwgMaxOverallTable[index];
    } else {
        pick.maxOverall = 0.0F; // no table entry: becomes the insulated diameter
    }
    return pick;
}

std::optional<Pick> pickSwg(WireLookupKind kind, double value, double build) {
    std::size_t index = SwgDiameterTable.size();
    switch (kind) {
    case WireLookupKind::BySize: {
        const double gauge = std::floor(value + 0.5);
        if (gauge >= 1.0 && gauge <= static_cast<double>(SwgDiameterTable.size())) {
            index = static_cast<std::size_t>(gauge) - 1;
        }
        break;
    }
    case WireLookupKind::ByArea:
        for (std::size_t i = 0; i < SwgDiameterTable.size(); ++i) {
            const double d = SwgDiameterTable[i];
            if (value * 1e-6 > d * d) {
                index = i;
                break;
            }
        }
        break;
    case WireLookupKind::ByMaxDiameter:
        for (std::size_t i = 0; i < SwgDiameterTable.size(); ++i) {
            if (allowedBare(value, build) > static_cast<double>(SwgDiameterTable[i])) {
                index = i;
                break;
            }
        }
        break;
    }
    if (index >= SwgDiameterTable.size()) {
        return std::nullopt; // nothing at or below SWG 50 answers the request
    }
    Pick pick;
    pick.size = static_cast<float>(index + 1);
    pick.bare = SwgDiameterTable[index];
    pick.build = gaugeBuild(pick.bare);
    pick.maxOverall = pick.bare;
    return pick;
}

std::optional<Pick> pickWire(WireSystem system, WireLookupKind kind, double value, double build) {
    switch (system) {
    case WireSystem::Metric:
        return pickMetric(kind, value, build);
    case WireSystem::Awg:
        return pickAwg(kind, value, build);
    case WireSystem::Swg:
        return pickSwg(kind, value, build);
    }
    return std::nullopt;
}

const char* systemNameOf(WireSystem system) {
    switch (system) {
    case WireSystem::Metric:
        return "Metric";
    case WireSystem::Awg:
        return " AWG";
    case WireSystem::Swg:
        return " SWG";
    }
    return "";
}

} // namespace

bool lookupWire(WireRecord& wire, WireSystem system, WireLookupKind kind, double value,
                double temperatureC) {
    if (!std::isfinite(value) || !std::isfinite(temperatureC)) {
        return false;
    }
    if (kind == WireLookupKind::ByArea && value < kMinAreaCmil) {
        return false;
    }
    if (kind == WireLookupKind::ByMaxDiameter && value < kMinMaxDiameter) {
        return false;
    }

    std::optional<Pick> pick = pickWire(system, kind, value, 0.0);
    if (!pick) {
        return false;
    }
    auto insulatedOf = [](const Pick& p) {
        return static_cast<float>(static_cast<double>(p.bare) + static_cast<double>(p.build));
    };
    if (kind == WireLookupKind::ByMaxDiameter) {
        // A wire whose insulation does not fit is replaced by a smaller one: the next pass
        // allows for the build just found. The first retry already fits (it leaves room for
        // the build of a larger wire); the pass limit only guards against a pair of wires
        // answering each other for ever.
        int passes = 0;
        while (static_cast<double>(insulatedOf(*pick)) > value) {
            if (++passes > kMaxFitPasses) {
                return false;
            }
            pick = pickWire(system, kind, value, pick->build);
            if (!pick) {
                return false;
            }
        }
    }

    wire.system = system;
    wire.systemName = systemNameOf(system);
    wire.size = pick->size;
    wire.bareDiameter = pick->bare;
    wire.build = pick->build;
    wire.insulatedDiameter = insulatedOf(*pick);
    wire.maxOverallDiameter = std::fmax(pick->maxOverall, wire.insulatedDiameter);
    const double bare = wire.bareDiameter;
    wire.areaCmil = static_cast<float>(bare * bare * 1e6);
    const double areaCmil = wire.areaCmil;
    wire.ohmsPerFoot = static_cast<float>(((temperatureC - 20.0) / kCopperTempCoefficient + 1.0) *
                                          kCopperOhmCmilPerFoot / areaCmil);
    wire.poundsPerFoot = static_cast<float>(kCopperPoundsPerCmilFoot * areaCmil);
    return true;
}

} // namespace korvane
