// Switches the C library's locale the way a desktop session does, to the
// locales the test build generated (LOCPATH) or, on Windows, to the CRT's own.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

namespace dunstwerk::test {

#ifdef _WIN32
inline constexpr const char* kDeutschesGebietsschema = "German_Germany.1252";
#else
inline constexpr const char* kDeutschesGebietsschema = "de_DE.UTF-8";
#endif

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
