#include "engine/rechenkern.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/anzeige.h"
#include "engine/grenzen.h"
#include "engine/primitives.h"
#include "engine/taupunkt.h"

namespace dunstwerk {
namespace {

// The relations below are the h,x relations of moist air as an ideal mixture
// of dry air and water vapour (Mollier, 1923), in the form textbooks of
// thermodynamics give them (Baehr and Kabelac, Thermodynamik, the chapter on
// moist air); the constants are the rounded handbook values that go with
// that form (VDI-Waermeatlas).

// Specific heat of dry air, kJ/(kg K).
constexpr double cpL = 1.005;
// Specific heat of water vapour, kJ/(kg K).
constexpr double cpD = 1.86;
// Latent heat of evaporation at 0 degrees Celsius, kJ/kg, a whole number.
// Each use adds it to a double, which holds it exactly.
constexpr int r0 = 2500;
// Specific heat of liquid water, kJ/(kg K). Held in single precision: it
// enters the arithmetic as 4.190000057220459, and the shown relative humidity
// of the wet-bulb mode depends on that in its last digit.
constexpr float cW = 4.19f;
static_assert(static_cast<double>(cW) == 4.190000057220459);
// Ratio of the molar masses of water and dry air.
constexpr double kMolmassenverhaeltnis = 0.622;
// Densities at 0 degrees Celsius and 1 bar, kg per cubic metre.
constexpr double rhoDampf0 = 0.804;  // water vapour
constexpr double rhoLuft0 = 1.293;   // dry air
// Zero of the kelvin scale in degrees Celsius; the integer, not 273.15.
constexpr int T0 = 273;

// At a total pressure of 1 bar the vapour partial pressure in bar is the mole
// fraction of the vapour, so the mixing relations below have no pressure term.

// Mixing relation: vapour content x = 0.622 p / (1 - p), kg per kg dry air,
// of air whose vapour partial pressure is p bar (at saturation, p is the
// saturation pressure).
double DampfgehaltAusDruck(double p) { return kMolmassenverhaeltnis * p / (1 - p); }

// The mixing relation solved for the pressure: vapour partial pressure
// p = x / (x + 0.622), bar, of air with the vapour content x, kg per kg dry air.
double Partialdruck(double x) { return x / (x + kMolmassenverhaeltnis); }

// Enthalpy of moist air with constant specific heats, h = (r0 + cpD t) x +
// cpL t, kJ per kg dry air, at t degrees Celsius and the vapour content x,
// kg per kg dry air; zero for dry air at 0 degrees Celsius.
double Enthalpie(double t, double x) { return (r0 + cpD * t) * x + cpL * t; }

// Energy balance of the wet-bulb state solved for the vapour content of the
// air, kg per kg dry air: air at temlu with x, plus the water it takes up at
// temkg, has the enthalpy of saturated air at temkg, which holds xkg:
// Enthalpie(temlu, x) + (xkg - x) cW temkg = Enthalpie(temkg, xkg).
// Temperatures in degrees Celsius, xkg in kg per kg dry air.
double DampfgehaltAusKuehlgrenze(double temlu, double temkg, double xkg) {
  const double hkg = Enthalpie(temkg, xkg);
  const double zaehler = (hkg - cpL * temlu) - (cW * xkg) * temkg;
  const double nenner = (r0 + cpD * temlu) - cW * temkg;
  return zaehler / nenner;
}

// Ratio T0 / (T0 + t) of the absolute temperature at 0 degrees Celsius to that
// at t degrees Celsius, by which densities at 0 degrees Celsius scale to t (at
// the same pressure). Formed first wherever it is used.
double Temperaturfaktor(double t) { return T0 / (T0 + t); }

// Absolute humidity, kg vapour per cubic metre, of air at temlu degrees
// Celsius whose vapour partial pressure is pd bar: the vapour's share of the
// vapour density at 0 degrees Celsius and 1 bar, scaled to temlu.
double AbsoluteFeuchte(double temlu, double pd) {
  return (Temperaturfaktor(temlu) * pd) * rhoDampf0;
}

// Density of moist air, kg per cubic metre, at temlu degrees Celsius and the
// vapour partial pressure pd bar: the densities of dry air and vapour at
// 0 degrees Celsius and 1 bar, weighted by their mole fractions, scaled to
// temlu.
double Dichte(double temlu, double pd) {
  return (rhoLuft0 * (1 - pd) + rhoDampf0 * pd) * Temperaturfaktor(temlu);
}

// Dew point for the vapour partial pressure pd bar, degrees Celsius. A
// pressure the search cannot reach (dry air, or values that came out of range)
// gives NaN instead of a division by zero or a search without end.
double TaupunktAusDruck(double pd) {
  if (!(pd > 0 && pd <= FLT_MAX)) return std::numeric_limits<double>::quiet_NaN();
  return Taupunktsuche(static_cast<float>(pd));
}

bool AlleAnzeigewerteEndlich(const MoistAirState& s) {
  for (const Anzeigegroesse& g : kAnzeigegroessen) {
    if (!std::isfinite(g.wert(s))) return false;
  }
  return true;
}

}  // namespace

Kuehlgrenzwerte Kuehlgrenzsuche(double temlu, double x) {
  double obereGrenze = kKuehlgrenzBis;
  double untereGrenze = kKuehlgrenzVon;
  std::int16_t runden = 0;
  Kuehlgrenzwerte kg{};
  kg.h1 = Enthalpie(temlu, x);
  for (;;) {
    kg.temkg = (untereGrenze + obereGrenze) / 2;
    runden = static_cast<std::int16_t>(runden + 1);
    const double psatkg = Saettigungsdruck(kg.temkg);
    kg.xkg = DampfgehaltAusDruck(psatkg);
    const double hkg = Enthalpie(kg.temkg, kg.xkg);
    // The heat of the evaporated water is held in single precision; the
    // wet-bulb grid, and so the digits shown, depend on that rounding.
    const float wasserwaerme = static_cast<float>((kg.xkg - x) * (cW * kg.temkg));
    const double hprobe = hkg - static_cast<double>(wasserwaerme);

    const double abweichung = kg.h1 - hprobe;
    if (runden > kKuehlgrenzMaxZaehler ||
        (std::fabs(abweichung / kg.h1) < kKuehlgrenzToleranzRelativ &&
         std::fabs(abweichung) < kKuehlgrenzToleranzAbsolut)) {
      return kg;
    }
    if (kg.h1 > hprobe) {
      untereGrenze = kg.temkg;
    } else {
      obereGrenze = kg.temkg;
    }
  }
}

std::variant<MoistAirState, Grund> Berechnung(Vorgabe vorgabe, double temlu, double zweites) {
  MoistAirState s;
  s.temlu = temlu;
  s.psatt = Saettigungsdruck(s.temlu);

  // What the mode decides: the vapour content, the vapour pressure and the
  // relative humidity, the wet-bulb state and the enthalpy.
  if (vorgabe == Vorgabe::Kuehlgrenze) {
    s.temkg = zweites;
    s.xkg = DampfgehaltAusDruck(Saettigungsdruck(s.temkg));
    s.x = DampfgehaltAusKuehlgrenze(s.temlu, s.temkg, s.xkg);
    // Before anything uses x; written so that a NaN from an overflowing
    // saturation pressure fails too.
    if (!(s.x >= kKuehlgrenzDampfgehaltMin) || !std::isfinite(s.x)) return Grund::LuftTrocken;
    s.pd = Partialdruck(s.x);
    s.rf = s.pd / s.psatt;
    s.h1 = Enthalpie(s.temlu, s.x);
  } else {
    if (vorgabe == Vorgabe::Feuchte) {
      s.rf = zweites;
      s.pd = s.psatt * s.rf;
      if (s.pd > kDampfdruckMax) return Grund::DampfdruckZuHoch;
      s.x = DampfgehaltAusDruck(s.pd);
    } else {
      s.x = zweites;
      s.pd = Partialdruck(s.x);
      s.rf = s.pd / s.psatt;
      if (s.rf - kRelativeFeuchteGesaettigt > kUebersaettigungMax) return Grund::LuftUebersaettigt;
    }
    // Pure and bounded, so it may run before the dew point is known to be
    // reachable: a failure below still ends the run the same way.
    const Kuehlgrenzwerte kg = Kuehlgrenzsuche(s.temlu, s.x);
    s.temkg = kg.temkg;
    s.xkg = kg.xkg;
    s.h1 = kg.h1;
  }

  // What every mode computes alike from temlu, pd, x and xkg.
  // A dew point that cannot be reached (NaN) fails the check below as well.
  s.temtau = TaupunktAusDruck(s.pd);
  s.absfeu = AbsoluteFeuchte(s.temlu, s.pd);
  s.xkgminusx = s.xkg - s.x;
  s.rhofl = Dichte(s.temlu, s.pd);
  // Inputs far outside the physics (an air temperature of 1e308, say) can
  // overflow on the way; such a state is not shown.
  if (!AlleAnzeigewerteEndlich(s)) return Grund::LuftTrocken;
  return s;
}

std::string Fehlertext(const Fehler& fehler) {
  const char* text = "";
  switch (fehler.grund) {
    case Grund::Keiner:
      break;
    case Grund::RelativeFeuchteUngueltig:
      text = "Relative Feuchte ist ungültig !";
      break;
    case Grund::KuehlgrenzeZuGross:
      text = "Kühlgrenztemperatur ist zu groß !";
      break;
    case Grund::DampfgehaltUnrealistisch:
      text = "Der Dampfgehalt ist unrealistisch !";
      break;
    case Grund::LuftTrocken:
      text = "Die Luft ist trocken oder allg. Fehler !";
      break;
    case Grund::LuftUebersaettigt:
      text = "Die Luft ist übersättigt oder allg. Fehler !";
      break;
    // These two replace the temperature line rather than follow it.
    case Grund::EingabenFehlen:
      return "Eingaben fehlen !";
    case Grund::DampfdruckZuHoch:
      return "Dampfdruck zu hoch, numerisch nicht erfasst.";
  }
  std::string zeilen;
  if (fehler.lufttemperaturNegativ) zeilen = "Lufttemperatur in °C muss positiv sein !";
  // A lone reason 1 to 5 thus starts with an empty line.
  if (*text != '\0') zeilen.append("\r\n").append(text);
  return zeilen;
}

Ergebnis Rechne(Vorgabe vorgabe, std::string_view temlu, std::string_view zweites) {
  // A box of blanks is not empty; it reads as 0 below.
  if (temlu.empty() || zweites.empty()) return Fehler{false, Grund::EingabenFehlen};

  Fehler fehler;
  const double t = ZahlAusText(temlu);
  fehler.lufttemperaturNegativ = t < 0;
  double z = ZahlAusText(zweites);
  switch (vorgabe) {
    case Vorgabe::Feuchte:
      z /= 100;  // typed in per cent, checked as a fraction
      if (z > kRelativeFeuchteGesaettigt || z < kRelativeFeuchteMin) {
        fehler.grund = Grund::RelativeFeuchteUngueltig;
      }
      break;
    case Vorgabe::Kuehlgrenze:
      if (z >= t || z > kKuehlgrenzeMax) fehler.grund = Grund::KuehlgrenzeZuGross;
      break;
    case Vorgabe::Dampfgehalt:
    default:
      if (z > kDampfgehaltMax || z < kDampfgehaltMin)
        fehler.grund = Grund::DampfgehaltUnrealistisch;
      break;
  }
  if (fehler != Fehler{}) return fehler;

  auto zustand = Berechnung(vorgabe, t, z);
  if (const Grund* grund = std::get_if<Grund>(&zustand)) return Fehler{false, *grund};
  return std::get<MoistAirState>(zustand);
}

}  // namespace dunstwerk
