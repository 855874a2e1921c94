#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>
#include <utility>

#include "engine/primitives.h"
#include "gebietsschema.h"

namespace dunstwerk {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off
constexpr std::pair<const char*, double> kFaelle[] = {
    {"20,5", 20.5}, {"20.5", 20.5}, {"", 0}, {"abc", 0}, {"12abc", 12}, {" -3,25 ", -3.25},
    {"1.000,5", 1}, {"1 5", 15}, {"\t1\n2 , 5", 12.5}, {"+7", 7}, {"--7", 0}, {"- 7", -7},
    {".5", 0.5}, {",5", 0.5}, {"5.", 5}, {".", 0}, {"-", 0}, {"1.2.3", 1.2},
    {"0,0073702", 0.0073702},
    // A carriage return is not among the skipped characters.
    {"1\r2", 1},
    // Only ASCII digits are digits: a fullwidth or Arabic-Indic digit ends
    // the number.
    {"4\xEF\xBC\x95", 4}, {"\xD9\xA3", 0}, {"20\xC2\xB0", 20},
    // Exponents.
    {"1e3", 1000}, {"1E-2", 0.01}, {"2,5D2", 250}, {"2d+1", 20}, {"1 e 2", 100}, {"3e", 3},
    {"3e+", 3}, {"3ex", 3},
    // Past a double's range: infinity or zero, told apart by where the first
    // significant digit stands, not by the exponent alone.
    {"1e-400", 0}, {"1e400", kInf}, {"-1e400", -kInf}, {"1e99999999999999999999", kInf},
    {"1000e306", kInf}, {"-1000e306", -kInf}, {"0,000001e-320", 0}, {"123e306", 1.23e308},
    // Hexadecimal and octal.
    {"&H1F", 31}, {"&h1f", 31}, {"& H 1 F", 31}, {"&O17", 15}, {"&o178", 15}, {"&H", 0},
    {"&Hg", 0}, {"&X12", 0}, {"&", 0},
    // The classic integer types: 16 bits signed, then 32 bits.
    {"&HFFFF", -1}, {"&H7FFF", 32767}, {"&H8000", -32768}, {"&H10000", 65536},
    {"&HFFFFFFFF", -1}, {"&H100000000", kInf}, {"&O177777", -1}};
// clang-format on

TEST(ZahlAusText, LiestDenWertInJedemGebietsschema) {
  for (const auto& [name, trenner] : test::kGebietsschemata) {
    EXPECT_TRUE(test::SetzeGebietsschema(LC_ALL, name, trenner)) << name << " is missing";
    for (const auto& [text, wert] : kFaelle)
      EXPECT_EQ(ZahlAusText(text), wert) << name << " \"" << text << '"';
  }
  std::setlocale(LC_ALL, "C");
}

TEST(ZahlAusText, LangeZiffernfolgenWerdenKorrektGerundet) {
  // What the window shows for huge values must read back to the value.
  EXPECT_EQ(ZahlAusText("1" + std::string(300, '0') + ",00"), 1e300);
  EXPECT_EQ(ZahlAusText(std::string(5000, '0') + "1,5"), 1.5);
  EXPECT_EQ(ZahlAusText("17976931348623157" + std::string(292, '0')), 1.7976931348623157e308);
}

}  // namespace
}  // namespace dunstwerk
