// The calculation engine: the state of one process, the input checks of the
// calculate command, the state calculation and the error display.
#pragma once

#include <string>

#include "ansicht.h"
#include "moist_air_state.h"

namespace dunstwerk {

// Error codes. Codes 1 to 3 are added to the current code, so that they can
// combine with code 10 (air temperature below zero) into 11, 12 and 13; all
// others are assigned.
enum Fehler : int {
  kKeinFehler = 0,
  kRelativeFeuchteUngueltig = 1,
  kKuehlgrenzeZuGross = 2,
  kDampfgehaltUnrealistisch = 3,
  kLuftTrocken = 4,
  kLuftUebersaettigt = 5,
  kEingabenFehlen = 6,
  kDampfdruckZuHoch = 7,
  kLufttemperaturNegativ = 10,
};

// How long an error text stands, in milliseconds.
inline constexpr int kFehlerPauseMs = 5000;

// The German text of a single code (1 to 7 or 10); empty for any other.
const char* FehlertextVon(int code);

// One per process, for the whole life of the window.
struct Rechenkern {
  MoistAirState zustand;
  // Input mode: 1 air temperature and relative humidity, 2 air and wet-bulb
  // temperature, 3 air temperature and vapour content. 0 until chosen.
  int Vorgabe = 0;
  // Error code of the calculate command under way; 0 when none is pending.
  int Fehlercode = 0;
  // The text last shown for an error.
  std::string Fehlertext;
};

// Builds Fehlertext from Fehlercode (taking 10 off a code of 10 or more),
// shows it in the window, repaints and pauses five seconds.
void Fehleranzeige(Rechenkern& kern, Ansicht& ansicht);

// Wet-bulb search of modes 1 and 3: bisection over -20 to 100 degrees Celsius
// on the enthalpy balance of the wet-bulb state, at most 51 rounds. Reads
// temlu and x, writes h1, temkg, psatkg, xkg, hkg, hprobe, the bounds and the
// round counter.
void Kuehlgrenzsuche(MoistAirState& s);

// Computes the complete state from temlu and, by Vorgabe, rf (1), temkg (2)
// or x (any other mode). Returns true when the state is complete; on a
// failure it sets Fehlercode, calls Fehleranzeige and returns false.
bool Berechnung(Rechenkern& kern, Ansicht& ansicht);

// The calculate command up to the display of results: resets Fehlercode,
// reads and checks the two inputs of the current mode, shows any error and,
// when the checks pass, runs Berechnung. Returns true when the state is
// complete and may be shown.
bool Rechne(Rechenkern& kern, Ansicht& ansicht);

// After Rechne: whether the window must return to empty inputs.
bool ZuruecksetzenNoetig(const Rechenkern& kern);

}  // namespace dunstwerk
