#pragma once

#include "format/Messages.h"
#include "materials/AcPermeability.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
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

// Operating points iterated side by side on one thread. Few: a round advances every lane one
// flux pass, so more lanes make each round longer and the long iterations of the high-flux
// mixes later; four keep one or two vectors of iterations busy (measured with the design
// search benchmark).
inline constexpr std::size_t kLineLanes = 4;

// The lanes of one thread: up to kLineLanes listings' operating points, iterated together
// one flux pass per round. A lane's messages are kept with its listing's outcome.
class LineLanes {
  public:
    using Deliver = std::function<void(std::size_t, LineOutcome&&)>;

    LineLanes(std::span<const LineListing> listings, double L1, double I1rms, double L2,
              double I2rms, const MaterialModel& model);

    bool full() const;
    bool idle() const;
    // Puts listing `index` into a free lane; only when not full.
    void take(std::size_t index);
    // One round: every listing that ends in it is handed to `deliver` with its outcome.
    void round(const Deliver& deliver);
    // Empties every lane, naming each listing given up.
    void abandon(const std::function<void(std::size_t)>& each);

  private:
    struct Lane {
        std::optional<LineOperatingPointSolver> solver;
        std::size_t index = 0;
        CollectingSink sink{false};
    };
    std::span<const LineListing> listings_;
    double L1_;
    double I1_;
    double L2_;
    double I2_;
    const MaterialModel& model_;
    std::array<Lane, kLineLanes> lanes_;
};

// line60HzOperatingPoint of every listing for one requirement, the listings' iterations
// interleaved; each outcome holds what that listing's call returns and shows.
std::vector<LineOutcome> line60HzOperatingPoints(std::span<const LineListing> listings, double L1,
                                                 double I1rms, double L2, double I2rms,
                                                 const MaterialModel& model);

// The operating points of a whole walk's listings, evaluated ahead of the walk by the
// walking thread and one helper thread, each with its own lanes. Both take listings in
// order, at most a fixed distance ahead of the one the walk is on. `outcome(i)` gives listing
// i's: while it is not ready the walking thread iterates its own lanes, or waits when the
// helper holds it and nothing else is left to take. Each outcome is what
// line60HzOperatingPoint returns and shows for that listing alone, so the walk's values and
// messages do not depend on which thread evaluated what, or when.
class LineLookahead {
  public:
    LineLookahead(std::vector<LineListing> listings, double L1, double I1rms, double L2,
                  double I2rms, const MaterialModel& model);
    // Stops the helper after its current round.
    ~LineLookahead();
    LineLookahead(const LineLookahead&) = delete;
    LineLookahead& operator=(const LineLookahead&) = delete;

    const LineOutcome& outcome(std::size_t i);

  private:
    enum State : int { kPending, kReady, kAbandoned };
    // The next listing no thread has taken, when it lies close enough ahead of the walk.
    std::optional<std::size_t> claim();
    // Takes listings into free lanes while there are any to take.
    void fill(LineLanes& lanes);
    void deliver(std::size_t i, LineOutcome&& outcome);
    // Hands listing i back to the walking thread, which evaluates it alone.
    void abandon(std::size_t i);
    void help();

    std::vector<LineListing> listings_;
    double L1_;
    double I1_;
    double L2_;
    double I2_;
    const MaterialModel& model_;
    std::vector<LineOutcome> outcomes_;
    std::unique_ptr<std::atomic<int>[]> states_;
    std::atomic<std::size_t> next_{0}; // the first listing no thread has taken
    std::atomic<std::size_t> walk_{0}; // the listing the walk is on
    std::atomic<bool> stop_{false};
    LineLanes lanes_; // the walking thread's
    LineLanes::Deliver deliver_;
    std::thread helper_;
};

} // namespace korvane
