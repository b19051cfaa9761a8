#pragma once

#include "format/Messages.h"

#include <cstddef>
#include <string>
#include <vector>

namespace korvane {

// Keeps every message, prints nothing: for tests that assert on exact texts.
class RecordingSink : public MessageSink {
  public:
    void show(const std::string& text, const std::string& caption) override {
        messages_.push_back({text, caption});
    }
    const std::vector<Message>& messages() const { return messages_; }
    bool empty() const { return messages_.empty(); }
    std::size_t size() const { return messages_.size(); }
    const Message& last() const { return messages_.back(); }
    void clear() { messages_.clear(); }

  private:
    std::vector<Message> messages_;
};

} // namespace korvane
