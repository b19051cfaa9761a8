#include "domain/Application.h"

namespace korvane {

namespace {

// In the order of the Application values.
constexpr std::array<ApplicationDescriptor, kApplicationCount> kDescriptors = {{
    {"DC BIASED", "DC BIASED OUTPUT FILTER INDUCTOR", "dc-biased", "DC-bias turns iteration",
     OperatingCurrent::Peak, false},
    {"CTRLSWNG", "CONTROLLED INDUCTANCE SWING INDUCTOR", "controlled-swing", "swing model",
     OperatingCurrent::Peak, false},
    {"WIDESWNG", "WIDE INDUCTANCE SWING INDUCTOR", "wide-swing", "swing model",
     OperatingCurrent::Peak, false},
    {"PFCBOOST", "POWER FACTOR BOOST INDUCTOR", "pfc-boost", "DC-bias turns iteration",
     OperatingCurrent::Peak, false},
    {"ACINDUCTOR", "POWERLINE FREQUENCY INDUCTOR", "60hz", "60 Hz model", OperatingCurrent::LineRms,
     true},
    {"RESONANT", "RESONANT CONVERTER INDUCTOR", "resonant", "resonant core test",
     OperatingCurrent::ResonantPeak, false},
}};

} // namespace

const ApplicationDescriptor& describe(Application a) {
    return kDescriptors[static_cast<std::size_t>(toIndex(a))];
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
