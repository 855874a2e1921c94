#include "app/rechne/system.h"

#include <clocale>
#include <system_error>

#include "app/rechne/lauf.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dunstwerk::rechne {

#ifdef _WIN32
using win32::Breit;

void Binaer() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

std::string SystemDezimaltrenner() { return win32::NutzerDezimaltrenner(); }

std::FILE* Oeffne(const std::string& name, bool schreiben) {
  return _wfopen(Breit(name).c_str(), schreiben ? L"wb" : L"rb");
}

std::filesystem::path Pfad(const std::string& name) { return Breit(name); }

bool IstTerminal(std::FILE* datei) { return _isatty(_fileno(datei)) != 0; }

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

bool AlleinImFenster() {
  // Started from a console or a script, the console has the shell too, or
  // the output goes elsewhere.
  DWORD prozesse[2];
  DWORD art;
  return GetConsoleProcessList(prozesse, 2) == 1 &&
         GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &art) &&
         GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &art);
}

namespace {

// NAME-ergebnis.csv beside the input, or with a number where that exists.
std::string FreierName(const std::string& eingabe) {
  const std::filesystem::path pfad = Pfad(eingabe);
  std::error_code egal;
  for (int n = 1; n < 10000; ++n) {
    std::filesystem::path name = pfad.parent_path() / pfad.stem();
    name += n == 1 ? L"-ergebnis.csv" : L"-ergebnis-" + std::to_wstring(n) + L".csv";
    if (!std::filesystem::exists(name, egal)) return win32::Schmal(name.wstring());
  }
  return eingabe + "-ergebnis.csv";
}

void WarteAufTaste() {
  HANDLE eingabe = GetStdHandle(STD_INPUT_HANDLE);
  FlushConsoleInputBuffer(eingabe);
  for (;;) {
    INPUT_RECORD satz;
    DWORD gelesen = 0;
    if (!ReadConsoleInputW(eingabe, &satz, 1, &gelesen) || gelesen == 0) return;
    if (satz.EventType == KEY_EVENT && satz.Event.KeyEvent.bKeyDown) return;
  }
}

}  // namespace

int ExplorerStart(Aufruf a, int (*ausfuehren)(const Aufruf&)) {
  int status = 0;
  if (a.eingabe == "-") {
    Melde(
        "dunstwerk-rechne rechnet jede Zeile einer CSV-Datei wie das Fenster von Dunstwerk.\n\n"
        "Ziehen Sie eine CSV-Datei auf dunstwerk-rechne.exe: das Ergebnis kommt als\n"
        "NAME-ergebnis.csv neben die Datei. Die Hilfe zeigt dunstwerk-rechne --hilfe\n"
        "in der Eingabeaufforderung.\n");
  } else {
    if (a.ausgabe == "-") a.ausgabe = FreierName(a.eingabe);
    a.still = false;
    status = ausfuehren(a);
    if (status != kAbgebrochen) Melde("Das Ergebnis steht in " + a.ausgabe + ".\n");
  }
  Melde("\nWeiter mit einer beliebigen Taste ...");
  WarteAufTaste();
  return status;
}
#else
void Binaer() {}

// The C library's, after setlocale(LC_ALL, ""): a comma under de_DE.
std::string SystemDezimaltrenner() {
  std::setlocale(LC_ALL, "");
  const char* punkt = std::localeconv()->decimal_point;
  return punkt && *punkt ? punkt : ".";
}

std::FILE* Oeffne(const std::string& name, bool schreiben) {
  return std::fopen(name.c_str(), schreiben ? "wb" : "rb");
}

std::filesystem::path Pfad(const std::string& name) { return name; }

bool IstTerminal(std::FILE* datei) { return ::isatty(::fileno(datei)) != 0; }

void Melde(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); }

bool AlleinImFenster() { return false; }

int ExplorerStart(Aufruf a, int (*ausfuehren)(const Aufruf&)) { return ausfuehren(a); }
#endif

bool SchreibeAus(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

}  // namespace dunstwerk::rechne
