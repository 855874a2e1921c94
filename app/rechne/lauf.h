// One run of dunstwerk-rechne: a CSV file in, every row computed, CSV out.
// Toolkit-free and without files of its own, so that tests and benchmarks
// drive it from memory.
#pragma once

#include <optional>
#include <string>

#include "app/rechne/csv.h"
#include "engine/rechenkern.h"

namespace dunstwerk::rechne {

// Codes beside the engine's: the CSV itself is faulty in this row.
inline constexpr int kFalscheFelderzahl = 20;
inline constexpr int kSatzZuLang = 21;
inline constexpr int kZitatOffen = 22;

// Exit status of a run.
inline constexpr int kAllesGerechnet = 0;
inline constexpr int kZeilenMitFehler = 1;
inline constexpr int kAbgebrochen = 2;

struct Optionen {
  std::string temlu = "temlu";
  // The columns of the second input, in the order of the modes (rf, temkg,
  // x); those set by an option replace the default names, and once one is
  // set, only those set count.
  std::optional<std::string> rf{}, temkg{}, x{};
  std::string dezimaltrenner = ",";
  bool voll = false;  // shortest exact text instead of the window's pattern
  bool bom = false;   // a byte order mark before the output, whatever the input had
};

struct Laufergebnis {
  int status = kAllesGerechnet;
  std::string meldung;  // German, for standard error; empty when all went well
  long long zeilen = 0;
  long long fehlerhaft = 0;
};

// Reads everything from `quelle`, writes to `senke` (and leaves it flushed).
Laufergebnis Lauf(const Optionen& optionen, csv::Quelle& quelle, csv::Senke& senke);

// The window's error text on one line: its lines joined by a blank.
std::string EinzeiligerFehlertext(const Fehler& fehler);

}  // namespace dunstwerk::rechne
