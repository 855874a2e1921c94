// The chart as an SVG file: A4 landscape in millimetres, SVG 1.1 with
// presentation attributes only, so that browsers and office programs alike
// draw it, and the same bytes for the same series on every system.
#pragma once

#include <string>
#include <string_view>

#include "app/diagramm/mollier.h"
#include "app/diagramm/reihe.h"
#include "app/rechne/csv.h"

namespace dunstwerk::diagramm {

enum class BereichWahl {
  Automatisch,  // klima when every point fits into it, else trocknung
  Klima,
  Trocknung,
};

struct DiagrammOptionen {
  BereichWahl bereich = BereichWahl::Automatisch;
  bool verbinden = false;  // join the points in row order
};

// The bytes go to a sink of dunstwerk-rechne's CSV library (csv::Senke,
// csv::TextSenke), which the program writes its files through.
using Ausgabe = csv::Senke;
using TextAusgabe = csv::TextSenke;

// The range the chart is drawn in.
BereichArt GewaehlterBereich(const Reihe& reihe, BereichWahl wahl);

// Writes the chart of the series. The bytes go out in pieces of some tens of
// kilobytes. Returns false once a write failed.
bool SchreibeSvg(const Reihe& reihe, const DiagrammOptionen& optionen, Ausgabe& ausgabe);

}  // namespace dunstwerk::diagramm
