#include "RunKorvane.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace korvane::test {
namespace {

using nlohmann::json;

std::string golden(const std::string& name) {
    std::ifstream in(std::string(KORVANE_TEST_DATA) + "/" + name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::vector<std::string> kDcChoke = {"design", "--L1", "100", "--I1", "10",   "--V1", "12",
                                           "--V2",   "5",    "--f", "100",  "--ta", "25"};

TEST(DesignCommand, TextPagesMatchTheReviewedGoldenFiles) {
    const RunResult dc = runKorvane(with(kDcChoke, {"--materials", "-226,-240"}));
    ASSERT_EQ(dc.exitCode, 0) << dc.err;
    EXPECT_EQ(withoutDateLine(dc.out), golden("design-dc-toroid.txt"));
    EXPECT_EQ(dc.err, ""); // forty designs: no end-of-catalog message

    const RunResult line =
        runKorvane({"design", "--app",   "60hz",   "--L1",   "10000",      "--L2",    "8000",
                    "--I1",   "2",       "--I2",   "0.5",    "--f",        "60",      "--ta",
                    "25",     "--shape", "e-core", "--page", "dimensions", "--units", "metric"});
    ASSERT_EQ(line.exitCode, 0) << line.err;
    EXPECT_EQ(withoutDateLine(line.out), golden("design-60hz-ecore-metric.txt"));
    // Mix B listings report their AC iteration above 10000 G, then the end of the catalog.
    std::vector<std::string> shown;
    std::istringstream err(line.err);
    for (std::string text; std::getline(err, text);) {
        shown.push_back(text);
    }
    ASSERT_EQ(shown.size(), 165U);
    EXPECT_EQ(shown.back(),
              "  ...END OF CATALOG REACHED...:  38 Cores meeting requirements have been found");
    shown.pop_back();
    for (const std::string& text : shown) {
        EXPECT_EQ(text.rfind("Return from calc_pct_perm_ac: Material -226 B_ac_zero = ", 0), 0U)
            << text;
    }
}

TEST(DesignCommand, CsvMatchesTheGoldenFileAndJsonAgreesWithIt) {
    const std::vector<std::string> resonant = {"design", "--app", "resonant", "--L1", "10", "--I1",
                                               "2",      "--V1",  "50",       "--ta", "25"};
    const RunResult csv = runKorvane(with(resonant, {"--format", "csv"}));
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(csv.out, golden("design-resonant-toroid.csv"));

    const RunResult json = runKorvane(with(resonant, {"--format", "json"}));
    ASSERT_EQ(json.exitCode, 0);
    const auto j = nlohmann::json::parse(json.out);
    const auto& designs = j["designs"];
    const auto lines = std::count(csv.out.begin(), csv.out.end(), '\n');
    ASSERT_EQ(static_cast<long>(designs.size()), lines - 1);
    EXPECT_TRUE(j["endOfCatalog"].get<bool>());
    // the ELECTRICAL page has one row per design and the END OF CATALOG row
    const auto& rows = j["pages"]["electrical"]["rows"];
    ASSERT_EQ(rows.size(), designs.size() + 1);
    EXPECT_EQ(rows.back()[0], "END OF CATALOG");
    for (std::size_t i = 0; i < designs.size(); ++i) {
        EXPECT_EQ(rows[i][0], designs[i]["partNumber"]);
        EXPECT_EQ(std::stod(rows[i][3].get<std::string>()), designs[i]["turns"].get<double>());
        EXPECT_GE(designs[i]["rac"].get<double>(), designs[i]["rdc"].get<double>());
        EXPECT_LE(designs[i]["tempRise"].get<double>(), 40.0);
        EXPECT_TRUE(designs[i]["wire"].contains("areaCmil"));
    }
    ASSERT_EQ(j["messages"].size(), 1U);
    EXPECT_EQ(j["messages"][0]["caption"], "  ...END OF CATALOG REACHED...");
    EXPECT_FALSE(j.contains("trace"));
}

TEST(DesignCommand, EveryApplicationFindsDesigns) {
    const std::vector<std::vector<std::string>> requirements = {
        kDcChoke,
        {"design", "--app", "controlled-swing", "--L1", "100", "--L2", "150", "--I1", "10", "--I2",
         "1", "--V1", "12", "--V2", "5", "--f", "100"},
        {"design", "--app", "wide-swing", "--L1", "100", "--L2", "500", "--I1", "10", "--I2", "1",
         "--V1", "12", "--V2", "5", "--f", "100"},
        {"design", "--app", "pfc-boost", "--L1", "400", "--I1", "6", "--V1", "375", "--V2", "400",
         "--f", "65", "--shape", "e-core"},
        {"design", "--app", "60hz", "--L1", "10000", "--I1", "2", "--f", "60"},
        {"design", "--app", "resonant", "--L1", "10", "--I1", "2", "--V1", "50"},
    };
    for (const auto& args : requirements) {
        const RunResult r = runKorvane(with(args, {"--format", "json", "--page", "electrical"}));
        EXPECT_EQ(r.exitCode, 0) << args[2] << r.err;
        const auto j = nlohmann::json::parse(r.out);
        EXPECT_GT(j["designs"].size(), 0U) << args[2];
        EXPECT_FALSE(j["pages"].contains("dimensions"));
    }
}

TEST(DesignCommand, ExplainTracesEveryListingVisited) {
    const RunResult r = runKorvane(with(kDcChoke, {"--explain", "--format", "json"}));
    ASSERT_EQ(r.exitCode, 0);
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_FALSE(j["trace"].empty());
    int accepted = 0;
    for (const auto& line : j["trace"]) {
        accepted += line.get<std::string>().find("accepted into slot") != std::string::npos;
    }
    EXPECT_EQ(accepted, 40);
}

TEST(DesignCommand, NoDesignRefusedInputAndUsageErrors) {
    const RunResult none = runKorvane(
        {"design", "--L1", "100000", "--I1", "50", "--V1", "12", "--V2", "5", "--f", "100"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "  ...END OF CATALOG REACHED ...: Energy Product Requirement exceeds "
                        "capacity of largest core in catalog. Consider stacking two or more "
                        "cores\n");

    const RunResult range = runKorvane(with(kDcChoke, {"--param", "Trise_lim=300"}));
    EXPECT_EQ(range.exitCode, 1);
    EXPECT_EQ(range.out, "");
    EXPECT_EQ(range.err, "PARAMETER OUT OF RANGE ERROR: Parameter 1. (300.00) Must Be In The "
                         "Range:   0.00 To 200.00\n");

    const RunResult cold = runKorvane(
        with(kDcChoke, {"--param", "Trise_lim=10", "--format", "json", "--page", "electrical"}));
    ASSERT_EQ(cold.exitCode, 0);
    for (const auto& d : nlohmann::json::parse(cold.out)["designs"]) {
        EXPECT_LE(d["tempRise"].get<double>(), 10.0);
    }

    EXPECT_EQ(runKorvane(with(kDcChoke, {"--materials", "-999"})).exitCode, 2);
    EXPECT_EQ(runKorvane(with(kDcChoke, {"--param", "Speed=3"})).exitCode, 2);
    EXPECT_EQ(runKorvane(with(kDcChoke, {"--units", "furlongs"})).exitCode, 2);
}

// Part numbers of the designs a JSON run found, in slot order.
std::vector<std::string> partNumbers(const nlohmann::json& j) {
    std::vector<std::string> parts;
    for (const auto& d : j["designs"]) {
        parts.push_back(d["partNumber"].get<std::string>());
    }
    return parts;
}

TEST(DesignCommand, CompositeSwingNearFiftyOerstedsRejectsTheSmallestCore) {
    // Two stacked ST106-M702 settle near 51 Oe, where the composite fit's slope is a small
    // difference of large terms: computed throughout in double the permeability at the
    // minimum current comes out above the one at the maximum current, and CONTROLLED SWING
    // rejects the core (with single-precision derivative terms it was accepted at 5.23 %).
    const RunResult r = runKorvane({"design",    "--app",    "controlled-swing",
                                    "--L1",      "292.5",    "--I1",
                                    "1.66",      "--L2",     "400.4",
                                    "--I2",      "0.544",    "--V1",
                                    "8.64",      "--V2",     "3.44",
                                    "--f",       "222",      "--shape",
                                    "composite", "--stack",  "2",
                                    "--strands", "4",        "--wire-standard",
                                    "swg",       "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(partNumbers(j), (std::vector<std::string>{"ST184-M702", "ST184-M714"}));
}

TEST(DesignCommand, WireFailureMessageAtExactlyOneHundredMicrohenries) {
    // 100 uH is held as L1 = 0.1F = 0.100000001 mH, above the 0.1 mH limit of the message.
    // With 0.1 % fill no wire carries 10 A: every core fails the current density (-8).
    const RunResult r = runKorvane(with(kDcChoke, {"--param", "Fill=0.1"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "WIRE SELECTION FAILED: L Required:    100, CORE: T520-300 code:  -8,   14 "
                     "turns wire #22.00 Trise:0.0 Trise_limit:40.0\n"
                     "  ...END OF CATALOG REACHED ...: No Cores satisfying the 40 degree C. Temp "
                     "Rise Limit have been found\n");
}

TEST(DesignCommand, ECoreBuildLoopShrinksTwoMillimetreWireToOnePointEight) {
    // E-cores that cannot take 2.0 mm retry with 90 % of its insulated diameter, which 1.8 mm
    // (the same 3.73 % build) meets exactly; compared as stored floats it fits.
    const RunResult r =
        runKorvane({"design",  "--app",   "pfc-boost", "--L1",     "1744",
                    "--I1",    "7.36",    "--V1",      "269",      "--V2",
                    "380",     "--f",     "39.1",      "--ta",     "0",
                    "--shape", "e-core",  "--strands", "2",        "--wire-standard",
                    "metric",  "--param", "Fill=70",   "--format", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    std::vector<std::pair<std::string, double>> sizes;
    for (const auto& d : j["designs"]) {
        const std::string part = d["partNumber"].get<std::string>();
        if (part.rfind("E400-", 0) == 0 || part.rfind("E450-", 0) == 0) {
            sizes.emplace_back(part, d["wire"]["size"].get<double>());
        }
    }
    const std::vector<std::pair<std::string, double>> expected = {
        {"E400-226", 1.6}, {"E400-240", 1.6}, {"E400-255", 1.8}, {"E400-260", 1.8},
        {"E400-275", 1.8}, {"E400-280", 1.8}, {"E450-226", 1.8}, {"E450-240", 1.8},
        {"E450-255", 2.0}, {"E450-260", 2.0}, {"E450-275", 2.0}, {"E450-280", 2.0},
    };
    EXPECT_EQ(sizes, expected);
}

TEST(DesignCommand, LineSearchShowsTheMessagesOfTheAcPermeabilityCalls) {
    const std::vector<std::string> line = {"design", "--app",    "60hz", "--L1",
                                           "5000",   "--I1",     "2",    "--f",
                                           "60",     "--format", "json", "--explain"};
    // Composite listings have no AC limits: the first call of each listing shows the limits
    // message and ends the 60 Hz model, so one message a listing, in listing order.
    const RunResult composite = runKorvane(with(line, {"--shape", "composite"}));
    ASSERT_EQ(composite.exitCode, 1) << composite.err;
    const auto c = nlohmann::json::parse(composite.out);
    const auto& trace = c["trace"];
    const auto& messages = c["messages"];
    ASSERT_EQ(trace.size(), 10U);
    ASSERT_EQ(messages.size(), 11U);
    for (std::size_t i = 0; i < trace.size(); ++i) {
        const std::string listing = trace[i].get<std::string>();
        const std::string material = listing.substr(listing.find('-'), 5); // -M702 or -M714
        EXPECT_EQ(messages[i]["caption"], "ERROR in  calc_ac_mag Limits Table") << listing;
        EXPECT_EQ(messages[i]["text"], "Error. unrecognized material " + material +
                                           "\n index jm=20 last material in Table -300 ..")
            << listing;
    }
    EXPECT_EQ(messages[10]["caption"], "  ...END OF CATALOG REACHED ...");

    // Toroids: the high-flux mixes report each call above 10000 G (each of the two reports
    // once a call), on every listing before the fortieth design.
    const RunResult toroid = runKorvane(with(line, {"--shape", "toroid"}));
    ASSERT_EQ(toroid.exitCode, 0) << toroid.err;
    const auto t = nlohmann::json::parse(toroid.out);
    ASSERT_EQ(t["designs"].size(), 40U);
    std::size_t mixA = 0;
    std::size_t mixB = 0;
    for (const auto& m : t["messages"]) {
        EXPECT_EQ(m["caption"], "Return from calc_pct_perm_ac");
        const std::string text = m["text"].get<std::string>();
        mixA += text.rfind("Material -110 ", 0) == 0;
        mixB += text.rfind("Material -226 ", 0) == 0;
    }
    EXPECT_EQ(t["messages"].size(), 171U);
    EXPECT_EQ(mixA, 10U);
    EXPECT_EQ(mixB, 161U);
}

TEST(DesignCommand, AnalyzeHandsADesignToTheAnalysis) {
    std::vector<std::string> search = kDcChoke;
    search.insert(search.end(), {"--format", "json"});
    const RunResult designs = runKorvane(search);
    ASSERT_EQ(designs.exitCode, 0) << designs.err;
    const auto list = nlohmann::json::parse(designs.out)["designs"];
    ASSERT_GE(list.size(), 2U);

    std::vector<std::string> second = search;
    second.insert(second.end(), {"--analyze", "2"});
    const RunResult r = runKorvane(second);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    const auto& design = list[1];
    EXPECT_EQ(j["input"]["partNumber"], design["partNumber"]);
    EXPECT_EQ(j["input"]["f"], " 100.0");
    EXPECT_EQ(j["input"]["ta"], "  25.0");
    const auto& c = j["candidate"];
    EXPECT_EQ(c["turns"].get<double>(), std::trunc(design["turns"].get<double>()));
    for (const char* field : {"rdc", "coreLoss", "copperLoss", "tempRise"}) {
        EXPECT_NEAR(c[field].get<double>(), design[field].get<double>(),
                    0.005 * std::fabs(design[field].get<double>()))
            << field;
    }

    std::vector<std::string> text = kDcChoke;
    text.insert(text.end(), {"--analyze", "1"});
    const RunResult shown = runKorvane(text);
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(
        shown.out.rfind("DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS\nELECTRICAL PROPERTIES:", 0),
        0U);

    std::vector<std::string> beyond = kDcChoke;
    beyond.insert(beyond.end(), {"--analyze", "41"});
    const RunResult none = runKorvane(beyond);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("--analyze 41: the search found"), std::string::npos);
    std::vector<std::string> csv = kDcChoke;
    csv.insert(csv.end(), {"--analyze", "1", "--format", "csv"});
    EXPECT_EQ(runKorvane(csv).exitCode, 2);
}

TEST(DesignCommand, ADesignTheSearchFoundCanBeAnalysed) {
    // So little current asks for a wire finer than AWG 50: the search takes AWG 50.
    const RunResult r =
        runKorvane({"design", "--app", "dc-biased", "--L1", "100000", "--I1", "0.001", "--V1", "12",
                    "--V2", "5", "--f", "100", "--analyze", "1", "--format", "json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const json document = json::parse(r.out);
    EXPECT_TRUE(document["messages"].empty()) << r.out;
    EXPECT_LE(document["candidate"]["wire"]["size"].get<double>(), 50.0);
}

TEST(DesignCommand, ARangeMessageShowsTheFieldAsTyped) {
    const RunResult r = runKorvane({"design", "--L1", "100", "--I1", "10", "--V1", "12", "--V2",
                                    "5", "--f", "100", "--param", "Trise_lim="});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Parameter 1. (      ) Must Be In The Range:   0.00 To 200.00"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("nan"), std::string::npos);
}

} // namespace
} // namespace korvane::test
