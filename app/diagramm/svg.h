// The chart as an SVG file: A4 landscape in millimetres, SVG 1.1 with
// presentation attributes only, so that browsers and office programs alike
// draw it, and the same bytes for the same series on every system.
#pragma once

#include <string>
#include <string_view>

#include "app/diagramm/mollier.h"
#include "app/diagramm/reihe.h"

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

// Where the bytes go.
class Ausgabe {
 public:
  virtual ~Ausgabe() = default;
  // false when the bytes could not be written; nothing more is written then.
  virtual bool Schreibe(std::string_view daten) = 0;
};

class TextAusgabe : public Ausgabe {
 public:
  bool Schreibe(std::string_view daten) override {
    text.append(daten);
    return true;
  }
  std::string text;
};

// The range the chart is drawn in.
BereichArt GewaehlterBereich(const Reihe& reihe, BereichWahl wahl);

// Writes the chart of the series. The bytes go out in pieces of some tens of
// kilobytes. Returns false once a write failed.
bool SchreibeSvg(const Reihe& reihe, const DiagrammOptionen& optionen, Ausgabe& ausgabe);

}  // namespace dunstwerk::diagramm
