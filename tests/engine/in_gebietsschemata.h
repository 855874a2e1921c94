// Runs checks twice: in the C locale, and in the German locale as a German
// desktop session sets it, where the C library's decimal separator is a
// comma. Conversions that follow LC_NUMERIC read German users' numbers wrong,
// and only the second run shows it.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <utility>

#include "gebietsschema.h"

namespace dunstwerk::test {

template <class Pruefung>
void InBeidenGebietsschemata(Pruefung pruefe) {
  const std::pair<const char*, const char*> gebietsschemata[] = {{"C", "."},
                                                                 {kDeutschesGebietsschema, ","}};
  for (const auto& [name, trenner] : gebietsschemata) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(SetzeGebietsschema(LC_ALL, name, trenner)) << "locale " << name << " is missing";
    pruefe();
  }
  std::setlocale(LC_ALL, "C");
}

}  // namespace dunstwerk::test
