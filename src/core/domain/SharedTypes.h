#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace korvane {

// Pi as every formula of the program takes it, to five decimals: winding lengths, surfaces
// and losses depend on these digits.
inline constexpr double kPi = 3.14159;

// Core shapes of the catalog.
enum class CoreShape : std::uint8_t { Toroid = 0, ECore = 1, Composite = 2 };

// Names of the shapes in the shape lists and messages, by index.
inline constexpr std::array<std::string_view, 3> kCoreShapeNames = {"TOROID", "E-CORE",
                                                                    "COMPOSITE"};
constexpr std::string_view coreShapeName(CoreShape s) {
    return kCoreShapeNames[static_cast<std::size_t>(s) % kCoreShapeNames.size()];
}

// How the wire is laid on the core.
enum class WindingType : std::uint8_t { FullWindow = 0, SingleLayer = 1 };

// Wire gauge standards. Metric sizes are the bare diameter in millimetres; AWG and SWG sizes
// are gauge numbers.
enum class WireSystem : std::uint8_t { Metric = 0, Awg = 1, Swg = 2 };

// How lengths and weights are shown.
enum class UnitSystem : std::uint8_t { Metric = 0, English = 1, MixedEnglish = 2 };

constexpr int toIndex(CoreShape s) {
    return static_cast<int>(s);
}
constexpr int toIndex(WindingType w) {
    return static_cast<int>(w);
}
constexpr int toIndex(WireSystem w) {
    return static_cast<int>(w);
}
constexpr int toIndex(UnitSystem u) {
    return static_cast<int>(u);
}

} // namespace korvane
