#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace korvane {

// The file operations the settings and requirement files need beyond the standard library:
// a bounded read that never blocks, a replacement that readers and other writers never see
// half done, and an append that concurrent programs cannot interleave or tear.

// The whole content of a regular file of at most `maxBytes` bytes; nullopt for anything else
// (missing, unreadable, a device, a FIFO, a /proc entry, too large). Never blocks.
std::optional<std::string> readSmallRegularFile(const std::filesystem::path& path,
                                                std::size_t maxBytes);

// Writes `text` to a uniquely named temporary file beside `path`, flushes it to the disk and
// renames it over `path`. On any failure `path` is left as it was and the temporary file is
// removed. Returns whether `path` now holds `text`.
bool replaceFileAtomically(const std::filesystem::path& path, const std::string& text);

enum class AppendOutcome {
    Written,    // the file grew by exactly the text
    NotOpened,  // the file could not be created or opened; nothing changed
    NotWritten, // the write failed and the file was cut back to its old length
    Incomplete, // the write failed and the file could not be cut back: it may end torn
};

struct AppendResult {
    AppendOutcome outcome = AppendOutcome::NotOpened;
    std::string reason; // the system's description of the error; empty when written
};

// Appends under an exclusive advisory lock, creating the file when it is missing. `header`
// goes first when the file is empty at the moment the lock is held, so of several programs
// saving into a new file exactly one writes it. Header and text go out in one write.
AppendResult appendLocked(const std::filesystem::path& path, const std::string& header,
                          const std::string& text);

} // namespace korvane
