#include "requirements/Requirement.h"

#include "format/NumberFormat.h"
#include "format/StrPrintf.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"

#include <cmath>

namespace korvane {

float rippleCurrent(float L1uH, float I1, float V1, float V2, float fkHz) {
    const double v1 = V1;
    const double v2 = V2;
    const double veff = v1 * v2 > 0.0 ? 2.0 * v1 * v2 / (v1 + v2) : 0.0;
    const double l = L1uH;
    const double f = fkHz;
    if (!(l * I1 * f > 0.0)) {
        return 0.0F;
    }
    double ripple = veff / f / l * 1000.0 * 0.5;
    if (ripple > I1) {
        ripple = I1;
    }
    return static_cast<float>(ripple);
}

std::string rippleText(float ripple) {
    return strprintf("RIPPLE CURRENT:  %6.3f Amperes  p-p", static_cast<double>(ripple));
}

float resonantFrequency(float L1uH, float Ipk, float Vpk) {
    const double l = L1uH;
    const double i = Ipk;
    if (!(l * i > 0.0)) {
        return 0.0F;
    }
    // An infinite or NaN voltage, or a quotient past the float range, gives no frequency.
    const auto f = static_cast<float>(159.15507752443827 / l * Vpk / i);
    return std::isfinite(f) ? f : 0.0F;
}

std::string resonantFrequencyText(float fkHz) {
    return strprintf("%4.1f", static_cast<double>(fkHz));
}

std::string_view allowedCharacters(int field) {
    if (field <= 7) {
        return " .0123456789";
    }
    if (field == 8) {
        return " -.0123456789";
    }
    if (field == 9) {
        return ".0123456789";
    }
    return " 0123456789";
}

std::optional<std::string> characterCheck(const RequirementTexts& texts) {
    for (int i = 0; i < kRequirementFieldCount; ++i) {
        const std::string& text = texts[static_cast<std::size_t>(i)];
        if (text.find_first_not_of(allowedCharacters(i)) != std::string::npos) {
            return strprintf("INVALID CHARACTER in Parameter%2d.  %s ", i, text.c_str());
        }
    }
    return std::nullopt;
}

std::optional<std::string> stackStrandCheck(float stackCount, int strands) {
    // Written as "at least" so that a NaN stack count fails the check.
    if (!(static_cast<double>(strands) * stackCount >= 0.1)) {
        return std::string("ERROR: STACKED CORES and MIN WIRE STRANDS MUST BE GREATER THAN ZERO");
    }
    return std::nullopt;
}

std::optional<float> requirementRipple(const Requirement& r) {
    if (!isDcApplication(r.application)) {
        return std::nullopt;
    }
    const bool pfc = r.application == Application::PfcBoost;
    return rippleCurrent(r.L1 * 1000.0F, r.I1, pfc ? r.Vpfc2 : r.Von, pfc ? r.Vpfc1 : r.Voff,
                         r.fkHz);
}

float operatingCurrent(const Requirement& r) {
    switch (describe(r.application).current) {
    case OperatingCurrent::LineRms:
        return r.I1rms;
    case OperatingCurrent::ResonantPeak:
        return r.Ipk;
    case OperatingCurrent::Peak:
        break;
    }
    return r.I1;
}

std::optional<std::string> valueCheck(const Requirement& r) {
    std::string buffer;
    // Every comparison is written as the condition that passes, so NaN never passes.
    // Below the analysis's lowest ambient the copper model fails (its resistance turns
    // negative at -234.4 C, and every loss with it); the checks after this one take
    // precedence.
    if (!(r.Ta >= kLowestAmbient)) {
        buffer = "Ambient Temperature must be -100 C or more";
    }
    if (!(operatingCurrent(r) >= 1e-6F)) {
        buffer = "Peak Current must be greater than 1 uA";
    }
    if (r.application == Application::PfcBoost &&
        !(static_cast<double>(r.Vpfc1) * r.Vpfc2 * r.fkHz >= 0.0001)) {
        buffer = " Invalid voltage and/or frequency for PFC Boost Regulator";
    }
    if (!(r.L1 >= 0.0001F)) {
        buffer = strprintf("SPECIFIED INDUCTANCE:%5.1f nH is beyond the 100 nano H lower Limit ",
                           static_cast<double>(r.L1) * 1e6);
    }
    if (r.application == Application::ControlledSwing || r.application == Application::WideSwing) {
        if (!(r.L2 >= 0.0001F)) {
            buffer = strprintf("SPECIFIED INDUCTANCE:%5.1f nH is beyond the 100 uH lower Limit ",
                               static_cast<double>(r.L2) * 1e6);
        }
        if (!(r.L2 > r.L1)) {
            buffer = "Inductance at Max current must be < Inductance at Min current ";
        }
        if (!(r.I2 >= 1e-6F)) {
            buffer = "Both Currents must be greater than 1 uA";
        }
        if (!(r.I2 < r.I1)) {
            buffer = "Min Current must be less than Max Current";
        }
    }
    if (buffer.empty()) {
        return std::nullopt;
    }
    return buffer;
}

namespace {

std::string henries(float mH) {
    return formatEngineering(static_cast<double>(mH) * 0.001, 4, "H");
}
std::string amperes(float a, std::string_view unit = "A") {
    return formatEngineering(static_cast<double>(a), 4, unit);
}
double d(float x) {
    return static_cast<double>(x);
}

std::string applicationLine(const Requirement& r) {
    switch (r.application) {
    case Application::DcBiased:
        return strprintf(
            "DC BIASED, L1: %s, Rs: %g, I1: %s, Von: %g, Voff: %g, f: %g k, Ta: %g C \n",
            henries(r.L1).c_str(), d(r.Rs), amperes(r.I1).c_str(), d(r.Von), d(r.Voff), d(r.fkHz),
            d(r.Ta));
    case Application::ControlledSwing:
    case Application::WideSwing:
        // Both swing applications write the WIDESWNG line.
        return strprintf("WIDESWNG, L1: %s, Rs: %g, I1: %s, L2: %s, I2: %s, Von: %g, Voff: %g, "
                         "f k: %g, Ta: %g C \n",
                         henries(r.L1).c_str(), d(r.Rs), amperes(r.I1).c_str(),
                         henries(r.L2).c_str(), amperes(r.I2).c_str(), d(r.Von), d(r.Voff),
                         d(r.fkHz), d(r.Ta));
    case Application::PfcBoost:
        return strprintf(
            "PFCBOOST, L1: %s, Rs: %g, I1: %s, Vpfc1: %g, Vpfc2: %g, f: %g k, Ta: %g C \n",
            henries(r.L1).c_str(), d(r.Rs), amperes(r.I1).c_str(), d(r.Vpfc1), d(r.Vpfc2),
            d(r.fkHz), d(r.Ta));
    case Application::Line60Hz:
        return strprintf(
            "ACINDUCTOR, L1: %s, Rs: %g, I1: %s, L2: %s, I2: %s, f: %g Hz, Ta: %g C \n",
            henries(r.L1).c_str(), d(r.Rs), amperes(r.I1rms, "A rms").c_str(),
            henries(r.L2).c_str(), amperes(r.I2rms, "A rms").c_str(), d(r.fHz), d(r.Ta));
    case Application::Resonant:
        return strprintf("RESONANT, L1: %s, Rs: %g, Ipk: %s, Vpk: %g, f: %g k, Ta: %g C \n",
                         henries(r.L1).c_str(), d(r.Rs), amperes(r.Ipk).c_str(), d(r.Vpk),
                         d(r.fkHz), d(r.Ta));
    }
    return {};
}

const char* shapeAbbreviation(CoreShape s) {
    switch (s) {
    case CoreShape::ECore:
        return "E";
    case CoreShape::Composite:
        return "CM";
    case CoreShape::Toroid:
        break;
    }
    return "T";
}

} // namespace

std::string requirementText(const Requirement& r, Application current) {
    if (r.application != current || r.L1 == 0.0F) {
        return {};
    }
    std::string text = applicationLine(r);
    // The stack count is printed as a whole number; a fraction is cut, as "%d" of an int.
    const double stack = d(r.stackCount);
    const int stackWhole =
        stack >= -2147483648.0 && stack < 2147483648.0 ? static_cast<int>(stack) : 0;
    text += strprintf("    Shape: %s, Stack: %d, Windg: %s, Strands: %d \n",
                      shapeAbbreviation(r.shape), stackWhole,
                      r.windingType == WindingType::SingleLayer ? "Singl" : "Full", r.strands);
    return text;
}

std::string savedRequirementText(const Requirement& requirement, Application current,
                                 const MaterialSelection& selection,
                                 const DesignParameters& parameters) {
    std::string text = requirementText(requirement, current);
    if (text.empty()) {
        return text;
    }
    return text + selection.materialsLine() + parameters.parametersText(current);
}

} // namespace korvane
