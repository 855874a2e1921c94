#include "app/diagramm/svg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "engine/zahlmuster.h"

namespace dunstwerk::diagramm {
namespace {

constexpr std::string_view kSchrift = "Liberation Sans, Arial, Helvetica, sans-serif";
constexpr double kKlein = 3;     // mm, scale labels and notes
constexpr double kMittel = 3.5;  // mm, axis names
constexpr double kTitel = 4.5;   // mm
constexpr double kPunktRadius = 0.8;

// Numbers of the drawing: fixed to 0.01 mm, trailing zeros dropped, never
// "-0". to_chars, unlike printf, ignores the locale.
void Zahl(std::string& o, double v) {
  char puffer[48];
  const auto ende =
      std::to_chars(puffer, puffer + sizeof puffer, v, std::chars_format::fixed, 2).ptr;
  std::string_view s(puffer, static_cast<std::size_t>(ende - puffer));
  while (s.back() == '0') s.remove_suffix(1);
  if (s.back() == '.') s.remove_suffix(1);
  if (s == "-0") s = "0";
  o.append(s);
}

// Numbers of the texts, as the window writes them: decimal comma.
std::string Wert(double v, int stellen) { return FormatiereMuster(v, stellen, ","); }

void Escaped(std::string& o, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        o += "&amp;";
        break;
      case '<':
        o += "&lt;";
        break;
      case '>':
        o += "&gt;";
        break;
      case '"':
        o += "&quot;";
        break;
      default:
        o.push_back(c);
    }
  }
}

// Width of a text in em of Liberation Sans (Arial's metrics), a little
// generous: digits and most lower-case letters are 0.556 em.
double Breite(std::string_view text) {
  double em = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) == 0x80) continue;  // inside a UTF-8 character
    if (c >= 0x80) {
      em += 0.7;
    } else if (c == ' ' || c == ',' || c == '.' || c == ':' || c == 'i' || c == 'l' || c == 'j' ||
               c == 'I' || c == '/') {
      em += 0.28;
    } else if (c == 'f' || c == 't' || c == 'r' || c == '-' || c == '(' || c == ')') {
      em += 0.34;
    } else if (c == 'm' || c == 'w' || c == 'M' || c == 'W' || c == '%') {
      em += 0.89;
    } else if (c >= 'A' && c <= 'Z') {
      em += 0.7;
    } else {
      em += 0.56;
    }
  }
  return em * 1.04;
}

// A text as drawn: the anchor on its baseline, rotated about the anchor.
struct Text {
  std::string text;
  double x = 0, y = 0;
  double groesse = kKlein;
  std::string_view anker = "start";  // start, middle or end
  double winkel = 0;                 // degrees, clockwise
  std::string_view farbe = "#000";
};

// The box a text covers, with a little room around it, as a rotated
// rectangle: centre, half sides, direction.
struct Kasten {
  double cx, cy, hx, hy, c, s;
};

Kasten KastenVon(const Text& t) {
  constexpr double kLuft = 0.3;
  const double w = Breite(t.text) * t.groesse;
  const double oben = 0.74 * t.groesse, unten = 0.22 * t.groesse;
  const double links = t.anker == "start" ? 0 : (t.anker == "middle" ? -w / 2 : -w);
  const double lx = links + w / 2, ly = (unten - oben) / 2;
  const double rad = t.winkel * std::numbers::pi / 180;
  const double c = std::cos(rad), s = std::sin(rad);
  return {t.x + c * lx - s * ly,
          t.y + s * lx + c * ly,
          w / 2 + kLuft,
          (oben + unten) / 2 + kLuft,
          c,
          s};
}

Kasten KastenUm(Mm p, double halb) { return {p.x, p.y, halb, halb, 1, 0}; }

// Separating axes of two rotated rectangles.
bool Ueberlappen(const Kasten& a, const Kasten& b) {
  const double dx = b.cx - a.cx, dy = b.cy - a.cy;
  const std::array<std::array<double, 2>, 4> achsen{
      {{a.c, a.s}, {-a.s, a.c}, {b.c, b.s}, {-b.s, b.c}}};
  for (const auto& n : achsen) {
    const double ra =
        a.hx * std::fabs(a.c * n[0] + a.s * n[1]) + a.hy * std::fabs(-a.s * n[0] + a.c * n[1]);
    const double rb =
        b.hx * std::fabs(b.c * n[0] + b.s * n[1]) + b.hy * std::fabs(-b.s * n[0] + b.c * n[1]);
    if (std::fabs(dx * n[0] + dy * n[1]) > ra + rb) return false;
  }
  return true;
}

bool AufDerSeite(const Kasten& k) {
  const double rx = k.hx * std::fabs(k.c) + k.hy * std::fabs(k.s);
  const double ry = k.hx * std::fabs(k.s) + k.hy * std::fabs(k.c);
  return k.cx - rx >= 0 && k.cx + rx <= kSeiteBreite && k.cy - ry >= 0 && k.cy + ry <= kSeiteHoehe;
}

// Greedy placement: a text takes its place only where it covers no text or
// point placed before it; otherwise the caller tries its next place or
// leaves it out. Texts that matter more come first.
class Beschriftung {
 public:
  void Sperre(const Kasten& k) { belegt_.push_back(k); }
  bool Setze(const Text& t) {
    const Kasten k = KastenVon(t);
    if (!AufDerSeite(k)) return false;
    for (const Kasten& b : belegt_) {
      if (Ueberlappen(k, b)) return false;
    }
    belegt_.push_back(k);
    texte_.push_back(t);
    return true;
  }
  const std::vector<Text>& Texte() const { return texte_; }

 private:
  std::vector<Kasten> belegt_;
  std::vector<Text> texte_;
};

// Writes into a buffer that goes out in pieces.
class Svg {
 public:
  explicit Svg(Ausgabe& ausgabe) : ausgabe_(ausgabe) {}
  std::string o;
  void Leeren(bool alles = false) {
    if (o.size() < (alles ? 1 : 64 * 1024)) return;
    if (ok_) ok_ = ausgabe_.Schreibe(o);
    o.clear();
  }
  bool Ok() const { return ok_; }

  void Pfad(const Linie& linie) {
    o += "<path d=\"M";
    for (std::size_t i = 0; i < linie.size(); ++i) {
      if (i > 0) o.push_back(' ');
      Zahl(o, linie[i].x);
      o.push_back(' ');
      Zahl(o, linie[i].y);
    }
    o += "\"/>\n";
    Leeren();
  }
  void Pfade(const std::vector<Linie>& linien) {
    for (const Linie& l : linien) Pfad(l);
  }
  void Strecke(Mm a, Mm b) { Pfad({a, b}); }
  void Gruppe(std::string_view attribute) {
    o += "<g ";
    o += attribute;
    o += ">\n";
  }
  void GruppeEnde() { o += "</g>\n"; }
  void Rechteck(double x, double y, double w, double h, std::string_view attribute) {
    o += "<rect x=\"";
    Zahl(o, x);
    o += "\" y=\"";
    Zahl(o, y);
    o += "\" width=\"";
    Zahl(o, w);
    o += "\" height=\"";
    Zahl(o, h);
    o += "\" ";
    o += attribute;
    o += "/>\n";
    Leeren();
  }
  void Kreis(Mm p, double r, std::string_view fuellung) {
    o += "<circle cx=\"";
    Zahl(o, p.x);
    o += "\" cy=\"";
    Zahl(o, p.y);
    o += "\" r=\"";
    Zahl(o, r);
    o += "\" fill=\"";
    o += fuellung;
    o += "\"/>\n";
    Leeren();
  }
  void Schrift(const Text& t, bool halo) {
    o += "<text x=\"";
    Zahl(o, t.x);
    o += "\" y=\"";
    Zahl(o, t.y);
    o += "\" font-size=\"";
    Zahl(o, t.groesse);
    o += "\"";
    if (t.anker != "start") {
      o += " text-anchor=\"";
      o += t.anker;
      o += "\"";
    }
    if (t.winkel != 0) {
      o += " transform=\"rotate(";
      Zahl(o, t.winkel);
      o.push_back(' ');
      Zahl(o, t.x);
      o.push_back(' ');
      Zahl(o, t.y);
      o += ")\"";
    }
    if (!halo && t.farbe != "#000") {
      o += " fill=\"";
      o += t.farbe;
      o += "\"";
    }
    o += ">";
    Escaped(o, t.text);
    o += "</text>\n";
    Leeren();
  }

 private:
  Ausgabe& ausgabe_;
  bool ok_ = true;
};

// Colour of the i-th of n points: from blue for the first to red for the last.
std::string Farbe(long long i, long long n) {
  constexpr int von[3] = {0x1f, 0x4e, 0xc8}, bis[3] = {0xd0, 0x25, 0x25};
  const long long teil = n > 1 ? n - 1 : 1;
  std::string farbe = "#";
  constexpr char kHex[] = "0123456789abcdef";
  for (int k = 0; k < 3; ++k) {
    const long long wert = (von[k] * (teil - i) + bis[k] * i) / teil;
    farbe.push_back(kHex[wert / 16]);
    farbe.push_back(kHex[wert % 16]);
  }
  return farbe;
}

// The shading's classes by decade of the count: 1 to 9, 10 to 99, ...
constexpr std::array<std::string_view, 7> kStufen{"#fff3b0", "#fdd06a", "#f99a3c", "#e8542a",
                                                  "#b81c2e", "#6e0f3a", "#2e0a2a"};
int Stufe(std::uint32_t n) {
  int stufe = 0;
  for (; n >= 10 && stufe + 1 < static_cast<int>(kStufen.size()); n /= 10) ++stufe;
  return stufe;
}

// Angle of a line on the page, degrees, turned so that its text reads from
// left to right.
double Winkel(Mm a, Mm b) {
  double w = std::atan2(b.y - a.y, b.x - a.x) * 180 / std::numbers::pi;
  if (w > 90) w -= 180;
  if (w < -90) w += 180;
  return w;
}

// The point at the given share of a polyline's length, and the direction
// of the piece it lies on.
struct Stelle {
  Mm p, a, b;
};
Stelle StelleAuf(const Linie& l, double anteil) {
  double gesamt = 0;
  for (std::size_t i = 1; i < l.size(); ++i)
    gesamt += std::hypot(l[i].x - l[i - 1].x, l[i].y - l[i - 1].y);
  double rest = gesamt * anteil;
  for (std::size_t i = 1; i < l.size(); ++i) {
    const double d = std::hypot(l[i].x - l[i - 1].x, l[i].y - l[i - 1].y);
    if (rest <= d || i + 1 == l.size()) {
      const double u = d > 0 ? std::min(rest / d, 1.0) : 0;
      return {{l[i - 1].x + u * (l[i].x - l[i - 1].x), l[i - 1].y + u * (l[i].y - l[i - 1].y)},
              l[i - 1],
              l[i]};
    }
    rest -= d;
  }
  return {l.front(), l.front(), l.back()};
}

// A text centred on a line at a point of it, along the line.
Text AufLinie(std::string text, const Stelle& st, std::string_view farbe) {
  Text t;
  t.text = std::move(text);
  t.anker = "middle";
  t.winkel = Winkel(st.a, st.b);
  const double rad = t.winkel * std::numbers::pi / 180;
  // The baseline lies below the centre by half the height of the capitals.
  const double tief = 0.36 * t.groesse;
  t.x = st.p.x - std::sin(rad) * tief;
  t.y = st.p.y + std::cos(rad) * tief;
  t.farbe = farbe;
  return t;
}

// Tries the shares in turn, on the longest piece of the line.
void BeschrifteLinie(Beschriftung& b, const std::vector<Linie>& linien, const std::string& text,
                     std::string_view farbe, std::initializer_list<double> anteile) {
  if (linien.empty()) return;
  const Linie& l = linien.back();
  for (double anteil : anteile) {
    if (b.Setze(AufLinie(text, StelleAuf(l, anteil), farbe))) return;
  }
}

Text Links(std::string text, double x, double y, double groesse = kKlein) {
  Text t;
  t.text = std::move(text);
  t.x = x;
  t.y = y;
  t.groesse = groesse;
  return t;
}
Text Mitte(std::string text, double x, double y, double groesse = kKlein) {
  Text t = Links(std::move(text), x, y, groesse);
  t.anker = "middle";
  return t;
}
Text Rechts(std::string text, double x, double y, double groesse = kKlein) {
  Text t = Links(std::move(text), x, y, groesse);
  t.anker = "end";
  return t;
}

// Whole numbers as they are, others with the decimals they need.
std::string Kurz(double v) {
  for (int stellen = 0; stellen < 3; ++stellen) {
    const double skaliert = v * std::pow(10, stellen);
    if (std::fabs(skaliert - std::round(skaliert)) < 1e-9) return Wert(v, stellen);
  }
  return Wert(v, 3);
}

constexpr std::string_view kFeuchte = "#1a5fb4";
constexpr std::string_view kEnthalpie = "#a0522d";
constexpr std::string_view kDichte = "#2e7d32";

}  // namespace

BereichArt GewaehlterBereich(const Reihe& reihe, BereichWahl wahl) {
  if (wahl == BereichWahl::Klima) return BereichArt::Klima;
  if (wahl == BereichWahl::Trocknung) return BereichArt::Trocknung;
  return reihe.Haeufigkeit(BereichArt::Klima).ausserhalb == 0 ? BereichArt::Klima
                                                              : BereichArt::Trocknung;
}

bool SchreibeSvg(const Reihe& reihe, const DiagrammOptionen& optionen, Ausgabe& ausgabe) {
  const Bereich& bereich = BereichVon(GewaehlterBereich(reihe, optionen.bereich));
  const Karte karte(bereich);
  const Raster& raster = reihe.Haeufigkeit(bereich.art);
  const bool einzeln = reihe.Einzeln();
  Svg svg(ausgabe);
  std::string& o = svg.o;
  Beschriftung beschriftung;

  o += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
       "version=\"1.1\" width=\"297mm\" height=\"210mm\" viewBox=\"0 0 297 210\">\n"
       "<title>Mollier-h,x-Diagramm feuchter Luft, p = 1 bar</title>\n";
  svg.Rechteck(0, 0, kSeiteBreite, kSeiteHoehe, "fill=\"#fff\"");

  // Shading below the lines, so that they stay readable over it.
  if (!einzeln) {
    for (int z = 0; z < raster.zeilen; ++z) {
      for (int s = 0; s < raster.spalten; ++s) {
        const std::uint32_t n = raster.anzahl[static_cast<std::size_t>(z) * raster.spalten + s];
        if (n == 0) continue;
        std::string fuellung = "fill=\"";
        fuellung += kStufen[static_cast<std::size_t>(Stufe(n))];
        fuellung += "\"";
        svg.Rechteck(Karte::kLinks + s * kZelle, Karte::kOben + z * kZelle, kZelle, kZelle,
                     fuellung);
      }
    }
  }

  // Vertical lines of constant x.
  const double xMaxG = bereich.xMax * 1000;
  const auto xLinien = static_cast<int>(std::lround(xMaxG / bereich.xLinien));
  svg.Gruppe("fill=\"none\" stroke=\"#b0b0b0\" stroke-width=\"0.1\"");
  for (int i = 1; i < xLinien; ++i) {
    const double x = karte.Abbild(i * bereich.xLinien / 1000, 0).x;
    svg.Strecke({x, Karte::kOben}, {x, Karte::kUnten});
  }
  svg.GruppeEnde();

  // Isenthalps, from the frame's bottom left corner to its top right one.
  const double hMax = cpL * karte.yOben() + r0 * bereich.xMax;
  std::vector<std::pair<double, std::vector<Linie>>> isenthalpen;
  for (double h = bereich.isenthalpenSchritt; h < hMax; h += bereich.isenthalpenSchritt) {
    isenthalpen.emplace_back(h, Isenthalpe(karte, h));
  }
  svg.Gruppe("fill=\"none\" stroke=\"#a0522d\" stroke-width=\"0.12\"");
  for (const auto& [h, linien] : isenthalpen) svg.Pfade(linien);
  svg.GruppeEnde();

  // Density lines.
  std::vector<std::pair<double, std::vector<Linie>>> dichten;
  const auto dichteZahl = static_cast<int>(
      std::lround((bereich.dichteBis - bereich.dichteVon) / bereich.dichteSchritt));
  for (int i = 0; i <= dichteZahl; ++i) {
    const double rho = bereich.dichteVon + i * bereich.dichteSchritt;
    dichten.emplace_back(rho, Dichtelinie(karte, rho));
  }
  svg.Gruppe("fill=\"none\" stroke=\"#2e7d32\" stroke-width=\"0.12\" stroke-dasharray=\"1.2 0.8\"");
  for (const auto& [rho, linien] : dichten) svg.Pfade(linien);
  svg.GruppeEnde();

  // Isotherms, heavier where labelled, and their continuation in the fog.
  const auto isothermen = static_cast<int>(std::floor(karte.yOben() / bereich.isothermenSchritt));
  const auto jeBeschriftung =
      static_cast<int>(std::lround(bereich.isothermenBeschriftung / bereich.isothermenSchritt));
  for (int stark = 0; stark < 2; ++stark) {
    svg.Gruppe(stark ? "fill=\"none\" stroke=\"#303030\" stroke-width=\"0.25\""
                     : "fill=\"none\" stroke=\"#303030\" stroke-width=\"0.1\"");
    for (int i = 1; i <= isothermen; ++i) {
      if ((i % jeBeschriftung == 0) != (stark == 1)) continue;
      svg.Pfade(Isotherme(karte, i * bereich.isothermenSchritt));
    }
    svg.GruppeEnde();
  }
  svg.Gruppe("fill=\"none\" stroke=\"#303030\" stroke-width=\"0.12\" stroke-dasharray=\"0.8 0.6\"");
  for (int i = jeBeschriftung; i <= isothermen; i += jeBeschriftung) {
    svg.Pfade(Nebelisotherme(karte, i * bereich.isothermenSchritt));
  }
  svg.GruppeEnde();

  // Relative humidity, then saturation over all.
  std::vector<std::pair<double, std::vector<Linie>>> feuchten;
  for (double phi : bereich.feuchten) feuchten.emplace_back(phi, Feuchtelinie(karte, phi));
  svg.Gruppe("fill=\"none\" stroke=\"#1a5fb4\" stroke-width=\"0.22\"");
  for (const auto& [phi, linien] : feuchten) svg.Pfade(linien);
  svg.GruppeEnde();
  const std::vector<Linie> saettigung = Saettigungslinie(karte);
  svg.Gruppe("fill=\"none\" stroke=\"#000\" stroke-width=\"0.6\"");
  svg.Pfade(saettigung);
  svg.GruppeEnde();

  // Frame, strip, scales.
  svg.Gruppe("fill=\"none\" stroke=\"#000\" stroke-width=\"0.3\"");
  svg.Rechteck(Karte::kLinks, Karte::kOben, Karte::kRechts - Karte::kLinks,
               Karte::kStreifenUnten - Karte::kOben, "");
  svg.Strecke({Karte::kLinks, Karte::kUnten}, {Karte::kRechts, Karte::kUnten});
  svg.GruppeEnde();
  const std::vector<Randmarke> rand = Randmassstab(karte);
  const std::vector<Teilstrich> pd = Partialdruckskala(karte);
  svg.Gruppe("fill=\"none\" stroke=\"#000\" stroke-width=\"0.2\"");
  for (const Randmarke& m : rand) svg.Strecke(m.rand, m.innen);
  for (const Teilstrich& t : pd) {
    svg.Strecke({t.mmX, Karte::kOben}, {t.mmX, Karte::kOben - (t.beschriftet ? 2 : 1)});
  }
  for (int i = 0; i <= xLinien; ++i) {
    const double x = karte.Abbild(i * bereich.xLinien / 1000, 0).x;
    svg.Strecke({x, Karte::kUnten}, {x, Karte::kUnten + 1});
  }
  svg.GruppeEnde();
  svg.Kreis(Pol(), 0.6, "#000");

  // The series. Its points go first into the placement, so that no text
  // covers one.
  const std::vector<Eintrag>& punkte = reihe.Einzelpunkte();
  std::vector<Mm> orte;
  std::vector<const Eintrag*> gezeigt;
  for (const Eintrag& e : punkte) {
    if (!karte.ImRahmen(e.x, Ordinate(e.temlu, e.x))) continue;
    orte.push_back(karte.Zustand(e.temlu, e.x));
    gezeigt.push_back(&e);
    beschriftung.Sperre(KastenUm(orte.back(), kPunktRadius));
  }
  if (optionen.verbinden && orte.size() > 1) {
    svg.Gruppe("fill=\"none\" stroke=\"#606060\" stroke-width=\"0.2\"");
    svg.Pfad(orte);
    svg.GruppeEnde();
  }
  std::vector<Text> kuehlgrenzTexte;
  bool kuehlgrenzAusserhalb = false;
  if (const auto& s = reihe.Kuehlgrenzpunkt()) {
    kuehlgrenzAusserhalb = true;
    const std::optional<Kuehlgrenzlinie> kg = KuehlgrenzlinieVon(*s);
    if (kg && karte.ImRahmen(kg->xLuft, kg->yLuft) && karte.ImRahmen(kg->xSatt, kg->ySatt)) {
      const Mm luft = karte.Abbild(kg->xLuft, kg->yLuft);
      const Mm satt = karte.Abbild(kg->xSatt, kg->ySatt);
      // The uptake capacity as a dimension line at the height of the
      // wet-bulb state, from the air's x to saturation.
      const Mm fuss{luft.x, satt.y};
      svg.Gruppe("fill=\"none\" stroke=\"#c01c28\" stroke-width=\"0.3\"");
      svg.Strecke(luft, satt);
      svg.Strecke(fuss, satt);
      svg.Strecke({fuss.x, fuss.y - 1}, {fuss.x, fuss.y + 1});
      svg.Strecke({satt.x, satt.y - 1}, {satt.x, satt.y + 1});
      svg.GruppeEnde();
      svg.Gruppe(
          "fill=\"none\" stroke=\"#c01c28\" stroke-width=\"0.15\" stroke-dasharray=\"0.6 0.6\"");
      svg.Strecke(luft, fuss);
      svg.GruppeEnde();
      svg.Kreis(satt, 0.5, "#c01c28");
      beschriftung.Sperre(KastenUm(satt, 0.5));
      Text tkg = Links("tkg = " + Wert(s->temkg, 2) + " °C", satt.x + 1.2, satt.y + 1.1);
      tkg.farbe = "#c01c28";
      // Below the dimension line, ending under the saturation point.
      Text dx = Rechts("xkg − x = " + Wert(s->xkgminusx, 5) + " kg/kg", satt.x - 1, satt.y + 3.6);
      dx.farbe = "#c01c28";
      kuehlgrenzTexte = {tkg, dx};
      kuehlgrenzAusserhalb = false;
    }
  }
  for (std::size_t i = 0; i < orte.size(); ++i) {
    svg.Kreis(orte[i], kPunktRadius,
              Farbe(static_cast<long long>(i), static_cast<long long>(orte.size())));
  }

  // --- Texts, those that matter most first ---
  beschriftung.Setze(Links(bereich.art == BereichArt::Klima
                               ? "Mollier-h,x-Diagramm feuchter Luft, Klima (0 bis 50 °C)"
                               : "Mollier-h,x-Diagramm feuchter Luft, Trocknung (0 bis 200 °C)",
                           Karte::kLinks, 9, kTitel));
  beschriftung.Setze(Rechts("p = 1 bar (1000 hPa)", Karte::kRechts, 9, kTitel));
  for (const Text& t : kuehlgrenzTexte) beschriftung.Setze(t);

  // Notes below the chart, left; legends right.
  std::vector<std::string> notizen{
      "Berechnung lt. Marwold, Daten zur feuchten Luft - Trocknungstechnik, KX-Jahrbuch 1996, "
      "S. 128 - 135, ohne Gewähr",
      "Sättigungsdruck nach Magnus über Wasser, ab 100 °C extrapoliert; Linien: t in °C, "
      "φ in %, h in kJ/kg, ρ in kg/m³"};
  if (reihe.Fehlerzeilen() > 0) {
    notizen.push_back(std::to_string(reihe.Fehlerzeilen()) +
                      (reihe.Fehlerzeilen() == 1 ? " Zeile" : " Zeilen") +
                      " mit Fehler nicht eingetragen");
  }
  if (raster.ausserhalb > 0) {
    notizen.push_back(std::to_string(raster.ausserhalb) +
                      (raster.ausserhalb == 1 ? " Punkt liegt" : " Punkte liegen") +
                      " außerhalb des Diagramms");
  }
  if (kuehlgrenzAusserhalb) {
    // A wet-bulb state below 0 degrees Celsius, say, lies outside the chart.
    notizen.push_back("Kühlgrenzlinie liegt außerhalb des Diagramms (tkg = " +
                      Wert(reihe.Kuehlgrenzpunkt()->temkg, 2) + " °C)");
  }
  if (!einzeln && optionen.verbinden) {
    notizen.push_back("Mehr als " + std::to_string(kEinzelpunkteMax) +
                      " Punkte: Häufigkeit statt Verbindungslinie");
  }
  double zeile = 190.5;
  for (const std::string& n : notizen) {
    beschriftung.Setze(Links(n, Karte::kLinks, zeile));
    zeile += 3.6;
  }
  const double legendeX = 222;
  if (einzeln && !orte.empty()) {
    // The colour of the order, first to last.
    for (int k = 0; k < 8; ++k) {
      svg.Rechteck(legendeX + k * 3, 191.5, 3, 2.5, "fill=\"" + Farbe(k, 8) + "\"");
    }
    beschriftung.Sperre({legendeX + 12, 192.75, 12, 1.25, 1, 0});
    beschriftung.Setze(
        Rechts("Zeile " + std::to_string(gezeigt.front()->zeile), legendeX - 1, 193.9));
    beschriftung.Setze(
        Links("Zeile " + std::to_string(gezeigt.back()->zeile), legendeX + 25, 193.9));
    beschriftung.Setze(Links("Reihenfolge der Punkte", legendeX, 198.6));
  } else if (!einzeln) {
    std::uint32_t groesste = 0;
    for (std::uint32_t n : raster.anzahl) groesste = std::max(groesste, n);
    const int stufen = Stufe(groesste) + 1;
    for (int k = 0; k < stufen; ++k) {
      const double y = 188 + k * 3.6;
      std::string fuellung = "fill=\"";
      fuellung += kStufen[static_cast<std::size_t>(k)];
      fuellung += "\" stroke=\"#808080\" stroke-width=\"0.1\"";
      svg.Rechteck(legendeX + 22, y - 2.3, 3, 2.5, fuellung);
      const std::string von = k == 0 ? "1" : "1" + std::string(static_cast<std::size_t>(k), '0');
      const std::string bis = std::string(static_cast<std::size_t>(k + 1), '9');
      beschriftung.Setze(Links(k + 1 == stufen && k + 1 == static_cast<int>(kStufen.size())
                                   ? "ab " + von
                                   : von + " – " + bis,
                               legendeX + 26, y));
    }
    beschriftung.Setze(Rechts(std::to_string(reihe.Punkte()) + " Punkte,", legendeX + 21, 188));
    beschriftung.Setze(Rechts("je Feld 2 × 2 mm:", legendeX + 21, 191.6));
  }

  // Axis names and scales.
  beschriftung.Setze(Links("t in °C", 2, 19.5, kMittel));
  beschriftung.Setze(Rechts("Partialdruck pD in hPa", Karte::kRechts, 16.5, kMittel));
  beschriftung.Setze(Links("x in g/kg", Karte::kRechts + 1.5, Karte::kUnten + 3.6, kMittel));
  // In the strip, away from the pole, where the marks crowd.
  beschriftung.Setze(Rechts("Randmaßstab Δh/Δx in kJ/kg Wasser", Karte::kRechts - 2,
                            Karte::kUnten + 0.6 * (Karte::kStreifenUnten - Karte::kUnten)));
  for (int i = 0; i <= isothermen; i += jeBeschriftung) {
    const double t = i * bereich.isothermenSchritt;
    const double y = karte.Abbild(0, t).y;
    beschriftung.Setze(Rechts(Kurz(t), Karte::kLinks - 1, y + 0.36 * kKlein));
  }
  const auto xBeschriftung = static_cast<int>(std::lround(bereich.xBeschriftung / bereich.xLinien));
  for (int i = 0; i <= xLinien; i += xBeschriftung) {
    const double x = karte.Abbild(i * bereich.xLinien / 1000, 0).x;
    beschriftung.Setze(Mitte(Kurz(i * bereich.xLinien), x, Karte::kUnten + 3.6));
  }
  for (const Teilstrich& t : pd) {
    if (t.beschriftet) beschriftung.Setze(Mitte(Kurz(t.wert), t.mmX, Karte::kOben - 2.6));
  }
  for (const Randmarke& m : rand) {
    const std::string text = Kurz(m.q);
    switch (m.seite) {
      case Seite::Rechts:
        beschriftung.Setze(Links(text, m.rand.x + 1, m.rand.y + 0.36 * kKlein));
        break;
      case Seite::Unten:
        beschriftung.Setze(Mitte(text, m.rand.x, m.rand.y + 3.2));
        break;
      case Seite::Oben:
        beschriftung.Setze(Mitte(text, m.rand.x, m.rand.y + 3.6));
        break;
    }
  }
  beschriftung.Setze(Rechts("Pol", Pol().x - 1, Pol().y + 5));

  // The series' labels before the lines' ones: right of the point, else
  // left, above, below.
  for (std::size_t i = 0; i < gezeigt.size(); ++i) {
    const std::string& text = gezeigt[i]->beschriftung;
    if (text.empty()) continue;
    const Mm p = orte[i];
    const double mitte = p.y + 0.36 * kKlein;
    const double abstand = kPunktRadius + 0.7;
    if (beschriftung.Setze(Links(text, p.x + abstand, mitte))) continue;
    if (beschriftung.Setze(Rechts(text, p.x - abstand, mitte))) continue;
    // Above and below, clear of the texts to the right and left.
    if (beschriftung.Setze(Mitte(text, p.x, p.y - 2.8))) continue;
    beschriftung.Setze(Mitte(text, p.x, p.y + 4.9));
  }

  // Line labels inside the frame.
  BeschrifteLinie(beschriftung, saettigung, "φ = 100 %", "#000", {0.93, 0.8, 0.65, 0.5});
  for (const auto& [phi, linien] : feuchten) {
    BeschrifteLinie(beschriftung, linien, Kurz(phi * 100) + " %", kFeuchte, {0.93, 0.8, 0.65, 0.5});
  }
  for (const auto& [h, linien] : isenthalpen) {
    BeschrifteLinie(beschriftung, linien, Kurz(h), kEnthalpie, {0.9, 0.7, 0.5, 0.3});
  }
  for (const auto& [rho, linien] : dichten) {
    BeschrifteLinie(beschriftung, linien, Wert(rho, 2), kDichte, {0.12, 0.3, 0.5});
  }

  // Each text over a white copy of itself, which keeps it readable over lines.
  o += "<g font-family=\"";
  o += kSchrift;
  o += "\" fill=\"#fff\" stroke=\"#fff\" stroke-width=\"0.7\" stroke-linejoin=\"round\">\n";
  for (const Text& t : beschriftung.Texte()) svg.Schrift(t, true);
  o += "</g>\n<g font-family=\"";
  o += kSchrift;
  o += "\" fill=\"#000\">\n";
  for (const Text& t : beschriftung.Texte()) svg.Schrift(t, false);
  o += "</g>\n</svg>\n";
  svg.Leeren(true);
  return svg.Ok();
}

}  // namespace dunstwerk::diagramm
