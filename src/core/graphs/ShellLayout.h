#pragma once

#include "graphs/Canvas.h"

#include <array>
#include <string_view>

namespace korvane {

// Where the shell's windows go on a screen of `screen` pixels (the primary screen's available
// area), and what the windows draw, in whole pixels truncated as the windows are laid out.

// Main window and cover: screen height div 20 from the top, width div 20 from the left,
// 0.9 of the screen high and wide.
Rect mainWindowRect(Size screen);
Rect coverWindowRect(Size screen);
// The main window's contents are laid out for a 1024-pixel-wide screen and scaled by this.
double mainWindowScale(Size screen);
// The title and function groups of the main window's client area: left, top and width by
// the client's size; the title group takes 0.28 of the height and the function group 0.6.
struct GroupPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
GroupPlacement titleGroupPlacement(Size client);
GroupPlacement functionGroupPlacement(Size client);

// Help and parameters windows: 0.2 of the height from the top, 0.2 of the width from the
// left, 0.68 of the height high and 0.6 of the width wide.
Rect helpWindowRect(Size screen);
Rect parametersWindowRect(Size screen);

// The requirements window: 0.15 of the height from the top, 0.2 of the width from the left;
// its size (and a 10-point font on screens of 641 to 768 pixels) by the screen height.
struct RequirementsWindowGeometry {
    Rect rect;
    double fontPoints = 0.0; // 0: the window's own font
};
RequirementsWindowGeometry requirementsWindowGeometry(Size screen);

// The cover's picture within its client area.
Rect coverPictureRect(Size client);

// The cover's five lines, in pure red "Impact", centred, from one eighth of the client height
// down: full height for the first two lines, a third for "Using", two thirds for the rest.
inline constexpr std::array<std::string_view, 5> kCoverLines = {
    "Inductor", "Design Software", "Using", "Korvane", "Iron Powder Cores"};
void drawCover(Canvas& canvas);

} // namespace korvane
