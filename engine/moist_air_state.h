// The record of one moist-air calculation at a total pressure of 1 bar, and
// the input modes that decide which pair of quantities is given.
//
// Units: temperatures in degrees Celsius, pressures in bar, vapour contents in
// kg per kg of dry air, enthalpies in kJ per kg of dry air, densities and the
// absolute humidity in kg per cubic metre, relative humidity as a fraction.
#pragma once

namespace dunstwerk {

// Which quantity is given beside the air temperature.
enum class Vorgabe : int {
  Feuchte = 1,      // relative humidity, typed in per cent
  Kuehlgrenze = 2,  // wet-bulb temperature
  Dampfgehalt = 3,  // vapour content
};

struct MoistAirState {
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
  double h1 = 0;         // enthalpy of the moist air, kJ per kg dry air
};

}  // namespace dunstwerk
