#include "app/diagramm/reihe.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/rechne/csv.h"

namespace dunstwerk::diagramm {
namespace {

Raster LeeresRaster() {
  Raster r;
  r.spalten = static_cast<int>(std::ceil((Karte::kRechts - Karte::kLinks) / kZelle));
  r.zeilen = static_cast<int>(std::ceil((Karte::kUnten - Karte::kOben) / kZelle));
  r.anzahl.assign(static_cast<std::size_t>(r.spalten) * static_cast<std::size_t>(r.zeilen), 0);
  return r;
}

void Zaehle(Raster& raster, BereichArt art, const MoistAirState& s) {
  const Karte karte(BereichVon(art));
  if (!karte.ImRahmen(s.x, Ordinate(s.temlu, s.x))) {
    ++raster.ausserhalb;
    return;
  }
  const Mm p = karte.Zustand(s.temlu, s.x);
  // A point on the right or top edge belongs to the last cell.
  const int spalte = std::min(static_cast<int>((p.x - Karte::kLinks) / kZelle), raster.spalten - 1);
  const int zeile = std::min(static_cast<int>((p.y - Karte::kOben) / kZelle), raster.zeilen - 1);
  std::uint32_t& n = raster.anzahl[static_cast<std::size_t>(zeile) * raster.spalten + spalte];
  if (n < std::numeric_limits<std::uint32_t>::max()) ++n;
}

}  // namespace

std::string SaubereBeschriftung(std::string_view text) {
  std::string sauber;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = csv::Utf8Laenge(text, i);
    std::string_view stueck = text.substr(i, n);
    const auto erstes = static_cast<unsigned char>(text[i]);
    if (n == 0) {
      stueck = "\xEF\xBF\xBD";  // U+FFFD
      n = 1;
    } else if ((n == 1 && (erstes < 0x20 || erstes == 0x7F)) || stueck == "\xEF\xBF\xBE" ||
               stueck == "\xEF\xBF\xBF") {  // below the blank, DEL, U+FFFE, U+FFFF
      stueck = " ";                         // XML allows none of these, and a label is one line
    }
    if (sauber.size() + stueck.size() > kBeschriftungMax) break;
    sauber.append(stueck);
    i += n;
  }
  return sauber;
}

Reihe::Reihe(long long kuehlgrenzZeile)
    : kuehlgrenzZeile_(kuehlgrenzZeile), klima_(LeeresRaster()), trocknung_(LeeresRaster()) {}

void Reihe::Punkt(const MoistAirState& s, std::string_view beschriftung, long long zeile) {
  ++zeilen_;
  ++punkte_;
  if (zeile == 0) zeile = zeilen_;
  if (ersteZeile_ == 0) ersteZeile_ = zeile;
  letzteZeile_ = zeile;
  if (kuehlgrenzZeile_ == zeile || (kuehlgrenzZeile_ == 0 && punkte_ == 1)) markiert_ = s;
  if (Einzeln()) {
    einzeln_.push_back({s.x, s.temlu, zeile, SaubereBeschriftung(beschriftung)});
  } else if (!einzeln_.empty()) {
    // Too many to draw one by one: the shading takes over, and the memory
    // goes back.
    std::vector<Eintrag>().swap(einzeln_);
  }
  Zaehle(klima_, BereichArt::Klima, s);
  Zaehle(trocknung_, BereichArt::Trocknung, s);
}

void Reihe::Fehlerzeile() { ++zeilen_; }

}  // namespace dunstwerk::diagramm
