#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "engine/primitives.h"

namespace dunstwerk {
namespace {

struct Lesefall {
  const char* text;
  double wert;
};

void PrintTo(const Lesefall& f, std::ostream* os) { *os << '"' << f.text << '"'; }

class ZahlAusTextTest : public testing::TestWithParam<Lesefall> {};

TEST_P(ZahlAusTextTest, LiestDenWert) {
  const Lesefall& fall = GetParam();
  const double gelesen = ZahlAusText(fall.text);
  if (std::isinf(fall.wert)) {
    EXPECT_EQ(gelesen, fall.wert) << '"' << fall.text << '"';
  } else {
    EXPECT_DOUBLE_EQ(gelesen, fall.wert) << '"' << fall.text << '"';
  }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Dezimal, ZahlAusTextTest,
                         testing::Values(Lesefall{"20,5", 20.5}, Lesefall{"20.5", 20.5},
                                         Lesefall{"", 0}, Lesefall{"abc", 0}, Lesefall{"12abc", 12},
                                         Lesefall{" -3,25 ", -3.25}, Lesefall{"1.000,5", 1},
                                         Lesefall{"1 5", 15}, Lesefall{"\t1\n2 , 5", 12.5},
                                         Lesefall{"+7", 7}, Lesefall{"--7", 0}, Lesefall{"- 7", -7},
                                         Lesefall{".5", 0.5}, Lesefall{",5", 0.5},
                                         Lesefall{"5.", 5}, Lesefall{".", 0}, Lesefall{"-", 0},
                                         Lesefall{"1.2.3", 1.2}, Lesefall{"0,0073702", 0.0073702},
                                         // A carriage return is not among the skipped characters.
                                         Lesefall{"1\r2", 1},
                                         // Only ASCII digits are digits: a fullwidth or
                                         // Arabic-Indic digit ends the number.
                                         Lesefall{"4\xEF\xBC\x95", 4}, Lesefall{"\xD9\xA3", 0},
                                         Lesefall{"20\xC2\xB0", 20}));

INSTANTIATE_TEST_SUITE_P(Exponent, ZahlAusTextTest,
                         testing::Values(Lesefall{"1e3", 1000}, Lesefall{"1E-2", 0.01},
                                         Lesefall{"2,5D2", 250}, Lesefall{"2d+1", 20},
                                         Lesefall{"1 e 2", 100}, Lesefall{"3e", 3},
                                         Lesefall{"3e+", 3}, Lesefall{"3ex", 3},
                                         Lesefall{"1e-400", 0}, Lesefall{"1e400", kInf},
                                         Lesefall{"-1e400", -kInf},
                                         Lesefall{"1e99999999999999999999", kInf}));

INSTANTIATE_TEST_SUITE_P(Radix, ZahlAusTextTest,
                         testing::Values(Lesefall{"&H1F", 31}, Lesefall{"&h1f", 31},
                                         Lesefall{"& H 1 F", 31}, Lesefall{"&O17", 15},
                                         Lesefall{"&o178", 15}, Lesefall{"&H", 0},
                                         Lesefall{"&Hg", 0}, Lesefall{"&X12", 0}, Lesefall{"&", 0},
                                         // The classic integer types: 16 bits signed, then 32 bits.
                                         Lesefall{"&HFFFF", -1}, Lesefall{"&H7FFF", 32767},
                                         Lesefall{"&H8000", -32768}, Lesefall{"&H10000", 65536},
                                         Lesefall{"&HFFFFFFFF", -1}, Lesefall{"&H100000000", kInf},
                                         Lesefall{"&O177777", -1}));

TEST(ZahlAusText, LangeZiffernfolgenWerdenKorrektGerundet) {
  // What the window shows for huge values must read back to the value.
  std::string text = "1" + std::string(300, '0') + ",00";
  EXPECT_EQ(ZahlAusText(text), 1e300);
  EXPECT_EQ(ZahlAusText(std::string(5000, '0') + "1,5"), 1.5);
}

}  // namespace
}  // namespace dunstwerk
