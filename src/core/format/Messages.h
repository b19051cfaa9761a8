#pragma once

#include <string>
#include <vector>

namespace korvane {

// One message box of the program: its text and its caption.
struct Message {
    std::string text;
    std::string caption;
    bool operator==(const Message&) const = default;
};

// Receives every message the core shows. The GUI opens a modal box; the command line
// prints and collects; tests record.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void show(const std::string& text, const std::string& caption) = 0;
};

// Writes "CAPTION: text" to stderr. Installed by default.
class StderrSink : public MessageSink {
  public:
    void show(const std::string& text, const std::string& caption) override;
};

// Writes like StderrSink (unless quiet) and keeps every message for a JSON report.
class CollectingSink : public MessageSink {
  public:
    explicit CollectingSink(bool echoToStderr = true) : echo_(echoToStderr) {}
    void show(const std::string& text, const std::string& caption) override;
    const std::vector<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

  private:
    bool echo_;
    std::vector<Message> messages_;
};

// Shows a message through the installed sink.
void showMessage(const std::string& text, const std::string& caption);

// Installs a sink for the calling thread (nullptr restores the stderr sink); returns the one
// that was installed. Each thread starts with the stderr sink.
MessageSink* setMessageSink(MessageSink* sink);

// Installs a sink for the lifetime of this object and restores the previous one after.
class ScopedMessageSink {
  public:
    explicit ScopedMessageSink(MessageSink& sink) : previous_(setMessageSink(&sink)) {}
    ~ScopedMessageSink() { setMessageSink(previous_); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

  private:
    MessageSink* previous_;
};

} // namespace korvane
