#include "app/rechne/optionen.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "app/rechne/werte.h"

namespace dunstwerk::rechne {
namespace {

using Setzer = std::optional<std::string> (*)(Aufruf&, const std::string&);

struct Option {
  std::string_view namen;  // the spellings, ", " between them
  std::string_view wert;   // what follows the option, empty for a switch
  std::string_view hilfe;  // lines joined by "\n"
  Setzer setze;
};

std::optional<std::string> Zeilennummer(const char* option, const std::string& wert, auto& ziel) {
  const auto n = Nummer(wert);
  if (!n) return std::string(option) + " braucht eine Zeilennummer ab 1, nicht »" + wert + "«.";
  ziel = *n;
  return std::nullopt;
}

std::optional<std::string> Dezimal(Aufruf& a, const char* trenner) {
  if (a.optionen.dezimaltrenner && *a.optionen.dezimaltrenner != trenner)
    return "--dezimalkomma und --dezimalpunkt schließen sich aus.";
  a.optionen.dezimaltrenner = trenner;
  return std::nullopt;
}

constexpr std::array<Option, 21> kOptionen{{
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
     [](Aufruf& a, const std::string& w) {
       return Zeilennummer("--kopfzeile", w, a.optionen.kopfzeile);
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
    {"--diagramm", "DATEI", "die Zeilen auch als Mollier-h,x-Diagramm in DATEI (SVG)",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.diagramm = w;
       return std::nullopt;
     }},
    {"--bereich", "BEREICH",
     "klima (0 bis 50 °C) oder trocknung (0 bis 200 °C);\nsonst der kleinere, der alle Punkte "
     "fasst",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       if (w != "klima" && w != "trocknung")
         return "--bereich ist klima oder trocknung, nicht »" + w + "«.";
       a.bereich = w;
       return std::nullopt;
     }},
    {"--verbinden", "", "die Punkte in der Folge der Zeilen verbinden",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.verbinden = true;
       return std::nullopt;
     }},
    {"--beschriftung", "SPALTE", "die Punkte mit dem Feld dieser Spalte beschriften",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.beschriftung = w;
       return std::nullopt;
     }},
    {"--kuehlgrenzlinie", "ZEILE",
     "die Kühlgrenzlinie des Punktes aus dieser Zeile der\nDatei zeichnen (bei nur einem Punkt "
     "immer)",
     [](Aufruf& a, const std::string& w) {
       return Zeilennummer("--kuehlgrenzlinie", w, a.kuehlgrenzlinie);
     }},
    {"--leer", "", "nur ein leeres Diagramm (mit --diagramm), ohne Eingabe",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.leer = true;
       return std::nullopt;
     }},
    {"--still", "", "keine Zusammenfassung auf der Standardfehlerausgabe",
     [](Aufruf& a, const std::string&) -> std::optional<std::string> {
       a.still = true;
       return std::nullopt;
     }},
    {"--manseite", "DATUM", "diese Hilfe als Handbuchseite (roff) vom DATUM",
     [](Aufruf& a, const std::string& w) -> std::optional<std::string> {
       a.manseite = w;
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
  const bool diagrammOption =
      !a.bereich.empty() || a.verbinden || a.beschriftung || a.kuehlgrenzlinie > 0 || a.leer;
  if (diagrammOption && !a.diagramm)
    return std::string(
        "--bereich, --verbinden, --beschriftung, --kuehlgrenzlinie und --leer "
        "gehören zu --diagramm DATEI.");
  if (a.leer && eingabeGesehen) return std::string("--leer liest keine Eingabe.");
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

Diagramm: --diagramm zeichnet jede gerechnete Zeile als Punkt in ein
Mollier-h,x-Diagramm bei 1 bar (SVG, A4 quer), mit den Formeln des
Fensters; bis 2000 Punkte einzeln, darüber, wie oft jede kleine Fläche
getroffen wurde. Genauigkeit: der Sättigungsdruck nach Magnus weicht bis
120 °C höchstens 0,3 % von IAPWS-IF97 ab, bei 160 °C +1,4 %, bei 200 °C
+2,7 % (die relative Feuchte ist entsprechend zu klein); ab 100 °C ist die
Formel extrapoliert.

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
          "  " + SatzZuLangText(csv::kSatzMax) + R"(
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

namespace dunstwerk::rechne {
namespace {

// Text for roff: a backslash as such, an option's hyphens as minus signs
// (as man pages write them, so that they can be searched and copied), and
// nothing that roff takes for a request at the start of a line.
std::string Roff(std::string_view text) {
  std::string roff;
  auto buchstabe = [&](std::size_t i) {
    return i < text.size() && text[i] >= 'a' && text[i] <= 'z';
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool wortanfang = i == 0 || text[i - 1] == ' ' || text[i - 1] == '(';
    const bool lang = c == '-' && i + 1 < text.size() && text[i + 1] == '-' && buchstabe(i + 2);
    const bool kurz = c == '-' && buchstabe(i + 1) && !buchstabe(i + 2);
    if (c == '\\') {
      roff += "\\e";
    } else if (wortanfang && (lang || kurz)) {
      roff += lang ? "\\-\\-" : "\\-";
      i += lang;
    } else {
      roff += c;
    }
  }
  if (roff.starts_with('.') || roff.starts_with('\'')) roff.insert(0, "\\&");
  return roff;
}

std::vector<std::string_view> Absaetze(std::string_view text) {
  std::vector<std::string_view> absaetze;
  for (std::size_t ende; !text.empty(); text.remove_prefix(std::min(text.size(), ende + 2))) {
    ende = text.find("\n\n");
    absaetze.push_back(text.substr(0, ende));
    if (ende == std::string_view::npos) break;
  }
  return absaetze;
}

std::vector<std::string_view> Zeilen(std::string_view text) {
  std::vector<std::string_view> zeilen;
  for (std::size_t ende; !text.empty(); text.remove_prefix(std::min(text.size(), ende + 1))) {
    ende = text.find('\n');
    zeilen.push_back(text.substr(0, ende));
    if (ende == std::string_view::npos) break;
  }
  return zeilen;
}

// "  -o, --ausgabe DATEI  text" into the option and its text, the text's
// further lines (indented) joined.
void Eintraege(std::string_view absatz, std::string& roff) {
  for (const std::string_view zeile : Zeilen(absatz)) {
    const std::size_t text = zeile.find_first_not_of(' ');
    const std::size_t luecke = zeile.find("  ", text);
    if (text == 2 && luecke != std::string_view::npos) {
      roff += ".TP\n.B " + Roff(zeile.substr(2, luecke - 2)) + "\n" +
              Roff(zeile.substr(zeile.find_first_not_of(' ', luecke))) + "\n";
    } else if (text != std::string_view::npos && text > 2) {
      roff += Roff(zeile.substr(text)) + "\n";
    } else {
      roff += Roff(zeile) + "\n";
    }
  }
}

}  // namespace

std::string Manseite(std::string_view datum) {
  const std::string hilfe = Hilfetext();
  const std::vector<std::string_view> absaetze = Absaetze(hilfe);
  std::string roff = ".TH DUNSTWERK-RECHNE 1 \"" + std::string(datum) +
                     "\" \"Dunstwerk\" \"Dunstwerk\"\n"
                     // English hyphenation patterns would split German words.
                     ".nh\n.SH BEZEICHNUNG\n";
  // The name line: the description's first clause.
  const std::string_view erster = absaetze.at(1);
  roff += "dunstwerk-rechne \\- r" + Roff(erster.substr(1, erster.find(':') - 1)) + "\n";
  const std::string_view aufruf = absaetze.at(0).substr(std::string_view("Aufruf: ").size());
  roff +=
      ".SH \xC3\x9C"
      "BERSICHT\n.B dunstwerk-rechne\n" +
      Roff(aufruf.substr(aufruf.find(' ') + 1)) + "\n.SH BESCHREIBUNG\n";
  for (std::size_t i = 1; i < absaetze.size(); ++i) {
    const std::string_view absatz = absaetze[i];
    if (absatz.starts_with("Optionen:\n")) {
      roff += ".SH OPTIONEN\n";
      Eintraege(absatz.substr(absatz.find('\n') + 1), roff);
    } else if (absatz.starts_with("Fehlercodes:")) {
      const std::size_t liste = absatz.find("\n  ");
      roff += ".SH FEHLERCODES\n";
      for (const std::string_view zeile : Zeilen(absatz.substr(13, liste - 13)))
        roff += Roff(zeile) + "\n";
      Eintraege(absatz.substr(liste + 1), roff);
    } else if (absatz.starts_with("R\xC3\xBC"
                                  "ckgabewert:")) {
      roff +=
          ".SH R\xC3\x9C"
          "CKGABEWERT\n";
      for (const std::string_view zeile : Zeilen(absatz.substr(absatz.find(' ') + 1)))
        roff += Roff(zeile) + "\n";
    } else {
      roff += ".PP\n";
      for (const std::string_view zeile : Zeilen(absatz)) roff += Roff(zeile) + "\n";
    }
  }
  return roff + ".SH SIEHE AUCH\n.BR Dunstwerk_340z (1)\n";
}

}  // namespace dunstwerk::rechne
