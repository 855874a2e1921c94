#include "engine/rechenkern.h"

#include <cfloat>
#include <cmath>
#include <initializer_list>

#include "engine/primitives.h"
#include "engine/taupunkt.h"

namespace dunstwerk {
namespace {

using S = MoistAirState;

// Vapour content of air whose vapour partial pressure is p bar, kg/kg (at
// saturation, p is the saturation pressure).
double DampfgehaltAusDruck(double p) { return 0.622 * p / (1 - p); }

// Partial pressure of the vapour from the vapour content x, bar (at 1 bar
// total pressure the partial pressure is the mole fraction).
double Partialdruck(double x) { return x / (x + 0.622); }

// Enthalpy of moist air at t degrees Celsius and vapour content x, kJ/kg dry
// air, with constant specific heats.
double Enthalpie(double t, double x) { return (S::r0 + S::cpD * t) * x + S::cpL * t; }

// 273 / (273 + t): density and absolute humidity scale with it.
double Temperaturfaktor(double t) { return 273 / (273 + t); }

bool Scheitern(Rechenkern& kern, Ansicht& ansicht, int code) {
  kern.Fehlercode = code;
  Fehleranzeige(kern, ansicht);
  return false;
}

// Dew point for the common paths. A vapour pressure the search cannot reach
// (dry air, or values that came out of range) ends the run with code 4
// instead of dividing by zero or searching forever.
bool TaupunktSetzen(MoistAirState& s) {
  if (!(s.pd > 0 && s.pd <= FLT_MAX)) return false;
  s.temtau = Taupunktsuche(static_cast<float>(s.pd));
  return !std::isnan(s.temtau);
}

bool AlleAnzeigewerteEndlich(const MoistAirState& s) {
  for (double w : {s.temlu, s.temtau, s.temkg, s.rf, s.absfeu, s.x, s.rhofl, s.pd, s.psatt, s.xkg,
                   s.xkg - s.x, s.h1}) {
    if (!std::isfinite(w)) return false;
  }
  return true;
}

void Abschluss(MoistAirState& s) {
  s.rhofl = (1.293 * (1 - s.pd) + 0.804 * s.pd) * Temperaturfaktor(s.temlu);
}

void AbsoluteFeuchte(MoistAirState& s) { s.absfeu = (Temperaturfaktor(s.temlu) * s.pd) * 0.804; }

}  // namespace

const char* FehlertextVon(int code) {
  switch (code) {
    case kRelativeFeuchteUngueltig:
      return "Relative Feuchte ist ungültig !";
    case kKuehlgrenzeZuGross:
      return "Kühlgrenztemperatur ist zu groß !";
    case kDampfgehaltUnrealistisch:
      return "Der Dampfgehalt ist unrealistisch !";
    case kLuftTrocken:
      return "Die Luft ist trocken oder allg. Fehler !";
    case kLuftUebersaettigt:
      return "Die Luft ist übersättigt oder allg. Fehler !";
    case kEingabenFehlen:
      return "Eingaben fehlen !";
    case kDampfdruckZuHoch:
      return "Dampfdruck zu hoch, numerisch nicht erfasst.";
    case kLufttemperaturNegativ:
      return "Lufttemperatur in °C muss positiv sein !";
    default:
      return "";
  }
}

void Fehleranzeige(Rechenkern& kern, Ansicht& ansicht) {
  kern.Fehlertext.clear();
  if (kern.Fehlercode >= kLufttemperaturNegativ) {
    kern.Fehlertext = FehlertextVon(kLufttemperaturNegativ);
    kern.Fehlercode -= kLufttemperaturNegativ;
  }
  if (kern.Fehlercode >= 1 && kern.Fehlercode <= 5) {
    // A lone code 1 to 5 thus starts with an empty line.
    kern.Fehlertext += "\r\n";
    kern.Fehlertext += FehlertextVon(kern.Fehlercode);
  }
  if (kern.Fehlercode == kEingabenFehlen || kern.Fehlercode == kDampfdruckZuHoch) {
    kern.Fehlertext = FehlertextVon(kern.Fehlercode);
  }
  ansicht.ZeigeFehlermeldung(kern.Fehlertext);
  ansicht.NeuZeichnen();
  ansicht.Pause(kFehlerPauseMs);
}

void Kuehlgrenzsuche(MoistAirState& s) {
  s.obereGrenze = 100;
  s.untereGrenze = -20;
  s.runden = 0;
  s.h1 = Enthalpie(s.temlu, s.x);
  for (;;) {
    s.temkg = (s.untereGrenze + s.obereGrenze) / 2;
    s.runden = static_cast<std::int16_t>(s.runden + 1);
    s.psatkg = Saettigungsdruck(s.temkg);
    s.xkg = DampfgehaltAusDruck(s.psatkg);
    s.hkg = Enthalpie(s.temkg, s.xkg);
    // The heat of the evaporated water is held in single precision; the
    // wet-bulb grid, and so the digits shown, depend on that rounding.
    const float wasserwaerme = static_cast<float>((s.xkg - s.x) * (S::cW * s.temkg));
    s.hprobe = s.hkg - static_cast<double>(wasserwaerme);

    const double abweichung = s.h1 - s.hprobe;
    if (s.runden > 50 || (std::fabs(abweichung / s.h1) < 0.001 && std::fabs(abweichung) < 1)) {
      return;
    }
    if (s.h1 > s.hprobe) {
      s.untereGrenze = s.temkg;
    } else {
      s.obereGrenze = s.temkg;
    }
  }
}

bool Berechnung(Rechenkern& kern, Ansicht& ansicht) {
  MoistAirState& s = kern.zustand;
  s.psatt = Saettigungsdruck(s.temlu);

  if (kern.Vorgabe == 2) {
    s.psatkg = Saettigungsdruck(s.temkg);
    s.xkg = DampfgehaltAusDruck(s.psatkg);
    s.hkg = Enthalpie(s.temkg, s.xkg);
    // Energy balance of the wet-bulb state solved for the vapour content.
    const double zaehler = (s.hkg - S::cpL * s.temlu) - (S::cW * s.xkg) * s.temkg;
    const double nenner = (S::r0 + S::cpD * s.temlu) - S::cW * s.temkg;
    s.x = zaehler / nenner;
    // Written so that a NaN from an overflowing saturation pressure fails too.
    if (!(s.x >= 0.000001) || !std::isfinite(s.x)) return Scheitern(kern, ansicht, kLuftTrocken);
    s.pd = Partialdruck(s.x);
    s.rf = s.pd / s.psatt;
    s.h1 = Enthalpie(s.temlu, s.x);
    s.xkgminusx = s.xkg - s.x;
    if (!TaupunktSetzen(s)) return Scheitern(kern, ansicht, kLuftTrocken);
    AbsoluteFeuchte(s);
  } else {
    if (kern.Vorgabe == 1) {
      s.pd = s.psatt * s.rf;
      if (s.pd > 0.999) return Scheitern(kern, ansicht, kDampfdruckZuHoch);
      s.x = DampfgehaltAusDruck(s.pd);
    } else {
      s.pd = Partialdruck(s.x);
      s.rf = s.pd / s.psatt;
      if (s.rf - 1 > 0.0001) return Scheitern(kern, ansicht, kLuftUebersaettigt);
    }
    if (!TaupunktSetzen(s)) return Scheitern(kern, ansicht, kLuftTrocken);
    Kuehlgrenzsuche(s);
    AbsoluteFeuchte(s);
    s.xkgminusx = s.xkg - s.x;
  }

  Abschluss(s);
  // Inputs far outside the physics (an air temperature of 1e308, say) can
  // overflow on the way; such a state is not shown.
  if (!AlleAnzeigewerteEndlich(s)) return Scheitern(kern, ansicht, kLuftTrocken);
  return true;
}

bool Rechne(Rechenkern& kern, Ansicht& ansicht) {
  kern.Fehlercode = kKeinFehler;
  MoistAirState& s = kern.zustand;

  auto leer = [&](Eingabefeld feld) { return ansicht.Eingabetext(feld).empty(); };
  const Eingabefeld zweites[] = {Eingabefeld::rf, Eingabefeld::temkg, Eingabefeld::x};
  if (kern.Vorgabe >= 1 && kern.Vorgabe <= 3 &&
      (leer(Eingabefeld::temlu) || leer(zweites[kern.Vorgabe - 1]))) {
    kern.Fehlercode = kEingabenFehlen;
    Fehleranzeige(kern, ansicht);
    return false;
  }

  auto lies = [&](Eingabefeld feld) { return ZahlAusText(ansicht.Eingabetext(feld)); };
  s.temlu = lies(Eingabefeld::temlu);
  if (s.temlu < 0) kern.Fehlercode = kLufttemperaturNegativ;
  switch (kern.Vorgabe) {
    case 1:
      s.rf = lies(Eingabefeld::rf) / 100;
      if (s.rf > 1 || s.rf < 0.00005) kern.Fehlercode += kRelativeFeuchteUngueltig;
      break;
    case 2:
      s.temkg = lies(Eingabefeld::temkg);
      if (s.temkg >= s.temlu || s.temkg > 99.5) kern.Fehlercode += kKuehlgrenzeZuGross;
      break;
    case 3:
      s.x = lies(Eingabefeld::x);
      if (s.x > 10 || s.x < 0) kern.Fehlercode += kDampfgehaltUnrealistisch;
      break;
    default:
      break;
  }
  if (kern.Fehlercode > 0) Fehleranzeige(kern, ansicht);
  // Code 10 alone has dropped to 0 in Fehleranzeige; the temperature test
  // keeps the calculation from running then.
  if (kern.Fehlercode == 0 && !(s.temlu < 0)) return Berechnung(kern, ansicht);
  return false;
}

bool ZuruecksetzenNoetig(const Rechenkern& kern) {
  return kern.Fehlercode > 0 || kern.zustand.temlu < 0;
}

}  // namespace dunstwerk
