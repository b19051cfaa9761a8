#include "materials/FluxIteration.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The four-lane step is compiled for AVX2 where the compiler takes a target per function,
// and chosen at run time on processors that have it.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define KORVANE_AVX2_LANES 1
#include <immintrin.h>
#endif

namespace korvane {

template <std::size_t W>
using LaneWidth = std::integral_constant<std::size_t, W>;

template <>
struct FluxLanes<ResolvedAcMag> {
    using Iteration = FluxIteration<ResolvedAcMag>;

    static bool vectorCase(const Iteration& it) {
        const std::int32_t kind = it.acMag_.row->kind;
        // A diagnostic due on this pass is written by the lane's own step.
        const bool passReportDue =
            it.report_ && it.passReport_.empty() && it.B_ac_zero_ > kFluxIterationReport;
        return (kind == kAcKindRational || kind == kAcKindPolynomial) && !passReportDue;
    }

    // Where the estimate of this pass would be due for a diagnostic.
    static bool estimateReportDue(const Iteration& it, double next) {
        return it.report_ && it.estimateReport_.empty() && next > kFluxIterationReport;
    }
};

template <>
struct FluxLanes<LaneWidth<2>> {
    static bool step(FluxIteration<ResolvedAcMag>* const* its);
    static bool estimateReportDue(const FluxIteration<ResolvedAcMag>& it, double next) {
        return FluxLanes<ResolvedAcMag>::estimateReportDue(it, next);
    }
};

namespace {

// A square root lane by lane, where the vector has no instruction for it.
template <typename V>
V eachSquareRoot(V x) {
    for (std::size_t i = 0; i < sizeof(V) / sizeof(double); ++i) {
        x[i] = std::sqrt(x[i]);
    }
    return x;
}

} // namespace

#define KORVANE_LANE_WIDTH 2
#define KORVANE_LANE_NAMESPACE lanes2
#if defined(__SSE2__)
#define KORVANE_LANE_SQRT(x) _mm_sqrt_pd(x)
#else
#define KORVANE_LANE_SQRT(x) eachSquareRoot(x)
#endif
#include "materials/FluxLanes.inc"
#undef KORVANE_LANE_WIDTH
#undef KORVANE_LANE_NAMESPACE
#undef KORVANE_LANE_SQRT

#if defined(KORVANE_AVX2_LANES)
template <>
struct FluxLanes<LaneWidth<4>> {
    static bool step(FluxIteration<ResolvedAcMag>* const* its);
    static bool estimateReportDue(const FluxIteration<ResolvedAcMag>& it, double next) {
        return FluxLanes<ResolvedAcMag>::estimateReportDue(it, next);
    }
};

#pragma GCC push_options
#pragma GCC target("avx2")
#define KORVANE_LANE_WIDTH 4
#define KORVANE_LANE_NAMESPACE lanes4
#define KORVANE_LANE_SQRT(x) _mm256_sqrt_pd(x)
#include "materials/FluxLanes.inc"
#undef KORVANE_LANE_WIDTH
#undef KORVANE_LANE_NAMESPACE
#undef KORVANE_LANE_SQRT
#pragma GCC pop_options
#endif

namespace {

// Steps the iterations `width` at a time with `stepLanes`; a last group short of the width is
// filled with the last iteration again. A group that leaves the vector case takes the scalar
// steps.
template <std::size_t width>
void stepInGroups(std::span<FluxIteration<ResolvedAcMag>* const> iterations,
                  bool (*stepLanes)(FluxIteration<ResolvedAcMag>* const*)) {
    using Lanes = FluxLanes<ResolvedAcMag>;
    auto scalar = [](FluxIteration<ResolvedAcMag>* const* its, std::size_t n) {
        for (std::size_t k = 0; k < n; ++k) {
            its[k]->step();
        }
    };
    for (std::size_t i = 0; i < iterations.size(); i += width) {
        const std::size_t n = std::min(width, iterations.size() - i);
        FluxIteration<ResolvedAcMag>* group[width];
        bool vector = true;
        for (std::size_t k = 0; k < width; ++k) {
            group[k] = iterations[i + std::min(k, n - 1)];
            vector = vector && Lanes::vectorCase(*group[k]);
        }
        if (!vector || !stepLanes(group)) {
            scalar(&iterations[i], n);
        }
    }
}

#if defined(KORVANE_AVX2_LANES)
bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

} // namespace

void stepFluxIterations(std::span<FluxIteration<ResolvedAcMag>* const> iterations, bool widest) {
#if defined(KORVANE_AVX2_LANES)
    if (widest && hasAvx2()) {
        stepInGroups<4>(iterations, &FluxLanes<LaneWidth<4>>::step);
        return;
    }
#endif
    stepInGroups<2>(iterations, &FluxLanes<LaneWidth<2>>::step);
}

} // namespace korvane
