#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

class DesignParameters;
class MaterialSelection;

// What the user asks for: the application and its electrical values. Inductances are stored
// in millihenries, currents in amperes, frequencies in kHz (fkHz) or Hz (fHz).
struct Requirement {
    float L1 = 0.0F;     // mH, inductance at maximum current
    float L2 = 0.0F;     // mH, inductance at minimum current (swing, 60 Hz)
    float I1 = 0.0F;     // A, maximum (peak) current
    float I2 = 0.0F;     // A, minimum current (swing)
    float I1peak = 0.0F; // A, always a copy of I1
    float I1rms = 0.0F;  // A rms, 60 Hz maximum operating current
    float I2rms = 0.0F;  // A rms, 60 Hz minimum current
    float Ipk = 0.0F;    // A, resonant peak sine-wave current
    float fHz = 0.0F;    // Hz, 60 Hz line frequency
    float fkHz = 0.0F;   // kHz, switching or resonant frequency
    float Rs = 0.0F;     // ohm, maximum DC resistance; 0 means no limit
    float Ta = 0.0F;     // degrees C, ambient
    float Von = 0.0F;    // V, switch-mode ON voltage
    float Voff = 0.0F;   // V, switch-mode OFF voltage
    float Vpk = 0.0F;    // V, resonant peak sine-wave voltage
    float Vpfc1 = 0.0F;  // V, PFC regulator DC output
    float Vpfc2 = 0.0F;  // V, PFC peak AC input

    Application application = Application::DcBiased;
    CoreShape shape = CoreShape::Toroid;
    WindingType windingType = WindingType::FullWindow;
    float stackCount = 1.0F;
    int strands = 1;
    bool accepted = false;
};

// Number of entry fields of a requirement: eight values, the temperature, stack and strands.
constexpr int kRequirementFieldCount = 11;
using RequirementTexts = std::array<std::string, kRequirementFieldCount>;

// Ripple current, amperes peak to peak, of a switch-mode inductor from L1 (uH), I1 (A), the
// two voltages and f (kHz); never above I1, 0 when it cannot be computed.
float rippleCurrent(float L1uH, float I1, float V1, float V2, float fkHz);
std::string rippleText(float ripple); // "RIPPLE CURRENT:  %6.3f Amperes  p-p"

// The ripple current of an accepted requirement of applications 0 to 3 (PFC BOOST from its
// DC output and peak input voltages); nullopt for the others.
std::optional<float> requirementRipple(const Requirement& r);

// Resonant frequency in kHz from L1 (uH), the peak current and the peak voltage; 0 when it
// cannot be computed or is not a finite float.
float resonantFrequency(float L1uH, float Ipk, float Vpk);
std::string resonantFrequencyText(float fkHz); // "%4.1f"

// Characters allowed in entry field `field` (0 to 10).
std::string_view allowedCharacters(int field);

// The first field holding a character outside its set, with the system's message;
// nullopt when every field is clean.
std::optional<std::string> characterCheck(const RequirementTexts& texts);

// The stacked-cores check, run after the stack count and strands are read.
std::optional<std::string> stackStrandCheck(float stackCount, int strands);

// The value checks of an application; each failing check overwrites the buffer, so the text
// of the last failing one is returned. nullopt when the requirement passes.
std::optional<std::string> valueCheck(const Requirement& r);

// The current that sets the operating point: I1 (of which I1peak is a copy) for applications
// 0 to 3, I1rms for 60 HZ, Ipk for RESONANT.
float operatingCurrent(const Requirement& r);

inline constexpr std::string_view kDataEntryErrorCaption = "DATA ENTRY ERROR";

// The lowest ambient temperature the program computes with, C.
inline constexpr float kLowestAmbient = -100.0F;

// The application line and the shape line of a requirement; empty when `current` is not the
// requirement's application or L1 is 0.
std::string requirementText(const Requirement& r, Application current);

// The requirement text of a saved requirement: application and shape lines, the materials
// line and the parameters text; empty when `current` is not the requirement's application or
// no inductance was entered.
std::string savedRequirementText(const Requirement& requirement, Application current,
                                 const MaterialSelection& selection,
                                 const DesignParameters& parameters);

} // namespace korvane
