#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <variant>

#include "engine/primitives.h"
#include "engine/rechenkern.h"
#include "engine/taupunkt.h"
#include "engine/zahlmuster.h"
#include "gebietsschema.h"

namespace dunstwerk {
namespace {

TEST(Saettigungsdruck, TrifftReferenzwerte) {
  const std::pair<double, double> faelle[] = {
      {0, 0.0061078}, {20, 0.0234200}, {99.5, 0.9952357}, {100, 1.0132472}};
  for (const auto& [t, bar] : faelle) EXPECT_NEAR(Saettigungsdruck(t), bar, 0.5e-7) << t;
}

// The search ends on its grid of 13 halvings, or with NaN for a pressure it
// cannot reach; just above the pressure at -100 degrees Celsius it still lands.
TEST(Taupunktsuche, RasterOderNaN) {
  // 20 degrees Celsius, 50 %: -100 + 800 * 1119 / 2^13.
  EXPECT_EQ(Taupunktsuche(static_cast<float>(Saettigungsdruck(20) * 0.5)), 9.27734375);
  EXPECT_EQ(Taupunktsuche(static_cast<float>(Saettigungsdruck(25))), 25.0);
  using L = std::numeric_limits<float>;
  for (float pd : {0.0f, -0.0f, -1.0f, 1e-12f, 1.7e-8f, L::quiet_NaN(), L::infinity()})
    EXPECT_TRUE(std::isnan(Taupunktsuche(pd))) << pd;
  EXPECT_NEAR(Taupunktsuche(static_cast<float>(Saettigungsdruck(-99.9))), -99.9, 0.01);
}

// A complete state as a person reads it off the window: the twelve shown
// fields in the window's order, each with the decimals it is shown with (the
// relative humidity in per cent) and a decimal comma. The fields are read
// here, not through the window's list, so that each is checked as the state
// holds it.

std::string Angezeigt(const MoistAirState& s) {
  // clang-format off
  const std::pair<double, int> felder[] = {
      {s.temlu, 2},  {s.temtau, 2}, {s.temkg, 2},     {100 * s.rf, 2},
      {s.absfeu, 5}, {s.x, 5},      {s.rhofl, 5},     {s.pd, 5},
      {s.psatt, 5},  {s.xkg, 5},    {s.xkgminusx, 5}, {s.h1, 1},
  };
  // clang-format on
  std::string text;
  for (const auto& [wert, stellen] : felder) {
    if (!text.empty()) text += ' ';
    text += FormatiereMuster(wert, stellen, ",");
  }
  return text;
}

constexpr Vorgabe kRf = Vorgabe::Feuchte, kKg = Vorgabe::Kuehlgrenze, kX = Vorgabe::Dampfgehalt;

// clang-format off
constexpr std::tuple<Vorgabe, const char*, const char*, const char*> kReferenzzustaende[] = {
    {kRf, "20", "50", "20,00 9,28 13,75 50,00 0,00877 0,00737 "
     "1,19941 0,01171 0,02342 0,00995 0,00258 38,8"},
    {kRf, "25", "100", "25,00 25,00 25,00 100,00 0,02337 0,02038 "
     "1,17031 0,03173 0,03173 0,02038 0,00000 77,0"},
    {kRf, "0", "50", "0,00 -9,13 -2,91 50,00 0,00246 0,00191 "
     "1,29151 0,00305 0,00611 0,00308 0,00117 4,8"},
    // Still below 0.999 bar: completes with an absurd but finite content.
    {kRf, "99,5", "100", "99,50 99,51 99,50 100,00 0,58643 129,93304 "
     "0,59095 0,99524 0,99524 129,93263 -0,00041 348979,3"},
    {kX, "20", "0,0073702", "20,00 9,28 13,75 50,00 0,00877 0,00737 "
     "1,19941 0,01171 0,02342 0,00995 0,00258 38,8"},
    {kKg, "20", "13,8", "20,00 9,40 13,80 50,38 0,00884 0,00743 "
     "1,19936 0,01180 0,02342 0,00999 0,00256 38,9"},
    // The single-precision heat capacity of water shows here: held as the
    // double 4.19 it would give 3,88 %.
    {kKg, "99,809", "40,548", "99,81 28,52 40,55 3,87 0,02296 0,02524 "
     "0,93287 0,03900 1,00634 0,05115 0,02592 168,1"},
    // So does the single-precision heat of the evaporated water in the
    // wet-bulb search: without it the wet-bulb temperature is 2,69.
    {kRf, "8", "37,16386", "8,00 -5,69 2,68 37,16 0,00312 0,00249 "
     "1,25429 0,00399 0,01074 0,00464 0,00215 14,3"},
    // The dew-point search compares against the vapour pressure rounded
    // to single precision: with the double it ends later, at 47,02.
    {kRf, "52", "78", "52,00 47,00 47,50 78,00 0,07169 0,07386 "
     "1,04252 0,10615 0,13608 0,07598 0,00211 244,1"}};
// clang-format on

TEST(Zustand, ZwoelfWerteInJedemGebietsschema) {
  for (const auto& [name, trenner] : test::kGebietsschemata) {
    EXPECT_TRUE(test::SetzeGebietsschema(LC_ALL, name, trenner)) << name << " is missing";
    for (const auto& [vorgabe, temlu, zweites, angezeigt] : kReferenzzustaende) {
      const Ergebnis e = Rechne(vorgabe, temlu, zweites);
      const MoistAirState* s = std::get_if<MoistAirState>(&e);
      EXPECT_EQ(s ? Angezeigt(*s) : Fehlertext(std::get<Fehler>(e)), angezeigt) << name;
    }
  }
  std::setlocale(LC_ALL, "C");
}

// The enthalpy overflows, so only the round counter ends the search, after
// 51 rounds that each halve the way from the lower bound of -20 to 100.
TEST(Kuehlgrenzsuche, EndetNach51Runden) {
  EXPECT_EQ(Kuehlgrenzsuche(1e308, 0.01).temkg, 100 - 120 / 0x1p51);
}

}  // namespace
}  // namespace dunstwerk
