#pragma once

#include "format/Messages.h"
#include "materials/AcPermeability.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace korvane {

class MaterialModel;

// 60 Hz model: turns and permeability fraction at the maximum current, or nullopt.
struct LineOperatingPoint {
    double turns = 0.0;
    double permFraction = 0.0;
};
std::optional<LineOperatingPoint> line60HzOperatingPoint(std::string_view material, double L1,
                                                         double I1rms, double L2, double I2rms,
                                                         double Ae, double AL,
                                                         const MaterialModel& model);

// The 60 Hz operating point of one core as a resumable computation: the turns iteration
// waits on an AC-permeability pair, which advances one flux pass per step. Several solvers
// stepped in turn keep several independent chains of divisions and roots in flight, where one
// alone leaves the processor waiting on each result.
//
// Messages are shown as line60HzOperatingPoint shows them, from the constructor and advance.
class LineOperatingPointSolver {
  public:
    LineOperatingPointSolver(std::string_view material, double L1, double I1rms, double L2,
                             double I2rms, double Ae, double AL, const MaterialModel& model);

    // True while the pair of the current pass iterates; step runs one flux pass of it.
    bool iterating() const { return pairPending_ && pair_.running(); }
    void step() { pair_.step(); }
    // The flux iterations step would advance, for stepping many solvers' together; none
    // when the solver is not iterating.
    int stepping(std::span<FluxIteration<ResolvedAcMag>*, 2> out) {
        return pairPending_ ? pair_.stepping(out) : 0;
    }
    // Once the pair has ended: the rest of the pass, up to the next pair or the answer.
    void advance();

    bool done() const { return done_; }
    const std::optional<LineOperatingPoint>& result() const { return result_; }

  private:
    void conclude();
    void end(std::optional<LineOperatingPoint> result);

    double L1_;
    double I1_;
    double L2_;
    double I2_;
    double Ae_;
    double AL_;
    double P1_ = 0.0;
    double P2_ = 0.0;
    double r_ = 0.0;
    double s_ = 0.0;
    double q_ = 0.0;
    double mu1_ = 0.0;
    double mu2_ = 0.0;
    int pass_ = 0;
    bool pairPending_ = false;
    bool done_ = false;
    AcPermeabilityPair pair_;
    std::optional<LineOperatingPoint> result_;
};

// One core of a 60 Hz walk, stacked.
struct LineListing {
    std::string_view material;
    double Ae = 0.0;
    double AL = 0.0;
};

// A core's operating point with the messages its evaluation showed, to be shown when the walk
// reaches it.
struct LineOutcome {
    std::optional<LineOperatingPoint> point;
    std::vector<Message> messages;
};

// line60HzOperatingPoint of every listing for one requirement, the listings' iterations
// interleaved; each outcome holds what that listing's call returns and shows.
std::vector<LineOutcome> line60HzOperatingPoints(std::span<const LineListing> listings, double L1,
                                                 double I1rms, double L2, double I2rms,
                                                 const MaterialModel& model);

} // namespace korvane
