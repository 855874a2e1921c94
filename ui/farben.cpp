#include "ui/farben.h"

#include <algorithm>
#include <cmath>

namespace dunstwerk {
namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double Leuchtdichte(Rgb c) {
  auto linear = [](int kanal) {
    const double v = kanal / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

constexpr double kMindestkontrast = 4.5;

}  // namespace

double Kontrast(Rgb a, Rgb b) {
  const double la = Leuchtdichte(a);
  const double lb = Leuchtdichte(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb TextfarbeAufHintergrund(Rgb systemfarbe) {
  if (Kontrast(systemfarbe, kHintergrund) >= kMindestkontrast) return systemfarbe;
  return Rgb{0, 0, 0};
}

Rgb Textfarbe(Farbe farbe, Rgb systemtext) {
  switch (farbe) {
    case Farbe::Rot:
      return {255, 0, 0};
    case Farbe::Blau:
      return {0, 0, 255};
    case Farbe::Schwarz:
      return {0, 0, 0};
    case Farbe::System:
      break;
  }
  return TextfarbeAufHintergrund(systemtext);
}

}  // namespace dunstwerk
