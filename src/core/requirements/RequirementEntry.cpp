#include "requirements/RequirementEntry.h"

#include "format/Messages.h"
#include "format/NumberFormat.h"
#include "format/NumberReader.h"
#include "format/StrPrintf.h"
#include "settings/DesignParameters.h"

namespace korvane {

namespace {

RequirementFieldLabel hidden() {
    return {"", "", "", false};
}

bool isSwing(Application a) {
    return a == Application::ControlledSwing || a == Application::WideSwing;
}

bool isSwitchMode(Application a) {
    return a == Application::DcBiased || isSwing(a);
}

std::string_view read(const std::string& text) {
    return leadingChars(text, RequirementEntry::kReadLength);
}

// The member of the requirement that entry field `field` (0 to 8) fills for application `a`;
// nullptr for a field the application does not use. Fields 0 and 3 are typed in uH and held
// in mH.
float* requirementField(Requirement& r, Application a, int field) {
    switch (field) {
    case 0:
        return &r.L1;
    case 1:
        return &r.Rs;
    case 7:
        return a == Application::Line60Hz ? &r.fHz : &r.fkHz;
    case 8:
        return &r.Ta;
    default:
        break;
    }
    if (isSwitchMode(a)) {
        const bool swing = isSwing(a);
        switch (field) {
        case 2:
            return &r.I1;
        case 3:
            return swing ? &r.L2 : nullptr;
        case 4:
            return swing ? &r.I2 : nullptr;
        case 5:
            return &r.Von;
        case 6:
            return &r.Voff;
        default:
            return nullptr;
        }
    }
    switch (a) {
    case Application::PfcBoost:
        return field == 2 ? &r.I1 : field == 5 ? &r.Vpfc2 : field == 6 ? &r.Vpfc1 : nullptr;
    case Application::Line60Hz:
        return field == 2 ? &r.I1rms : field == 3 ? &r.L2 : field == 4 ? &r.I2rms : nullptr;
    default:
        return field == 2 ? &r.Ipk : field == 5 ? &r.Vpk : nullptr;
    }
}

const float* requirementField(const Requirement& r, Application a, int field) {
    return requirementField(const_cast<Requirement&>(r), a, field);
}

double fieldScale(int field) {
    return field == 0 || field == 3 ? 0.001 : 1.0;
}

// The shortest "%.Nf" text of at most `maxLength` characters that `stored` reads back from
// as OK reads it (a float, times `scale`); the longest that fits when none does.
std::string typedNumber(float stored, double scale, std::size_t maxLength) {
    const double typed = static_cast<double>(stored) / scale;
    std::string fitting = strprintf("%.0f", typed);
    for (int decimals = 0; decimals <= 9; ++decimals) {
        const std::string text = strprintf("%.*f", decimals, typed);
        if (text.size() > maxLength) {
            break;
        }
        fitting = text;
        float v = 0.0F;
        if (scanFloat(text, v) && static_cast<float>(static_cast<double>(v) * scale) == stored) {
            return text;
        }
    }
    return fitting;
}

} // namespace

std::array<RequirementFieldLabel, 9> requirementFieldLabels(Application a) {
    std::array<RequirementFieldLabel, 9> f;
    f[0] = {"Inductance At Max Current:", "micro Henries",
            "INDUCTANCE AT MAXIMUM CURRENT INDICATED BELOW", true};
    f[1] = {"Maximum DC Resistance:", "Ohms (Optional)",
            "MAXIMUM ALLOWABLE RESISTANCE AT DC.  ENTER 0.0 IF NOT APPLICABLE", true};
    f[8] = {"Temperature:", "Degrees C", "AMBIENT TEMPERATURE USED IN CALCULATING WIRE RESISTANCE",
            true};
    f[7] = {"Frequency:", "kHertz", "Switchmode Operating Frequency", true};
    f[3] = hidden();
    f[4] = hidden();
    switch (a) {
    case Application::DcBiased:
    case Application::ControlledSwing:
    case Application::WideSwing:
        f[2] = {"Maximum Current:", "Amperes", "Maximum Peak Current for Switchmode Operation",
                true};
        if (isSwing(a)) {
            f[3] = {"Inductance At Min Current:", "micro Henries",
                    "INDUCTANCE AT MINIMUM CURRENT INDICATED BELOW", true};
            f[4] = {"Minimum Current:", "Amperes",
                    "MINIMUM AVERAGE OPERATING CURRENT FOR SWINGING INDUCTOR", true};
        }
        f[5] = {"Switch Mode Inductor ON Voltage:", "Volts", "Switch Mode Inductor ON Voltage",
                true};
        f[6] = {"Switch Mode Inductor OFF Voltage:", "Volts", "Switch Mode Inductor OFF Voltage",
                true};
        break;
    case Application::PfcBoost:
        f[2] = {"Maximum Current:", "Amperes",
                "Maximum Peak Inductor Current for Switchmode Operation", true};
        f[5] = {"Peak Regulator Input Voltage:", "Volts", "Peak AC Voltage at Regulator Input",
                true};
        f[6] = {"Regulator DC Output Voltage:", "Volts", "DC Voltage at Boost Regulator Output",
                true};
        break;
    case Application::Line60Hz:
        f[2] = {"Maximum Current:", "Amperes rms",
                "Maximum Operating Current, for Inductance above", true};
        f[3] = {"Inductance At Min Current:", "micro Henries",
                "INDUCTANCE AT MINIMUM CURRENT INDICATED BELOW", true};
        f[4] = {"Minimum Current:", "Amperes rms",
                "Minimum Swinging Inductor Current for Inductance above", true};
        f[5] = hidden();
        f[6] = hidden();
        f[7] = {"Frequency:", "Hertz", "AC Sinewave Operating Frequency", true};
        break;
    case Application::Resonant:
        f[2] = {"Peak Current:", "Amperes", "Peak AC Sinewave Inductor Current", true};
        f[5] = {"Peak Voltage:", "Volts", "Peak AC Sinewave Inductor Voltage", true};
        f[6] = hidden();
        f[7] = {"Frequency:", "kHertz",
                "This value is calculated from the Specified voltage, current, and inductance and "
                "CANNOT BE CHANGED HERE.",
                true};
        break;
    }
    return f;
}

DerivedValue deriveFromTexts(Application a, const RequirementTexts& texts) {
    auto value = [&texts](int field) {
        float v = 0.0F;
        scanFloat(read(texts[static_cast<std::size_t>(field)]), v);
        return v;
    };
    DerivedValue derived;
    if (isDcApplication(a)) {
        derived.rippleCurrent = rippleCurrent(value(0), value(2), value(5), value(6), value(7));
    } else if (a == Application::Resonant) {
        derived.resonantFrequency = resonantFrequency(value(0), value(2), value(5));
    }
    return derived;
}

RequirementEntry::RequirementEntry(DesignParameters& parameters) : parameters_(parameters) {
    textCopies_ = shownTexts();
}

void RequirementEntry::activate(Application a) {
    if (!lastActivated_ || *lastActivated_ != a) {
        if (a == Application::WideSwing) {
            if (requirement_.shape != CoreShape::Composite) {
                rememberedShape_ = requirement_.shape;
            }
            requirement_.shape = CoreShape::Composite;
        } else {
            requirement_.shape = rememberedShape_;
        }
        if (a == Application::Resonant) {
            rememberedWinding_ = requirement_.windingType;
            requirement_.windingType = WindingType::SingleLayer;
        } else {
            requirement_.windingType = rememberedWinding_;
        }
        requirement_.accepted = false;
    }
    requirement_.application = a;
    lastActivated_ = a;
    textCopies_ = shownTexts();
}

void RequirementEntry::nextApplication() {
    activate(applicationFromIndex(toIndex(requirement_.application) + 1));
}

RequirementTexts RequirementEntry::shownTexts() const {
    const Application a = requirement_.application;
    const auto& values = store_[static_cast<std::size_t>(toIndex(a))];
    RequirementTexts texts;
    for (std::size_t i = 0; i < 8; ++i) {
        const double scale = (i == 0 || i == 3) ? 1000.0 : 1.0;
        texts[i] = strprintf("%6.2f", static_cast<double>(values[i]) * scale);
    }
    texts[8] = strprintf("%6.1f", static_cast<double>(parameters_.ambientTemperature(a)));
    texts[9] = formatFixed(static_cast<double>(requirement_.stackCount));
    texts[10] = strprintf("%2d", requirement_.strands);
    return texts;
}

void RequirementEntry::setShape(CoreShape shape) {
    rememberedShape_ = shape;
    if (requirement_.application != Application::WideSwing) {
        requirement_.shape = shape;
    }
}

void RequirementEntry::setWindingType(WindingType winding) {
    requirement_.windingType = winding;
    if (requirement_.application != Application::Resonant) {
        rememberedWinding_ = winding;
    }
}

float RequirementEntry::rememberedValue(Application a, int field) const {
    return store_[static_cast<std::size_t>(toIndex(a))][static_cast<std::size_t>(field)];
}

bool RequirementEntry::accept(const RequirementTexts& texts) {
    const Application a = requirement_.application;
    const std::string caption(kDataEntryErrorCaption);
    RequirementTexts readTexts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        readTexts[i] = std::string(read(texts[i]));
    }
    if (a == Application::Resonant) {
        // The resonant frequency is derived, not typed: its "%4.1f" text is read whole, so a
        // frequency of more than eleven digits is not cut to its leading ones.
        readTexts[7] = texts[7];
    }
    textCopies_ = readTexts;

    if (auto message = characterCheck(readTexts)) {
        showMessage(*message, caption);
        return false;
    }

    // Remembered values of the application, the inductances in mH.
    auto& values = store_[static_cast<std::size_t>(toIndex(a))];
    for (std::size_t i = 0; i < 8; ++i) {
        float v = 0.0F;
        if (scanFloat(readTexts[i], v)) {
            values[i] = (i == 0 || i == 3) ? static_cast<float>(static_cast<double>(v) * 0.001) : v;
        }
    }
    float ambient = parameters_.ambientTemperature(a);
    if (scanFloat(readTexts[8], ambient)) {
        parameters_.setAmbientTemperature(a, ambient);
    }
    scanFloat(readTexts[9], requirement_.stackCount);
    scanInt(readTexts[10], requirement_.strands);
    if (auto message = stackStrandCheck(requirement_.stackCount, requirement_.strands)) {
        showMessage(*message, caption);
        return false;
    }

    Requirement& r = requirement_;
    for (int field = 0; field <= 8; ++field) {
        float v = 0.0F;
        float* target = requirementField(r, a, field);
        if (target != nullptr && scanFloat(readTexts[static_cast<std::size_t>(field)], v)) {
            *target = static_cast<float>(static_cast<double>(v) * fieldScale(field));
        }
    }
    r.I1peak = r.I1;

    if (auto message = valueCheck(r)) {
        showMessage(*message, caption);
        return false;
    }

    const auto labels = requirementFieldLabels(a);
    for (std::size_t i = 0; i < block_.size(); ++i) {
        block_[i] = {labels[i].caption.substr(0, 32), readTexts[i].substr(0, 16),
                     labels[i].unit.substr(0, 32)};
    }
    if (a == Application::Resonant) {
        // The peak voltage line moves into the place of the hidden minimum-inductance line,
        // value included, so the block never shows a hidden field's text under its label.
        block_[3] = block_[5];
        block_[5] = {};
    }
    r.accepted = true;
    return true;
}

void RequirementEntry::loadRemembered(const SavedRequirement& saved) {
    const Application a = saved.application;
    auto& values = store_[static_cast<std::size_t>(toIndex(a))];
    Requirement& r = requirement_;
    for (int field = 0; field <= 8; ++field) {
        const float typed = field == 8 ? saved.Ta : saved.values[static_cast<std::size_t>(field)];
        const auto stored = static_cast<float>(static_cast<double>(typed) * fieldScale(field));
        if (field < 8) {
            values[static_cast<std::size_t>(field)] = stored;
        }
        if (float* target = requirementField(r, a, field)) {
            *target = stored;
        }
    }
    r.I1peak = r.I1;
    parameters_.setAmbientTemperature(a, saved.Ta);
    r.application = a;
    r.shape = saved.shape;
    r.windingType = saved.windingType;
    r.stackCount = saved.stackCount;
    r.strands = saved.strands;
    r.accepted = false;
    // The choices the forcing applications override stay remembered as they were.
    if (a != Application::WideSwing) {
        rememberedShape_ = saved.shape;
    }
    if (a != Application::Resonant) {
        rememberedWinding_ = saved.windingType;
    }
    lastActivated_ = a;
    textCopies_ = shownTexts();
}

RequirementTexts RequirementEntry::typedTexts() const {
    const Requirement& r = requirement_;
    RequirementTexts texts = shownTexts();
    for (int field = 0; field <= 8; ++field) {
        if (const float* value = requirementField(r, r.application, field)) {
            texts[static_cast<std::size_t>(field)] =
                typedNumber(*value, fieldScale(field), kReadLength);
        }
    }
    texts[9] = typedNumber(r.stackCount, 1.0, kReadLength);
    return texts;
}

} // namespace korvane
