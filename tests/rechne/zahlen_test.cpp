// The program's own road to the window's digits must give FormatiereMuster's
// text for every value, halves and huge values included.
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

TEST(Muster, GrenzfaelleWieImFenster) {
  const double grenz[] = {0.0,
                          -0.0,
                          2.675,
                          1.005,
                          0.125,
                          38.75,
                          0.000005,
                          9.995,
                          99.96,
                          0.995,
                          -2.675,
                          -0.001,
                          -1e-300,
                          1e-300,
                          0.00737,
                          1e13,
                          1e20,
                          1e300,
                          4.35,
                          0.045,
                          1234567.891,
                          0.000015,
                          0.00005,
                          0.15,
                          12345.65,
                          -0.0049,
                          5e-6,
                          2.5e-6,
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::infinity(),
                          std::nan("")};
  for (const double w : grenz) ErwarteWieImFenster(w);
}

// Random values over the ranges the state has, and decimal halves (ties of
// the pattern) with the binary neighbours on both sides.
TEST(Muster, ZufallUndHalbeWieImFenster) {
  std::mt19937_64 zufall(19);
  std::uniform_real_distribution<double> exponent(-8, 9);
  for (int i = 0; i < 200000; ++i) {
    const double w = std::pow(10.0, exponent(zufall)) * (i % 2 ? -1 : 1);
    ErwarteWieImFenster(w);
  }
  for (int i = 0; i < 20000; ++i) {
    for (const double skala : {1e-1, 1e-2, 1e-5}) {
      const double halb = (i + 0.5) * skala;
      ErwarteWieImFenster(halb);
      ErwarteWieImFenster(std::nextafter(halb, 0.0));
      ErwarteWieImFenster(std::nextafter(halb, 1e9));
    }
  }
}

TEST(Voll, LiestSichZurueckAlsDerselbeWert) {
  std::mt19937_64 zufall(7);
  std::uniform_real_distribution<double> exponent(-10, 6);
  std::string text;
  for (int i = 0; i < 20000; ++i) {
    const double w = std::pow(10.0, exponent(zufall));
    Voll(w, ",", text);
    ASSERT_EQ(text.find('.'), std::string::npos) << text;
    ASSERT_EQ(ZahlAusText(text), w) << text;
  }
  Voll(0.1, ".", text);
  EXPECT_EQ(text, "0.1");
  Voll(20.5, "\xD9\xAB", text);  // a separator of two bytes
  EXPECT_EQ(text,
            "20\xD9\xAB"
            "5");
}

}  // namespace
}  // namespace dunstwerk::rechne
