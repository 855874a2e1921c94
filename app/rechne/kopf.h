// Finding the header where loggers put it: below lines about the device,
// with the separator the table has, and the input columns in it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/rechne/csv.h"
#include "app/rechne/lauf.h"

namespace dunstwerk::rechne {

// A header with more columns is taken for a file that is no table.
inline constexpr std::size_t kSpaltenMax = 1 << 16;

struct Kopf {
  char trenner = ';';
  long long zeile = 1;             // where the header stands
  std::vector<std::string> namen;  // its fields, UTF-8
  std::size_t temlu = 0;           // the input columns' places
  std::size_t zweites = 0;
  Vorgabe vorgabe = Vorgabe::Feuchte;
  char dezimalzeichen = 0;   // what the first rows' numbers use, if any
  bool windows1252 = false;  // a field of the first lines is no UTF-8
};

// Reads the first lines (kKopfSucheZeilen) from the start of `ein` with each
// separator, or the one the options name, and takes as the header the first
// line that holds the input columns, preferring one whose next lines have as
// many fields. Leaves `ein` at the start with that separator; or says in
// German why there is no header to use, naming the line taken and the
// columns found.
std::variant<Kopf, std::string> FindeKopf(csv::Leser& ein, const Optionen& optionen);

// A name as messages quote it: »name«.
std::string InZeichen(std::string_view name);

// Column names compare without case and without the blanks around them.
std::string Vergleichsform(std::string_view name);

// Where the column named or numbered (from 1) as an option does stands:
// none when it is missing or there twice.
std::optional<std::size_t> Spalte(const std::vector<std::string>& kopf, std::string_view wahl);

}  // namespace dunstwerk::rechne
