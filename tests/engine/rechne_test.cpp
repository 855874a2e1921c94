#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/rechenkern.h"
#include "fake_ansicht.h"

namespace dunstwerk {
namespace {

constexpr const char* kFeuchte = "Relative Feuchte ist ungültig !";
constexpr const char* kKuehlgrenze = "Kühlgrenztemperatur ist zu groß !";
constexpr const char* kDampfgehalt = "Der Dampfgehalt ist unrealistisch !";
constexpr const char* kTrocken = "Die Luft ist trocken oder allg. Fehler !";
constexpr const char* kUebersaettigt = "Die Luft ist übersättigt oder allg. Fehler !";
constexpr const char* kFehlen = "Eingaben fehlen !";
constexpr const char* kDampfdruck = "Dampfdruck zu hoch, numerisch nicht erfasst.";
constexpr const char* kTemperatur = "Lufttemperatur in °C muss positiv sein !";

struct Ablauf {
  Rechenkern kern;
  test::FakeAnsicht ansicht;
  bool vollstaendig = false;

  Ablauf(int vorgabe, const char* temlu, const char* zweites) {
    kern.Vorgabe = vorgabe;
    ansicht.texte[Eingabefeld::temlu] = temlu;
    ansicht.texte[test::ZweitesFeld(vorgabe)] = zweites;
    vollstaendig = Rechne(kern, ansicht);
  }
};

std::string Zeile(const char* text) { return std::string("\r\n") + text; }
std::string Zeilen(const char* erste, const char* zweite) {
  return std::string(erste) + "\r\n" + zweite;
}

// One calculate command. Where the text is empty the input is accepted and
// the state is complete. Otherwise the command shows exactly that text, once,
// repaints, pauses five seconds and asks the window to return to empty inputs.
struct Fall {
  int vorgabe;
  const char* temlu;
  const char* zweites;
  std::string text;
};

void PrintTo(const Fall& f, std::ostream* os) {
  *os << "mode " << f.vorgabe << ": '" << f.temlu << "' / '" << f.zweites << "'";
}

class RechneTest : public testing::TestWithParam<Fall> {};

TEST_P(RechneTest, ZeigtDenTextOderRechnet) {
  const Fall& f = GetParam();
  Ablauf a(f.vorgabe, f.temlu, f.zweites);
  if (f.text.empty()) {
    EXPECT_TRUE(a.vollstaendig);
    EXPECT_TRUE(a.ansicht.meldungen.empty());
    EXPECT_TRUE(a.ansicht.pausen.empty());
    EXPECT_EQ(a.kern.Fehlercode, 0);
    EXPECT_FALSE(ZuruecksetzenNoetig(a.kern));
    return;
  }
  EXPECT_FALSE(a.vollstaendig);
  ASSERT_EQ(a.ansicht.meldungen.size(), 1u);
  EXPECT_EQ(a.ansicht.meldungen[0], f.text);
  EXPECT_EQ(a.kern.Fehlertext, f.text);
  EXPECT_EQ(a.ansicht.pausen, std::vector<int>{5000});
  EXPECT_GE(a.ansicht.neuZeichnen, 1);
  EXPECT_TRUE(ZuruecksetzenNoetig(a.kern));
}

INSTANTIATE_TEST_SUITE_P(
    Eingabepruefung, RechneTest,
    testing::Values(
        // Missing input; a box of blanks is not empty.
        Fall{1, "20", "", kFehlen}, Fall{1, "", "50", kFehlen}, Fall{2, "", "", kFehlen},
        Fall{3, "-5", "", kFehlen}, Fall{1, "20", " ", Zeile(kFeuchte)},
        // Range boundaries of each mode.
        Fall{1, "20", "100,01", Zeile(kFeuchte)}, Fall{1, "20", "0,004", Zeile(kFeuchte)},
        Fall{1, "20", "abc", Zeile(kFeuchte)}, Fall{1, "20", "1e400", Zeile(kFeuchte)},
        Fall{2, "20", "20", Zeile(kKuehlgrenze)}, Fall{2, "120", "99,6", Zeile(kKuehlgrenze)},
        Fall{2, "20", "1e400", Zeile(kKuehlgrenze)}, Fall{3, "20", "10,5", Zeile(kDampfgehalt)},
        Fall{3, "20", "-0,001", Zeile(kDampfgehalt)}, Fall{3, "20", "1e400", Zeile(kDampfgehalt)},
        // Negative air temperature, alone and combined.
        Fall{1, "-5", "50", kTemperatur}, Fall{1, "-1e400", "50", kTemperatur},
        Fall{1, "-5", "120", Zeilen(kTemperatur, kFeuchte)},
        Fall{2, "-5", "0", Zeilen(kTemperatur, kKuehlgrenze)},
        Fall{3, "-5", "11", Zeilen(kTemperatur, kDampfgehalt)}));

INSTANTIATE_TEST_SUITE_P(Berechnung, RechneTest,
                         testing::Values(Fall{1, "100", "100", kDampfdruck},
                                         Fall{1, "1e308", "50", kDampfdruck},
                                         Fall{3, "20", "0,02", Zeile(kUebersaettigt)},
                                         Fall{3, "20", "10", Zeile(kUebersaettigt)},
                                         Fall{2, "30", "10", Zeile(kTrocken)}));

// Inputs the formulas cannot carry: each ends the run in an orderly way with
// code 4 instead of dividing by zero, overflowing into NaN or searching
// forever.
INSTANTIATE_TEST_SUITE_P(
    Grenzfaelle, RechneTest,
    testing::Values(
        Fall{3, "20", "0", Zeile(kTrocken)}, Fall{3, "20", "1e-9", Zeile(kTrocken)},
        Fall{3, "0", "1e-300", Zeile(kTrocken)}, Fall{2, "20", "-236", Zeile(kTrocken)},
        Fall{2, "20", "-234,175", Zeile(kTrocken)}, Fall{2, "20", "-300", Zeile(kTrocken)},
        Fall{2, "20", "-1e300", Zeile(kTrocken)}, Fall{2, "20", "-1e308", Zeile(kTrocken)},
        Fall{2, "1e400", "20", Zeile(kTrocken)}, Fall{1, "1e400", "50", Zeile(kTrocken)},
        Fall{3, "1e400", "0,01", Zeile(kTrocken)}, Fall{3, "1e308", "0,01", Zeile(kTrocken)}));

INSTANTIATE_TEST_SUITE_P(Grenzen, RechneTest,
                         testing::Values(Fall{1, "20", "100", ""}, Fall{1, "20", "0,005", ""},
                                         Fall{1, "abc", "50", ""}, Fall{1, "-0", "50", ""},
                                         Fall{1, " 2 0 ", "5 0", ""}, Fall{2, "20", "19,99", ""},
                                         Fall{2, "150", "99,5", ""}, Fall{3, "20", "0,000001", ""},
                                         Fall{3, "1e300", "0,01", ""},
                                         Fall{1, "1000", "0,005", ""}));

TEST(Rechne, FehlercodeBeginntJedenBefehlBeiNull) {
  Rechenkern kern;
  kern.Vorgabe = 1;
  kern.Fehlercode = 6;  // left over from somewhere
  test::FakeAnsicht ansicht;
  ansicht.texte[Eingabefeld::temlu] = "20";
  ansicht.texte[Eingabefeld::rf] = "50";
  EXPECT_TRUE(Rechne(kern, ansicht));
  EXPECT_EQ(kern.Fehlercode, 0);
}

TEST(Fehleranzeige, EinzelneCodesUndKombinationen) {
  struct Fall {
    int code;
    std::string text;
    int rest;
  };
  const Fall faelle[] = {
      {1, Zeile(kFeuchte), 1},
      {4, Zeile(kTrocken), 4},
      {5, Zeile(kUebersaettigt), 5},
      {6, kFehlen, 6},
      {7, kDampfdruck, 7},
      {10, kTemperatur, 0},
      {12, Zeilen(kTemperatur, kKuehlgrenze), 2},
      {13, Zeilen(kTemperatur, kDampfgehalt), 3},
      // A code 6 after a 10 replaces the temperature text.
      {16, kFehlen, 6},
  };
  for (const Fall& f : faelle) {
    Rechenkern kern;
    kern.Fehlertext = "alt";
    kern.Fehlercode = f.code;
    test::FakeAnsicht ansicht;
    Fehleranzeige(kern, ansicht);
    EXPECT_EQ(kern.Fehlertext, f.text) << f.code;
    EXPECT_EQ(kern.Fehlercode, f.rest) << f.code;
    EXPECT_EQ(ansicht.pausen, std::vector<int>{5000}) << f.code;
  }
}

TEST(Rechne, FehlgeschlagenerLaufLaesstAlteWerteUnangetastet) {
  Rechenkern kern;
  kern.Vorgabe = 3;
  test::FakeAnsicht ansicht;
  ansicht.texte[Eingabefeld::temlu] = "20";
  ansicht.texte[Eingabefeld::x] = "0,0073702";
  ASSERT_TRUE(Rechne(kern, ansicht));
  const double h1 = kern.zustand.h1;
  ansicht.texte[Eingabefeld::x] = "0,02";
  EXPECT_FALSE(Rechne(kern, ansicht));
  EXPECT_EQ(kern.zustand.h1, h1);
}

}  // namespace
}  // namespace dunstwerk
