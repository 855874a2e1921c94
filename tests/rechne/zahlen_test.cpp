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

TEST(Muster, WieImFenster) {
  using L = std::numeric_limits<double>;
  for (const double w :
       {0.0,      -0.0,    2.675,  1.005,    0.125,           38.75,         0.000005,    9.995,
        99.96,    0.995,   -2.675, -0.001,   -1e-300,         1e-300,        0.00737,     1e13,
        1e20,     1e300,   4.35,   0.045,    1234567.891,     0.000015,      0.00005,     0.15,
        12345.65, -0.0049, 2.5e-6, L::max(), L::denorm_min(), L::infinity(), std::nan("")})
    ErwarteWieImFenster(w);
  // Random values over the ranges the state has, and decimal halves (ties of
  // the pattern) with the binary neighbours on both sides.
  std::mt19937_64 zufall(19);
  std::uniform_real_distribution<double> exponent(-8, 9);
  for (int i = 0; i < 200000; ++i)
    ErwarteWieImFenster(std::pow(10.0, exponent(zufall)) * (i % 2 ? -1 : 1));
  for (int i = 0; i < 20000; ++i) {
    for (const double skala : {1e-1, 1e-2, 1e-5}) {
      const double halb = (i + 0.5) * skala;
      for (const double w : {halb, std::nextafter(halb, 0.0), std::nextafter(halb, 1e9)})
        ErwarteWieImFenster(w);
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
  Voll(20.5, "\xD9\xAB", text);  // a separator of two bytes
  EXPECT_EQ(text,
            "20\xD9\xAB"
            "5");
}

}  // namespace
}  // namespace dunstwerk::rechne
