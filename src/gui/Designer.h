#pragma once

#include "graphs/Canvas.h"
#include "gui/Shell.h"

#include <memory>
#include <optional>

namespace korvane {
class DesignSession;
}

namespace korvane::gui {

// The desktop program: every window created once, in the program's order, over one session.
// The design parameters read the settings file (in the working directory) as they are created.
class Designer {
  public:
    // `screen`: the screen size the windows are laid out for; by default the primary screen's
    // available area.
    explicit Designer(DesignSession& session, std::optional<Size> screen = std::nullopt);
    ~Designer();
    Designer(const Designer&) = delete;
    Designer& operator=(const Designer&) = delete;

    Shell& shell() { return shell_; }
    Size screen() const { return screen_; }

  private:
    Size screen_;
    Shell shell_;
};

// The primary screen's available area.
Size primaryScreenSize();

} // namespace korvane::gui
