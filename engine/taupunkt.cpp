#include "engine/taupunkt.h"

#include <cmath>
#include <limits>

#include "engine/grenzen.h"
#include "engine/primitives.h"

namespace dunstwerk {

double Taupunktsuche(float pd) {
  const double pdSingle = pd;
  if (!(pdSingle > 0) || !std::isfinite(pdSingle)) return std::numeric_limits<double>::quiet_NaN();

  double untere = kTaupunktVon;
  double obere = kTaupunktBis;
  for (int runde = 0; runde < kTaupunktMaxRunden; ++runde) {
    const double t = (obere + untere) / 2;
    const double p = Saettigungsdruck(t);
    if (std::fabs((pdSingle - p) / pdSingle) < kTaupunktToleranz) return t;
    if (p > pdSingle) {
      obere = t;
    } else {
      untere = t;
    }
  }
  // Below the saturation pressure at kTaupunktVon the midpoints only creep
  // towards it and never meet the test.
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace dunstwerk
