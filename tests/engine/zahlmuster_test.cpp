// The result patterns: rounding, signs, separators and very large values.
#include "engine/zahlmuster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "engine/primitives.h"

namespace dunstwerk {
namespace {

struct Musterfall {
  double wert;
  int stellen;
  const char* trenner;
  std::string erwartet;
};

void PrintTo(const Musterfall& f, std::ostream* os) { *os << f.wert << " to " << f.stellen; }

class FormatiereMusterTest : public testing::TestWithParam<Musterfall> {};

TEST_P(FormatiereMusterTest, ZeigtDenWert) {
  const Musterfall& f = GetParam();
  EXPECT_EQ(FormatiereMuster(f.wert, f.stellen, f.trenner), f.erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Runden, FormatiereMusterTest,
    testing::Values(
        // Halves that binary floating point holds a little below the half.
        Musterfall{2.675, 2, ",", "2,68"}, Musterfall{1.005, 2, ",", "1,01"},
        Musterfall{0.125, 2, ",", "0,13"}, Musterfall{38.75, 1, ",", "38,8"},
        Musterfall{0.000005, 5, ",", "0,00001"},
        // Carries across the separator and into a new leading digit.
        Musterfall{9.995, 2, ",", "10,00"}, Musterfall{99.96, 1, ".", "100.0"},
        Musterfall{0.995, 2, ",", "1,00"},
        // Leading zero, padding, no grouping.
        Musterfall{0.00737, 5, ",", "0,00737"}, Musterfall{0.000004, 5, ",", "0,00000"},
        Musterfall{1e-300, 2, ",", "0,00"}, Musterfall{20.0, 2, ".", "20.00"},
        Musterfall{1234567.891, 2, ",", "1234567,89"}, Musterfall{2.5, 0, ",", "3"},
        // Signs.
        Musterfall{-2.675, 2, ",", "-2,68"}, Musterfall{-0.001, 2, ",", "-0,00"},
        Musterfall{-1e-300, 5, ",", "-0,00000"}, Musterfall{0.0, 2, ",", "0,00"},
        Musterfall{-0.0, 5, ",", "0,00000"},
        // Only fifteen significant digits count, then zeros.
        Musterfall{1e20, 1, ",", "100000000000000000000,0"},
        Musterfall{1152921504606846976.0, 2, ",", "1152921504606850000,00"},
        Musterfall{1e300, 2, ",", "1" + std::string(300, '0') + ",00"},
        // A separator of more than one byte (Arabic decimal separator).
        Musterfall{1.5, 2, "\xD9\xAB",
                   "1\xD9\xAB"
                   "50"}));

// Whatever is shown must read back as the value it stands for.
TEST(FormatiereMuster, LiestZurueck) {
  for (double wert : {1e300, -1e300, std::numeric_limits<double>::max(), 123456789.123456, -3.14159,
                      1e15 + 0.5, 6.02214076e23, 0.07}) {
    for (int stellen : {1, 2, 5}) {
      for (const char* trenner : {",", "."}) {
        const std::string text = FormatiereMuster(wert, stellen, trenner);
        const double gelesen = ZahlAusText(text);
        const double toleranz = std::max(std::abs(wert) * 1e-14, 0.5 * std::pow(10.0, -stellen));
        ASSERT_TRUE(std::isfinite(gelesen)) << text;
        EXPECT_LE(std::abs(gelesen - wert), toleranz) << text;
      }
    }
  }
}

}  // namespace
}  // namespace dunstwerk
