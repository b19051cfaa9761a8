#include "RunKorvane.h"
#include "support/TestFiles.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::vector<std::string> kDcChoke = {"design", "--L1", "100",  "--I1",        "10",
                                           "--V1",   "12",   "--V2", "5",           "--f",
                                           "100",    "--ta", "25",   "--materials", "-226,-240"};

// T80-275, 30 turns of AWG 18 at 5 A, 12 V / 5 V, 100 kHz, 25 C.
const std::vector<std::string> kAnalysedDesign = {
    "--part", "T80-275", "--turns", "30", "--wire", "#18", "--I1", "5",
    "--V1",   "12",      "--V2",    "5",  "--f",    "100", "--ta", "25"};

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            out.append(buffer.data(), n);
        }
        ::pclose(pipe);
    }
    return out;
}

// pdfinfo's "Pages:" and "Page size:" values, e.g. {"2", "792 x 612 pts (letter)"}.
std::pair<std::string, std::string> pdfPages(const fs::path& pdf) {
    const std::string info = commandOutput("pdfinfo " + quoted(pdf.string()) + " 2>&1");
    auto value = [&info](const std::string& key) {
        const std::size_t at = info.find(key);
        if (at == std::string::npos) {
            return std::string();
        }
        const std::size_t start = info.find_first_not_of(' ', at + key.size());
        return info.substr(start, info.find('\n', start) - start);
    };
    return {value("Pages:"), value("Page size:")};
}

std::string pdfPageText(const fs::path& pdf, int page) {
    const std::string n = std::to_string(page);
    return commandOutput("pdftotext -f " + n + " -l " + n + " " + quoted(pdf.string()) + " -");
}

// Every run draws without a display: the export must not need one.
class ExportCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        if (runKorvane({"design", "--help"}).out.find("--pdf") == std::string::npos) {
            GTEST_SKIP() << "this build of korvane writes no page files";
        }
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::unsetenv("QT_QPA_PLATFORM");
        dir_ = fs::temp_directory_path() /
               ("korvane-export-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty()) {
            std::error_code ignored;
            for (const auto& entry : fs::recursive_directory_iterator(dir_, ignored)) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
            fs::remove_all(dir_, ignored);
        }
    }
    static bool havePoppler() {
        return std::system("command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null") == 0;
    }
    RunResult run(const std::vector<std::string>& args) const { return runKorvane(args, dir_); }
    // The names in a folder, the temporary ones of an export included.
    static std::vector<std::string> namesIn(const fs::path& folder) {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(folder, ignored)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    fs::path dir_;
};

TEST_F(ExportCommand, DesignPdfHoldsThePagesChosenInLandscape) {
    if (!havePoppler()) {
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    }
    const std::string electrical = "ELECTRICAL PROPERTIES DATA";
    const std::string dimension = "CORE DIMENSION PROPERTIES DATA";
    const struct {
        std::string page;
        std::vector<std::string> captions;
    } cases[] = {{"both", {electrical, dimension}},
                 {"electrical", {electrical}},
                 {"dimensions", {dimension}}};
    for (const auto& c : cases) {
        const fs::path pdf = dir_ / (c.page + ".pdf");
        const RunResult r =
            run(with(kDcChoke, {"--page", c.page, "--pdf", pdf.string(), "--format", "json"}));
        ASSERT_EQ(r.exitCode, 0) << c.page << r.err;
        EXPECT_EQ(r.err, "") << c.page;
        const json document = json::parse(r.out);
        const std::string part = document["designs"][0]["partNumber"];
        const auto [pages, size] = pdfPages(pdf);
        ASSERT_EQ(pages, std::to_string(c.captions.size())) << c.page;
        EXPECT_EQ(size.rfind("792 x 612 pts", 0), 0U) << size;
        for (std::size_t i = 0; i < c.captions.size(); ++i) {
            const std::string text = pdfPageText(pdf, static_cast<int>(i) + 1);
            EXPECT_NE(text.find("KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS"),
                      std::string::npos);
            EXPECT_NE(text.find("DC BIASED OUTPUT FILTER INDUCTOR"), std::string::npos);
            EXPECT_NE(text.find(c.captions[i]), std::string::npos) << c.page << " page " << i;
            EXPECT_NE(text.find(part), std::string::npos) << c.page << " page " << i;
        }
    }
    EXPECT_EQ(namesIn(dir_).size(), 3U); // the three PDFs, no temporary file
}

TEST_F(ExportCommand, AnalysisPdfIsOnePortraitPage) {
    if (!havePoppler()) {
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    }
    const struct {
        std::vector<std::string> args;
        std::string part;
    } cases[] = {{with({"analyze"}, kAnalysedDesign), "T80-275"},
                 // the first design of the search, handed to the analysis
                 {with(kDcChoke, {"--analyze", "1"}), "T157-226C"}};
    for (const auto& c : cases) {
        const fs::path pdf = dir_ / "analysis.pdf";
        const RunResult plain = run(c.args);
        const RunResult r = run(with(c.args, {"--pdf", pdf.string()}));
        ASSERT_EQ(r.exitCode, 0) << c.args[0] << r.err;
        EXPECT_EQ(r.out, plain.out) << c.args[0];
        const auto [pages, size] = pdfPages(pdf);
        EXPECT_EQ(pages, "1");
        EXPECT_EQ(size.rfind("612 x 792 pts", 0), 0U) << size;
        const std::string text = pdfPageText(pdf, 1);
        EXPECT_NE(text.find("ELECTRICAL PROPERTIES:"), std::string::npos) << c.args[0];
        EXPECT_NE(text.find(c.part), std::string::npos) << c.args[0];
        fs::remove(pdf);
    }
}

TEST_F(ExportCommand, CurvePlotFollowsTheExtension) {
    const RunResult svg =
        run({"curve", "--kind", "3", "--materials", "-226", "--plot", "perm.svg"});
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    EXPECT_NE(svg.out.find("PERMEABILITY vs AC FLUX DENSITY"), std::string::npos) << svg.out;
    const std::string xml = fileText(dir_ / "perm.svg");
    EXPECT_TRUE(xml.rfind("<?xml", 0) == 0 || xml.rfind("<svg", 0) == 0) << xml.substr(0, 40);
    EXPECT_NE(xml.find("</svg>"), std::string::npos);
    EXPECT_TRUE(xml.find("<path") != std::string::npos ||
                xml.find("<polyline") != std::string::npos);

    const RunResult png = run({"curve", "--kind", "1", "--plot", "PERM.PNG"});
    ASSERT_EQ(png.exitCode, 0) << png.err;
    const std::string image = fileText(dir_ / "PERM.PNG");
    ASSERT_GE(image.size(), 24U);
    EXPECT_EQ(image.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(image.substr(12, 4), "IHDR");
    auto bigEndian = [&image](std::size_t at) {
        unsigned value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(image[at + i]);
        }
        return value;
    };
    EXPECT_EQ(bigEndian(16), 1056U); // letter landscape at 96 pixels per inch
    EXPECT_EQ(bigEndian(20), 816U);
}

TEST_F(ExportCommand, PlotNameWithoutAPageExtensionIsAUsageError) {
    for (const std::string name : {"perm.txt", "perm", "perm.svg.bak"}) {
        const RunResult r = run({"curve", "--kind", "3", "--plot", name});
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_NE(r.err.find(".pdf, .svg or .png"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_TRUE(namesIn(dir_).empty());
}

TEST_F(ExportCommand, TradeOffPlotOfTheDesigns) {
    // SVG of the default quantities: the axis labels and the squares of the designs.
    std::vector<std::string> args = kDcChoke;
    args.insert(args.end(), {"--plot", "tradeoff.svg", "--format", "csv"});
    const RunResult svg = run(args);
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    const std::string text = fileText(dir_ / "tradeoff.svg");
    EXPECT_NE(text.find("WOUND VOLUME, cu cm"), std::string::npos);
    EXPECT_NE(text.find("TOTAL LOSS, W"), std::string::npos);
    EXPECT_NE(text.find("</svg>"), std::string::npos);

    // Chosen quantities into a PDF.
    if (havePoppler()) {
        args = kDcChoke;
        args.insert(args.end(), {"--tradeoff", "price,rise", "--plot", "tradeoff.pdf"});
        const RunResult pdf = run(args);
        ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
        const std::string page = pdfPageText(dir_ / "tradeoff.pdf", 1);
        EXPECT_NE(page.find("TEMPERATURE RISE, DEG C"), std::string::npos) << page;
        EXPECT_NE(page.find("PRICE"), std::string::npos) << page;
        EXPECT_NE(page.find("Pareto-optimal"), std::string::npos) << page;
    }

    // Quantities that are not two of the six are a usage error, and nothing is written.
    for (const char* bad : {"volume", "volume,volts", "price,rise,loss"}) {
        args = kDcChoke;
        args.insert(args.end(), {"--tradeoff", bad, "--plot", "bad.png"});
        EXPECT_EQ(run(args).exitCode, 2) << bad;
    }
    EXPECT_FALSE(fs::exists(dir_ / "bad.png"));
}

TEST_F(ExportCommand, UnwritablePlaceIsRefusedAndLeavesNothing) {
    std::vector<fs::path> folders = {dir_ / "missing"};
    if (::geteuid() != 0) { // root writes into a read-only folder all the same
        fs::create_directory(dir_ / "read-only");
        fs::permissions(dir_ / "read-only", fs::perms::owner_read | fs::perms::owner_exec);
        folders.push_back(dir_ / "read-only");
    }
    for (const fs::path& folder : folders) {
        const fs::path file = folder / "page.pdf";
        const std::vector<std::vector<std::string>> runs = {
            with(kDcChoke, {"--pdf", file.string()}),
            with(with({"analyze"}, kAnalysedDesign), {"--pdf", file.string()}),
            {"curve", "--kind", "4", "--plot", (folder / "page.png").string()}};
        for (const auto& args : runs) {
            const RunResult r = run(args);
            EXPECT_EQ(r.exitCode, 1) << args[0] << " " << folder;
            EXPECT_NE(r.err.find("FILE ERROR: CANNOT WRITE FILE " + folder.string() + "/page."),
                      std::string::npos)
                << r.err;
            EXPECT_NE(r.out, "") << args[0]; // the run's own output still comes
            EXPECT_TRUE(namesIn(folder).empty()) << folder;
        }
    }
    // The refusal is one of the run's messages.
    const RunResult r =
        run(with(kDcChoke, {"--pdf", (dir_ / "missing/page.pdf").string(), "--format", "json"}));
    const json messages = json::parse(r.out)["messages"];
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0]["caption"], "FILE ERROR");
}

TEST_F(ExportCommand, RunWithoutAResultWritesNoPage) {
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {{{"design", "--L1", "100000", "--I1", "100", "--V1", "12", "--V2", "5", "--f",
                   "100", "--ta", "25", "--pdf", "page.pdf"},
                  "END OF CATALOG REACHED"},
                 {{"analyze", "--part", "T80-275", "--turns", "0", "--wire", "#18", "--I1", "5",
                   "--pdf", "page.pdf"},
                  "CHECK TURNS"},
                 {with(with({"curve", "--kind", "9"}, kAnalysedDesign), {"--plot", "page.png"}),
                  "NEGLIGIBLE AGING"}};
    for (const auto& c : cases) {
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args[0];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("FILE ERROR"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(namesIn(dir_).empty());
}

} // namespace
} // namespace korvane::test
