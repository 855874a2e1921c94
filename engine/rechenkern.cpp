#include "engine/rechenkern.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/anzeige.h"
#include "engine/primitives.h"
#include "engine/taupunkt.h"

namespace dunstwerk {
namespace {

// Specific heat of dry air, kJ/(kg K).
constexpr double cpL = 1.005;
// Specific heat of water vapour, kJ/(kg K).
constexpr double cpD = 1.86;
// Latent heat of evaporation at 0 degrees Celsius, kJ/kg. An integer on
// purpose: it is widened exactly wherever it is used.
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

// Vapour content of air whose vapour partial pressure is p bar, kg/kg (at
// saturation, p is the saturation pressure).
double DampfgehaltAusDruck(double p) { return kMolmassenverhaeltnis * p / (1 - p); }

// Partial pressure of the vapour from the vapour content x, bar: at 1 bar
// total pressure it is the mole fraction.
double Partialdruck(double x) { return x / (x + kMolmassenverhaeltnis); }

// Enthalpy of moist air at t degrees Celsius and vapour content x, kJ/kg dry
// air, with constant specific heats.
double Enthalpie(double t, double x) { return (r0 + cpD * t) * x + cpL * t; }

// T0 / (T0 + t): density and absolute humidity scale with it.
double Temperaturfaktor(double t) { return T0 / (T0 + t); }

double AbsoluteFeuchte(double temlu, double pd) {
  return (Temperaturfaktor(temlu) * pd) * rhoDampf0;
}

// Dew point of the common paths. A vapour pressure the search cannot reach
// (dry air, or values that came out of range) gives NaN instead of a division
// by zero or a search without end.
double TaupunktZu(double pd) {
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
  double obereGrenze = 100;
  double untereGrenze = -20;
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
    if (runden > 50 || (std::fabs(abweichung / kg.h1) < 0.001 && std::fabs(abweichung) < 1)) {
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

  if (vorgabe == Vorgabe::Kuehlgrenze) {
    s.temkg = zweites;
    const double psatkg = Saettigungsdruck(s.temkg);
    s.xkg = DampfgehaltAusDruck(psatkg);
    const double hkg = Enthalpie(s.temkg, s.xkg);
    // Energy balance of the wet-bulb state solved for the vapour content.
    const double zaehler = (hkg - cpL * s.temlu) - (cW * s.xkg) * s.temkg;
    const double nenner = (r0 + cpD * s.temlu) - cW * s.temkg;
    s.x = zaehler / nenner;
    // Written so that a NaN from an overflowing saturation pressure fails too.
    if (!(s.x >= 0.000001) || !std::isfinite(s.x)) return Grund::LuftTrocken;
    s.pd = Partialdruck(s.x);
    s.rf = s.pd / s.psatt;
    s.h1 = Enthalpie(s.temlu, s.x);
    s.xkgminusx = s.xkg - s.x;
    s.temtau = TaupunktZu(s.pd);
    if (std::isnan(s.temtau)) return Grund::LuftTrocken;
    s.absfeu = AbsoluteFeuchte(s.temlu, s.pd);
  } else {
    if (vorgabe == Vorgabe::Feuchte) {
      s.rf = zweites;
      s.pd = s.psatt * s.rf;
      if (s.pd > 0.999) return Grund::DampfdruckZuHoch;
      s.x = DampfgehaltAusDruck(s.pd);
    } else {
      s.x = zweites;
      s.pd = Partialdruck(s.x);
      s.rf = s.pd / s.psatt;
      if (s.rf - 1 > 0.0001) return Grund::LuftUebersaettigt;
    }
    s.temtau = TaupunktZu(s.pd);
    if (std::isnan(s.temtau)) return Grund::LuftTrocken;
    const Kuehlgrenzwerte kg = Kuehlgrenzsuche(s.temlu, s.x);
    s.temkg = kg.temkg;
    s.xkg = kg.xkg;
    s.h1 = kg.h1;
    s.absfeu = AbsoluteFeuchte(s.temlu, s.pd);
    s.xkgminusx = s.xkg - s.x;
  }

  s.rhofl = (rhoLuft0 * (1 - s.pd) + rhoDampf0 * s.pd) * Temperaturfaktor(s.temlu);
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
  auto fehlschlag = [](Fehler fehler) {
    Ergebnis e;
    e.fehler = fehler;
    e.fehlertext = Fehlertext(fehler);
    return e;
  };

  // A box of blanks is not empty; it reads as 0 below.
  if (temlu.empty() || zweites.empty()) return fehlschlag({false, Grund::EingabenFehlen});

  Fehler fehler;
  const double t = ZahlAusText(temlu);
  fehler.lufttemperaturNegativ = t < 0;
  double z = ZahlAusText(zweites);
  switch (vorgabe) {
    case Vorgabe::Feuchte:
      z /= 100;  // typed in per cent
      if (z > 1 || z < 0.00005) fehler.grund = Grund::RelativeFeuchteUngueltig;
      break;
    case Vorgabe::Kuehlgrenze:
      if (z >= t || z > 99.5) fehler.grund = Grund::KuehlgrenzeZuGross;
      break;
    case Vorgabe::Dampfgehalt:
    default:
      if (z > 10 || z < 0) fehler.grund = Grund::DampfgehaltUnrealistisch;
      break;
  }
  if (fehler != Fehler{}) return fehlschlag(fehler);

  auto zustand = Berechnung(vorgabe, t, z);
  if (const Grund* grund = std::get_if<Grund>(&zustand)) return fehlschlag({false, *grund});
  Ergebnis e;
  e.zustand = std::get<MoistAirState>(zustand);
  return e;
}

}  // namespace dunstwerk
