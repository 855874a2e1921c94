// The limits and tolerances of the engine: the ranges the typed inputs are
// checked against, the states the calculation refuses, and the intervals,
// tolerances and round caps of the two searches. Each number stands here once;
// the checks use these names, and so do the comments that speak of them.
//
// The types are those the checks compare in: changing one (a float for a
// double, say) would move results in their last bit.
#pragma once

#include <cstdint>

namespace dunstwerk {

// --- Checks of the typed inputs ---

// Smallest relative humidity accepted in mode 1, as a fraction (0.005 %). The
// humidity is typed in per cent and compared after the division by 100.
inline constexpr double kRelativeFeuchteMin = 0.00005;
// Relative humidity of saturated air, as a fraction (100 %): the largest
// accepted in mode 1, and the mark from which mode 3 measures over-saturation.
inline constexpr double kRelativeFeuchteGesaettigt = 1;

// Highest wet-bulb temperature accepted in mode 2, degrees Celsius. It must
// also lie strictly below the air temperature.
inline constexpr double kKuehlgrenzeMax = 99.5;

// Range of the vapour content accepted in mode 3, kg vapour per kg dry air,
// both ends included.
inline constexpr double kDampfgehaltMin = 0;
inline constexpr double kDampfgehaltMax = 10;

// --- States the calculation refuses ---

// Highest vapour partial pressure mode 1 carries, bar; beyond it the mixing
// relation runs away towards its pole at 1 bar.
inline constexpr double kDampfdruckMax = 0.999;

// How far the relative humidity of mode 3 may lie above
// kRelativeFeuchteGesaettigt, as a fraction (0.01 %).
inline constexpr double kUebersaettigungMax = 0.0001;

// Smallest vapour content, kg per kg dry air, that the energy balance of
// mode 2 may give; below it the wet-bulb temperature is too low for the air.
inline constexpr double kKuehlgrenzDampfgehaltMin = 0.000001;

// --- Dew-point search ---

// Interval of the bisection, degrees Celsius.
inline constexpr double kTaupunktVon = -100;
inline constexpr double kTaupunktBis = 700;
// The search ends when the saturation pressure of the midpoint is within this
// fraction of the vapour pressure (0.1 %).
inline constexpr double kTaupunktToleranz = 0.001;
// Largest number of halvings before a search is given up. Double-precision
// midpoints stop moving long before this; it only bounds the searches for a
// pressure the interval cannot reach.
inline constexpr int kTaupunktMaxRunden = 200;

// --- Wet-bulb search ---

// Interval of the bisection, degrees Celsius.
inline constexpr double kKuehlgrenzVon = -20;
inline constexpr double kKuehlgrenzBis = 100;
// The search ends when the trial enthalpy is within both of these of the
// enthalpy of the air: a fraction of it (0.1 %), and kJ per kg dry air.
inline constexpr double kKuehlgrenzToleranzRelativ = 0.001;
inline constexpr double kKuehlgrenzToleranzAbsolut = 1;
// The search also ends once its round counter, a 16-bit signed integer raised
// at the start of every round, exceeds this: at most kKuehlgrenzMaxZaehler + 1
// rounds.
inline constexpr std::int16_t kKuehlgrenzMaxZaehler = 50;

}  // namespace dunstwerk
