#include "settings/FileAccess.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

// Closes the descriptor when the scope ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd = -1;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Writes all of `text`; false with errno set on the first failed or empty write.
bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string errorText(int error) {
    return std::strerror(error);
}

} // namespace

std::optional<std::string> readSmallRegularFile(const std::filesystem::path& path,
                                                std::size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO or a terminal for reading must not wait for a writer.
    Descriptor fd(openRetrying(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
        static_cast<unsigned long long>(info.st_size) > maxBytes) {
        // Kernel files such as those under /proc report a size of 0 and may block on read.
        return std::nullopt;
    }
    std::string content(maxBytes, '\0');
    std::size_t done = 0;
    while (done < maxBytes) {
        const ssize_t n = ::read(fd.get(), content.data() + done, maxBytes - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    content.resize(done);
    return content;
}

bool replaceFileAtomically(const std::filesystem::path& path, const std::string& text) {
    // Unique among the programs and threads writing beside the file at the same moment.
    static std::atomic<unsigned> sequence{0};
    std::filesystem::path temporary = path;
    temporary += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(sequence++);
    Descriptor fd(openRetrying(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        return false;
    }
    const bool written = writeAll(fd.get(), text) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

AppendResult appendLocked(const std::filesystem::path& path, const std::string& header,
                          const std::string& text) {
    AppendResult result;
    Descriptor fd(openRetrying(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        result.reason = errorText(errno);
        return result;
    }
    int locked = -1;
    do {
        locked = ::flock(fd.get(), LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    struct stat info {};
    if (locked != 0 || ::fstat(fd.get(), &info) != 0) {
        result.reason = errorText(errno);
        return result;
    }
    const off_t oldSize = info.st_size;
    const std::string whole = oldSize == 0 ? header + text : text;
    if (writeAll(fd.get(), whole)) {
        if (fd.close()) {
            result.outcome = AppendOutcome::Written;
            return result;
        }
        // A failed close can mean the data never reached the file: report, do not guess.
        result.outcome = AppendOutcome::Incomplete;
        result.reason = errorText(errno);
        return result;
    }
    const int writeError = errno;
    result.reason = errorText(writeError);
    int cut = -1;
    do {
        cut = ::ftruncate(fd.get(), oldSize);
    } while (cut != 0 && errno == EINTR);
    result.outcome = cut == 0 ? AppendOutcome::NotWritten : AppendOutcome::Incomplete;
    return result;
}

} // namespace korvane
