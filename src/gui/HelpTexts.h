#pragma once

#include <string_view>

namespace korvane::gui {

// The help window's two texts; lines end in "\r\n".
extern const std::string_view kGettingStartedText;
extern const std::string_view kHelpTopicsText;

} // namespace korvane::gui
