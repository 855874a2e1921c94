// The result patterns: rounding, signs, separators and very large values.
#include "engine/zahlmuster.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

namespace dunstwerk {
namespace {

TEST(FormatiereMuster, ZeigtDenWert) {
  // clang-format off
  const std::tuple<double, int, const char*, std::string> faelle[] = {
      // Halves that binary floating point holds a little below the half.
      {2.675, 2, ",", "2,68"}, {1.005, 2, ",", "1,01"}, {0.125, 2, ",", "0,13"},
      {38.75, 1, ",", "38,8"}, {0.000005, 5, ",", "0,00001"},
      // Carries across the separator and into a new leading digit.
      {9.995, 2, ",", "10,00"}, {99.96, 1, ".", "100.0"}, {0.995, 2, ",", "1,00"},
      // Leading zero, padding, no grouping.
      {0.00737, 5, ",", "0,00737"}, {0.000004, 5, ",", "0,00000"}, {1e-300, 2, ",", "0,00"},
      {20.0, 2, ".", "20.00"}, {1234567.891, 2, ",", "1234567,89"}, {2.5, 0, ",", "3"},
      // Signs.
      {-2.675, 2, ",", "-2,68"}, {-0.001, 2, ",", "-0,00"}, {-1e-300, 5, ",", "-0,00000"},
      {0.0, 2, ",", "0,00"}, {-0.0, 5, ",", "0,00000"},
      // Only fifteen significant digits count, then zeros.
      {1e20, 1, ",", "100000000000000000000,0"},
      {1152921504606846976.0, 2, ",", "1152921504606850000,00"},
      {1e300, 2, ",", "1" + std::string(300, '0') + ",00"},
      // Next to the largest double 15 digits would round past it: 17 are shown.
      {std::numeric_limits<double>::max(), 0, ",", "17976931348623157" + std::string(292, '0')},
      // A separator of more than one byte (Arabic decimal separator).
      {1.5, 2, "\xD9\xAB", "1\xD9\xAB" "50"}};
  // clang-format on
  for (const auto& [wert, stellen, trenner, erwartet] : faelle)
    EXPECT_EQ(FormatiereMuster(wert, stellen, trenner), erwartet) << wert;
}

}  // namespace
}  // namespace dunstwerk
