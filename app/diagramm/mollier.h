// The geometry of the Mollier h,x chart of moist air at 1 bar, drawn with
// the engine's own relations and constants, so that a computed state lies
// on its lines. Nothing here writes anything: it gives lines and marks in
// millimetres on an A4 landscape page, for the SVG writer or a window view.
//
// Ordinate: y = (h - r0 x) / cpL, in kelvin above 0 degrees Celsius. With it
// the 0 degrees Celsius isotherm is horizontal, the isotherms are straight
// lines fanning out to the right, y = t (cpL + cpD x) / cpL, and the
// isenthalps are parallel oblique lines. Abscissa x in kg per kg dry air
// (shown in g/kg).
#pragma once

#include <optional>
#include <vector>

#include "engine/moist_air_state.h"

namespace dunstwerk::diagramm {

// The engine's constants (see engine/rechenkern.cpp). The tests check that
// a state the engine computes lies on the lines drawn with these.
inline constexpr double cpL = 1.005;
inline constexpr double cpD = 1.86;
inline constexpr int r0 = 2500;
inline constexpr float cW = 4.19f;
inline constexpr double kMolmassenverhaeltnis = 0.622;

// --- The relations ---

// Ordinate of air at t degrees Celsius with the vapour content x.
double Ordinate(double t, double x);
// Ordinate of the enthalpy h, kJ per kg dry air, at the vapour content x.
double OrdinateAusEnthalpie(double h, double x);
// Enthalpy at (t, x), as the engine forms it.
double Enthalpie(double t, double x);
// Vapour content of air at t with the relative humidity phi (a fraction);
// nullopt where the vapour pressure would reach 1 bar, which no air at
// 1 bar can hold.
std::optional<double> DampfgehaltBeiFeuchte(double t, double phi);
// Vapour partial pressure, bar, of air with the vapour content x.
double Partialdruck(double x);
// Vapour content of air whose vapour pressure is p bar.
double DampfgehaltAusPartialdruck(double p);
// Ordinate on the balance line of the wet-bulb state at tk: the air whose
// enthalpy, plus the water it takes up at tk, is that of saturated air at
// tk, evaluated in the engine's order and precision. Right of saturation
// the same line is the fog isotherm of tk. nullopt where saturated air at tk
// does not exist at 1 bar.
std::optional<double> KuehlgrenzOrdinate(double tk, double x);
// Density of moist air, kg per cubic metre, at (t, x), as the engine forms it.
double Dichte(double t, double x);

// --- Ranges and the page ---

enum class BereichArt { Klima, Trocknung };

struct Bereich {
  BereichArt art;
  double tMax;                    // highest temperature the range is made for, degrees Celsius
  double xMax;                    // right edge, kg per kg dry air
  std::vector<double> feuchten;   // relative humidities drawn, fractions, below 1
  double isothermenSchritt;       // K between isotherms
  double isothermenBeschriftung;  // K between labelled isotherms
  double isenthalpenSchritt;      // kJ/kg between isenthalps
  double dichteVon, dichteBis, dichteSchritt;  // kg/m3
  double xLinien;                              // g/kg between vertical lines
  double xBeschriftung;                        // g/kg between labels on the x axis
  double pdStrich, pdBeschriftung;             // hPa between ticks and labels of the top scale
  std::vector<double> randwerte;               // edge scale marks, kJ per kg water
};

// klima: 0 to 50 degrees Celsius, 0 to 30 g/kg; trocknung: 0 to 200 degrees
// Celsius, 0 to 300 g/kg, with the low humidities that remain possible
// above 100 degrees Celsius at 1 bar.
const Bereich& BereichVon(BereichArt art);

// A point on the page, millimetres from the top left corner.
struct Mm {
  double x = 0;
  double y = 0;
};

inline constexpr double kSeiteBreite = 297;
inline constexpr double kSeiteHoehe = 210;

// The map between the chart's quantities and the page for one range. The
// frame reaches from x = 0 to xMax and from the 0 degrees Celsius line up to
// the ordinate of tMax at xMax, since the isotherms fan out: the frame's
// height is that of the highest isotherm at the largest x. Below the frame
// lies a strip for the edge scale.
class Karte {
 public:
  // Keeps a reference: the range must outlive the map (BereichVon's do).
  explicit Karte(const Bereich& bereich);

  const Bereich& bereich() const { return bereich_; }
  double yOben() const { return yOben_; }  // the frame top's ordinate

  Mm Abbild(double x, double y) const;
  Mm Zustand(double t, double x) const { return Abbild(x, Ordinate(t, x)); }
  double XAus(double mmX) const;
  double YAus(double mmY) const;
  bool ImRahmen(double x, double y) const;  // within the frame, edges included

  // The frame on the page, and the bottom of the edge scale's strip.
  static constexpr double kLinks = 20;
  static constexpr double kRechts = 276;
  static constexpr double kOben = 24;
  static constexpr double kUnten = 166;  // the 0 degrees Celsius line
  static constexpr double kStreifenUnten = 182;

 private:
  const Bereich& bereich_;
  double yOben_;
};

using Linie = std::vector<Mm>;

// Each gives the pieces of its line inside the frame (none when it misses
// it), as polylines whose chord lies within 0.005 mm of the curve.
std::vector<Linie> Isotherme(const Karte& karte, double t);       // up to saturation
std::vector<Linie> Nebelisotherme(const Karte& karte, double t);  // right of saturation
std::vector<Linie> Saettigungslinie(const Karte& karte);
std::vector<Linie> Feuchtelinie(const Karte& karte, double phi);
std::vector<Linie> Isenthalpe(const Karte& karte, double h);
std::vector<Linie> Dichtelinie(const Karte& karte,
                               double rho);  // unsaturated, above 0 degrees Celsius

// The wet-bulb line of a computed state: from the air's vapour content to
// saturation at the state's temkg, along that temperature's balance line.
// Its horizontal length is the water uptake capacity xkg - x.
struct Kuehlgrenzlinie {
  double xLuft;  // the state's x
  double yLuft;  // the balance line's ordinate at x
  double xSatt;  // vapour content of saturated air at temkg
  double ySatt;  // its ordinate
};
std::optional<Kuehlgrenzlinie> KuehlgrenzlinieVon(const MoistAirState& s);

// The edge scale for the direction of a change of state, Δh/Δx in kJ per kg
// of water: from the pole at x = 0, 0 degrees Celsius, a change with q runs
// in the direction Δy/Δx = (q - r0) / cpL. Each mark is where that ray meets
// the border around frame and strip.
enum class Seite { Oben, Rechts, Unten };
struct Randmarke {
  double q;
  Mm rand;   // on the border
  Mm innen;  // 2.5 mm back along the ray, for the tick
  Seite seite;
};
Mm Pol();
std::vector<Randmarke> Randmassstab(const Karte& karte);

// Ticks of the vapour partial pressure along the frame top.
struct Teilstrich {
  double wert;  // hPa
  double mmX;   // on the frame top
  bool beschriftet;
};
std::vector<Teilstrich> Partialdruckskala(const Karte& karte);

}  // namespace dunstwerk::diagramm
