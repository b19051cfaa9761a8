#pragma once

#include "format/Messages.h"

namespace korvane::gui {

// The program's message box: modal, with the text, the caption, OK and Cancel. The answer
// is not used.
class MessageBoxSink : public MessageSink {
  public:
    void show(const std::string& text, const std::string& caption) override;
};

} // namespace korvane::gui
