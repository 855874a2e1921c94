// Switches the C library's locale the way a desktop session does, to the
// locales the test build generated (LOCPATH) or, on Windows, to the CRT's own.
// A German session puts a decimal comma into LC_NUMERIC: conversions that
// follow it read German users' numbers wrong, and only a run there shows it.
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

// Sets `kategorie` (LC_ALL, LC_NUMERIC, ...) to `name`; true when the C
// library knows it and its decimal separator is `trenner`. A missing locale
// would leave the C locale in force and prove nothing, so callers fail on false.
inline bool SetzeGebietsschema(int kategorie, const char* name, const std::string& trenner) {
#ifdef DUNSTWERK_LOCPATH
  setenv("LOCPATH", DUNSTWERK_LOCPATH, 0);
#endif
  return std::setlocale(kategorie, name) && std::localeconv()->decimal_point == trenner;
}

}  // namespace dunstwerk::test
