#include "app/rechne/zahlen.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/zahlmuster.h"

namespace dunstwerk::rechne {
namespace {

constexpr double kZehnHoch[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// FormatiereMuster first takes the value to 15 significant digits, which
// moves it by at most 5e-15 of itself, and then rounds half away from zero.
// The scaled value, computed in double, is off by less than another 2e-16 of
// itself. Where its fraction lies further than 1e-14 of the value from a
// half, both roundings must agree.
bool Eindeutig(double skaliert, double bruch) {
  return std::fabs(bruch - 0.5) > skaliert * 1e-14 + 1e-300;
}

}  // namespace

void Muster(double wert, int nachkommastellen, std::string_view trenner, std::string& ziel) {
  ziel.clear();
  const double betrag = std::fabs(wert);
  const bool kurz = nachkommastellen >= 0 && nachkommastellen <= 8 && std::isfinite(wert);
  const double skaliert = kurz ? betrag * kZehnHoch[kurz ? nachkommastellen : 0] : 0;
  const double unten = std::floor(skaliert);
  // Long separators do not fit the text buffer below.
  if (!kurz || skaliert >= 1e13 || trenner.size() > 8 || !Eindeutig(skaliert, skaliert - unten)) {
    ziel = FormatiereMuster(wert, nachkommastellen, trenner);
    return;
  }
  auto ganz = static_cast<std::uint64_t>(unten) + (skaliert - unten > 0.5 ? 1 : 0);

  // From the last digit backwards: the decimals, the separator, the rest.
  char text[64];
  char* const ende = text + sizeof text;
  char* p = ende;
  for (int i = 0; i < nachkommastellen; ++i) {
    *--p = static_cast<char>('0' + ganz % 10);
    ganz /= 10;
  }
  if (nachkommastellen > 0) {
    p -= trenner.size();
    std::memcpy(p, trenner.data(), trenner.size());
  }
  do {
    *--p = static_cast<char>('0' + ganz % 10);
    ganz /= 10;
  } while (ganz > 0);
  if (wert < 0) *--p = '-';  // also when it rounds to zero
  ziel.assign(p, static_cast<std::size_t>(ende - p));
}

void Voll(double wert, std::string_view trenner, std::string& ziel) {
  char puffer[32];
  const auto ende = std::to_chars(puffer, puffer + sizeof puffer, wert).ptr;
  ziel.clear();
  for (const char* p = puffer; p != ende; ++p) {
    if (*p == '.') {
      ziel.append(trenner);
    } else {
      ziel.push_back(*p);
    }
  }
}

}  // namespace dunstwerk::rechne
