// The calculate command: the two typed texts of an input mode in, either the
// complete state of the air or the error with its German text out.
//
// Relations after: Marwold, Daten zur feuchten Luft - Trocknungstechnik,
// KX-Jahrbuch 1996, S. 128 - 135 (the citation the window shows).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/moist_air_state.h"

namespace dunstwerk {

// What went wrong, apart from a negative air temperature, which is held
// beside it because it combines with the range errors 1 to 3.
enum class Grund : int {
  Keiner = 0,
  RelativeFeuchteUngueltig = 1,  // mode 1: outside 0.005 % to 100 %
  KuehlgrenzeZuGross = 2,        // mode 2: not below the air temperature, or above 99.5
  DampfgehaltUnrealistisch = 3,  // mode 3: below 0 or above 10
  LuftTrocken = 4,               // mode 2: computed vapour content below 0.000001;
                                 // any mode: dew point out of reach, or a result not finite
  LuftUebersaettigt = 5,         // mode 3: over 0.01 % above saturation
  EingabenFehlen = 6,            // one of the mode's two boxes is empty
  DampfdruckZuHoch = 7,          // mode 1: vapour pressure above 0.999 bar
};

struct Fehler {
  bool lufttemperaturNegativ = false;
  Grund grund = Grund::Keiner;

  // The classic numeric code: 10 for the negative air temperature plus the
  // reason's number (11, 12 and 13 combine).
  int Code() const { return (lufttemperaturNegativ ? 10 : 0) + static_cast<int>(grund); }
  bool operator==(const Fehler&) const = default;
};

// The text the error label shows for an error, lines joined by "\r\n". A lone
// reason 1 to 5 starts with an empty line; reasons 6 and 7 stand alone.
std::string Fehlertext(const Fehler& fehler);

// The outcome of one calculate command. Anything but a complete state, the
// lone negative air temperature included, sends the window back to empty
// inputs once the text has stood.
struct Ergebnis {
  std::optional<MoistAirState> zustand;  // set when the state is complete
  Fehler fehler;                         // set otherwise
  std::string fehlertext;                // Fehlertext(fehler), empty when complete
};

// Reads and checks the air temperature and the mode's second input as typed
// (UTF-8), then computes the state. Never throws, never loops without end.
Ergebnis Rechne(Vorgabe vorgabe, std::string_view temlu, std::string_view zweites);

// The state calculation, on numbers already read and checked: the air
// temperature and the mode's second input, that is the relative humidity as a
// fraction (not in per cent), the wet-bulb temperature or the vapour content.
// Any mode other than the first two is taken as the vapour content's.
// Returns the complete state or why there is none: DampfdruckZuHoch,
// LuftUebersaettigt, or LuftTrocken, which also stands for a dew point the
// search cannot reach and for a shown value that came out not finite.
std::variant<MoistAirState, Grund> Berechnung(Vorgabe vorgabe, double temlu, double zweites);

// What the wet-bulb search finds.
struct Kuehlgrenzwerte {
  double temkg;  // wet-bulb temperature
  double xkg;    // vapour content of saturated air at temkg
  double h1;     // enthalpy of the air at temlu and x, kJ per kg dry air
};

// Wet-bulb search of the humidity and vapour-content modes: bisection over
// -20 to 100 degrees Celsius on the enthalpy balance of the wet-bulb state,
// ended by a tolerance on the enthalpy or after 51 rounds. The result is the
// last midpoint, on a grid of 120 / 2^n degrees.
Kuehlgrenzwerte Kuehlgrenzsuche(double temlu, double x);

}  // namespace dunstwerk
