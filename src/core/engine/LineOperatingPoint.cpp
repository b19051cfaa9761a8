#include "engine/LineOperatingPoint.h"

#include "materials/MaterialLists.h"
#include "materials/MaterialModel.h"

#include <array>
#include <cmath>

namespace korvane {

namespace {

constexpr double kBmax = 10000.0; // gauss
constexpr int kTurnsPasses = 20;
// Operating points iterated side by side: enough independent chains to fill the divider
// and square-root pipelines of a core.
constexpr std::size_t kLanes = 8;

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

std::vector<LineOutcome> line60HzOperatingPoints(std::span<const LineListing> listings, double L1,
                                                 double I1rms, double L2, double I2rms,
                                                 const MaterialModel& model) {
    std::vector<LineOutcome> outcomes(listings.size());
    struct Lane {
        std::optional<LineOperatingPointSolver> solver;
        std::size_t index = 0;
        CollectingSink sink{false};
    };
    std::array<Lane, kLanes> lanes;
    std::size_t next = 0;

    // The lane's finished listing goes to its outcome; the lane takes the next listing
    // still to iterate, or falls idle.
    auto refill = [&](Lane& lane) {
        while (true) {
            if (lane.solver && lane.solver->done()) {
                outcomes[lane.index].point = lane.solver->result();
                outcomes[lane.index].messages = lane.sink.messages();
                lane.sink.clear();
                lane.solver.reset();
            }
            if (lane.solver || next == listings.size()) {
                return;
            }
            const LineListing& listing = listings[next];
            lane.index = next++;
            ScopedMessageSink scoped(lane.sink);
            lane.solver.emplace(listing.material, L1, I1rms, L2, I2rms, listing.Ae, listing.AL,
                                model);
        }
    };
    for (Lane& lane : lanes) {
        refill(lane);
    }
    // Each round: every solver whose pair has ended goes on to its next pair or hands in its
    // answer; then one pass of every iterating solver's flux iterations, all together.
    std::array<FluxIteration<ResolvedAcMag>*, 2 * kLanes> iterations{};
    bool busy = true;
    while (busy) {
        busy = false;
        std::size_t count = 0;
        for (Lane& lane : lanes) {
            if (!lane.solver) {
                continue;
            }
            busy = true;
            const std::span<FluxIteration<ResolvedAcMag>*, 2> out(&iterations[count], 2);
            int n = lane.solver->stepping(out);
            if (n == 0) {
                {
                    ScopedMessageSink scoped(lane.sink);
                    lane.solver->advance();
                }
                refill(lane);
                n = lane.solver ? lane.solver->stepping(out) : 0;
            }
            count += static_cast<std::size_t>(n);
        }
        stepFluxIterations(
            std::span<FluxIteration<ResolvedAcMag>* const>(iterations.data(), count));
    }
    return outcomes;
}

} // namespace korvane
