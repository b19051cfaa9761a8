#include "engine/LineOperatingPoint.h"

#include "materials/MaterialLists.h"
#include "materials/MaterialModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>

namespace korvane {

namespace {

constexpr double kBmax = 10000.0; // gauss
constexpr int kTurnsPasses = 20;
// Listings the lookahead takes beyond the one the walk is on. The high-flux mixes' iterations
// run hundreds of passes across the knee and must start well before the walk arrives; a walk
// that ends on a full table leaves what lies beyond it unused.
constexpr std::size_t kLookahead = 200;

} // namespace

LineOperatingPointSolver::LineOperatingPointSolver(std::string_view material, double L1,
                                                   double I1rms, double L2, double I2rms, double Ae,
                                                   double AL, const MaterialModel& model)
    : L1_(L1), I1_(I1rms), L2_(L2), I2_(I2rms), Ae_(Ae), AL_(AL), pair_(material, model) {
    if (!(Ae > 0.0) || !(AL > 0.0)) {
        end(std::nullopt);
        return;
    }
    P1_ = std::sqrt(2.0) * I1_;
    P2_ = std::sqrt(2.0) * I2_;
    if (L1_ * L2_ == 0.0) {
        const double entered = L1_ != 0.0 ? L1_ : L2_;
        L1_ = entered;
        L2_ = entered;
    }
    if (!(L1_ > 0.0)) {
        end(std::nullopt);
        return;
    }
    // Peak flux figure of the more demanding of the two operating points.
    const bool second = std::sqrt(L2_) * I2_ >= std::sqrt(L1_) * I1_;
    r_ = 100.0 * std::sqrt(AL * (second ? L2_ : L1_)) * (second ? I2_ : I1_) / Ae;
    if (r_ > kBmax) {
        end(std::nullopt);
        return;
    }
    if (isInLine60HzFullPermList(material)) {
        end(LineOperatingPoint{std::floor(1000.0 * std::sqrt(L1_ / AL) + 0.5), 1.0});
        return;
    }
    s_ = 1000.0 * std::sqrt(L1_ / AL) + 0.5;
    if (L1_ * I1_ / (s_ * Ae) * 1e5 > kBmax) {
        s_ = L1_ * I1_ / (kBmax * Ae) * 1e5;
    }
    advance();
}

void LineOperatingPointSolver::end(std::optional<LineOperatingPoint> result) {
    result_ = result;
    done_ = true;
}

void LineOperatingPointSolver::conclude() {
    const double AL = AL_;
    if (!(AL * s_ * s_ * mu1_ * 1e-6 >= L1_ && AL * s_ * s_ * mu2_ * 1e-6 >= L2_ &&
          r_ <= 1.25 * kBmax)) {
        end(std::nullopt);
        return;
    }
    end(LineOperatingPoint{std::floor(s_ + 0.5), mu1_});
}

void LineOperatingPointSolver::advance() {
    const double AL = AL_;
    const double Ae = Ae_;
    while (!done_) {
        if (pairPending_) {
            if (pair_.running()) {
                return;
            }
            pairPending_ = false;
            const auto [p1, p2] = pair_.finish();
            if (!p1 || !p2) {
                end(std::nullopt);
                return;
            }
            mu1_ = p1->value / 100.0;
            mu2_ = p2->value / 100.0;
            const double slope1 = p1->slope / 100.0;
            const double slope2 = p2->slope / 100.0;
            const double D = I1_ * I1_ * mu1_ * slope1 + I2_ * I2_ * mu2_ * slope2;
            r_ = s_ * P1_ * mu1_ * AL / Ae * 0.1;
            if (D >= 0.0 || 1.2 * kBmax <= r_) {
                q_ = 0.9;
            } else {
                const double M = -40.0 * Ae / (AL * (I1_ * slope1 + I2_ * slope2));
                if (2.0 * s_ < M) {
                    q_ = 1.1;
                } else if (M > 0.0 && r_ < kBmax) {
                    q_ = std::sqrt(M / s_);
                } else {
                    q_ = 0.9;
                }
            }
            const double qs = q_ * s_;
            if (!(AL * qs * qs * mu1_ * 1e-6 >= L1_ && AL * qs * qs * mu2_ * 1e-6 >= L2_)) {
                conclude();
                return;
            }
            s_ = qs;
            r_ = s_ * P1_ * mu1_ * AL / Ae * 0.1;
            ++pass_;
        }
        if (!(2.0 * kBmax > r_ && std::fabs((1.0 - q_) * s_) > 0.5 && pass_ < kTurnsPasses)) {
            conclude();
            return;
        }
        pair_.start(s_ * P1_ * AL / Ae * 0.1, s_ * P2_ * AL / Ae * 0.1);
        pairPending_ = true;
    }
}

std::optional<LineOperatingPoint> line60HzOperatingPoint(std::string_view material, double L1,
                                                         double I1rms, double L2, double I2rms,
                                                         double Ae, double AL,
                                                         const MaterialModel& model) {
    LineOperatingPointSolver solver(material, L1, I1rms, L2, I2rms, Ae, AL, model);
    while (!solver.done()) {
        while (solver.iterating()) {
            solver.step();
        }
        solver.advance();
    }
    return solver.result();
}

LineLanes::LineLanes(std::span<const LineListing> listings, double L1, double I1rms, double L2,
                     double I2rms, const MaterialModel& model)
    : listings_(listings), L1_(L1), I1_(I1rms), L2_(L2), I2_(I2rms), model_(model) {}

bool LineLanes::full() const {
    return std::all_of(lanes_.begin(), lanes_.end(),
                       [](const Lane& lane) { return lane.solver.has_value(); });
}

bool LineLanes::idle() const {
    return std::none_of(lanes_.begin(), lanes_.end(),
                        [](const Lane& lane) { return lane.solver.has_value(); });
}

void LineLanes::take(std::size_t index) {
    for (Lane& lane : lanes_) {
        if (!lane.solver) {
            const LineListing& listing = listings_[index];
            lane.index = index;
            ScopedMessageSink scoped(lane.sink);
            lane.solver.emplace(listing.material, L1_, I1_, L2_, I2_, listing.Ae, listing.AL,
                                model_);
            return;
        }
    }
}

void LineLanes::abandon(const std::function<void(std::size_t)>& each) {
    for (Lane& lane : lanes_) {
        if (lane.solver) {
            each(lane.index);
            lane.solver.reset();
            lane.sink.clear();
        }
    }
}

void LineLanes::round(const Deliver& deliver) {
    // Every solver whose pair has ended goes on to its next pair or hands in its answer;
    // then one pass of every iterating solver's flux iterations, all together.
    std::array<FluxIteration<ResolvedAcMag>*, 2 * kLineLanes> iterations{};
    std::size_t count = 0;
    for (Lane& lane : lanes_) {
        if (!lane.solver) {
            continue;
        }
        const std::span<FluxIteration<ResolvedAcMag>*, 2> out(&iterations[count], 2);
        int n = lane.solver->stepping(out);
        if (n == 0 && !lane.solver->done()) {
            ScopedMessageSink scoped(lane.sink);
            lane.solver->advance();
        }
        if (lane.solver->done()) {
            LineOutcome outcome{lane.solver->result(), lane.sink.messages()};
            lane.sink.clear();
            lane.solver.reset();
            deliver(lane.index, std::move(outcome));
            continue;
        }
        if (n == 0) {
            n = lane.solver->stepping(out);
        }
        count += static_cast<std::size_t>(n);
    }
    stepFluxIterations(std::span<FluxIteration<ResolvedAcMag>* const>(iterations.data(), count));
}

std::vector<LineOutcome> line60HzOperatingPoints(std::span<const LineListing> listings, double L1,
                                                 double I1rms, double L2, double I2rms,
                                                 const MaterialModel& model) {
    std::vector<LineOutcome> outcomes(listings.size());
    LineLanes lanes(listings, L1, I1rms, L2, I2rms, model);
    std::size_t next = 0;
    const LineLanes::Deliver deliver = [&outcomes](std::size_t i, LineOutcome&& outcome) {
        outcomes[i] = std::move(outcome);
    };
    while (true) {
        while (next < listings.size() && !lanes.full()) {
            lanes.take(next++);
        }
        if (lanes.idle()) {
            return outcomes;
        }
        lanes.round(deliver);
    }
}

LineLookahead::LineLookahead(std::vector<LineListing> listings, double L1, double I1rms, double L2,
                             double I2rms, const MaterialModel& model)
    : listings_(std::move(listings)), L1_(L1), I1_(I1rms), L2_(L2), I2_(I2rms), model_(model),
      outcomes_(listings_.size()), states_(std::make_unique<std::atomic<int>[]>(listings_.size())),
      lanes_(listings_, L1, I1rms, L2, I2rms, model),
      deliver_([this](std::size_t i, LineOutcome&& outcome) { deliver(i, std::move(outcome)); }) {
    for (std::size_t i = 0; i < listings_.size(); ++i) {
        states_[i].store(kPending, std::memory_order_relaxed);
    }
    if (listings_.size() > kLineLanes) {
        try {
            helper_ = std::thread([this] { help(); });
        } catch (const std::system_error&) {
            // No thread to be had: the walking thread evaluates every listing itself.
        }
    }
}

LineLookahead::~LineLookahead() {
    stop_.store(true, std::memory_order_release);
    walk_.store(listings_.size(), std::memory_order_release);
    walk_.notify_all();
    if (helper_.joinable()) {
        helper_.join();
    }
}

std::optional<std::size_t> LineLookahead::claim() {
    std::size_t i = next_.load(std::memory_order_relaxed);
    while (i < listings_.size() && i < walk_.load(std::memory_order_relaxed) + kLookahead) {
        if (next_.compare_exchange_weak(i, i + 1, std::memory_order_relaxed)) {
            return i;
        }
    }
    return std::nullopt;
}

void LineLookahead::deliver(std::size_t i, LineOutcome&& outcome) {
    outcomes_[i] = std::move(outcome);
    states_[i].store(kReady, std::memory_order_release);
    states_[i].notify_all();
}

void LineLookahead::abandon(std::size_t i) {
    states_[i].store(kAbandoned, std::memory_order_release);
    states_[i].notify_all();
}

void LineLookahead::fill(LineLanes& lanes) {
    while (!lanes.full()) {
        const auto i = claim();
        if (!i) {
            return;
        }
        try {
            lanes.take(*i);
        } catch (...) {
            // Claimed but in no lane: give it back to the walk, or nobody would deliver it.
            abandon(*i);
            throw;
        }
    }
}

void LineLookahead::help() {
    LineLanes lanes(listings_, L1_, I1_, L2_, I2_, model_);
    try {
        while (!stop_.load(std::memory_order_acquire)) {
            fill(lanes);
            if (!lanes.idle()) {
                lanes.round(deliver_);
                continue;
            }
            if (next_.load(std::memory_order_relaxed) >= listings_.size()) {
                return; // every listing taken
            }
            // As far ahead of the walk as it goes: wait for the walk to move on.
            const std::size_t walk = walk_.load(std::memory_order_acquire);
            if (next_.load(std::memory_order_relaxed) >= walk + kLookahead &&
                !stop_.load(std::memory_order_acquire)) {
                walk_.wait(walk, std::memory_order_acquire);
            }
        }
    } catch (...) {
        // Out of memory on this thread: its listings go back to the walk.
        lanes.abandon([this](std::size_t i) { abandon(i); });
    }
}

const LineOutcome& LineLookahead::outcome(std::size_t i) {
    if (walk_.load(std::memory_order_relaxed) < i) {
        walk_.store(i, std::memory_order_release);
        walk_.notify_all();
    }
    while (true) {
        const int state = states_[i].load(std::memory_order_acquire);
        if (state == kReady) {
            return outcomes_[i];
        }
        if (state == kAbandoned) {
            deliver(i, std::move(line60HzOperatingPoints(std::span(&listings_[i], 1), L1_, I1_, L2_,
                                                         I2_, model_)
                                     .front()));
            continue;
        }
        fill(lanes_);
        if (lanes_.idle()) {
            // The helper has it.
            states_[i].wait(kPending, std::memory_order_acquire);
            continue;
        }
        lanes_.round(deliver_);
    }
}

} // namespace korvane
