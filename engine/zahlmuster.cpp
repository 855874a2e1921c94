#include "engine/zahlmuster.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace dunstwerk {

namespace {

constexpr int kStellen = 15;
constexpr int kStellenGrenzfall = 17;

// Adds one to a string of decimal digits.
void ErhoeheUmEins(std::string& ziffern) {
  for (auto it = ziffern.rbegin(); it != ziffern.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  ziffern.insert(ziffern.begin(), '1');
}

}  // namespace

std::string FormatiereMuster(double wert, int nachkommastellen, std::string_view dezimaltrenner) {
  if (nachkommastellen < 0) nachkommastellen = 0;
  if (!std::isfinite(wert)) {
    if (std::isnan(wert)) return "NaN";
    return wert < 0 ? "-Inf" : "Inf";
  }

  // Digits of the rounded magnitude times 10^nachkommastellen.
  std::string ganz = "0";
  if (wert != 0) {
    // "d.dddddddddddddde+XX": the 15 significant digits and the exponent.
    // Next to the largest double, 15 digits round up past it and would no
    // longer read back; there 17 digits are shown.
    // to_chars, unlike printf, ignores the C locale.
    char puffer[40];
    int stellen = kStellen;
    auto ende = std::to_chars(puffer, puffer + sizeof puffer, std::fabs(wert),
                              std::chars_format::scientific, stellen - 1)
                    .ptr;
    double gerundet = 0;
    if (std::from_chars(puffer, ende, gerundet).ec == std::errc::result_out_of_range) {
      stellen = kStellenGrenzfall;
      ende = std::to_chars(puffer, puffer + sizeof puffer, std::fabs(wert),
                           std::chars_format::scientific, stellen - 1)
                 .ptr;
    }
    *ende = '\0';
    std::string ziffern;
    ziffern.push_back(puffer[0]);
    ziffern.append(puffer + 2, stellen - 1);
    const int exponent = std::atoi(puffer + stellen + 2);

    // |wert| = ziffern * 10^(exponent - stellen + 1), scaled by
    // 10^nachkommastellen.
    const int verschiebung = exponent - (stellen - 1) + nachkommastellen;
    if (verschiebung >= 0) {
      ganz = ziffern + std::string(verschiebung, '0');
    } else if (-verschiebung <= stellen) {
      const int behalten = stellen + verschiebung;
      ganz = behalten > 0 ? ziffern.substr(0, behalten) : "0";
      if (ziffern[behalten] >= '5') ErhoeheUmEins(ganz);
    }
  }

  const auto breite = static_cast<std::size_t>(nachkommastellen) + 1;
  if (ganz.size() < breite) ganz.insert(0, breite - ganz.size(), '0');

  std::string text;
  if (wert < 0) text.push_back('-');
  text.append(ganz, 0, ganz.size() - nachkommastellen);
  if (nachkommastellen > 0) {
    text.append(dezimaltrenner);
    text.append(ganz, ganz.size() - nachkommastellen, std::string::npos);
  }
  return text;
}

}  // namespace dunstwerk
