#include "engine/primitives.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace dunstwerk {
namespace {

bool IstLeerzeichen(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

int Hexwert(char c) {
  if (IstZiffer(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr double kUnendlich = std::numeric_limits<double>::infinity();

// &H and &O literals are integers of the classic types: up to 16 bits they are
// a signed 16-bit value (&HFFFF is -1), up to 32 bits a signed 32-bit value,
// beyond that too large to hold.
double RadixWert(std::string_view s, int basis) {
  std::uint64_t wert = 0;
  bool zuGross = false;
  for (char c : s) {
    int ziffer = basis == 16 ? Hexwert(c) : (c >= '0' && c <= '7' ? c - '0' : -1);
    if (ziffer < 0) break;
    if (!zuGross) {
      wert = wert * static_cast<std::uint64_t>(basis) + static_cast<std::uint64_t>(ziffer);
      zuGross = wert > 0xFFFFFFFFu;
    }
  }
  if (zuGross) return kUnendlich;
  if (wert <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(wert));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(wert));
}

}  // namespace

double ZahlAusText(std::string_view utf8) {
  // Blanks may stand anywhere, even inside a number ("1 5" is 15), so they go
  // first; the comma becomes a point so that German input reads as typed.
  std::string s;
  s.reserve(utf8.size());
  for (char c : utf8) {
    if (IstLeerzeichen(c)) continue;
    s.push_back(c == ',' ? '.' : c);
  }

  if (s.size() >= 2 && s[0] == '&') {
    char art = s[1];
    if (art == 'h' || art == 'H') return RadixWert(std::string_view(s).substr(2), 16);
    if (art == 'o' || art == 'O') return RadixWert(std::string_view(s).substr(2), 8);
    return 0;
  }

  // Collect sign, mantissa and exponent into a plain literal for
  // std::from_chars, which reads it correctly rounded and, unlike strtod,
  // whatever LC_NUMERIC the process has: a German desktop session sets a
  // comma there, and strtod would stop at our point.
  std::string literal;
  std::size_t i = 0;
  bool negativ = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativ = s[i++] == '-';
  if (negativ) literal.push_back('-');
  // Where the first significant digit stands, as a power of ten; it tells an
  // overflow from an underflow when from_chars finds the value out of range.
  long long groessenordnung = 0;
  bool signifikant = false;
  bool ziffernGelesen = false;
  while (i < s.size() && IstZiffer(s[i])) {
    if (signifikant) ++groessenordnung;
    if (s[i] != '0') signifikant = true;
    literal.push_back(s[i++]);
    ziffernGelesen = true;
  }
  if (i < s.size() && s[i] == '.') {
    literal.push_back(s[i++]);
    while (i < s.size() && IstZiffer(s[i])) {
      if (!signifikant) {
        --groessenordnung;
        signifikant = s[i] != '0';
      }
      literal.push_back(s[i++]);
      ziffernGelesen = true;
    }
  }
  if (!ziffernGelesen) return 0;

  long long exponentWert = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    const bool exponentNegativ = exponent.back() == '-';
    bool exponentZiffern = false;
    while (j < s.size() && IstZiffer(s[j])) {
      // Saturates far beyond any double's range; only the sign matters then.
      if (exponentWert < 100000) exponentWert = exponentWert * 10 + (s[j] - '0');
      exponent.push_back(s[j++]);
      exponentZiffern = true;
    }
    if (exponentNegativ) exponentWert = -exponentWert;
    if (exponentZiffern) literal += exponent;
  }

  double wert = 0;
  const char* anfang = literal.data();
  const auto [ende, fehler] = std::from_chars(anfang, anfang + literal.size(), wert);
  (void)ende;
  if (fehler == std::errc::result_out_of_range) {
    // Overflow gives plus or minus infinity, underflow zero, as strtod does.
    const bool zuGross = groessenordnung + exponentWert > 0;
    wert = zuGross ? kUnendlich : 0.0;
    if (negativ) wert = -wert;
  }
  return wert;
}

double Saettigungsdruck(double t) {
  // The Magnus form of the header, step by step in this order: the digits
  // shown depend on it.
  double q = 17.08085 * t;
  q = q / (t + 234.175);
  double pascal = std::exp(q) * 610.78;
  return pascal * 1e-5;  // Pa to bar
}

}  // namespace dunstwerk
