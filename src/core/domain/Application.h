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

// The requirement current that sets an application's operating point: the peak current I1
// of the switchmode applications, the RMS line current of the 60 Hz inductor, the peak
// current of the resonant inductor.
enum class OperatingCurrent : std::uint8_t { Peak, LineRms, ResonantPeak };

// What the program says and computes differently per application, in one place.
struct ApplicationDescriptor {
    std::string_view keyword;     // requirement text and files: "DC BIASED", "CTRLSWNG", ...
    std::string_view title;       // top of the requirements and parameters windows
    std::string_view cliName;     // dc-biased, controlled-swing, ..., 60hz, resonant
    std::string_view searchModel; // the search trace's name of the operating-point model
    OperatingCurrent current;
    bool lineFrequency; // operating frequency entered in hertz (the 60 Hz inductor), else kHz
};

const ApplicationDescriptor& describe(Application a);

inline std::string_view applicationKeyword(Application a) {
    return describe(a).keyword;
}
inline std::string_view applicationTitle(Application a) {
    return describe(a).title;
}
inline std::string_view applicationCliName(Application a) {
    return describe(a).cliName;
}
std::optional<Application> applicationFromCliName(std::string_view name);

// True for the applications whose operating point is set by a DC current (0 to 3).
constexpr bool isDcApplication(Application a) {
    return toIndex(a) <= 3;
}

} // namespace korvane
