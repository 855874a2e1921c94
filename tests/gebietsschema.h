// Switches the C library's locale as a desktop session does: a German one puts
// a decimal comma into LC_NUMERIC, which conversions must not follow.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>
#include <utility>

namespace dunstwerk::test {

#ifdef _WIN32
inline constexpr const char* kDeutschesGebietsschema = "German_Germany.1252";
#else
inline constexpr const char* kDeutschesGebietsschema = "de_DE.UTF-8";
#endif

// The locales the tables run in: C, and the German one with its decimal comma.
inline constexpr std::pair<const char*, const char*> kGebietsschemata[] = {
    {"C", "."}, {kDeutschesGebietsschema, ","}};

// Sets `kategorie` to `name` (from the test build's LOCPATH); true when its
// decimal separator is `trenner`. Callers fail on false: it would prove nothing.
inline bool SetzeGebietsschema(int kategorie, const char* name, const std::string& trenner) {
#ifdef DUNSTWERK_LOCPATH
  setenv("LOCPATH", DUNSTWERK_LOCPATH, 0);
#endif
  return std::setlocale(kategorie, name) && std::localeconv()->decimal_point == trenner;
}

}  // namespace dunstwerk::test
