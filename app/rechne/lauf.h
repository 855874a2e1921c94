// One run of dunstwerk-rechne: a CSV file in, every row computed, CSV out.
// Toolkit-free and without files of its own, so that tests and benchmarks
// drive it from memory.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/rechne/csv.h"
#include "engine/rechenkern.h"

namespace dunstwerk::rechne {

// Codes beside the engine's: the row itself is faulty. (22, an open quote,
// is no longer given: such a quote is read as a character.)
inline constexpr int kFalscheFelderzahl = 20;
inline constexpr int kSatzZuLang = 21;
inline constexpr int kKeineZahl = 23;
inline constexpr int kMehrdeutigeZahl = 24;

// Exit status of a run.
inline constexpr int kAllesGerechnet = 0;
inline constexpr int kZeilenMitFehler = 1;
inline constexpr int kAbgebrochen = 2;

// The header is looked for among this many first lines of the file.
inline constexpr long long kKopfSucheZeilen = 50;

struct Optionen {
  // The columns of the inputs, by name or by number (from 1). The second
  // input's, in the order of the modes (rf, temkg, x): those set replace
  // the default names, and once one is set, only those set count.
  std::string temlu = "temlu";
  std::optional<std::string> rf{}, temkg{}, x{};
  std::optional<long long> kopfzeile{};  // the header's line, from 1
  std::optional<char> trenner{};         // else found from the first lines
  // The output's decimal separator: set by an option, else the one the
  // input's numbers use, else `systemDezimaltrenner`.
  std::optional<std::string> dezimaltrenner{};
  std::string systemDezimaltrenner = ",";
  bool voll = false;  // shortest exact text instead of the window's pattern
  bool bom = false;   // a byte order mark before the output, whatever the input had
  std::size_t satzMax = csv::kSatzMax;
};

// What a run read and did, for the summary on standard error.
struct Bilanz {
  long long kopfzeile = 0;  // the line taken as the header
  long long zeilen = 0;     // data records, computed or with an error
  long long gerechnet = 0;
  long long fehlerhaft = 0;
  long long metadaten = 0;            // records above the header, copied through
  long long leer = 0;                 // empty lines, left out
  long long durchgereicht = 0;        // lines of separators and a units row, without results
  long long ersterFehler = 0;         // the line of the first record with an error
  std::array<long long, 25> codes{};  // records per error code
  long long zitateAlsZeichen = 0;
  long long erstesZitat = 0;  // the line of the first
};

struct Laufergebnis {
  int status = kAllesGerechnet;
  char trenner = ';';   // the input's separator, and so the output's
  std::string meldung;  // German, for standard error; empty unless status 2
  Bilanz bilanz;
};

// Sees each data record as it is computed: the chart of the series.
class Beobachter {
 public:
  virtual ~Beobachter() = default;
  // The header's fields, before anything is written; a German reason
  // ends the run with status 2.
  virtual std::optional<std::string> Kopf(const std::vector<std::string>& namen) = 0;
  // A complete row: its state, its fields (UTF-8) and its line.
  virtual void Gerechnet(const MoistAirState& zustand, const std::vector<std::string>& felder,
                         long long zeile) = 0;
  virtual void Fehlerhaft(long long zeile) = 0;
};

// Reads everything from `quelle`, writes to `senke` (and leaves it flushed).
// Writes nothing before the options and the header have passed their checks.
Laufergebnis Lauf(const Optionen& optionen, csv::Quelle& quelle, csv::Senke& senke,
                  Beobachter* beobachter = nullptr);

// The text of code kSatzZuLang for a record limit.
std::string SatzZuLangText(std::size_t satzMax);

// The German summary of a run, one line.
std::string Zusammenfassung(const Bilanz& bilanz);

// The window's error text on one line: its lines joined by a blank.
std::string EinzeiligerFehlertext(const Fehler& fehler);

}  // namespace dunstwerk::rechne
