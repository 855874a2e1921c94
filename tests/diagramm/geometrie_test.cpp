#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <variant>
#include <vector>

#include "app/diagramm/mollier.h"
#include "app/diagramm/reihe.h"
#include "engine/rechenkern.h"

namespace dunstwerk::diagramm {
namespace {

double AbstandZurStrecke(Mm p, Mm a, Mm b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double l2 = dx * dx + dy * dy;
  const double u = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
  return std::hypot(p.x - (a.x + u * dx), p.y - (a.y + u * dy));
}

// Distance, mm, from a point to the nearest of the drawn lines.
double Abstand(Mm p, const std::vector<Linie>& linien) {
  double kleinster = INFINITY;
  for (const Linie& l : linien) {
    for (std::size_t i = 1; i < l.size(); ++i) {
      kleinster = std::min(kleinster, AbstandZurStrecke(p, l[i - 1], l[i]));
    }
  }
  return kleinster;
}

constexpr double kToleranz = 0.05;  // mm

// States across both ranges and all three modes, near the edges and the
// saturation line, where lines bend most.
constexpr std::tuple<Vorgabe, double, double> kZustaende[] = {
    {Vorgabe::Feuchte, 20, 0.5},     {Vorgabe::Feuchte, 0.5, 0.95},
    {Vorgabe::Feuchte, 30, 0.99},    {Vorgabe::Feuchte, 45, 0.3},
    {Vorgabe::Feuchte, 49, 0.1},     {Vorgabe::Feuchte, 2, 0.15},
    {Vorgabe::Kuehlgrenze, 35, 20},  {Vorgabe::Dampfgehalt, 25, 0.012},
    {Vorgabe::Feuchte, 70, 0.9},     {Vorgabe::Feuchte, 120, 0.06},
    {Vorgabe::Feuchte, 180, 0.025},  {Vorgabe::Feuchte, 199, 0.011},
    {Vorgabe::Kuehlgrenze, 150, 60}, {Vorgabe::Dampfgehalt, 95, 0.25},
    {Vorgabe::Feuchte, 60, 0.015},
};

TEST(Geometrie, ZustandLiegtAufSeinenLinien) {
  double groesste = 0, naechst = 0;
  for (const auto& [vorgabe, temlu, zweites] : kZustaende) {
    const auto ergebnis = Berechnung(vorgabe, temlu, zweites);
    ASSERT_TRUE(std::holds_alternative<MoistAirState>(ergebnis)) << temlu << " " << zweites;
    const MoistAirState s = std::get<MoistAirState>(ergebnis);
    const BereichArt art = s.temlu <= 50 && s.x <= 0.03 ? BereichArt::Klima : BereichArt::Trocknung;
    const Karte karte(BereichVon(art));
    ASSERT_TRUE(karte.ImRahmen(s.x, Ordinate(s.temlu, s.x)));
    const Mm p = karte.Zustand(s.temlu, s.x);
    const std::tuple<const char*, std::vector<Linie>> linien[] = {
        {"Isotherme", Isotherme(karte, s.temlu)},
        {"Feuchte", Feuchtelinie(karte, s.rf)},
        {"Isenthalpe", Isenthalpe(karte, s.h1)},
        {"Dichte", Dichtelinie(karte, s.rhofl)},
    };
    for (const auto& [name, linie] : linien) {
      const double d = Abstand(p, linie);
      EXPECT_LE(d, kToleranz) << name << " at " << temlu << " " << zweites;
      groesste = std::max(groesste, d);
    }

    // The wet-bulb line reaches saturation at the engine's temkg and xkg,
    // and the air lies on it within the enthalpy tolerance that ended the
    // engine's search (exactly, in the wet-bulb mode).
    const std::optional<Kuehlgrenzlinie> kg = KuehlgrenzlinieVon(s);
    ASSERT_TRUE(kg);
    EXPECT_DOUBLE_EQ(kg->xSatt, s.xkg);
    EXPECT_NEAR(kg->xSatt - kg->xLuft, s.xkgminusx, 1e-15);
    const double dh = cpL * std::fabs(Ordinate(s.temlu, s.x) - kg->yLuft);
    EXPECT_LT(dh, std::min(1.0, 0.001 * s.h1) + 1e-6) << temlu << " " << zweites;
    naechst = std::max(naechst, std::hypot(p.x - karte.Abbild(kg->xLuft, kg->yLuft).x,
                                           p.y - karte.Abbild(kg->xLuft, kg->yLuft).y));
    // A wet-bulb state below 0 degrees Celsius lies below the chart.
    if (s.temkg < 0) continue;
    const Mm satt = karte.Abbild(kg->xSatt, kg->ySatt);
    EXPECT_LE(Abstand(satt, Saettigungslinie(karte)), kToleranz) << temlu << " " << zweites;
    EXPECT_LE(Abstand(satt, Isotherme(karte, s.temkg)), kToleranz) << temlu << " " << zweites;
  }
  std::printf("largest distance to a drawn line: %.6f mm; to the wet-bulb balance line: %.3f mm\n",
              groesste, naechst);
}

TEST(Geometrie, RahmenUndRandmassstab) {
  // The frame reaches up to the isotherm of tMax at xMax.
  EXPECT_NEAR(Karte(BereichVon(BereichArt::Trocknung)).yOben(), 311.04, 0.005);
  EXPECT_NEAR(Karte(BereichVon(BereichArt::Klima)).yOben(), 52.78, 0.005);
  for (BereichArt art : {BereichArt::Klima, BereichArt::Trocknung}) {
    const Karte karte(BereichVon(art));
    const std::vector<Randmarke> marken = Randmassstab(karte);
    ASSERT_EQ(marken.size(), karte.bereich().randwerte.size());
    for (const Randmarke& m : marken) {
      // From the pole at (0, 0), the ray rises by (q - r0) / cpL per unit of x.
      const double x = karte.XAus(m.rand.x), y = karte.YAus(m.rand.y);
      EXPECT_NEAR(y / x, (m.q - r0) / cpL, 1e-9 * std::fabs((m.q - r0) / cpL) + 1e-9) << m.q;
      const bool aufRand = std::fabs(m.rand.y - Karte::kOben) < 1e-9 ||
                           std::fabs(m.rand.x - Karte::kRechts) < 1e-9 ||
                           std::fabs(m.rand.y - Karte::kStreifenUnten) < 1e-9;
      EXPECT_TRUE(aufRand) << m.q;
    }
    // No line below 0 degrees Celsius: everything stays in the frame.
    for (const Linie& l : Nebelisotherme(karte, 10)) {
      for (const Mm& p : l) EXPECT_LE(p.y, Karte::kUnten + 1e-9);
    }
  }
}

TEST(Reihe, VieleWerdenGezaehltStattGehalten) {
  const MoistAirState s = std::get<MoistAirState>(Berechnung(Vorgabe::Feuchte, 20, 0.5));
  Reihe reihe(3);
  reihe.Punkt(s, "a");
  reihe.Fehlerzeile();
  MoistAirState dritte = std::get<MoistAirState>(Berechnung(Vorgabe::Feuchte, 30, 0.4));
  reihe.Punkt(dritte);
  EXPECT_DOUBLE_EQ(reihe.Kuehlgrenzpunkt()->temlu, 30);
  for (std::size_t i = 0; i < kEinzelpunkteMax; ++i) reihe.Punkt(s, "b");
  EXPECT_FALSE(reihe.Einzeln());
  EXPECT_TRUE(reihe.Einzelpunkte().empty());
  EXPECT_EQ(reihe.Fehlerzeilen(), 1);
  long long summe = 0;
  for (std::uint32_t n : reihe.Haeufigkeit(BereichArt::Klima).anzahl) summe += n;
  EXPECT_EQ(summe, reihe.Punkte());

  // Without a named row, only a lone point gets its wet-bulb line.
  Reihe zwei;
  zwei.Punkt(s);
  EXPECT_TRUE(zwei.Kuehlgrenzpunkt());
  zwei.Punkt(s);
  EXPECT_FALSE(zwei.Kuehlgrenzpunkt());
}

TEST(Reihe, BeschriftungWirdGueltigesXml) {
  const std::string vierzigA(40, 'a');
  // clang-format off
  const std::pair<std::string, std::string> faelle[] = {
      {"Halle 3", "Halle 3"},
      {"a\tb\x01" "c", "a b c"},
      {"\xE4" "rger", "\xEF\xBF\xBD" "rger"},         // Windows-1252 ä, no UTF-8
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},        // overlong slash
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
      {vierzigA + "b", vierzigA},
      {std::string(39, 'a') + "\xC3\xA4", std::string(39, 'a')},  // ä does not fit whole
  };
  // clang-format on
  for (const auto& [roh, erwartet] : faelle) EXPECT_EQ(SaubereBeschriftung(roh), erwartet) << roh;
}

}  // namespace
}  // namespace dunstwerk::diagramm
