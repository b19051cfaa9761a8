#pragma once

#include "domain/SharedTypes.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// The wire of the analysis entry. parseWireSize reads into it; what the text does not set
// keeps its previous value.
struct WireSizeEntry {
    float size = 0.0F; // metric mm or gauge; AWG 1/0 to 4/0 as 0 to -3
    WireSystem system = WireSystem::Awg;
    int stripFlag = 0;      // rectangular conductor: 3 when narrower than 0.01, else 0
    float width = 0.0F;     // rectangular conductor width
    float thickness = 0.0F; // rectangular conductor thickness
    bool refused = false;   // the last text was refused: the window's OK stops at its message
};

// Characters of the wire field: a display never holds more.
inline constexpr std::size_t kWireDisplayLength = 31;

// Reads a typed wire size and returns its display text:
//   "0.100 x 0.020" (strip, width x thickness) -> "0.100 x 0.020 Cu"
//   "22 SWG" -> "# 22 SWG", "0.5mm" -> " 0.50 mm", "#18" -> "# 18 AWG", "#0000" -> "#0000 AWG"
// A text without its own marker is read in the entry's current system. A size that is not a
// finite number, an AWG gauge outside 4/0 to 50, an SWG gauge below 1, a metric size below
// 0.05 mm, or a display longer than the field shows "Invalid Wire Size", flags the refusal and
// returns the text unchanged.
// A strip whose width or thickness is not a positive, finite number is refused the same way;
// the entry then keeps its last wire.
std::string parseWireSize(std::string_view text, WireSizeEntry& entry);

// Whether `text` gives a wire size of its own when read in `system`, without a message: a
// text that reads no number ("18" in AWG, whose form needs the number sign, or "nan") or that
// parseWireSize refuses does not.
bool wireSizeReads(std::string_view text, WireSystem system);

} // namespace korvane
