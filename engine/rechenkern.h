// The calculate command: the two typed texts of an input mode in, either the
// complete state of the air or the error out; the German text of an error is
// built where it is shown.
//
// Relations after: Marwold, Daten zur feuchten Luft - Trocknungstechnik,
// KX-Jahrbuch 1996, S. 128 - 135 (the citation the window shows). The limits
// named below are those of engine/grenzen.h.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "engine/grenzen.h"
#include "engine/moist_air_state.h"

namespace dunstwerk {

// What went wrong, apart from a negative air temperature, which is held
// beside it because it combines with the range errors 1 to 3.
enum class Grund : int {
  Keiner = 0,
  // mode 1: below kRelativeFeuchteMin or above kRelativeFeuchteGesaettigt
  RelativeFeuchteUngueltig = 1,
  // mode 2: not below the air temperature, or above kKuehlgrenzeMax
  KuehlgrenzeZuGross = 2,
  // mode 3: below kDampfgehaltMin or above kDampfgehaltMax
  DampfgehaltUnrealistisch = 3,
  // mode 2: computed vapour content below kKuehlgrenzDampfgehaltMin; any mode:
  // dew point out of reach, or a result not finite
  LuftTrocken = 4,
  // mode 3: more than kUebersaettigungMax above saturation
  LuftUebersaettigt = 5,
  // one of the mode's two boxes is empty
  EingabenFehlen = 6,
  // mode 1: vapour pressure above kDampfdruckMax
  DampfdruckZuHoch = 7,
};

struct Fehler {
  bool lufttemperaturNegativ = false;
  Grund grund = Grund::Keiner;

  // The classic numeric code: 10 for the negative air temperature plus the
  // reason's number (11, 12 and 13 combine). dunstwerk-rechne writes it
  // beside the text, for filtering rows in a spreadsheet.
  int Code() const { return (lufttemperaturNegativ ? 10 : 0) + static_cast<int>(grund); }
  bool operator==(const Fehler&) const = default;
};

// The text the error label shows for an error, lines joined by "\r\n". A lone
// reason 1 to 5 starts with an empty line; reasons 6 and 7 stand alone.
std::string Fehlertext(const Fehler& fehler);

// The outcome of one calculate command: the complete state, or the error.
// Every error, the lone negative air temperature included, has a text and
// sends the window back to empty inputs once the text has stood.
using Ergebnis = std::variant<MoistAirState, Fehler>;

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
  double temkg;  // wet-bulb temperature, degrees Celsius
  double xkg;    // vapour content of saturated air at temkg, kg per kg dry air
  double h1;     // enthalpy of the air at temlu and x, kJ per kg dry air
};

// Wet-bulb search of the humidity and vapour-content modes: the temperature at
// which saturated air, less the heat the evaporated water carries in, has the
// enthalpy of the air at temlu and x. Bisection over kKuehlgrenzVon to
// kKuehlgrenzBis, ended by kKuehlgrenzToleranzRelativ and
// kKuehlgrenzToleranzAbsolut on the enthalpy, or once the round counter
// exceeds kKuehlgrenzMaxZaehler. The result is the last midpoint, on a grid of
// (kKuehlgrenzBis - kKuehlgrenzVon) / 2^n degrees.
Kuehlgrenzwerte Kuehlgrenzsuche(double temlu, double x);

}  // namespace dunstwerk
