#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <variant>

#include "engine/rechenkern.h"

namespace dunstwerk {
namespace {

constexpr Vorgabe kRf = Vorgabe::Feuchte, kKg = Vorgabe::Kuehlgrenze, kX = Vorgabe::Dampfgehalt;

// One calculate command and the classic code it ends with: 0 for a complete
// state, 10 plus the reason for a negative air temperature. Typical rows of
// each code stand in tests/rechne/gleich/; here are the borders and extremes.
// clang-format off
constexpr std::tuple<Vorgabe, const char*, const char*, int> kFaelle[] = {
    // Missing input, before anything is read; a box of blanks is not empty.
    {kRf, "", "50", 6}, {kKg, "", "", 6}, {kX, "-5", "", 6}, {kRf, "20", " ", 1},
    {kRf, "20", "abc", 1},
    // Range boundaries of each mode.
    {kRf, "20", "100,01", 1}, {kRf, "20", "0,004", 1}, {kRf, "20", "1e400", 1},
    {kKg, "120", "99,6", 2}, {kKg, "20", "1e400", 2}, {kX, "20", "10,5", 3},
    {kX, "20", "-0,001", 3}, {kX, "20", "1e400", 3},
    // Negative air temperature, alone and combined; alone it still fails.
    {kRf, "-1e400", "50", 10}, {kKg, "-5", "0", 12}, {kX, "-5", "11", 13},
    // Failures of the calculation; 0.9991 bar of vapour pressure is too much.
    {kRf, "100", "100", 7}, {kRf, "1e308", "50", 7}, {kRf, "99,7", "99,67", 7}, {kX, "20", "10", 5},
    // Relative humidity 1.0005, past the tolerance of 0.01 %; the energy
    // balance gives a vapour content of 9.4e-7.
    {kX, "20", "0,014924", 5}, {kKg, "20", "5,7331", 4},
    // Inputs the formulas cannot carry end in an orderly way with code 4
    // instead of dividing by zero, overflowing into NaN or searching forever.
    {kX, "0", "1e-300", 4}, {kKg, "20", "-236", 4}, {kKg, "20", "-234,175", 4},
    {kKg, "20", "-300", 4}, {kKg, "20", "-1e300", 4}, {kKg, "20", "-1e308", 4},
    {kKg, "1e400", "20", 4}, {kRf, "1e400", "50", 4}, {kX, "1e400", "0,01", 4},
    {kX, "1e308", "0,01", 4},
    // Just inside the boundaries.
    {kRf, "20", "0,005", 0}, {kRf, "abc", "50", 0}, {kRf, "-0", "50", 0}, {kRf, " 2 0 ", "5 0", 0},
    {kKg, "20", "19,99", 0}, {kKg, "150", "99,5", 0}, {kX, "20", "0,000001", 0},
    {kX, "1e300", "0,01", 0}, {kRf, "1000", "0,005", 0},
    // Relative humidity 1.00003, over saturation but within 0.01 %; a vapour
    // pressure of exactly 0.999 bar; a vapour content of 1.1e-6.
    {kX, "20", "0,014917", 0}, {kRf, "99,7", "99,660015824207", 0}, {kKg, "20", "5,7333", 0}};
// clang-format on

TEST(Rechne, RechnetOderNenntDenFehler) {
  for (const auto& [vorgabe, temlu, zweites, code] : kFaelle) {
    const Ergebnis e = Rechne(vorgabe, temlu, zweites);
    const Fehler* fehler = std::get_if<Fehler>(&e);
    EXPECT_EQ(fehler ? fehler->Code() : 0, code)
        << int(vorgabe) << ": '" << temlu << "' / '" << zweites << "'";
    // Every error the command reports has a text to show.
    EXPECT_TRUE(!fehler || !Fehlertext(*fehler).empty());
  }
}

// The texts of reasons 1, 2, 4, 5 and 6 stand in the files in
// tests/rechne/gleich/ and in the window's tests.
TEST(Fehlertext, EinzelneGruendeUndKombinationen) {
  const std::string temperatur = "Lufttemperatur in °C muss positiv sein !";
  const std::tuple<Fehler, int, std::string> faelle[] = {
      {{false, Grund::Keiner}, 0, ""},
      {{false, Grund::DampfgehaltUnrealistisch}, 3, "\r\nDer Dampfgehalt ist unrealistisch !"},
      {{false, Grund::DampfdruckZuHoch}, 7, "Dampfdruck zu hoch, numerisch nicht erfasst."},
      {{true, Grund::Keiner}, 10, temperatur},
      {{true, Grund::KuehlgrenzeZuGross}, 12, temperatur + "\r\nKühlgrenztemperatur ist zu groß !"},
  };
  for (const auto& [fehler, code, text] : faelle) {
    EXPECT_EQ(Fehlertext(fehler), text) << code;
    EXPECT_EQ(fehler.Code(), code);
  }
}

}  // namespace
}  // namespace dunstwerk
