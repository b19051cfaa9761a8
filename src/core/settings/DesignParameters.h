#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"

#include <array>
#include <string>
#include <string_view>

namespace korvane {

// The engineering limits and constants of one application.
struct ParameterSet {
    float Trise_lim = 40.0F; // degrees C, temperature-rise limit
    float Cudens = 150.0F;   // circular mils per ampere (always stored so)
    float Fill = 40.0F;      // percent, window fill
    float Min_mu = 40.0F;    // percent, minimum permeability under DC bias
    float Rho_f = 1.0F;      // wire resistivity adjust factor (edited, not used in calculations)
    float Trise_f = 1.0F;    // degrees C per mW/cm^2, temperature-rise factor
    float Trise_ex = 0.833F; // temperature-rise exponent
    float LeadL = 0.25F;     // inches, lead length allowance, each
    float Ta = 55.0F;        // degrees C, ambient

    static constexpr int kCount = 9;
    // Field by its position 0 to 8 (the window's and the range table's numbering).
    float& at(int position);
    float at(int position) const;
};

struct ParameterRange {
    float minimum;
    float maximum;
};

// Inclusive valid range of each position.
const std::array<ParameterRange, ParameterSet::kCount>& parameterRanges();

// Window label and unit label of each position; position 1 has a second pair for the
// current-density entry of the metric wire standard.
std::string_view parameterLabel(int position);
std::string_view parameterUnit(int position);
inline constexpr std::string_view kCurrentDensityLabel = "MAXIMUM CURRENT DENSITY";
inline constexpr std::string_view kCurrentDensityUnit = "AMPERES / Cm Sq";

// Circular mils per ampere <-> amperes per square centimetre.
inline constexpr double kCurrentDensityConstant = 197400.0;

// Names used by the window lists and the parameters text.
std::string_view unitSystemListEntry(UnitSystem u); // "METRIC", "ENGLISH", "MIXED ENGLISH"
std::string_view unitSystemShortName(UnitSystem u); // "MET", "ENG", "MIXED"
std::string_view wireSystemListEntry(WireSystem w); // "METRIC, mm GAGE", "AMERICAN, AWG", ...
std::string_view wireSystemShortName(WireSystem w); // "METRIC", "AWG", "SWG"

// Title of an application at the top of the parameters window.
std::string_view parametersTitle(Application a);

// The design parameters of all six applications, the unit system and the wire standard.
class DesignParameters {
  public:
    DesignParameters() = default;

    ParameterSet& set(Application a) { return sets_[index(a)]; }
    const ParameterSet& set(Application a) const { return sets_[index(a)]; }

    float temperatureRiseLimit(Application a) const { return set(a).Trise_lim; }
    float copperArea(Application a) const { return set(a).Cudens; }
    float fillFraction(Application a) const { return set(a).Fill * 0.01F; }
    float minimumPercentPerm(Application a) const { return set(a).Min_mu; }
    float riseFactor(Application a) const { return set(a).Trise_f; }
    float riseExponent(Application a) const { return set(a).Trise_ex; }
    float leadLength(Application a) const { return set(a).LeadL; }
    float ambientTemperature(Application a) const { return set(a).Ta; }
    void setAmbientTemperature(Application a, float ta) { set(a).Ta = ta; }

    UnitSystem unitSystem() const { return unitSystem_; }
    void setUnitSystem(UnitSystem u) { unitSystem_ = u; }
    WireSystem wireSystem() const { return wireSystem_; }
    void setWireSystem(WireSystem w) { wireSystem_ = w; }

    // The application whose set the parameters window shows.
    Application shownApplication() const { return shown_; }
    void setShownApplication(Application a) { shown_ = a; }

    // Display factors and labels of the current unit system: lengths kept in inches, lengths
    // kept in feet, weights kept in pounds.
    double shortLengthFactor() const;
    double longLengthFactor() const;
    double massFactor() const;
    std::string_view shortLengthLabel() const;
    std::string_view longLengthLabel() const;
    std::string_view massLabel() const;

    // The three-line text written into the settings file and saved requirements.
    std::string parametersText(Application a) const;

    // Applies a parameters text (the three lines joined without their line ends): the unit
    // system, the wire standard and every application's Cudens. Returns the number of items
    // read; nothing is applied unless all 23 are read.
    int applyParametersText(Application a, std::string_view text);

  private:
    static std::size_t index(Application a) { return static_cast<std::size_t>(toIndex(a)); }

    std::array<ParameterSet, kApplicationCount> sets_{};
    UnitSystem unitSystem_ = UnitSystem::English;
    WireSystem wireSystem_ = WireSystem::Awg;
    Application shown_ = Application::DcBiased;
};

} // namespace korvane
