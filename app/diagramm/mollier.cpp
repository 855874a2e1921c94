#include "app/diagramm/mollier.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "engine/primitives.h"

namespace dunstwerk::diagramm {
namespace {

// Density of vapour and of dry air at 0 degrees Celsius and 1 bar, and the
// kelvin zero the engine takes, as in its density relation.
constexpr double rhoDampf0 = 0.804;
constexpr double rhoLuft0 = 1.293;
constexpr int T0 = 273;

std::optional<double> Saettigungsgehalt(double t) {
  const double p = Saettigungsdruck(t);
  if (!(p < 1)) return std::nullopt;
  return DampfgehaltAusPartialdruck(p);
}

// The largest s in [von, bis] for which innen(s) holds, given that it holds
// at von and, once it fails, fails for every larger s.
double Grenze(const std::function<bool(double)>& innen, double von, double bis) {
  if (innen(bis)) return bis;
  for (int i = 0; i < 80; ++i) {
    const double mitte = (von + bis) / 2;
    if (innen(mitte)) {
      von = mitte;
    } else {
      bis = mitte;
    }
  }
  return von;
}

double Abstand(Mm p, Mm a, Mm b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double laenge = std::hypot(dx, dy);
  if (laenge == 0) return std::hypot(p.x - a.x, p.y - a.y);
  return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / laenge;
}

// Samples the curve f over [von, bis], halving each piece until its chord
// lies within the tolerance of the curve's midpoint.
constexpr double kSehnenfehler = 0.005;  // mm
void Teile(const std::function<Mm(double)>& f, double a, Mm pa, double b, Mm pb, int tiefe,
           Linie& linie) {
  const double m = (a + b) / 2;
  const Mm pm = f(m);
  if (tiefe < 24 && Abstand(pm, pa, pb) > kSehnenfehler) {
    Teile(f, a, pa, m, pm, tiefe + 1, linie);
    Teile(f, m, pm, b, pb, tiefe + 1, linie);
    return;
  }
  linie.push_back(pb);
}
Linie Abtasten(const std::function<Mm(double)>& f, double von, double bis) {
  // Sixteen pieces to begin with, so that no bend falls between two samples.
  constexpr int kAnfang = 16;
  Linie linie{f(von)};
  for (int i = 0; i < kAnfang; ++i) {
    const double a = von + (bis - von) * i / kAnfang;
    const double b = i + 1 == kAnfang ? bis : von + (bis - von) * (i + 1) / kAnfang;
    Teile(f, a, f(a), b, f(b), 0, linie);
  }
  return linie;
}

// Clips a polyline to the frame (Liang and Barsky, segment by segment); a
// line that leaves and comes back gives two pieces.
std::vector<Linie> Beschneiden(const Linie& linie) {
  constexpr double kRand = 1e-9;
  const double links = Karte::kLinks - kRand, rechts = Karte::kRechts + kRand;
  const double oben = Karte::kOben - kRand, unten = Karte::kUnten + kRand;
  std::vector<Linie> stuecke;
  bool offen = false;
  for (std::size_t i = 1; i < linie.size(); ++i) {
    const Mm a = linie[i - 1], b = linie[i];
    const double dx = b.x - a.x, dy = b.y - a.y;
    double u0 = 0, u1 = 1;
    bool sichtbar = true;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - links, rechts - a.x, a.y - oben, unten - a.y};
    for (int k = 0; k < 4 && sichtbar; ++k) {
      if (p[k] == 0) {
        if (q[k] < 0) sichtbar = false;
        continue;
      }
      const double r = q[k] / p[k];
      if (p[k] < 0) {
        if (r > u1) sichtbar = false;
        u0 = std::max(u0, r);
      } else {
        if (r < u0) sichtbar = false;
        u1 = std::min(u1, r);
      }
    }
    if (!sichtbar) {
      offen = false;
      continue;
    }
    const Mm anfang{a.x + u0 * dx, a.y + u0 * dy};
    const Mm ende{a.x + u1 * dx, a.y + u1 * dy};
    if (!offen || u0 > 0) {
      stuecke.push_back({anfang});
    }
    stuecke.back().push_back(ende);
    offen = u1 == 1;
  }
  // A piece that only touches the frame in a point is no line.
  std::erase_if(stuecke, [](const Linie& l) { return l.size() < 2; });
  return stuecke;
}

}  // namespace

double Enthalpie(double t, double x) { return (r0 + cpD * t) * x + cpL * t; }
double Ordinate(double t, double x) { return OrdinateAusEnthalpie(Enthalpie(t, x), x); }
double OrdinateAusEnthalpie(double h, double x) { return (h - r0 * x) / cpL; }

std::optional<double> DampfgehaltBeiFeuchte(double t, double phi) {
  const double pd = Saettigungsdruck(t) * phi;
  if (!(pd < 1)) return std::nullopt;
  return DampfgehaltAusPartialdruck(pd);
}

double Partialdruck(double x) { return x / (x + kMolmassenverhaeltnis); }
double DampfgehaltAusPartialdruck(double p) { return kMolmassenverhaeltnis * p / (1 - p); }

std::optional<double> KuehlgrenzOrdinate(double tk, double x) {
  const std::optional<double> xkg = Saettigungsgehalt(tk);
  if (!xkg) return std::nullopt;
  const double hkg = Enthalpie(tk, *xkg);
  // The water's heat in single precision, as the wet-bulb search holds it.
  const float wasserwaerme = static_cast<float>((*xkg - x) * (cW * tk));
  return OrdinateAusEnthalpie(hkg - static_cast<double>(wasserwaerme), x);
}

double Dichte(double t, double x) {
  const double pd = Partialdruck(x);
  return (rhoLuft0 * (1 - pd) + rhoDampf0 * pd) * (T0 / (T0 + t));
}

const Bereich& BereichVon(BereichArt art) {
  static const Bereich klima{
      BereichArt::Klima,
      50,
      0.030,
      {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9},
      1,
      5,
      10,
      1.10,
      1.28,
      0.02,
      1,
      2,
      1,
      5,
      {-4000, -2000, -1000, 0, 500, 1000, 1500, 2000, 2500, 3000, 4000, 6000, 10000}};
  static const Bereich trocknung{
      BereichArt::Trocknung,
      200,
      0.300,
      {0.01, 0.02, 0.05, 0.1, 0.2, 0.4, 0.6, 0.8},
      5,
      20,
      50,
      0.70,
      1.25,
      0.05,
      10,
      20,
      10,
      50,
      {-4000, -2000, -1000, 0, 500, 1000, 1500, 2000, 2500, 3000, 4000, 6000, 10000}};
  return art == BereichArt::Klima ? klima : trocknung;
}

Karte::Karte(const Bereich& bereich)
    : bereich_(bereich), yOben_(Ordinate(bereich.tMax, bereich.xMax)) {}

Mm Karte::Abbild(double x, double y) const {
  return {kLinks + x / bereich_.xMax * (kRechts - kLinks), kUnten - y / yOben_ * (kUnten - kOben)};
}
double Karte::XAus(double mmX) const { return (mmX - kLinks) / (kRechts - kLinks) * bereich_.xMax; }
double Karte::YAus(double mmY) const { return (kUnten - mmY) / (kUnten - kOben) * yOben_; }
bool Karte::ImRahmen(double x, double y) const {
  return x >= 0 && x <= bereich_.xMax && y >= 0 && y <= yOben_;
}

std::vector<Linie> Isotherme(const Karte& karte, double t) {
  const double xEnde = std::min(Saettigungsgehalt(t).value_or(INFINITY), karte.bereich().xMax);
  return Beschneiden({karte.Zustand(t, 0), karte.Zustand(t, xEnde)});
}

std::vector<Linie> Nebelisotherme(const Karte& karte, double t) {
  const std::optional<double> xs = Saettigungsgehalt(t);
  const double xMax = karte.bereich().xMax;
  if (!xs || *xs >= xMax) return {};
  return Beschneiden({karte.Abbild(*xs, *KuehlgrenzOrdinate(t, *xs)),
                      karte.Abbild(xMax, *KuehlgrenzOrdinate(t, xMax))});
}

namespace {

// A curve of constant relative humidity, saturation included, from
// 0 degrees Celsius until it leaves the frame.
std::vector<Linie> Feuchtekurve(const Karte& karte, double phi) {
  const auto innen = [&](double t) {
    const std::optional<double> x = DampfgehaltBeiFeuchte(t, phi);
    return x && karte.ImRahmen(*x, Ordinate(t, *x));
  };
  if (!innen(0)) return {};
  const double tEnde = Grenze(innen, 0, karte.yOben());
  return Beschneiden(Abtasten(
      [&](double t) {
        const double x = *DampfgehaltBeiFeuchte(t, phi);
        return karte.Zustand(t, x);
      },
      0, tEnde));
}

}  // namespace

std::vector<Linie> Saettigungslinie(const Karte& karte) { return Feuchtekurve(karte, 1); }
std::vector<Linie> Feuchtelinie(const Karte& karte, double phi) { return Feuchtekurve(karte, phi); }

std::vector<Linie> Isenthalpe(const Karte& karte, double h) {
  return Beschneiden({karte.Abbild(0, OrdinateAusEnthalpie(h, 0)), karte.Abbild(h / r0, 0)});
}

std::vector<Linie> Dichtelinie(const Karte& karte, double rho) {
  // The density relation solved for the temperature at the vapour content x.
  const auto temperatur = [rho](double x) {
    const double pd = Partialdruck(x);
    return (rhoLuft0 * (1 - pd) + rhoDampf0 * pd) * T0 / rho - T0;
  };
  const auto innen = [&](double x) {
    const double t = temperatur(x);
    const std::optional<double> xs = Saettigungsgehalt(t);
    return t >= 0 && (!xs || x <= *xs);
  };
  if (!innen(0)) return {};
  const double xEnde = Grenze(innen, 0, karte.bereich().xMax);
  return Beschneiden(Abtasten([&](double x) { return karte.Zustand(temperatur(x), x); }, 0, xEnde));
}

std::optional<Kuehlgrenzlinie> KuehlgrenzlinieVon(const MoistAirState& s) {
  const std::optional<double> xs = Saettigungsgehalt(s.temkg);
  if (!xs) return std::nullopt;
  return Kuehlgrenzlinie{s.x, *KuehlgrenzOrdinate(s.temkg, s.x), *xs, Ordinate(s.temkg, *xs)};
}

Mm Pol() { return {Karte::kLinks, Karte::kUnten}; }

std::vector<Randmarke> Randmassstab(const Karte& karte) {
  const double mmJeX = (Karte::kRechts - Karte::kLinks) / karte.bereich().xMax;
  const double mmJeK = (Karte::kUnten - Karte::kOben) / karte.yOben();
  const Mm pol = Pol();
  std::vector<Randmarke> marken;
  for (double q : karte.bereich().randwerte) {
    const double dx = mmJeX, dy = -mmJeK * (q - r0) / cpL;
    // The first of the three sides the ray from the pole meets.
    double weg = (Karte::kRechts - pol.x) / dx;
    Seite seite = Seite::Rechts;
    if (dy < 0 && (Karte::kOben - pol.y) / dy < weg) {
      weg = (Karte::kOben - pol.y) / dy;
      seite = Seite::Oben;
    } else if (dy > 0 && (Karte::kStreifenUnten - pol.y) / dy < weg) {
      weg = (Karte::kStreifenUnten - pol.y) / dy;
      seite = Seite::Unten;
    }
    const Mm rand{pol.x + weg * dx, pol.y + weg * dy};
    const double laenge = std::hypot(dx, dy);
    constexpr double kStrich = 2.5;
    marken.push_back(
        {q, rand, {rand.x - kStrich * dx / laenge, rand.y - kStrich * dy / laenge}, seite});
  }
  return marken;
}

std::vector<Teilstrich> Partialdruckskala(const Karte& karte) {
  const Bereich& b = karte.bereich();
  std::vector<Teilstrich> striche;
  // Counted in whole ticks, so that the labelled ones are found exactly.
  const auto jeBeschriftung = static_cast<int>(std::lround(b.pdBeschriftung / b.pdStrich));
  for (int i = 0;; ++i) {
    const double hPa = i * b.pdStrich;
    const double x = DampfgehaltAusPartialdruck(hPa / 1000);
    if (x > b.xMax) break;
    striche.push_back({hPa, karte.Abbild(x, 0).x, i % jeBeschriftung == 0});
  }
  return striche;
}

}  // namespace dunstwerk::diagramm
