#include "format/Messages.h"

#include <cstdio>

namespace korvane {

namespace {

StderrSink defaultSink;
// One sink per thread: a session's search run on a worker thread, or two sessions on two
// threads, never show their messages in each other's sink.
thread_local MessageSink* installedSink = &defaultSink;

void writeToStderr(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

} // namespace

void StderrSink::show(const std::string& text, const std::string& caption) {
    writeToStderr(text, caption);
}

void CollectingSink::show(const std::string& text, const std::string& caption) {
    if (echo_) {
        writeToStderr(text, caption);
    }
    messages_.push_back({text, caption});
}

void showMessage(const std::string& text, const std::string& caption) {
    installedSink->show(text, caption);
}

MessageSink* setMessageSink(MessageSink* sink) {
    MessageSink* previous = installedSink;
    installedSink = sink != nullptr ? sink : &defaultSink;
    return previous;
}

} // namespace korvane
