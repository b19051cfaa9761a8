// Replays a corpus without libFuzzer: every file of the directories (or the files) given on
// the command line goes through LLVMFuzzerTestOneInput once, in name order. A failed check is
// reported with its file and the replay goes on; the exit status tells whether any failed.

#include "FuzzChecks.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    korvane::fuzz::throwOnFailure = true;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path given(argv[i]);
        if (fs::is_directory(given)) {
            for (const fs::directory_entry& e : fs::directory_iterator(given)) {
                if (e.is_regular_file()) {
                    files.push_back(e.path());
                }
            }
        } else {
            files.push_back(given);
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "replay: no inputs given\n");
        return 2;
    }
    std::vector<std::string> failed;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
            failed.push_back(file.filename().string());
            continue;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        try {
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
        } catch (const korvane::fuzz::CheckFailure&) {
            std::fprintf(stderr, "  on input %s\n", file.filename().c_str());
            failed.push_back(file.filename().string());
        }
    }
    std::printf("replayed %zu inputs, %zu failed\n", files.size(), failed.size());
    for (const std::string& name : failed) {
        std::printf("  FAILED %s\n", name.c_str());
    }
    return failed.empty() ? 0 : 1;
}
