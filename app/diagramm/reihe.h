// The measured states of one run, collected one at a time for the chart in
// constant memory: the first few thousand points are kept one by one; every
// point also counts into a grid of small cells for each range, which the
// chart shades once there are more points than it can draw one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/diagramm/mollier.h"
#include "engine/moist_air_state.h"

namespace dunstwerk::diagramm {

// How many points are drawn one by one; beyond, the chart shows how often
// each cell was visited.
inline constexpr std::size_t kEinzelpunkteMax = 2000;
// The longest label kept, in bytes (cut at a character's start).
inline constexpr std::size_t kBeschriftungMax = 40;
// Side of a shading cell on the page, mm.
inline constexpr double kZelle = 2;

struct Eintrag {
  double x;                  // vapour content, kg per kg dry air
  double temlu;              // air temperature, degrees Celsius
  long long zeile;           // the row's number (Reihe::Punkt)
  std::string beschriftung;  // valid UTF-8, at most kBeschriftungMax bytes
};

// How often the points fell into each cell of one range's frame.
struct Raster {
  int spalten = 0;
  int zeilen = 0;
  std::vector<std::uint32_t> anzahl;  // row by row from the frame's top left
  long long ausserhalb = 0;           // points outside the frame
};

// Punkt or Fehlerzeile is called once for every data record of the file, in
// its order, so that the rows are counted as the file numbers them.
class Reihe {
 public:
  // kuehlgrenzZeile: the row whose wet-bulb line the chart draws; 0 for
  // none, in which case a series of exactly one point gets its line.
  explicit Reihe(long long kuehlgrenzZeile = 0);

  // A complete row's state and its label (any bytes; kept as UTF-8, cut to
  // kBeschriftungMax bytes; empty for none). `zeile` numbers the row as the
  // user knows it, its line in the file; 0 counts the rows from 1, error
  // rows included.
  void Punkt(const MoistAirState& s, std::string_view beschriftung = {}, long long zeile = 0);
  // A row without a state; it is counted, and shown as a note.
  void Fehlerzeile();

  long long Zeilen() const { return zeilen_; }
  long long Punkte() const { return punkte_; }
  long long Fehlerzeilen() const { return zeilen_ - punkte_; }
  // The points one by one, in row order; empty once there are more than
  // kEinzelpunkteMax.
  bool Einzeln() const { return punkte_ <= static_cast<long long>(kEinzelpunkteMax); }
  const std::vector<Eintrag>& Einzelpunkte() const { return einzeln_; }
  long long ErsteZeile() const { return ersteZeile_; }
  long long LetzteZeile() const { return letzteZeile_; }
  const Raster& Haeufigkeit(BereichArt art) const {
    return art == BereichArt::Klima ? klima_ : trocknung_;
  }
  // The state whose wet-bulb line is drawn, with its row, if any.
  const std::optional<MoistAirState>& Kuehlgrenzpunkt() const {
    return kuehlgrenzZeile_ > 0 ? markiert_ : (punkte_ == 1 ? markiert_ : kein_);
  }

 private:
  long long kuehlgrenzZeile_;
  long long zeilen_ = 0;
  long long punkte_ = 0;
  long long ersteZeile_ = 0;
  long long letzteZeile_ = 0;
  std::vector<Eintrag> einzeln_;
  std::optional<MoistAirState> markiert_;
  std::optional<MoistAirState> kein_;
  Raster klima_;
  Raster trocknung_;
};

// The label as text an XML file may hold, cut at a character boundary to at
// most kBeschriftungMax bytes: a byte that starts no valid UTF-8 character
// becomes U+FFFD, a control character a blank.
std::string SaubereBeschriftung(std::string_view text);

}  // namespace dunstwerk::diagramm
