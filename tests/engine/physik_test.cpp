#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "engine/primitives.h"
#include "engine/rechenkern.h"
#include "engine/taupunkt.h"
#include "fake_ansicht.h"

namespace dunstwerk {
namespace {

struct Druckfall {
  double t;
  double bar;
};

void PrintTo(const Druckfall& f, std::ostream* os) { *os << f.t << " C"; }

class SaettigungsdruckTest : public testing::TestWithParam<Druckfall> {};

TEST_P(SaettigungsdruckTest, TrifftReferenzwert) {
  EXPECT_NEAR(Saettigungsdruck(GetParam().t), GetParam().bar, 0.5e-7) << "t=" << GetParam().t;
}

INSTANTIATE_TEST_SUITE_P(Referenz, SaettigungsdruckTest,
                         testing::Values(Druckfall{0, 0.0061078}, Druckfall{20, 0.0234200},
                                         Druckfall{99.5, 0.9952357}, Druckfall{100, 1.0132472}));

TEST(Taupunktsuche, ErgebnisLiegtAufDemHalbierungsraster) {
  // 20 degrees Celsius, 50 %: 13 halvings give -100 + 800 * 1119 / 2^13.
  EXPECT_EQ(Taupunktsuche(static_cast<float>(Saettigungsdruck(20) * 0.5)), 9.27734375);
  // Saturated air at 25 degrees Celsius meets a grid point exactly.
  EXPECT_EQ(Taupunktsuche(static_cast<float>(Saettigungsdruck(25))), 25.0);
  EXPECT_NEAR(Taupunktsuche(static_cast<float>(Saettigungsdruck(0) * 0.5)), -9.13, 0.005);
}

TEST(Taupunktsuche, UnerreichbarerDruckEndetMitNaN) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float pd : {0.0f, -0.0f, -1.0f, 1e-12f, 1.7e-8f, nan, inf}) {
    EXPECT_TRUE(std::isnan(Taupunktsuche(pd))) << pd;
  }
  // Just above the pressure at -100 degrees Celsius the search still lands.
  EXPECT_NEAR(Taupunktsuche(static_cast<float>(Saettigungsdruck(-99.9))), -99.9, 0.01);
}

// A complete state, and the values a person reads off the window.
struct Zustandsfall {
  int vorgabe;
  const char* temlu;
  const char* zweites;
  double temtau, temkg, rfProzent, absfeu, x, rhofl, pd, psatt, xkg, xkgminusx, h1;
};

void PrintTo(const Zustandsfall& f, std::ostream* os) {
  *os << "mode " << f.vorgabe << ": " << f.temlu << " / " << f.zweites;
}

class BerechnungTest : public testing::TestWithParam<Zustandsfall> {};

TEST_P(BerechnungTest, LiefertDenGanzenZustand) {
  const Zustandsfall& f = GetParam();
  Rechenkern kern;
  kern.Vorgabe = f.vorgabe;
  test::FakeAnsicht ansicht;
  ansicht.texte[Eingabefeld::temlu] = f.temlu;
  ansicht.texte[test::ZweitesFeld(f.vorgabe)] = f.zweites;

  ASSERT_TRUE(Rechne(kern, ansicht));
  EXPECT_TRUE(ansicht.meldungen.empty());
  EXPECT_FALSE(ZuruecksetzenNoetig(kern));

  const MoistAirState& s = kern.zustand;
  // Tolerances are half a unit of the last digit the window shows.
  EXPECT_NEAR(s.temtau, f.temtau, 0.005);
  EXPECT_NEAR(s.temkg, f.temkg, 0.005);
  EXPECT_NEAR(100 * s.rf, f.rfProzent, 0.005);
  EXPECT_NEAR(s.absfeu, f.absfeu, 0.5e-5);
  EXPECT_NEAR(s.x, f.x, 0.5e-5);
  EXPECT_NEAR(s.rhofl, f.rhofl, 0.5e-5);
  EXPECT_NEAR(s.pd, f.pd, 0.5e-5);
  EXPECT_NEAR(s.psatt, f.psatt, 0.5e-5);
  EXPECT_NEAR(s.xkg, f.xkg, 0.5e-5);
  EXPECT_NEAR(s.xkgminusx, f.xkgminusx, 0.5e-5);
  EXPECT_NEAR(s.h1, f.h1, 0.05);
}

INSTANTIATE_TEST_SUITE_P(
    Referenzzustaende, BerechnungTest,
    testing::Values(Zustandsfall{1, "20", "50", 9.27734, 13.75, 50, 0.00877, 0.00737, 1.19941,
                                 0.01171, 0.02342, 0.00995, 0.00258, 38.8},
                    Zustandsfall{1, "25", "100", 25, 25, 100, 0.02337, 0.02038, 1.17031, 0.03173,
                                 0.03173, 0.02038, 0, 77.0},
                    Zustandsfall{1, "0", "50", -9.13086, -2.91260, 50, 0.00246, 0.00191, 1.29151,
                                 0.00305, 0.00611, 0.00308, 0.00117, 4.8},
                    // Still below 0.999 bar: completes with an absurd but finite content.
                    Zustandsfall{1, "99,5", "100", 99.51172, 99.5, 100, 0.58643, 129.93304, 0.59095,
                                 0.99524, 0.99524, 129.93263, -0.00041, 348979.3},
                    Zustandsfall{3, "20", "0,0073702", 9.27734, 13.75, 50.00, 0.00877, 0.00737,
                                 1.19941, 0.01171, 0.02342, 0.00995, 0.00258, 38.8},
                    Zustandsfall{2, "20", "13,8", 9.39941, 13.8, 50.38, 0.00884, 0.00743, 1.19936,
                                 0.01180, 0.02342, 0.00999, 0.00256, 38.9}));

TEST(Kuehlgrenzsuche, EndetSpaetestensNach51Runden) {
  MoistAirState s;
  s.temlu = 1e308;  // the enthalpy overflows: only the counter ends it
  s.x = 0.01;
  Kuehlgrenzsuche(s);
  EXPECT_EQ(s.runden, 51);

  const double pd = Saettigungsdruck(20) * 0.5;
  s.temlu = 20;
  s.x = 0.622 * pd / (1 - pd);
  Kuehlgrenzsuche(s);
  EXPECT_EQ(s.runden, 5);
  EXPECT_EQ(s.temkg, 13.75);
}

}  // namespace
}  // namespace dunstwerk
