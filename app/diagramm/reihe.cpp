#include "app/diagramm/reihe.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

// Length of the UTF-8 character at text[i], or 0 if none starts there.
std::size_t Utf8Laenge(std::string_view text, std::size_t i, char32_t& zeichen) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = b(i);
  std::size_t n = 0;
  char32_t min = 0;
  if (c < 0x80) {
    zeichen = c;
    return 1;
  }
  if ((c & 0xE0) == 0xC0) {
    n = 2, zeichen = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3, zeichen = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4, zeichen = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > text.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    zeichen = (zeichen << 6) | (b(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and what lies beyond Unicode are no text.
  if (zeichen < min || zeichen > 0x10FFFF || (zeichen >= 0xD800 && zeichen <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string SaubereBeschriftung(std::string_view text) {
  std::string sauber;
  for (std::size_t i = 0; i < text.size();) {
    char32_t zeichen = 0;
    std::size_t n = Utf8Laenge(text, i, zeichen);
    std::string_view stueck = text.substr(i, n);
    if (n == 0) {
      stueck = "\xEF\xBF\xBD";  // U+FFFD
      n = 1;
    } else if (zeichen < 0x20 || zeichen == 0x7F || zeichen == 0xFFFE || zeichen == 0xFFFF) {
      stueck = " ";  // XML allows none of these, and a label is one line
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
