// The SPICE model run in ngspice: its voltage over a current ramp gives back the INDUCTANCE
// graph's L(i), and a DC current gives I Rdc.

#include "AnalysedDesigns.h"
#include "format/StrPrintf.h"
#include "requirements/Requirement.h"
#include "session/DesignSession.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvane {
namespace {

namespace fs = std::filesystem;

using test::analyse;
using test::AnalysedDesign;

const AnalysedDesign kDesigns[] = {test::kDcChoke, test::kPfcChoke, test::kLineChoke,
                                   test::kResonant};

// L at a current of the graph (its x unit), linear between the drawn points and held beyond
// them; y read in the unit of the axis label.
double graphInductance(const GraphState& graph, double current) {
    const std::map<std::string, double> units = {
        {"L, nH", 1e-9}, {"L, uH", 1e-6}, {"L, mH", 1e-3}, {"L, H", 1.0}};
    const double unit = units.at(graph.yLabel);
    std::vector<GraphPoint> p;
    for (int i = 0; i < graph.pointsPerCurve; ++i) {
        const GraphPoint& g = graph.points[0][static_cast<std::size_t>(i)];
        if (g.x > 0.0F && (p.empty() || g.x > p.back().x)) {
            p.push_back(g);
        }
    }
    if (current <= p.front().x) {
        return p.front().y * unit;
    }
    for (std::size_t k = 1; k < p.size(); ++k) {
        if (current <= p[k].x) {
            const double t = (current - p[k - 1].x) / (p[k].x - p[k - 1].x);
            return (p[k - 1].y + t * (p[k].y - p[k - 1].y)) * unit;
        }
    }
    return p.back().y * unit;
}

// The "name = value" lines of ngspice's measurements.
std::map<std::string, double> runNgspice(const fs::path& netlist) {
    std::map<std::string, double> values;
    const std::string command = "ngspice -b '" + netlist.string() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return values;
    }
    std::string out;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    ::pclose(pipe);
    const std::regex measured(R"(^(\w+)\s+=\s+([-+0-9.eE]+))", std::regex::multiline);
    for (auto m = std::sregex_iterator(out.begin(), out.end(), measured);
         m != std::sregex_iterator(); ++m) {
        values[(*m)[1]] = std::stod((*m)[2]);
    }
    return values;
}

std::string subcircuitName(const std::string& model) {
    const std::size_t at = model.find("\n.SUBCKT ") + 9;
    return model.substr(at, model.find(' ', at) - at);
}

class SpiceSimulation : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("command -v ngspice >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "ngspice is not on PATH (scripts/setup.sh installs it)";
        }
        dir_ = fs::temp_directory_path() / ("korvane-spice-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path dir_;
};

// A current ramp from -2.2 to +2.2 times the operating current (peak amperes) in 1 ms through
// one copy of the model, a DC operating current through another. At 0.2, 0.5, 1, 1.5 and 2
// times the operating current, of both signs, (v - i Rdc) / (di/dt) is the inductance; it
// must be the graph's within 1 %, and the DC voltage I Rdc within 1 %.
TEST_F(SpiceSimulation, RampGivesTheGraphsInductanceAndDcGivesRdc) {
    const double factors[] = {0.2, 0.5, 1.0, 1.5, 2.0};
    const double duration = 1e-3;
    for (const AnalysedDesign& d : kDesigns) {
        SCOPED_TRACE(std::string(d.part) + " " + std::string(applicationCliName(d.application)));
        DesignSession session;
        ASSERT_EQ(analyse(session, d), AnalysisOutcome::Analysed);
        const std::optional<std::string> model = session.spiceModelOfAnalysis(0);
        ASSERT_TRUE(model);
        ASSERT_TRUE(session.showInductanceGraphOfAnalysis());
        const DesignCandidate& design = session.analysis().candidate();
        const double rdc = design.rdc;
        // The graph's operating current (rms for 60 Hz) and its peak, the model's amperes.
        const double rated = operatingCurrent(session.analysis().conditions());
        const double peak = d.application == Application::Line60Hz ? rated * std::sqrt(2.0) : rated;
        const double top = 2.2 * peak;
        const double slope = 2.0 * top / duration;
        const std::string name = subcircuitName(*model);
        const fs::path library = dir_ / "model.lib";
        std::ofstream(library) << *model;
        std::string netlist =
            "* ramp and DC through " + name + "\n.include " + library.string() + "\n" +
            strprintf("I1 0 a PWL(0 %.9g %.9g %.9g)\n", -top, duration, top) + "X1 a 0 " + name +
            "\n" + strprintf("I2 0 b DC %.9g\n", peak) + "X2 b 0 " + name + "\n.control\n" +
            strprintf("tran %.9g %.9g\n", duration / 4000, duration);
        std::vector<double> currents;
        for (double f : factors) {
            currents.push_back(f * peak);
            currents.push_back(-f * peak);
        }
        for (std::size_t k = 0; k < currents.size(); ++k) {
            const double t = (currents[k] + top) / slope;
            netlist += strprintf("meas tran m%zu FIND v(a) AT=%.12g\n", k, t);
        }
        netlist += strprintf("meas tran vdc FIND v(b) AT=%.9g\n.endc\n.end\n", duration / 2);
        const fs::path circuit = dir_ / "ramp.cir";
        std::ofstream(circuit) << netlist;

        const std::map<std::string, double> measured = runNgspice(circuit);
        ASSERT_EQ(measured.size(), currents.size() + 1) << netlist;
        double worst = 0.0;
        for (std::size_t k = 0; k < currents.size(); ++k) {
            const double i = currents[k];
            const double simulated = (measured.at("m" + std::to_string(k)) - i * rdc) / slope;
            const double expected = graphInductance(session.graph(), std::abs(i) / peak * rated);
            const double deviation = simulated / expected - 1.0;
            worst = std::max(worst, std::abs(deviation));
            EXPECT_LT(std::abs(deviation), 0.01)
                << "i = " << i << " A: " << simulated << " H, graph " << expected << " H";
        }
        const double dcDeviation = measured.at("vdc") / (peak * rdc) - 1.0;
        EXPECT_LT(std::abs(dcDeviation), 0.01) << measured.at("vdc") << " V at " << peak << " A";
        std::printf("[ ngspice  ] %-9s %-10s L(i) within %.3f %%, DC %.4f %%\n", d.part,
                    std::string(applicationCliName(d.application)).c_str(), 100.0 * worst,
                    100.0 * std::abs(dcDeviation));
    }
}

} // namespace
} // namespace korvane
