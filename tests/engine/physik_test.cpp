#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <tuple>
#include <utility>
#include <variant>

#include "engine/rechenkern.h"
#include "engine/zahlmuster.h"
#include "gebietsschema.h"

namespace dunstwerk {
namespace {

// A complete state as a person reads it off the window: the twelve fields in
// its order and decimals (the relative humidity in per cent), with a decimal
// comma; read here, not through the window's list, as the state holds them.
std::string Angezeigt(const MoistAirState& s) {
  // clang-format off
  const std::pair<double, int> felder[] = {
      {s.temlu, 2},  {s.temtau, 2}, {s.temkg, 2},     {100 * s.rf, 2},
      {s.absfeu, 5}, {s.x, 5},      {s.rhofl, 5},     {s.pd, 5},
      {s.psatt, 5},  {s.xkg, 5},    {s.xkgminusx, 5}, {s.h1, 1},
  };
  // clang-format on
  std::string text;
  for (const auto& [wert, stellen] : felder)
    text.append(text.empty() ? "" : " ").append(FormatiereMuster(wert, stellen, ","));
  return text;
}

constexpr Vorgabe kRf = Vorgabe::Feuchte, kKg = Vorgabe::Kuehlgrenze;

// clang-format off
constexpr std::tuple<Vorgabe, const char*, const char*, const char*> kReferenzzustaende[] = {
    {kRf, "20", "50", "20,00 9,28 13,75 50,00 0,00877 0,00737 "
     "1,19941 0,01171 0,02342 0,00995 0,00258 38,8"},
    {kRf, "25", "100", "25,00 25,00 25,00 100,00 0,02337 0,02038 "
     "1,17031 0,03173 0,03173 0,02038 0,00000 77,0"},
    // Still below 0.999 bar: completes with an absurd but finite content.
    {kRf, "99,5", "100", "99,50 99,51 99,50 100,00 0,58643 129,93304 "
     "0,59095 0,99524 0,99524 129,93263 -0,00041 348979,3"},
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
