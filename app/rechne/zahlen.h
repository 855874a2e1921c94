// The twelve values as text, fast enough for a million rows a second.
#pragma once

#include <string>
#include <string_view>

namespace dunstwerk::rechne {

// The window's pattern (FormatiereMuster), digit for digit, into `ziel`
// (overwritten; its memory reused). Most values take a short road through
// double arithmetic; the rare one near a rounding half, or too large for it,
// takes FormatiereMuster itself.
void Muster(double wert, int nachkommastellen, std::string_view trenner, std::string& ziel);

// The shortest text that reads back as the same double, with `trenner` for
// the decimal point.
void Voll(double wert, std::string_view trenner, std::string& ziel);

}  // namespace dunstwerk::rechne
