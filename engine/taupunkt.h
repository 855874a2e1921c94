// Dew-point search.
#pragma once

namespace dunstwerk {

// Dew-point temperature in degrees Celsius for a vapour partial pressure pd in
// bar: bisection over -100 to 700 degrees Celsius until the saturation
// pressure of the midpoint is within 0.1 % of pd. The result is that
// midpoint, so dew points lie on a grid of 800 / 2^n degrees.
//
// pd arrives in single precision on purpose: callers round their double
// value, and the stopping test compares against the rounded one.
//
// A pressure the interval cannot reach (zero, negative, not finite, or so low
// that the search would close in on -100 forever) gives NaN after a bounded
// number of rounds; callers report it as an error.
double Taupunktsuche(float pd);

// Largest number of halvings before a search is given up. Double-precision
// midpoints stop moving long before this.
inline constexpr int kTaupunktMaxRunden = 200;

}  // namespace dunstwerk
