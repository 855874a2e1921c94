#include "app/rechne/optionen.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace dunstwerk::rechne {
namespace {

using Setzer = std::optional<std::string> (*)(Aufruf&, const std::string&);

struct Option {
  std::string_view namen;  // the spellings, ", " between them
  std::string_view wert;   // what follows the option, empty for a switch
  std::string_view hilfe;  // lines joined by "\n"
  Setzer setze;
};

std::optional<std::string> Dezimal(Aufruf& a, const char* trenner) {
  if (a.optionen.dezimaltrenner && *a.optionen.dezimaltrenner != trenner)
    return "--dezimalkomma und --dezimalpunkt schließen sich aus.";
  a.optionen.dezimaltrenner = trenner;
  return std::nullopt;
}

constexpr std::array<Option, 14> kOptionen{{
    {"-o, --ausgabe", "DATEI",
     "Ausgabe in DATEI statt auf die Standardausgabe; eine\nbestehende DATEI wird erst am Ende "
     "ersetzt",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.ausgabe = w;
       return std::nullopt;
     }},
    {"--temlu", "SPALTE", "Spalte der Lufttemperatur, Name oder Nummer (statt temlu)",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.optionen.temlu = w;
       return std::nullopt;
     }},
    {"--rf", "SPALTE", "Spalte der relativen Feuchte in % (statt rf)",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.optionen.rf = w;
       return std::nullopt;
     }},
    {"--temkg", "SPALTE", "Spalte der Kühlgrenztemperatur in °C (statt temkg)",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.optionen.temkg = w;
       return std::nullopt;
     }},
    {"--x", "SPALTE", "Spalte des Dampfgehalts in kg/kg (statt x)",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.optionen.x = w;
       return std::nullopt;
     }},
    {"--kopfzeile", "N", "die Kopfzeile ist Zeile N (sonst gesucht)",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       if (w.empty() || w.size() > 12 ||
           !std::all_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
           std::stoll(w) == 0)
         return "--kopfzeile braucht eine Zeilennummer ab 1, nicht »" + w + "«.";
       a.optionen.kopfzeile = std::stoll(w);
       return std::nullopt;
     }},
    {"--trenner", "ZEICHEN", "Trennzeichen der Eingabe: ; , tab oder ein anderes\n(sonst erkannt)",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       const std::string t = w == "tab" || w == "\\t" ? "\t" : w;
       if (t.size() != 1 || t == "\"" || t == "\r" || t == "\n")
         return "--trenner braucht ein Zeichen (; , tab), nicht »" + w + "«.";
       a.optionen.trenner = t[0];
       return std::nullopt;
     }},
    {"--dezimalkomma", "", "Dezimalkomma in der Ausgabe",
     [](Aufruf& a, const std::string&) { return Dezimal(a, ","); }},
    {"--dezimalpunkt", "",
     "Dezimalpunkt in der Ausgabe (sonst das Dezimalzeichen\nder Eingabe, und ohne Dezimalzahlen "
     "das der\nSpracheinstellung)",
     [](Aufruf& a, const std::string&) { return Dezimal(a, "."); }},
    {"--voll", "", "volle Genauigkeit statt der Stellen des Fensters",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.optionen.voll = true;
       return std::nullopt;
     }},
    {"--bom", "", "Byte-Order-Mark vor die Ausgabe (für Excel)",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.optionen.bom = true;
       return std::nullopt;
     }},
    {"--still", "", "keine Zusammenfassung auf der Standardfehlerausgabe",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.still = true;
       return std::nullopt;
     }},
    {"-h, --hilfe, --help", "", "diese Hilfe",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.hilfe = true;
       return std::nullopt;
     }},
    {"--version", "", "die Version",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.version = true;
       return std::nullopt;
     }},
}};

const Option* Finde(std::string_view name) {
  for (const Option& o : kOptionen) {
    std::string_view namen = o.namen;
    while (!namen.empty()) {
      const auto ende = namen.find(", ");
      if (namen.substr(0, ende) == name) return &o;
      namen = ende == std::string_view::npos ? "" : namen.substr(ende + 2);
    }
  }
  return nullptr;
}

std::string Groesse(std::size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace

std::optional<std::string> LiesArgumente(const std::vector<std::string>& args, Aufruf& a) {
  bool eingabeGesehen = false;
  bool nurDateien = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (nurDateien || arg == "-" || !arg.starts_with("-")) {
      if (eingabeGesehen) return "Nur eine Eingabedatei: " + a.eingabe + " und " + arg + ".";
      a.eingabe = arg;
      eingabeGesehen = true;
      continue;
    }
    if (arg == "--") {
      nurDateien = true;
      continue;
    }
    std::optional<std::string> wert;
    if (arg.starts_with("--") && arg.find('=') != std::string::npos) {
      wert = arg.substr(arg.find('=') + 1);
      arg.resize(arg.find('='));
    }
    const Option* option = Finde(arg);
    if (!option) return "Unbekannte Option " + arg + ".";
    if (option->wert.empty()) {
      if (wert) return arg + " nimmt keinen Wert.";
      wert.emplace();
    } else if (!wert) {
      if (i + 1 == args.size()) return arg + " braucht " + std::string(option->wert) + ".";
      wert = args[++i];
    }
    if (!option->wert.empty() && wert->empty())
      return arg + " braucht " + std::string(option->wert) + ".";
    if (auto falsch = option->setze(a, *wert)) return falsch;
  }
  return std::nullopt;
}

std::string Hilfetext() {
  std::string text = R"(Aufruf: dunstwerk-rechne [OPTION]... [EINGABE.csv]

Rechnet jede Zeile einer CSV-Datei wie das Fenster von Dunstwerk: aus der
Lufttemperatur und der relativen Feuchte, der Kühlgrenztemperatur oder dem
Dampfgehalt die zwölf Zustandsgrößen feuchter Luft bei 1 bar. Ohne EINGABE
oder mit "-" liest es die Standardeingabe. Was es gelesen und gerechnet hat,
sagt es am Ende auf der Standardfehlerausgabe.

Spalten: die Kopfzeile braucht die Spalte temlu (Lufttemperatur in °C, ab
0 °C) und genau eine der Spalten rf (relative Feuchte in %), temkg
(Kühlgrenztemperatur in °C) oder x (Dampfgehalt in kg/kg). Namen gelten
ohne Groß- und Kleinschreibung und ohne Leerzeichen am Rand; die Optionen
--temlu, --rf, --temkg und --x nennen eine Spalte beim Namen oder bei ihrer
Nummer (ab 1), die auch zwei Spalten gleichen Namens unterscheidet. Die
Kopfzeile ist die erste der ersten )" +
                     std::to_string(kKopfSucheZeilen) +
                     R"( Zeilen, die diese Spalten hat; die Zeilen
darüber (Gerät, Seriennummer, Intervall) gehen unverändert in die Ausgabe.

Zahlen: ein Feld wird gelesen, wenn es eindeutig eine Zahl ist: Vorzeichen,
Ziffern mit höchstens einem Dezimalkomma oder -punkt, ein Exponent
("7,37E-03"), davor und danach Leerzeichen, danach eine Einheit ohne Ziffern
("20,5 °C", "45 %rF"). Ein leeres Feld fehlt (Code 6). Ein Feld ohne Zahl
("---", "n/a", "#NV", "inf", nur Leerzeichen) gibt Code 23, eine Zahl, der
weitere Ziffern folgen ("1.020,5", "20,5,3"), Code 24: so wird aus einem
Sensorfehler nie ein Messwert.

Datei: Trennzeichen ; , oder Tabulator, gewählt nach der Feldzahl der
ersten Zeilen; Anführungszeichen nach RFC 4180, eines ohne Gegenstück gilt
als Zeichen; UTF-8, Windows-1252 oder UTF-16 mit Byte-Order-Mark. Leere
Zeilen, Zeilen nur aus Trennzeichen und eine Zeile mit Einheiten unter der
Kopfzeile zählen nicht als Fehler; leere Felder am Zeilenende werden
übergangen. Eine Arbeitsmappe (.xlsx, .ods, .xls) wird nicht gelesen: bitte
als CSV speichern.

Ausgabe: jede Spalte der Eingabe, dann die zwölf Größen mit den Stellen des
Fensters, Fehlercode und Fehlertext, mit dem Trennzeichen, dem Zeilenende
und dem Dezimalzeichen der Eingabe; UTF-8, mit Byte-Order-Mark, wenn die
Eingabe eine hatte oder Windows-1252 war. Eine Zeile mit Fehler behält ihre
Spalten, lässt die zwölf leer und nennt den Fehler. Nach einem Abbruch ist
eine bestehende Ausgabedatei, wie sie war.

Optionen:
)";
  constexpr std::size_t kSpalte = 23;
  for (const Option& o : kOptionen) {
    std::string zeile = "  " + std::string(o.namen);
    if (!o.wert.empty()) zeile += " " + std::string(o.wert);
    zeile += std::string(zeile.size() < kSpalte ? kSpalte - zeile.size() : 1, ' ');
    for (const char c : o.hilfe) {
      zeile += c;
      if (c == '\n') zeile += std::string(kSpalte, ' ');
    }
    text += zeile + "\n";
  }
  text += R"(
Fehlercodes: die des Fensters (1 bis 7 und 10 bis 13; 6: Eingaben fehlen,
auch bei einem leeren Feld), dazu
  )" + std::to_string(kFalscheFelderzahl) +
          R"(  Zeile hat zu wenige oder zu viele Felder
  )" + std::to_string(kSatzZuLang) +
          "  Datensatz länger als " + Groesse(csv::kSatzMax) + R"(
  )" + std::to_string(kKeineZahl) +
          R"(  keine Zahl im Feld
  )" + std::to_string(kMehrdeutigeZahl) +
          R"(  keine eindeutige Zahl im Feld

Rückgabewert: 0 jede Zeile gerechnet, 1 mindestens eine Zeile mit Fehler
(alle geschrieben), 2 Abbruch (Aufruf, Kopfzeile, Lesen oder Schreiben).
)";
  return text;
}

}  // namespace dunstwerk::rechne
