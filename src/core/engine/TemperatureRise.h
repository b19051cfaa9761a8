#pragma once

namespace korvane {

// Copper loss in milliwatts of a winding of AC resistance `rac` (ohm) carrying a current
// whose square (mean of i^2 over a period, A^2) is `currentSquared`.
double copperLossMilliwatts(double currentSquared, double rac);

// Temperature rise in degC of a part dissipating `lossMw` milliwatts from `surfaceCm2` of
// outside surface: (loss x riseFactor / surface)^riseExponent. A loss of no more than
// 0.001 mW per cm^2, or a surface of 0.001 cm^2 or less, gives exactly 0.
// A loss or surface that is not a finite number gives NaN, which no limit check passes.
double temperatureRise(double lossMw, double surfaceCm2, double riseFactor, double riseExponent);

// True when the rise is a finite number not above the limit: NaN or infinity never passes.
bool withinTemperatureRiseLimit(double riseC, double limitC);

} // namespace korvane
