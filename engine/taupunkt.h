// Dew-point search.
#pragma once

#include "engine/grenzen.h"

namespace dunstwerk {

// Dew-point temperature in degrees Celsius for a vapour partial pressure pd in
// bar: the temperature whose saturation pressure (Saettigungsdruck) equals pd,
// found by bisection over kTaupunktVon to kTaupunktBis until the saturation
// pressure of the midpoint is within kTaupunktToleranz of pd. The result is
// that midpoint, so dew points lie on a grid of (kTaupunktBis - kTaupunktVon)
// / 2^n degrees.
//
// pd arrives in single precision on purpose: callers round their double
// value, and the stopping test compares against the rounded one.
//
// A pressure the interval cannot reach (zero, negative, not finite, or so low
// that the search would close in on kTaupunktVon forever) gives NaN after at
// most kTaupunktMaxRunden halvings; callers report it as an error.
double Taupunktsuche(float pd);

}  // namespace dunstwerk
