#pragma once

#include "requirements/Requirement.h"
#include "settings/RequirementFile.h"

#include <array>
#include <optional>
#include <string>

namespace korvane {

class DesignParameters;

// Caption, unit label and hint of one entry field of the requirements window.
struct RequirementFieldLabel {
    std::string caption;
    std::string unit;
    std::string hint;
    bool visible = true;
};

// Labels of the nine value fields (0 to 8) for an application; hidden fields have empty
// caption and unit.
std::array<RequirementFieldLabel, 9> requirementFieldLabels(Application a);

// One line of the requirement block that heads the result tables: label, value text, unit.
struct RequirementBlockLine {
    std::string label;
    std::string value;
    std::string unit;
};
using RequirementBlock = std::array<RequirementBlockLine, 9>;

// The value that the window derives while the user types: the ripple current text
// (applications 0 to 3) or the resonant frequency written into the frequency field (5).
struct DerivedValue {
    std::optional<float> rippleCurrent;     // amperes peak to peak
    std::optional<float> resonantFrequency; // kHz
};
DerivedValue deriveFromTexts(Application a, const RequirementTexts& texts);

// The logic of the requirements window, free of any widget: which application is shown, the
// texts its eleven fields show, the remembered values per application, the shape and winding
// rules, and OK's checks that turn the eleven texts into the Requirement.
class RequirementEntry {
  public:
    static constexpr std::size_t kReadLength = 11; // characters read back from each field

    explicit RequirementEntry(DesignParameters& parameters);

    Application application() const { return requirement_.application; }

    // The window becomes active showing application `a`. A change of application forces
    // COMPOSITE for WIDE SWING and SINGLE LAYER for RESONANT, and restores the user's own
    // choices for the others; it also clears the accepted flag.
    void activate(Application a);

    // Clicking the title: the next application, then activation.
    void nextApplication();

    // The texts the eleven fields show: remembered values of the application ("%6.2f", in uH
    // for the inductances), its ambient temperature ("%6.1f"), stack count and strands.
    RequirementTexts shownTexts() const;

    // The texts of the last activation or OK (CANCEL puts them back).
    const RequirementTexts& textCopies() const { return textCopies_; }

    // The shape and winding lists. A choice made while the application forces the shape
    // (WIDE SWING) or the winding (RESONANT) is remembered for the other applications.
    void setShape(CoreShape shape);
    void setWindingType(WindingType winding);

    // OK: character check, remembered values, ambient temperature into the design parameters,
    // stack and strands check, the values by application, the value checks. A refusal shows
    // the system's message under "DATA ENTRY ERROR" and returns false.
    bool accept(const RequirementTexts& texts);

    // A requirement loaded from a requirement file: the application with its remembered values
    // and ambient temperature (what the fields show at the next activation), shape, winding,
    // stack count and strands, and the requirement's values as OK would read them from those
    // fields. The requirement is not accepted; the application counts as activated, so the
    // loaded shape and winding stand.
    void loadRemembered(const SavedRequirement& saved);

    // The eleven texts that, typed into the fields, give the requirement's values back: each
    // the shortest fixed-point number (at most kReadLength characters where one reads back
    // exactly). Fields the application does not use show what shownTexts() shows.
    RequirementTexts typedTexts() const;

    const Requirement& requirement() const { return requirement_; }

    // Label, value and unit of fields 0 to 8 as they stood at the last accepted OK.
    const RequirementBlock& requirementBlock() const { return block_; }

    // Remembered value of field `field` (0 to 7) of application `a`; inductances in mH.
    float rememberedValue(Application a, int field) const;

  private:
    DesignParameters& parameters_;
    Requirement requirement_;
    std::array<std::array<float, 11>, kApplicationCount> store_{};
    RequirementTexts textCopies_;
    RequirementBlock block_;
    CoreShape rememberedShape_ = CoreShape::Toroid;
    WindingType rememberedWinding_ = WindingType::FullWindow;
    std::optional<Application> lastActivated_;
};

} // namespace korvane
