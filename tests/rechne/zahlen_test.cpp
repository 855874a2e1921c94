// The program's own road to the window's digits must give FormatiereMuster's
// text for every value, halves and huge values included; --voll's text must
// read back as the very same double.
#include "app/rechne/zahlen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "engine/primitives.h"
#include "engine/zahlmuster.h"

namespace dunstwerk::rechne {
namespace {

void ErwarteWieImFenster(double wert) {
  std::string schnell;
  for (const int stellen : {1, 2, 5}) {
    Muster(wert, stellen, ",", schnell);
    ASSERT_EQ(schnell, FormatiereMuster(wert, stellen, ",")) << wert << " to " << stellen;
  }
}

TEST(MusterUndVoll, WieImFensterUndExakt) {
  using L = std::numeric_limits<double>;
  // Ties and carries come from the loops below; here signs, zeros, the
  // borders of the program's own road and what lies beyond them.
  for (const double w : {0.0, -0.0, -2.675, -0.001, -0.0049, -1e-300, 1e-300, 12345.65, 1e13, 1e20,
                         1e300, L::max(), L::denorm_min(), L::infinity(), std::nan("")})
    ErwarteWieImFenster(w);
  // Random values over the ranges the state has, whose --voll text must read
  // back as the very same double, and decimal halves (ties of the pattern)
  // with the binary neighbours on both sides.
  std::mt19937_64 zufall(19);
  std::uniform_real_distribution<double> exponent(-10, 9);
  std::string voll;
  for (int i = 0; i < 200000; ++i) {
    const double w = std::pow(10.0, exponent(zufall)) * (i % 2 ? -1 : 1);
    ErwarteWieImFenster(w);
    Voll(w, ",", voll);
    ASSERT_TRUE(voll.find('.') == std::string::npos && ZahlAusText(voll) == w) << voll;
  }
  for (int i = 0; i < 20000; ++i) {
    for (const double skala : {1e-1, 1e-2, 1e-5}) {
      const double halb = (i + 0.5) * skala;
      for (const double w : {halb, std::nextafter(halb, 0.0), std::nextafter(halb, 1e9)})
        ErwarteWieImFenster(w);
    }
  }
  Voll(20.5, "\u066B", voll);  // a separator of two bytes
  EXPECT_EQ(voll, "20\u066B5");
}

}  // namespace
}  // namespace dunstwerk::rechne
