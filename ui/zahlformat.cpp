#include "ui/zahlformat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dunstwerk {

namespace {

constexpr int kStellen = 15;

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
    char puffer[40];
    std::snprintf(puffer, sizeof puffer, "%.*e", kStellen - 1, std::fabs(wert));
    std::string ziffern;
    ziffern.push_back(puffer[0]);
    ziffern.append(puffer + 2, kStellen - 1);
    const int exponent = std::atoi(puffer + kStellen + 2);

    // |wert| = ziffern * 10^(exponent - 14); scaled by 10^nachkommastellen.
    const int verschiebung = exponent - (kStellen - 1) + nachkommastellen;
    if (verschiebung >= 0) {
      ganz = ziffern + std::string(verschiebung, '0');
    } else if (-verschiebung <= kStellen) {
      const int behalten = kStellen + verschiebung;
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
