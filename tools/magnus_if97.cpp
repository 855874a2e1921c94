// How far the saturation pressure of the calculation (the Magnus form) lies
// from the saturation equation of IAPWS-IF97 (region 4), from 0 to
// 200 degrees Celsius, and what that means for the relative humidity. Prints
// the table of the README's chart section:
//
//   build/tools/magnus_if97
#include <cmath>
#include <cstdio>

#include "engine/primitives.h"

namespace {

// IAPWS-IF97, the saturation-pressure equation of region 4: p in MPa at the
// temperature T in kelvin, 273.15 K to 647.096 K.
double SaettigungsdruckIf97(double T) {
  constexpr double n[] = {0,
                          0.11670521452767e4,
                          -0.72421316703206e6,
                          -0.17073846940092e2,
                          0.12020824702470e5,
                          -0.32325550322333e7,
                          0.14915108613530e2,
                          -0.48232657361591e4,
                          0.40511340542057e6,
                          -0.23855557567849,
                          0.65017534844798e3};
  const double theta = T + n[9] / (T - n[10]);
  const double A = theta * theta + n[1] * theta + n[2];
  const double B = n[3] * theta * theta + n[4] * theta + n[5];
  const double C = n[6] * theta * theta + n[7] * theta + n[8];
  return std::pow(2 * C / (-B + std::sqrt(B * B - 4 * A * C)), 4);
}

}  // namespace

int main() {
  // The equation's own check values: 300 K, 500 K and 600 K.
  const double pruef[][2] = {{300, 0.353658941e-2}, {500, 0.263889776e1}, {600, 0.123443146e2}};
  for (const auto& [T, p] : pruef) {
    if (std::fabs(SaettigungsdruckIf97(T) / p - 1) > 1e-8) {
      std::fprintf(stderr, "IF97 check value at %.0f K missed\n", T);
      return 1;
    }
  }
  std::printf(
      "| t in °C | Magnus in bar | IF97 in bar | Magnus − IF97 | φ shown for a true 50 %% |\n");
  std::printf("|---:|---:|---:|---:|---:|\n");
  for (int t = 0; t <= 200; t += 20) {
    const double magnus = dunstwerk::Saettigungsdruck(t);
    const double if97 = SaettigungsdruckIf97(t + 273.15) * 10;  // MPa to bar
    // The same vapour pressure read against the two saturation pressures:
    // the chart's phi is the true one times if97 / magnus.
    std::printf("| %d | %.5f | %.5f | %+.2f %% | %.1f %% |\n", t, magnus, if97,
                100 * (magnus / if97 - 1), 50 * if97 / magnus);
  }
  return 0;
}
