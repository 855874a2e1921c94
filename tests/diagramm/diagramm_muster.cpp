// Writes the chart of a fixed series, for the comparison of the Linux and
// Windows bytes and for the pictures (the target diagramm_bilder):
//
//   diagramm_muster klima|trocknung|auto kurz|lang|leer DATEI.svg
//
// kurz: a day of a room and of a dryer's exhaust, labelled, joined, with the
// wet-bulb line of its fourth row; lang: 50000 states over a year, which the
// chart shades.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>

#include "app/diagramm/svg.h"
#include "engine/rechenkern.h"

namespace {

using namespace dunstwerk;

class DateiAusgabe : public diagramm::Ausgabe {
 public:
  explicit DateiAusgabe(std::FILE* f) : f_(f) {}
  bool Schreibe(std::string_view d) override {
    return std::fwrite(d.data(), 1, d.size(), f_) == d.size();
  }

 private:
  std::FILE* f_;
};

void Zeile(diagramm::Reihe& reihe, double t, double rf, const std::string& name) {
  const auto s = Berechnung(Vorgabe::Feuchte, t, rf);
  if (const auto* z = std::get_if<MoistAirState>(&s)) {
    reihe.Punkt(*z, name);
  } else {
    reihe.Fehlerzeile();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "diagramm_muster klima|trocknung|auto kurz|lang|leer DATEI.svg\n");
    return 2;
  }
  diagramm::DiagrammOptionen optionen;
  if (std::strcmp(argv[1], "klima") == 0) optionen.bereich = diagramm::BereichWahl::Klima;
  if (std::strcmp(argv[1], "trocknung") == 0) optionen.bereich = diagramm::BereichWahl::Trocknung;
  const bool trocknung = optionen.bereich == diagramm::BereichWahl::Trocknung;
  diagramm::Reihe reihe(std::strcmp(argv[2], "kurz") == 0 ? 4 : 0);
  if (std::strcmp(argv[2], "kurz") == 0) {
    optionen.verbinden = true;
    // Hours of a day: a room warming up, or a dryer's exhaust heating up.
    const double raum[][2] = {{18, 0.55},   {19.5, 0.52}, {21, 0.5},  {22.5, 0.47}, {24, 0.45},
                              {25.5, 0.43}, {27, 0.42},   {26, 0.48}, {24.5, 0.55}, {22, 0.6}};
    const double trockner[][2] = {{20, 0.5},   {60, 0.15},   {90, 0.12}, {120, 0.06},
                                  {150, 0.04}, {180, 0.025}, {130, 0.1}, {85, 0.45}};
    int n = 0;
    if (trocknung) {
      for (const auto& z : trockner) Zeile(reihe, z[0], z[1], std::to_string(8 + n++) + ":00 Uhr");
      Zeile(reihe, 100, 1, "Siedepunkt");  // refused: vapour pressure above 0.999 bar
    } else {
      for (const auto& z : raum) Zeile(reihe, z[0], z[1], std::to_string(8 + n++) + ":00 Uhr");
      reihe.Fehlerzeile();
    }
  } else if (std::strcmp(argv[2], "lang") == 0) {
    // A reproducible wander through the range, without a random generator
    // whose sequence might differ between the libraries.
    std::uint32_t zustand = 12345;
    const auto zufall = [&] {
      zustand = zustand * 1664525u + 1013904223u;
      return (zustand >> 8) / 16777216.0;
    };
    // Temperature and vapour content wander, the content kept below 98 %.
    const double tVon = trocknung ? 30 : 5, tBis = trocknung ? 190 : 45;
    const double xVon = trocknung ? 0.01 : 0.002, xBis = trocknung ? 0.28 : 0.025;
    double t = (tVon + tBis) / 2, x = (xVon + xBis) / 3;
    for (int i = 0; i < 50000; ++i) {
      t = std::clamp(t + (zufall() - 0.5) * (tBis - tVon) / 40, tVon, tBis);
      x = std::clamp(x + (zufall() - 0.5) * (xBis - xVon) / 40, xVon, xBis);
      x = std::min(x, diagramm::DampfgehaltBeiFeuchte(t, 0.98).value_or(x));
      const auto s = Berechnung(Vorgabe::Dampfgehalt, t, x);
      if (const auto* z = std::get_if<MoistAirState>(&s)) {
        reihe.Punkt(*z);
      } else {
        reihe.Fehlerzeile();
      }
    }
  }
  std::FILE* f = std::fopen(argv[3], "wb");
  if (!f) return 2;
  DateiAusgabe ausgabe(f);
  const bool ok = diagramm::SchreibeSvg(reihe, optionen, ausgabe);
  return std::fclose(f) == 0 && ok ? 0 : 1;
}
