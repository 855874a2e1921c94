// The two primitives every calculation rests on.
#pragma once

#include <string_view>

namespace dunstwerk {

// Reads a number from what the user typed (UTF-8). A decimal comma counts as
// a decimal point. Reading follows the classic BASIC `Val` rules: blanks,
// tabs and line feeds are skipped wherever they stand; an optional sign,
// digits, at most one decimal point and an optional exponent (E or D) are
// read; &H and &O introduce hexadecimal and octal integers; reading stops at
// the first character that cannot continue the number. Text without a digit
// reads as 0. A value too large for a double reads as plus or minus infinity,
// so that the range checks reject it instead of the program failing.
double ZahlAusText(std::string_view utf8);

// Saturation pressure of water vapour over liquid water, in bar, at t degrees
// Celsius, by the Magnus form p = 610.78 Pa * exp(17.08085 * t / (234.175 + t))
// with t and 234.175 in degrees Celsius; the pascals are turned into bar last.
// The form is Magnus' (Annalen der Physik 61, 1844); these coefficients over
// liquid water are those of the Deutscher Wetterdienst's psychrometer tables.
double Saettigungsdruck(double t);

}  // namespace dunstwerk
