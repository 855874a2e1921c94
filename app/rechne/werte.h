// What a value field of a file holds. The window reads whatever is typed
// (text without a number is 0, "1.020,5" is 1), which is right for a box a
// person has just typed into and looks at; in a file nobody reads row by
// row, a sensor's "---" or a thousands separator would become a wrong number
// that nothing shows. So a field is read only when it is plainly one number:
// blanks, a sign, digits with at most one decimal comma or point, an
// exponent, blanks and a unit without digits ("20,5 °C", "45 %rF").
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dunstwerk::rechne {

enum class Befund {
  Leer,        // the empty string: a missing input, as an empty box is
  Zahl,        // plainly one number: the window's reading gives it
  KeineZahl,   // no number where the field starts: "---", "n/a", "#NV", blanks
  Mehrdeutig,  // a number the reading would cut short before more digits
};

struct Zahlbefund {
  Befund befund;
  char dezimalzeichen = 0;  // ',' or '.', where the number has one
};

Zahlbefund PruefeZahl(std::string_view feld);

bool HatZiffer(std::string_view text);

// Nothing but blanks and tabs (or nothing).
bool IstLeer(std::string_view text);

// How many fields a line has for a header of `n`: empty fields after the
// n-th, which a separator at the line's end gives, do not count. `felder`
// are those stored of the line's `gezaehlt`.
std::size_t Felderzahl(std::span<const std::string> felder, std::size_t gezaehlt, std::size_t n);

// Without the blanks and tabs around it.
std::string_view OhneRand(std::string_view text);

// A line's or a column's number as an option gives it: digits only, from 1.
std::optional<long long> Nummer(std::string_view text);

}  // namespace dunstwerk::rechne
