#include "requirements/Application.h"

namespace korvane {

namespace {

constexpr std::array<std::string_view, kApplicationCount> kKeywords = {
    "DC BIASED", "CTRLSWNG", "WIDESWNG", "PFCBOOST", "ACINDUCTOR", "RESONANT"};

constexpr std::array<std::string_view, kApplicationCount> kTitles = {
    "DC BIASED OUTPUT FILTER INDUCTOR", "CONTROLLED INDUCTANCE SWING INDUCTOR",
    "WIDE INDUCTANCE SWING INDUCTOR",   "POWER FACTOR BOOST INDUCTOR",
    "POWERLINE FREQUENCY INDUCTOR",     "RESONANT CONVERTER INDUCTOR"};

constexpr std::array<std::string_view, kApplicationCount> kCliNames = {
    "dc-biased", "controlled-swing", "wide-swing", "pfc-boost", "60hz", "resonant"};

} // namespace

std::string_view applicationKeyword(Application a) {
    return kKeywords[static_cast<std::size_t>(toIndex(a))];
}

std::string_view applicationTitle(Application a) {
    return kTitles[static_cast<std::size_t>(toIndex(a))];
}

std::string_view applicationCliName(Application a) {
    return kCliNames[static_cast<std::size_t>(toIndex(a))];
}

std::optional<Application> applicationFromCliName(std::string_view name) {
    for (Application a : kAllApplications) {
        if (applicationCliName(a) == name) {
            return a;
        }
    }
    return std::nullopt;
}

} // namespace korvane
