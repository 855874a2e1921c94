// The record of one moist-air calculation at a total pressure of 1 bar.
//
// Units: temperatures in degrees Celsius, pressures in bar, vapour contents in
// kg per kg of dry air, enthalpies in kJ per kg of dry air, densities and the
// absolute humidity in kg per cubic metre, relative humidity as a fraction.
#pragma once

#include <cstdint>

namespace dunstwerk {

struct MoistAirState {
  // Specific heat of dry air, kJ/(kg K).
  static constexpr double cpL = 1.005;
  // Specific heat of water vapour, kJ/(kg K).
  static constexpr double cpD = 1.86;
  // Latent heat of evaporation at 0 degrees Celsius, kJ/kg. An integer on
  // purpose: it is widened exactly, wherever it is used.
  static constexpr int r0 = 2500;
  // Specific heat of liquid water, kJ/(kg K). Held in single precision: it
  // enters the arithmetic as 4.190000057220459, and the last digits of the
  // wet-bulb temperature depend on that.
  static constexpr float cW = 4.19f;

  // The twelve quantities the window shows.
  double temlu = 0;      // air temperature
  double temtau = 0;     // dew-point temperature
  double temkg = 0;      // wet-bulb temperature
  double rf = 0;         // relative humidity, 0 to 1
  double absfeu = 0;     // absolute humidity, kg vapour per m3
  double x = 0;          // vapour content, kg vapour per kg dry air
  double rhofl = 0;      // density of the moist air, kg per m3
  double pd = 0;         // vapour partial pressure, bar
  double psatt = 0;      // saturation pressure at temlu, bar
  double xkg = 0;        // vapour content of saturated air at temkg
  double xkgminusx = 0;  // water uptake capacity, xkg - x
  double h1 = 0;         // enthalpy of the moist air

  // Working fields of the wet-bulb search.
  double psatkg = 0;  // saturation pressure at temkg, bar
  double hkg = 0;     // enthalpy of saturated air at temkg
  double hprobe = 0;  // trial enthalpy of the current round
  double untereGrenze = 0;
  double obereGrenze = 0;
  std::int16_t runden = 0;  // rounds of the wet-bulb search
};

}  // namespace dunstwerk
