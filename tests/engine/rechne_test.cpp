#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>

#include "engine/rechenkern.h"

namespace dunstwerk {
namespace {

constexpr Vorgabe kRf = Vorgabe::Feuchte, kKg = Vorgabe::Kuehlgrenze, kX = Vorgabe::Dampfgehalt;

// One calculate command and the classic code it ends with: 0 for a complete
// state, 10 plus the reason for a negative air temperature.
struct Fall {
  Vorgabe vorgabe;
  const char* temlu;
  const char* zweites;
  int code;
};

void PrintTo(const Fall& f, std::ostream* os) {
  *os << "mode " << static_cast<int>(f.vorgabe) << ": '" << f.temlu << "' / '" << f.zweites << "'";
}

class RechneTest : public testing::TestWithParam<Fall> {};

TEST_P(RechneTest, RechnetOderNenntDenFehler) {
  const Fall& f = GetParam();
  const Ergebnis e = Rechne(f.vorgabe, f.temlu, f.zweites);
  if (f.code == 0) {
    ASSERT_TRUE(std::holds_alternative<MoistAirState>(e)) << "code " << std::get<Fehler>(e).Code();
  } else {
    ASSERT_TRUE(std::holds_alternative<Fehler>(e)) << "a complete state";
    const Fehler& fehler = std::get<Fehler>(e);
    EXPECT_EQ(fehler.Code(), f.code);
    // Every error the command reports has a text to show.
    EXPECT_FALSE(Fehlertext(fehler).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Eingabepruefung, RechneTest,
    testing::Values(
        // Missing input, before anything is read; a box of blanks is not empty.
        Fall{kRf, "20", "", 6}, Fall{kRf, "", "50", 6}, Fall{kKg, "", "", 6}, Fall{kX, "-5", "", 6},
        Fall{kRf, "20", " ", 1},
        // Range boundaries of each mode.
        Fall{kRf, "20", "100,01", 1}, Fall{kRf, "20", "0,004", 1}, Fall{kRf, "20", "abc", 1},
        Fall{kRf, "20", "1e400", 1}, Fall{kKg, "20", "20", 2}, Fall{kKg, "120", "99,6", 2},
        Fall{kKg, "20", "1e400", 2}, Fall{kX, "20", "10,5", 3}, Fall{kX, "20", "-0,001", 3},
        Fall{kX, "20", "1e400", 3},
        // Negative air temperature, alone and combined; alone it still fails.
        Fall{kRf, "-5", "50", 10}, Fall{kRf, "-1e400", "50", 10}, Fall{kRf, "-5", "120", 11},
        Fall{kKg, "-5", "0", 12}, Fall{kX, "-5", "11", 13}));

INSTANTIATE_TEST_SUITE_P(Berechnung, RechneTest,
                         testing::Values(Fall{kRf, "100", "100", 7}, Fall{kRf, "1e308", "50", 7},
                                         // A vapour pressure of 0.9991 bar.
                                         Fall{kRf, "99,7", "99,67", 7}, Fall{kX, "20", "0,02", 5},
                                         Fall{kX, "20", "10", 5},
                                         // Relative humidity 1.0005: past the tolerance of 0.01 %.
                                         Fall{kX, "20", "0,014924", 5}, Fall{kKg, "30", "10", 4},
                                         // The energy balance gives a vapour content of 9.4e-7.
                                         Fall{kKg, "20", "5,7331", 4}));

// Inputs the formulas cannot carry: each ends the run in an orderly way with
// code 4 instead of dividing by zero, overflowing into NaN or searching
// forever.
INSTANTIATE_TEST_SUITE_P(Grenzfaelle, RechneTest,
                         testing::Values(Fall{kX, "20", "0", 4}, Fall{kX, "20", "1e-9", 4},
                                         Fall{kX, "0", "1e-300", 4}, Fall{kKg, "20", "-236", 4},
                                         Fall{kKg, "20", "-234,175", 4}, Fall{kKg, "20", "-300", 4},
                                         Fall{kKg, "20", "-1e300", 4}, Fall{kKg, "20", "-1e308", 4},
                                         Fall{kKg, "1e400", "20", 4}, Fall{kRf, "1e400", "50", 4},
                                         Fall{kX, "1e400", "0,01", 4},
                                         Fall{kX, "1e308", "0,01", 4}));

INSTANTIATE_TEST_SUITE_P(
    Grenzen, RechneTest,
    testing::Values(Fall{kRf, "20", "100", 0}, Fall{kRf, "20", "0,005", 0},
                    Fall{kRf, "abc", "50", 0}, Fall{kRf, "-0", "50", 0},
                    Fall{kRf, " 2 0 ", "5 0", 0}, Fall{kKg, "20", "19,99", 0},
                    Fall{kKg, "150", "99,5", 0}, Fall{kX, "20", "0,000001", 0},
                    Fall{kX, "1e300", "0,01", 0}, Fall{kRf, "1000", "0,005", 0},
                    // Relative humidity 1.00003: over saturation, but within 0.01 %.
                    Fall{kX, "20", "0,014917", 0},
                    // A vapour pressure of exactly 0.999 bar is still carried.
                    Fall{kRf, "99,7", "99,660015824207", 0},
                    // The energy balance gives a vapour content of 1.1e-6.
                    Fall{kKg, "20", "5,7333", 0}));

constexpr const char* kTemperatur = "Lufttemperatur in °C muss positiv sein !";

struct Textfall {
  Fehler fehler;
  int code;
  std::string text;
};

TEST(Fehlertext, EinzelneGruendeUndKombinationen) {
  const std::string kg = "Kühlgrenztemperatur ist zu groß !";
  const Textfall faelle[] = {
      {{false, Grund::Keiner}, 0, ""},
      {{false, Grund::RelativeFeuchteUngueltig}, 1, "\r\nRelative Feuchte ist ungültig !"},
      {{false, Grund::KuehlgrenzeZuGross}, 2, "\r\n" + kg},
      {{false, Grund::DampfgehaltUnrealistisch}, 3, "\r\nDer Dampfgehalt ist unrealistisch !"},
      {{false, Grund::LuftTrocken}, 4, "\r\nDie Luft ist trocken oder allg. Fehler !"},
      {{false, Grund::LuftUebersaettigt}, 5, "\r\nDie Luft ist übersättigt oder allg. Fehler !"},
      {{false, Grund::EingabenFehlen}, 6, "Eingaben fehlen !"},
      {{false, Grund::DampfdruckZuHoch}, 7, "Dampfdruck zu hoch, numerisch nicht erfasst."},
      {{true, Grund::Keiner}, 10, kTemperatur},
      {{true, Grund::KuehlgrenzeZuGross}, 12, kTemperatur + ("\r\n" + kg)},
  };
  for (const Textfall& f : faelle) {
    EXPECT_EQ(Fehlertext(f.fehler), f.text) << f.code;
    EXPECT_EQ(f.fehler.Code(), f.code);
  }
}

}  // namespace
}  // namespace dunstwerk
