// Runs a table of cases twice: in the C locale, and in the German locale as a
// German desktop session sets it, where the C library's decimal separator is
// a comma. Conversions that follow LC_NUMERIC read German users' numbers
// wrong, and only the second run shows it.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstddef>
#include <ostream>
#include <tuple>

#include "gebietsschema.h"

namespace dunstwerk::test {

struct Gebietsschema {
  const char* name;
  const char* dezimaltrenner;  // what the C library must report in it
};

inline void PrintTo(const Gebietsschema& g, std::ostream* os) { *os << g.name; }

inline constexpr Gebietsschema kGebietsschemata[] = {{"C", "."}, {kDeutschesGebietsschema, ","}};

template <class Fall>
class InGebietsschemata : public testing::TestWithParam<std::tuple<Gebietsschema, Fall>> {
 protected:
  void SetUp() override {
    const Gebietsschema& g = std::get<0>(this->GetParam());
    ASSERT_TRUE(SetzeGebietsschema(LC_ALL, g.name)) << "locale " << g.name << " is missing";
    ASSERT_EQ(CDezimaltrenner(), g.dezimaltrenner) << g.name;
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
  const Fall& fall() const { return std::get<1>(this->GetParam()); }
};

// Every case of `faelle` in each locale.
template <class Fall, std::size_t N>
auto InJedemGebietsschema(const Fall (&faelle)[N]) {
  return testing::Combine(testing::ValuesIn(kGebietsschemata), testing::ValuesIn(faelle));
}

}  // namespace dunstwerk::test
