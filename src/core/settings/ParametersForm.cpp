#include "settings/ParametersForm.h"

#include "format/Messages.h"
#include "format/NumberReader.h"
#include "format/StrPrintf.h"

#include <cmath>
#include <limits>

namespace korvane {

ParameterTexts parameterTexts(const DesignParameters& parameters) {
    const ParameterSet& set = parameters.set(parameters.shownApplication());
    ParameterTexts texts;
    for (int i = 0; i < ParameterSet::kCount; ++i) {
        double value = set.at(i);
        if (i == 1 && parameters.wireSystem() == WireSystem::Metric) {
            value = kCurrentDensityConstant / value;
        }
        texts[static_cast<std::size_t>(i)] = strprintf(i == 6 ? "%6.4f" : "%6.2f", value);
    }
    return texts;
}

bool applyParameterTexts(DesignParameters& parameters, const ParameterTexts& texts,
                         UnitSystem selectedUnits) {
    ParameterTexts read;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        read[i] = std::string(leadingChars(texts[i], kParameterReadLength));
    }
    for (int i = 0; i < ParameterSet::kCount; ++i) {
        const std::string_view allowed = i == 8 ? " -.0123456789" : " .0123456789";
        const std::string& text = read[static_cast<std::size_t>(i)];
        if (text.find_first_not_of(allowed) != std::string::npos) {
            showMessage(strprintf("INVALID CHARACTER in Parameter%2d.  %s ", i, text.c_str()),
                        "DATA ENTRY ERROR");
            return false;
        }
    }
    ParameterSet& set = parameters.set(parameters.shownApplication());
    const bool metricWire = parameters.wireSystem() == WireSystem::Metric;
    for (int i = 0; i < ParameterSet::kCount; ++i) {
        // A field that holds no number (empty, blanks, a lone point) is refused by the range
        // test and shown as typed.
        const std::string& text = read[static_cast<std::size_t>(i)];
        float value = std::numeric_limits<float>::quiet_NaN();
        scanFloat(text, value);
        const ParameterRange range = parameterRanges()[static_cast<std::size_t>(i)];
        if (!(value >= range.minimum && value <= range.maximum)) {
            const std::string shown = std::isfinite(value)
                                          ? strprintf("%6.2f", static_cast<double>(value))
                                          : strprintf("%6s", text.c_str());
            showMessage(strprintf("Parameter%2d. (%s) Must Be In The Range: %6.2f To %6.2f", i + 1,
                                  shown.c_str(), static_cast<double>(range.minimum),
                                  static_cast<double>(range.maximum)),
                        "PARAMETER OUT OF RANGE ERROR");
            return false;
        }
        // Under the metric wire standard the copper field holds a current density; it is
        // stored converted at once, so a range error further down never leaves A/cm^2 in
        // Cudens.
        set.at(i) = i == 1 && metricWire
                        ? static_cast<float>(kCurrentDensityConstant / static_cast<double>(value))
                        : value;
    }
    parameters.setUnitSystem(selectedUnits);
    return true;
}

std::string copperFieldText(const std::string& cmilPerAmp, WireSystem system) {
    float number = 0.0F;
    if (system == WireSystem::Metric && scanFloat(cmilPerAmp, number) && number > 0.0F) {
        return strprintf("%.2f", kCurrentDensityConstant / static_cast<double>(number));
    }
    return cmilPerAmp;
}

std::optional<std::string> changeWireStandard(DesignParameters& parameters, WireSystem system,
                                              std::string_view visibleCopperText) {
    const bool wasMetric = parameters.wireSystem() == WireSystem::Metric;
    const bool isMetric = system == WireSystem::Metric;
    parameters.setWireSystem(system);
    if (wasMetric == isMetric) {
        return std::nullopt;
    }
    float number = 0.0F;
    if (!scanFloat(leadingChars(visibleCopperText, kParameterReadLength), number) ||
        !(number > 0.0F) || !std::isfinite(number)) {
        return std::nullopt;
    }
    return strprintf("%6.2f", kCurrentDensityConstant / static_cast<double>(number));
}

} // namespace korvane
