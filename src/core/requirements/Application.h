#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The six kinds of inductor the program designs.
enum class Application : std::uint8_t {
    DcBiased = 0,
    ControlledSwing = 1,
    WideSwing = 2,
    PfcBoost = 3,
    Line60Hz = 4,
    Resonant = 5,
};

constexpr int kApplicationCount = 6;

constexpr int toIndex(Application a) {
    return static_cast<int>(a);
}

// Application of index 0..5; indices outside wrap into range.
constexpr Application applicationFromIndex(int i) {
    return static_cast<Application>(((i % kApplicationCount) + kApplicationCount) %
                                    kApplicationCount);
}

constexpr std::array<Application, kApplicationCount> kAllApplications = {
    Application::DcBiased, Application::ControlledSwing, Application::WideSwing,
    Application::PfcBoost, Application::Line60Hz,        Application::Resonant};

// Keyword of the requirement text and the files: "DC BIASED", "CTRLSWNG", ...
std::string_view applicationKeyword(Application a);

// Title shown at the top of the requirements and parameters windows.
std::string_view applicationTitle(Application a);

// Command-line name: dc-biased, controlled-swing, wide-swing, pfc-boost, 60hz, resonant.
std::string_view applicationCliName(Application a);
std::optional<Application> applicationFromCliName(std::string_view name);

// True for the applications whose operating point is set by a DC current (0 to 3).
constexpr bool isDcApplication(Application a) {
    return toIndex(a) <= 3;
}

} // namespace korvane
