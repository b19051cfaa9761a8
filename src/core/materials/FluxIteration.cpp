#include "materials/FluxIteration.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvane {

namespace {

// Two doubles, two floats and a lane mask (all ones where a comparison holds). The
// arithmetic on them is IEEE lane by lane, so every value is the one the scalar code gives.
using Doubles = double __attribute__((vector_size(16)));
using Floats = float __attribute__((vector_size(8)));
using Mask = std::int64_t __attribute__((vector_size(16)));

Doubles select(Mask m, Doubles a, Doubles b) {
    Mask ai;
    Mask bi;
    std::memcpy(&ai, &a, sizeof ai);
    std::memcpy(&bi, &b, sizeof bi);
    const Mask r = (ai & m) | (bi & ~m);
    Doubles out;
    std::memcpy(&out, &r, sizeof out);
    return out;
}

Doubles squareRoot(Doubles x) {
#if defined(__SSE2__)
    return _mm_sqrt_pd(x);
#else
    return Doubles{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}

Doubles absolute(Doubles x) {
    return select(x < 0.0, -x, x);
}

// Finite lanes: x - x is 0 there, NaN for an infinity or a NaN.
Mask finite(Doubles x) {
    return (x - x) == 0.0;
}

Doubles roundedToFloat(Doubles x) {
    return __builtin_convertvector(__builtin_convertvector(x, Floats), Doubles);
}

Doubles splat(double x) {
    return Doubles{x, x};
}

bool both(Mask m) {
    return m[0] != 0 && m[1] != 0;
}

} // namespace

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

    // Both iterations one pass, as Iteration::step does for the two fits inside their range;
    // false, with nothing changed, where either lane leaves it.
    static bool stepTwo(Iteration& a, Iteration& b) {
        const AcMagRow& ra = *a.acMag_.row;
        const AcMagRow& rb = *b.acMag_.row;
        auto coefficient = [&](std::size_t k) {
            return Doubles{static_cast<double>(ra.c[k]), static_cast<double>(rb.c[k])};
        };
        const Mask rational{ra.kind == kAcKindRational ? -1 : 0,
                            rb.kind == kAcKindRational ? -1 : 0};
        const Mask highFlux{a.acMag_.highFlux ? -1 : 0, b.acMag_.highFlux ? -1 : 0};
        const Doubles estimate{a.estimate_, b.estimate_};
        const Doubles rowBmax{static_cast<double>(a.acMag_.limit->Bmax),
                              static_cast<double>(b.acMag_.limit->Bmax)};

        // acMagAt and acMagFit.
        Mask ok = estimate >= 0.0;
        const Doubles B0 = select(estimate < kLowestArgument, splat(kLowestArgument), estimate);
        const Doubles Bc = select(rowBmax < B0, rowBmax, B0);
        ok &= ~((B0 > rowBmax) & ~highFlux); // the saturation law
        // The high-flux mixes above the knee: 490000 / B, slope -490000 / B^2; these take
        // the two divisions of the rational fit.
        const Mask knee = highFlux & rational & (Bc > kHighFluxKnee);
        const Doubles c0 = coefficient(0);
        const Doubles c1 = coefficient(1);
        const Doubles c2 = coefficient(2);
        const Doubles c3 = coefficient(3);
        const Doubles c4 = coefficient(4);
        // Rational: sqrt of q = num / den.
        const Doubles num = c0 + c2 * Bc + c4 * Bc * Bc;
        const Doubles den = 1.0 + c1 * Bc + c3 * Bc * Bc;
        const Doubles q = select(knee, splat(kHighFluxConstant), num) / select(knee, Bc, den);
        const Doubles part = select(knee, splat(-kHighFluxConstant), num * (c1 + 2.0 * c3 * Bc)) /
                             select(knee, Bc * Bc, den);
        ok &= ~rational | knee | ((den != 0.0) & ~(q <= 0.0));
        const Doubles qDot = ((c2 + 2.0 * c4 * Bc) - part) / den;
        // Polynomial: c0 + c1 B + c2 sqrt(B) + c3 B^2.
        ok &= rational | ~(Bc <= 0.0);
        const Doubles root = squareRoot(select(rational, q, Bc));
        const Doubles share = select(rational, splat(0.5), 0.5 * c2) / root;
        const Doubles fitValue = select(rational, root, c0 + c1 * Bc + c2 * root + c3 * Bc * Bc);
        const Doubles fitSlope = select(rational, share * qDot, c1 + share + 2.0 * c3 * Bc);
        ok &= knee | (finite(fitValue) & finite(fitSlope));
        if (!both(ok)) {
            return false;
        }
        // The fit's pair is single precision before the rational fit's floor at 100 %.
        const Doubles fitPct = roundedToFloat(fitValue);
        const Doubles value =
            select(knee, roundedToFloat(q),
                   select(rational & (Bc < kAcFloorFlux) & (fitPct < 100.0), splat(100.0), fitPct));
        const Doubles slope = roundedToFloat(select(knee, part, fitSlope));

        // Iteration::step on the pair.
        const Doubles B_ac_zero{a.B_ac_zero_, b.B_ac_zero_};
        const Doubles delB{a.delB_, b.delB_};
        const Doubles convf{a.convf_, b.convf_};
        const Doubles Bmax{a.Bmax_, b.Bmax_};
        const Doubles perm = value / 100.0;
        const Doubles permdot = slope / 100.0;
        Doubles newtonDen = 1.0 - B_ac_zero * permdot;
        newtonDen = select((newtonDen == 0.0) | ~finite(newtonDen), splat(1.0), newtonDen);
        const Doubles err = absolute(estimate - B_ac_zero * perm);
        const Doubles nextConvf =
            select(estimate * delB > B_ac_zero * perm * delB, convf * 0.5, convf);
        const Doubles nextDelB = (B_ac_zero * perm - estimate) / newtonDen;
        const Doubles unclamped = estimate + nextDelB * nextConvf;
        if (estimateReportDue(a, unclamped[0]) || estimateReportDue(b, unclamped[1])) {
            return false;
        }
        const Doubles next = select(unclamped > Bmax, Bmax, unclamped);
        const Mask still = next == estimate;

        Iteration* lanes[2] = {&a, &b};
        for (std::size_t i = 0; i < 2; ++i) {
            Iteration& it = *lanes[i];
            ++it.pass_;
            it.pair_ = PermPair{static_cast<float>(value[i]), static_cast<float>(slope[i])};
            it.err_ = err[i];
            it.convf_ = nextConvf[i];
            it.delB_ = nextDelB[i];
            it.estimate_ = next[i];
            it.ended_ = it.ended_ || still[i] != 0;
        }
        return true;
    }
};

void stepFluxIterations(std::span<FluxIteration<ResolvedAcMag>* const> iterations) {
    using Lanes = FluxLanes<ResolvedAcMag>;
    std::size_t i = 0;
    for (; i + 2 <= iterations.size(); i += 2) {
        FluxIteration<ResolvedAcMag>& a = *iterations[i];
        FluxIteration<ResolvedAcMag>& b = *iterations[i + 1];
        if (!Lanes::vectorCase(a) || !Lanes::vectorCase(b) || !Lanes::stepTwo(a, b)) {
            a.step();
            b.step();
        }
    }
    if (i < iterations.size()) {
        // An odd one out runs in both lanes; the twin's pass is dropped.
        FluxIteration<ResolvedAcMag>& last = *iterations[i];
        FluxIteration<ResolvedAcMag> twin = last;
        if (!Lanes::vectorCase(last) || !Lanes::stepTwo(last, twin)) {
            last.step();
        }
    }
}

} // namespace korvane
