// dunstwerk-rechne: computes every row of a CSV file with the window's
// engine and digits. Exit status 0: every row complete; 1: some rows have an
// error, all were written; 2: the run could not do its job.
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/rechne/csv.h"
#include "app/rechne/lauf.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "ui/win32/text.h"
#endif

namespace dunstwerk::rechne {
namespace {

constexpr std::string_view kHilfe =
    R"(Aufruf: dunstwerk-rechne [OPTIONEN] [EINGABE.csv]

Rechnet jede Zeile einer CSV-Datei wie das Fenster von Dunstwerk: aus der
Lufttemperatur und der relativen Feuchte, der Kühlgrenztemperatur oder dem
Dampfgehalt die zwölf Zustandsgrößen feuchter Luft bei 1 bar. Ohne EINGABE
oder mit "-" liest es die Standardeingabe.

Die Kopfzeile braucht die Spalte temlu (Lufttemperatur in °C) und genau eine
der Spalten rf (relative Feuchte in %), temkg (Kühlgrenztemperatur in °C)
oder x (Dampfgehalt in kg/kg). Die Zahlen werden gelesen wie im Fenster
getippt: "20,5" und "20.5" sind beide 20,5. Trennzeichen ; , oder Tabulator
(aus der Kopfzeile erkannt), Anführungszeichen nach RFC 4180, Text in UTF-8
oder Windows-1252.

Die Ausgabe (UTF-8) hat jede Spalte der Eingabe, dann die zwölf Größen mit
den Stellen des Fensters, Fehlercode und Fehlertext. Eine Zeile mit Fehler
behält ihre Spalten, lässt die zwölf leer und nennt den Fehler.

Optionen:
  -o, --ausgabe DATEI  Ausgabe in DATEI statt auf die Standardausgabe
  --temlu NAME         Spalte der Lufttemperatur (statt temlu)
  --rf NAME            Spalte der relativen Feuchte in % (statt rf)
  --temkg NAME         Spalte der Kühlgrenztemperatur (statt temkg)
  --x NAME             Spalte des Dampfgehalts (statt x)
  --dezimalkomma       Dezimalkomma in der Ausgabe
  --dezimalpunkt       Dezimalpunkt in der Ausgabe
                       (sonst das Dezimalzeichen der Spracheinstellung)
  --voll               volle Genauigkeit statt der Stellen des Fensters
  --bom                Byte-Order-Mark vor die Ausgabe (für Excel)
  --hilfe, --help      diese Hilfe
  --version            die Version

Fehlercodes: die des Fensters (1 bis 7 und 10 bis 13; 6: Eingaben fehlen,
auch bei einem leeren Feld), dazu
  20  Zeile hat zu wenige oder zu viele Felder
  21  Datensatz länger als 1 MiB
  22  Anführungszeichen nicht geschlossen

Rückgabewert: 0 jede Zeile gerechnet, 1 mindestens eine Zeile mit Fehler
(alle geschrieben), 2 Abbruch (Aufruf, Kopfzeile, Lesen oder Schreiben).
)";

struct Aufruf {
  Optionen optionen;
  std::string eingabe = "-";
  std::string ausgabe = "-";
  bool hilfe = false;
  bool version = false;
};

// The arguments, or the German reason they are wrong.
std::optional<std::string> LiesArgumente(const std::vector<std::string>& args, Aufruf& a) {
  std::optional<std::string> trenner;
  bool eingabeGesehen = false;
  bool nurDateien = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> wert;
    if (!nurDateien && arg.starts_with("--") && arg.find('=') != std::string::npos) {
      wert = arg.substr(arg.find('=') + 1);
      arg.resize(arg.find('='));
    }
    auto naechster = [&]() -> std::optional<std::string> {
      if (wert) return wert;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    std::optional<std::string>* spalte = nullptr;
    std::string* ziel = nullptr;
    if (nurDateien || arg == "-" || !arg.starts_with("-")) {
      if (eingabeGesehen) return "Nur eine Eingabedatei: " + a.eingabe + " und " + arg + ".";
      a.eingabe = arg;
      eingabeGesehen = true;
      continue;
    } else if (arg == "--") {
      nurDateien = true;
      continue;
    } else if (arg == "--hilfe" || arg == "--help" || arg == "-h") {
      a.hilfe = true;
    } else if (arg == "--version") {
      a.version = true;
    } else if (arg == "--dezimalkomma" || arg == "--dezimalpunkt") {
      const std::string neu = arg == "--dezimalkomma" ? "," : ".";
      if (trenner && *trenner != neu)
        return "--dezimalkomma und --dezimalpunkt schließen sich aus.";
      trenner = neu;
    } else if (arg == "--voll") {
      a.optionen.voll = true;
    } else if (arg == "--bom") {
      a.optionen.bom = true;
    } else if (arg == "-o" || arg == "--ausgabe") {
      ziel = &a.ausgabe;
    } else if (arg == "--temlu") {
      ziel = &a.optionen.temlu;
    } else if (arg == "--rf") {
      spalte = &a.optionen.rf;
    } else if (arg == "--temkg") {
      spalte = &a.optionen.temkg;
    } else if (arg == "--x") {
      spalte = &a.optionen.x;
    } else {
      return "Unbekannte Option " + arg + ".";
    }
    if (ziel || spalte) {
      const auto name = naechster();
      if (!name || name->empty()) return arg + " braucht einen Namen.";
      if (ziel) *ziel = *name;
      if (spalte) *spalte = *name;
    } else if (wert) {
      return arg + " nimmt keinen Wert.";
    }
  }
  if (trenner) a.optionen.dezimaltrenner = *trenner;
  return std::nullopt;
}

#ifdef _WIN32
using win32::Breit;
using win32::Schmal;

std::string DezimaltrennerDesSystems() { return win32::DezimaltrennerDesNutzers(); }

std::FILE* Oeffne(const std::string& name, const wchar_t* art) {
  return _wfopen(Breit(name).c_str(), art);
}

std::filesystem::path Pfad(const std::string& name) { return Breit(name); }

// A console shows UTF-8 bytes in its own code page; it gets UTF-16 instead.
void Melde(std::string_view text) {
  HANDLE fehler = GetStdHandle(STD_ERROR_HANDLE);
  DWORD art;
  if (GetConsoleMode(fehler, &art)) {
    const std::wstring breit = Breit(text);
    DWORD geschrieben;
    WriteConsoleW(fehler, breit.data(), static_cast<DWORD>(breit.size()), &geschrieben, nullptr);
  } else {
    std::fwrite(text.data(), 1, text.size(), stderr);
  }
}

void Binaer() {
  _setmode(_fileno(stdin), _O_BINARY);  // bytes as they are: no CRLF turned into LF
  _setmode(_fileno(stdout), _O_BINARY);
}
#else
// The C library's, after setlocale(LC_ALL, ""): a comma under de_DE.
std::string DezimaltrennerDesSystems() {
  std::setlocale(LC_ALL, "");
  const char* punkt = std::localeconv()->decimal_point;
  return punkt && *punkt ? punkt : ".";
}

std::FILE* Oeffne(const std::string& name, const char* art) {
  return std::fopen(name.c_str(), art);
}

std::filesystem::path Pfad(const std::string& name) { return name; }

void Melde(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); }

void Binaer() {}
#endif

#ifdef _WIN32
#define DW_ART(s) L##s
#else
#define DW_ART(s) s
#endif

int Abbrechen(const std::string& text) {
  Melde("dunstwerk-rechne: " + text + "\n");
  return kAbgebrochen;
}

std::string MitGrund(std::string text, int fehlernummer) {
  if (fehlernummer != 0) text += " (" + std::string(std::strerror(fehlernummer)) + ")";
  return text;
}

// Closes the output and tells whether everything reached it.
bool Schliesse(std::FILE* datei, bool standard, int& fehlernummer) {
  errno = 0;
  bool gut = std::fflush(datei) == 0 && std::ferror(datei) == 0;
  if (!gut && fehlernummer == 0) fehlernummer = errno;
  errno = 0;
  if (std::fclose(datei) != 0 && !standard) {
    gut = false;
    if (fehlernummer == 0) fehlernummer = errno;
  }
  return gut;
}

int Ausfuehren(const Aufruf& a) {
  const bool standardEin = a.eingabe == "-";
  const bool standardAus = a.ausgabe == "-";
  std::error_code egal;
  if (!standardEin && !standardAus &&
      std::filesystem::equivalent(Pfad(a.eingabe), Pfad(a.ausgabe), egal)) {
    return Abbrechen("Ausgabe und Eingabe sind dieselbe Datei: " + a.eingabe + ".");
  }
  std::FILE* ein = standardEin ? stdin : Oeffne(a.eingabe, DW_ART("rb"));
  if (!ein) return Abbrechen(MitGrund("Die Eingabe " + a.eingabe + " ist nicht lesbar.", errno));
  // Only a plain file may be removed after a failure, never a device such
  // as /dev/full that the output was sent to.
  const auto art = std::filesystem::status(Pfad(a.ausgabe), egal).type();
  const bool entfernbar = !standardAus && (art == std::filesystem::file_type::not_found ||
                                           art == std::filesystem::file_type::regular);
  std::FILE* aus = standardAus ? stdout : Oeffne(a.ausgabe, DW_ART("wb"));
  if (!aus) {
    return Abbrechen(MitGrund("Die Ausgabe " + a.ausgabe + " kann nicht angelegt werden.", errno));
  }

  csv::DateiQuelle quelle(ein);
  csv::DateiSenke senke(aus);
  Laufergebnis e = Lauf(a.optionen, quelle, senke);
  int fehlernummer = senke.Fehlernummer();
  const bool geschlossen = Schliesse(aus, standardAus, fehlernummer);
  if (!standardEin) std::fclose(ein);
  if (e.status != kAbgebrochen && !geschlossen) {
    e = {kAbgebrochen, "Die Ausgabe kann nicht geschrieben werden.", 0, 0};
  }
  if (e.status != kAbgebrochen) return e.status;
  // What was written of a run that failed must not pass for a result.
  if (entfernbar && std::filesystem::is_regular_file(Pfad(a.ausgabe), egal))
    std::filesystem::remove(Pfad(a.ausgabe), egal);
  const bool ausgabeFehler = !geschlossen || senke.Fehlernummer() != 0;
  const int grund = ausgabeFehler ? fehlernummer : quelle.Fehlernummer();
  return Abbrechen(MitGrund(e.meldung, grund));
}

int Hauptprogramm(const std::vector<std::string>& args) {
  Binaer();
  Aufruf a;
  a.optionen.dezimaltrenner = DezimaltrennerDesSystems();
  if (auto falsch = LiesArgumente(args, a)) return Abbrechen(*falsch + " Mehr mit --hilfe.");
  if (a.hilfe || a.version) {
    const std::string text =
        a.hilfe ? std::string(kHilfe) : "dunstwerk-rechne (Dunstwerk) " DUNSTWERK_VERSION "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    int fehlernummer = 0;
    return Schliesse(stdout, true, fehlernummer)
               ? 0
               : Abbrechen("Die Ausgabe kann nicht geschrieben werden.");
  }
  return Ausfuehren(a);
}

}  // namespace
}  // namespace dunstwerk::rechne

#ifdef _WIN32
int wmain(int argc, wchar_t* argv[]) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(dunstwerk::win32::Schmal(argv[i]));
  return dunstwerk::rechne::Hauptprogramm(args);
}
#else
int main(int argc, char* argv[]) {
  return dunstwerk::rechne::Hauptprogramm(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
