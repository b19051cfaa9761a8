#pragma once

#include "settings/DesignParameters.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The parameters window's logic over the texts of its fields, so the window only moves texts.
// Positions 0 to 8 follow ParameterSet; position 1 is the copper field that is visible: the
// copper area in cmil/A, or the current density in A/cm^2 under the metric wire standard.
using ParameterTexts = std::array<std::string, ParameterSet::kCount>;

inline constexpr std::size_t kParameterReadLength = 11;

// Texts shown at activation: "%6.2f" of each value ("%6.4f" for Trise_ex); position 1 holds
// the current density 197400 / Cudens under the metric wire standard.
ParameterTexts parameterTexts(const DesignParameters& parameters);

// OK: character check of all positions, then range check and store position by position into
// the shown application's set (a failing position and those after it keep their values), the
// metric current-density conversion and the unit system. A field without a number is a range
// error. Shows the system's message and returns false on a refusal.
bool applyParameterTexts(DesignParameters& parameters, const ParameterTexts& texts,
                         UnitSystem selectedUnits);

// The copper field's text for a copper area written in cmil/A (as the command line takes
// Cudens): under the metric wire standard the field holds the current density, "%.2f" of
// 197400 / area; a text without a positive number, or another standard, keeps the text.
std::string copperFieldText(const std::string& cmilPerAmp, WireSystem system);

// The wire standard takes `system` at once. When the change crosses between metric and a
// non-metric standard, the number of the visible copper field converts by 197400 / number and
// the returned "%6.2f" text goes into the copper field that becomes visible; otherwise (or when
// the visible field holds no positive number) nothing is returned and the texts stay.
std::optional<std::string> changeWireStandard(DesignParameters& parameters, WireSystem system,
                                              std::string_view visibleCopperText);

} // namespace korvane
