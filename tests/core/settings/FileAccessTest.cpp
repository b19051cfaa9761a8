#include "settings/FileAccess.h"

#include "format/Messages.h"
#include "settings/DesignParameters.h"
#include "settings/SettingsFile.h"
#include "support/RecordingSink.h"
#include "support/TestFiles.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

class FileAccessTest : public ::testing::Test {
  protected:
    fs::path dir;
    RecordingSink sink;
    ScopedMessageSink scoped{sink};

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("korvane-files-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
};

// Runs `body` in `count` child processes released at the same moment; returns how many
// exited with status 0.
template <typename Body>
int inChildren(int count, Body body) {
    int gate[2];
    if (::pipe(gate) != 0) {
        return -1;
    }
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(gate[1]);
            char c = 0;
            // Blocks until the parent closes its end: every child then starts at once.
            [[maybe_unused]] const ssize_t n = ::read(gate[0], &c, 1);
            ::_exit(body(i) ? 0 : 1);
        }
        children.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    int succeeded = 0;
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        succeeded += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
    }
    return succeeded;
}

TEST_F(FileAccessTest, ConcurrentSavesIntoANewFileKeepEveryEntryWhole) {
    constexpr int kPrograms = 8;
    for (int round = 0; round < 10; ++round) {
        const fs::path path = dir / ("round" + std::to_string(round) + ".REQ");
        const int saved = inChildren(kPrograms, [&path](int i) {
            RecordingSink quiet;
            ScopedMessageSink scope(quiet);
            return appendRequirement(path, "ENTRY " + std::to_string(i) + std::string(2000, '.'));
        });
        ASSERT_EQ(saved, kPrograms);
        const std::string text = fileText(path);
        EXPECT_EQ(occurrences(text, "List of Requirements"), 1U) << "round " << round;
        EXPECT_EQ(text.find("    List of Requirements"), 0U);
        for (int i = 0; i < kPrograms; ++i) {
            // Each entry in one piece: its dots directly follow its own name.
            EXPECT_EQ(
                occurrences(text, "ENTRY " + std::to_string(i) + std::string(2000, '.') + " \n"),
                1U)
                << "round " << round << " entry " << i;
        }
    }
}

TEST_F(FileAccessTest, SaveBeyondTheFileSizeLimitLeavesTheFileAsItWas) {
    const fs::path path = dir / "full.REQ";
    const std::string earlier(1003, 'x');
    std::ofstream(path, std::ios::binary) << earlier;
    const int reported = inChildren(1, [&path](int) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        RecordingSink messages;
        ScopedMessageSink scope(messages);
        const bool saved = appendRequirement(path, std::string(300, 'r'));
        return !saved && messages.size() == 1 && messages.last().caption == "FILE ERROR" &&
               messages.last().text.find("Nothing was saved") != std::string::npos;
    });
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(fileText(path), earlier);
}

TEST_F(FileAccessTest, SettingsWritersNeverLeaveATornFileOrTemporaries) {
    const fs::path path = dir / kParameterSettingsFile;
    DesignParameters metric;
    metric.setUnitSystem(UnitSystem::Metric);
    const DesignParameters english;
    const std::string metricText = parameterSettingsText(metric, dateStamp(0));
    const std::string englishText = parameterSettingsText(english, dateStamp(0));
    ASSERT_TRUE(writeParameterSettings(english, path, 0));
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&, t]() {
            for (int i = 0; i < 50; ++i) {
                writeParameterSettings(t % 2 == 0 ? metric : english, path, 0);
            }
        });
    }
    // While they write, the file always reads as one of the two whole texts.
    for (int i = 0; i < 200; ++i) {
        const std::string seen = fileText(path);
        ASSERT_TRUE(seen == metricText || seen == englishText) << seen.size() << " bytes";
    }
    for (std::thread& w : writers) {
        w.join();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileAccessTest, BoundedReadRefusesWhatIsNotASmallRegularFile) {
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path big = dir / "big";
    std::ofstream(big, std::ios::binary) << std::string(2000, 'b');
    const fs::path small = dir / "small";
    std::ofstream(small, std::ios::binary) << "abc";

    EXPECT_FALSE(readSmallRegularFile(fifo, 100)); // a FIFO would block for a writer
    EXPECT_FALSE(readSmallRegularFile(dir, 100));
    EXPECT_FALSE(readSmallRegularFile(dir / "missing", 100));
    EXPECT_FALSE(readSmallRegularFile(big, 100));
    EXPECT_EQ(readSmallRegularFile(small, 100), "abc");
    if (fs::exists("/proc/self/status")) {
        // Kernel files report no size and can block: never read as settings.
        EXPECT_FALSE(readSmallRegularFile("/proc/self/status", 1 << 20));
    }

    // The settings reader on a FIFO returns at once and changes nothing.
    DesignParameters p;
    EXPECT_FALSE(readParameterSettings(p, fifo));
    EXPECT_EQ(p.unitSystem(), UnitSystem::English);
}

} // namespace
} // namespace korvane
