#include "settings/DesignParameters.h"

#include "format/ScanFormat.h"
#include "format/StrPrintf.h"

#include <algorithm>
#include <vector>

namespace korvane {

namespace {

constexpr std::array<ParameterRange, ParameterSet::kCount> kRanges = {{
    {0.0F, 200.0F},    // Trise_lim
    {10.0F, 9999.0F},  // Cudens (or current density as entered)
    {0.1F, 99.0F},     // Fill
    {10.0F, 100.0F},   // Min_mu
    {0.9F, 1.1F},      // Rho_f
    {0.1F, 10.0F},     // Trise_f
    {0.25F, 1.0F},     // Trise_ex
    {0.0F, 100.0F},    // LeadL
    {-200.0F, 250.0F}, // Ta
}};

constexpr std::array<std::string_view, ParameterSet::kCount> kLabels = {
    "MAXIMUM TEMPERATURE RISE",
    "MINIMUM COPPER AREA",
    "MAXIMUM WINDOW FILL FACTOR",
    "MINIMUM % PERM UNDER DC BIAS",
    "WIRE RESISTIVITY ADJUST FACTOR",
    "TEMPERATURE RISE FACTOR",
    "TEMP RISE CHARACTERISTIC EXPONENT",
    "LEAD LENGTH ALLOWANCE",
    "AMBIENT TEMPERATURE"};

constexpr std::array<std::string_view, ParameterSet::kCount> kUnits = {
    "DEGREES C",           "CIR MILS PER AMPERE", "PERCENT",      "PERCENT",  "DIMENSIONLESS",
    "DEG C  / mW / sq cm", "DIMENSIONLESS",       "INCHES, EACH", "DEGREES C"};

constexpr std::array<std::string_view, 3> kUnitListEntries = {"METRIC", "ENGLISH", "MIXED ENGLISH"};
constexpr std::array<std::string_view, 3> kUnitShortNames = {"MET", "ENG", "MIXED"};
constexpr std::array<std::string_view, 3> kWireListEntries = {"METRIC, mm GAGE", "AMERICAN, AWG",
                                                              "BRITISH, SWG"};
constexpr std::array<std::string_view, 3> kWireShortNames = {"METRIC", "AWG", "SWG"};

constexpr std::array<std::string_view, kApplicationCount> kParametersTitles = {
    "DC BIASED OUTPUT FILTER INDUCTOR", "CONTROLLED INDUCTANCE SWING INDUCTOR",
    "WIDE INDUCTANCE SWING INDUCTOR",   "POWER FACTOR BOOST INDUCTOR",
    "POWERLINE FREQUENCY INDUCTOR",     "RESONANT CONVERTER INDUCTOR"};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

float& ParameterSet::at(int position) {
    switch (position) {
    case 0:
        return Trise_lim;
    case 1:
        return Cudens;
    case 2:
        return Fill;
    case 3:
        return Min_mu;
    case 4:
        return Rho_f;
    case 5:
        return Trise_f;
    case 6:
        return Trise_ex;
    case 7:
        return LeadL;
    default:
        return Ta;
    }
}

float ParameterSet::at(int position) const {
    return const_cast<ParameterSet*>(this)->at(position);
}

const std::array<ParameterRange, ParameterSet::kCount>& parameterRanges() {
    return kRanges;
}

std::string_view parameterLabel(int position) {
    return kLabels.at(at(position));
}
std::string_view parameterUnit(int position) {
    return kUnits.at(at(position));
}

std::string_view unitSystemListEntry(UnitSystem u) {
    return kUnitListEntries[at(toIndex(u))];
}
std::string_view unitSystemShortName(UnitSystem u) {
    return kUnitShortNames[at(toIndex(u))];
}
std::string_view wireSystemListEntry(WireSystem w) {
    return kWireListEntries[at(toIndex(w))];
}
std::string_view wireSystemShortName(WireSystem w) {
    return kWireShortNames[at(toIndex(w))];
}

std::string_view parametersTitle(Application a) {
    return kParametersTitles[at(toIndex(a))];
}

double DesignParameters::shortLengthFactor() const {
    return unitSystem_ == UnitSystem::Metric ? 25.4 : 1.0;
}
double DesignParameters::longLengthFactor() const {
    return unitSystem_ == UnitSystem::Metric ? 0.3048 : 1.0;
}
double DesignParameters::massFactor() const {
    return unitSystem_ == UnitSystem::Metric ? 453.6 : 1.0;
}
std::string_view DesignParameters::shortLengthLabel() const {
    switch (unitSystem_) {
    case UnitSystem::Metric:
        return "mm ";
    case UnitSystem::English:
        return "in.";
    case UnitSystem::MixedEnglish:
        break;
    }
    return "in";
}
std::string_view DesignParameters::longLengthLabel() const {
    return unitSystem_ == UnitSystem::Metric ? "m " : "ft";
}
std::string_view DesignParameters::massLabel() const {
    return unitSystem_ == UnitSystem::Metric ? "gm" : "Lbs";
}

std::string DesignParameters::parametersText(Application a) const {
    const ParameterSet& p = set(a);
    const bool metricWire = wireSystem_ == WireSystem::Metric;
    const double copper = unitSystem_ == UnitSystem::Metric
                              ? kCurrentDensityConstant / static_cast<double>(p.Cudens)
                              : static_cast<double>(p.Cudens);
    return strprintf("    Units: %s, Wire: %s, \n    Params: Trise_lim: %g, %s: %g %s, Fill%%: %g, "
                     "Min%%mu: %g, LeadL: %g%s, \n            Rho_f: %g, Trise_ex: %g, Trise_f: "
                     "%g\n",
                     std::string(unitSystemShortName(unitSystem_)).c_str(),
                     std::string(wireSystemShortName(wireSystem_)).c_str(),
                     static_cast<double>(p.Trise_lim), metricWire ? "I_dens" : "Cudens", copper,
                     metricWire ? "A/sqcm" : "cm/Amp", static_cast<double>(p.Fill),
                     static_cast<double>(p.Min_mu), static_cast<double>(p.LeadL), "in",
                     static_cast<double>(p.Rho_f), static_cast<double>(p.Trise_ex),
                     static_cast<double>(p.Trise_f));
}

int DesignParameters::applyParametersText(Application a, std::string_view text) {
    std::vector<ScanValue> items;
    const int count = scanFormat(text,
                                 " %s %s %s %s %s %s %g, %s %g %s %s %g, %s %g, %s %g %s %s %g,  "
                                 "%s %g,  %s %g,",
                                 items);
    if (count != 23) {
        return count;
    }
    shown_ = a;
    const std::string& unitWord = std::get<std::string>(items[1]);
    const std::string& wireWord = std::get<std::string>(items[3]);
    for (int i = 0; i < 3; ++i) {
        if (unitWord.find(kUnitShortNames[at(i)]) != std::string::npos) {
            unitSystem_ = static_cast<UnitSystem>(i);
        }
        if (wireWord.find(kWireShortNames[at(i)]) != std::string::npos) {
            wireSystem_ = static_cast<WireSystem>(i);
        }
    }
    const double copper = std::get<float>(items[8]);
    const double cudens =
        unitSystem_ == UnitSystem::Metric ? kCurrentDensityConstant / copper : copper;
    // A hand-edited file must not plant a zero, infinite or NaN copper area in every
    // application: only a value the parameters window can store is applied. Under the metric
    // wire standard the window's range applies to the current density, so Cudens reaches
    // 197400 / 9999 to 197400 / 10.
    const ParameterRange range = kRanges[1];
    const double lowest = std::min(static_cast<double>(range.minimum),
                                   kCurrentDensityConstant / static_cast<double>(range.maximum));
    const double highest = std::max(static_cast<double>(range.maximum),
                                    kCurrentDensityConstant / static_cast<double>(range.minimum));
    if (cudens >= lowest && cudens <= highest) {
        for (ParameterSet& p : sets_) {
            p.Cudens = static_cast<float>(cudens);
        }
    }
    return count;
}

} // namespace korvane
