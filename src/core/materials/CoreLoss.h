#pragma once

#include "materials/MaterialCoefficients.h"

namespace korvane {

// Average over the rectified line half-cycle of a boost inductor's relative ripple raised to
// the power b: with a the peak input over the output voltage, the ripple at line angle theta
// is proportional to 4 a sin(theta) (1 - a sin(theta)) = 4 a sin(theta) + 2 a^2 (cos(2 theta)
// - 1). Sampled at theta = k pi/n for k = 1..n with pi taken as 3.14159:
// A = sum(term^b) (pi/n) / pi. The core loss uses the mix's lineExponent as b, the aging
// model and graphs b = 2. Where a > 1 the bracket turns negative (the input peak exceeds the
// output, which no boost stage delivers); its magnitude is used, which keeps even powers
// unchanged and fractional powers finite. n <= 0 gives 0.
double pfcLineAverage(double a, double b, int n);

// Plain loss fit of one row in mW/cm^3 at f hertz and peak flux B gauss. The exponents 2.3 and
// 1.65 are used as their single-precision values. A flux or frequency that is not positive
// gives 0 (the fit has B^-3 terms and is undefined at B = 0).
double coreLossFit(const CoreLossRow& row, double f, double B);

} // namespace korvane
