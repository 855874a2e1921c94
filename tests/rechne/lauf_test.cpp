// Whole runs from memory, on files shaped as loggers and spreadsheets write
// them: where the header is, which columns, what a value field holds, and
// the runs that cannot be done. The digits of whole files are pinned by the
// outputs in gleich/.
#include "app/rechne/lauf.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace dunstwerk::rechne {
namespace {

const std::string kNul("a\0b", 3), kBom = "\xEF\xBB\xBF";
const std::string kErgebnis20_50 =
    "20,00;9,28;13,75;50,00;0,00877;0,00737;1,19941;0,01171;0,02342;0,00995;0,00258;38,8;0;";

struct Ausgang {
  Laufergebnis ergebnis;
  std::string text;
};

Ausgang Rechne(const std::string& eingabe, const Optionen& o = {}) {
  csv::TextQuelle quelle(eingabe);
  csv::TextSenke senke;
  return {Lauf(o, quelle, senke), senke.text};  // in this order
}

// Each file holds one row of 20 °C and 50 %; the header is where the case
// says, and the lines above it come through as they were.
TEST(Lauf, FindetKopfUndSpalten) {
  const struct {
    std::string eingabe;
    Optionen optionen;
    long long kopfzeile = 1;
    std::string ergebnis = kErgebnis20_50;
  } faelle[] = {
      {" temlu ; rf \n 20 ; 50 \n", {}},
      {"TEMLU;RF\n20;50;\n", {}},  // any case; a separator at the end of the data lines
      {"Zeit;Temp [\xB0]\xDC;F\n12:00;20;50\n", {.temlu = "temp [°]ü", .rf = "f"}},
      {"temlu;x;F\n20;0.5;50\n", {.rf = "F"}},  // a chosen column wins over a default name
      {"Gerät;LOG-200\nIntervall;60 s\n\nZeit;temlu;rf\n;°C;%\n\n08:00;20;50\n;;;\n", {}, 4},
      {"Datum, Uhrzeit;Temperatur, trocken [°C];rf\n1.2.2024, 12:00;20;50\n",
       {.temlu = "Temperatur, trocken [°C]"}},
      {"\ntemlu\trf\n20\t50\n", {}, 2, "20,00\t9,28\t13,75"},
      {"temlu,rf\n\"20,0\",50\n", {}, 1, "\"20,00\",\"9,28\",\"13,75\""},
      // Two channels of one name, told apart by number.
      {"Zeit;T [°C];rF [%];T [°C];rF [%]\n1;30;20;20;50\n", {.temlu = "4", .rf = "5"}},
      {"temlu;rf\nKanal;2\ntemlu;rf\n20;50\n", {.kopfzeile = 3}, 3},
      {"temlu|rf\n20|50\n", {.trenner = '|'}, 1, "20,00|9,28|13,75"},
  };
  for (const auto& f : faelle) {
    const Ausgang a = Rechne(f.eingabe, f.optionen);
    EXPECT_EQ(a.ergebnis.status, kAllesGerechnet) << f.eingabe << a.ergebnis.meldung;
    EXPECT_EQ(a.ergebnis.bilanz.kopfzeile, f.kopfzeile) << f.eingabe;
    EXPECT_EQ(a.ergebnis.bilanz.gerechnet, 1) << f.eingabe;
    EXPECT_NE(a.text.find(f.ergebnis), std::string::npos) << a.text;
  }
  // The device's lines, the units row and the line of separators come through.
  EXPECT_TRUE(Rechne(faelle[4].eingabe).text.starts_with("Gerät;LOG-200\nIntervall;60 s\n\nZeit;"));
  EXPECT_NE(Rechne(faelle[4].eingabe).text.find("\n;°C;%;;;;;;;;;;;;;;\n"), std::string::npos);
}

// What a value field holds, in the air temperature's column or the second
// input's: a plain number (with a unit) gives the window's values for that
// number; anything else is an error row of its own, never a value.
TEST(Lauf, WertfelderAusDateien) {
  const struct {
    std::string temlu, rf;
    int code;
    std::string wieBei = {};  // the plain number it must give the same row as
  } faelle[] = {
      {"---", "48,0", kKeineZahl},
      {"n/a", "50", kKeineZahl},
      {"#NV", "50", kKeineZahl},
      {"-", "50", kKeineZahl},
      {"inf", "50", kKeineZahl},
      {"nan", "50", kKeineZahl},
      {"  ", "50", kKeineZahl},
      {"Err 3", "50", kKeineZahl},
      {"\u22125", "50", kKeineZahl},
      {"&H14", "50", kKeineZahl},
      {"20", "#WERT!", kKeineZahl},
      {"1.020,5", "50", kMehrdeutigeZahl},
      {"20,5,3", "50", kMehrdeutigeZahl},
      {"2 0", "50", kMehrdeutigeZahl},
      {"20", "50 5", kMehrdeutigeZahl},
      {"", "---", 6},  // a missing input stays the window's code
      {"20,5 °C", "45 %rF", 0, "20,5;45"},
      {" +20.5e0 ", "45,0 %", 0, "20,5;45,0"},
      {"-5", "50", 10},  // the window's checks still apply
  };
  // The second row's twelve values and code.
  auto ergebnis = [](const std::string& eingabe) {
    const std::string text = Rechne("temlu;rf\n" + eingabe + "\n").text;
    std::vector<std::string> felder;
    std::size_t anfang = text.find('\n') + 1;
    for (std::size_t ende; (ende = text.find_first_of(";\n", anfang)) != std::string::npos;
         anfang = ende + 1)
      felder.push_back(text.substr(anfang, ende - anfang));
    return std::vector<std::string>(felder.begin() + 2, felder.begin() + 15);
  };
  for (const auto& f : faelle) {
    const std::vector<std::string> werte = ergebnis(f.temlu + ";" + f.rf);
    EXPECT_EQ(werte.back(), std::to_string(f.code)) << f.temlu << " " << f.rf;
    if (!f.wieBei.empty()) {
      EXPECT_EQ(werte, ergebnis(f.wieBei)) << f.temlu << " " << f.rf;
    }
  }
  const Ausgang a = Rechne("Zeit;Temp;rf\n1;---;50\n2;20;50\n3;1.020,5;50\n", {.temlu = "Temp"});
  EXPECT_EQ(a.ergebnis.status, kZeilenMitFehler);
  EXPECT_NE(a.text.find(";23;Keine Zahl in »Temp«\n"), std::string::npos) << a.text;
  EXPECT_EQ(Zusammenfassung(a.ergebnis.bilanz),
            "3 Zeilen gelesen (Kopfzeile in Zeile 1): 1 gerechnet, 2 mit Fehler (Code 23: 1, "
            "Code 24: 1; der erste in Zeile 2), 0 Zeilen ohne Werte übergangen.");
}

// A faulty row keeps its inputs, gets its code and text, and the run goes
// on; the next row's NUL passes, and its Windows-1252 comes out as UTF-8.
TEST(Lauf, FehlerzeileUndWeiter) {
  const std::string gerechnet = kNul + "\xC3\xBF;20;50;" + kErgebnis20_50 + "\n";
  const std::pair<std::string, std::string> faelle[] = {
      {"A", "A;;;;;;;;;;;;;;;20;Zeile hat 1 Feld, erwartet 3"},
      {"A;20;50;x", "A;20;50;;;;;;;;;;;;;20;Zeile hat 4 Felder, erwartet 3"},
      // Over the limit inside a quote: the quote is a character, the line too
      // long, and the next line's quote costs that line alone.
      {"\"" + std::string(csv::kSatzMax, '1') + "\n\";50",
       ";;;;;;;;;;;;;;;21;Datensatz länger als 1 MiB\n\"\"\"\";50;;;;;;;;;;;;;;20;Zeile hat 2 "
       "Felder, "
       "erwartet 3"},
  };
  for (const auto& [zeile, geschrieben] : faelle) {
    const Ausgang a = Rechne("Ort;temlu;rf\n" + zeile + "\n" + kNul + "\xFF;20;50\n");
    EXPECT_EQ(a.ergebnis.status, kZeilenMitFehler);
    const std::string zeilen = a.text.substr(a.text.find('\n') + 1);
    EXPECT_TRUE(zeilen == geschrieben + "\n" + gerechnet) << zeilen.substr(0, 200);
  }
  // One stray quote in a comment of row 11 costs no row, and is reported.
  std::string datei = "Nr;temlu;rf;Kommentar\n";
  for (int i = 1; i <= 1000; ++i)
    datei += std::to_string(i) + ";20;50;" + (i == 11 ? "\"neu" : "") + "\n";
  const Ausgang a = Rechne(datei);
  EXPECT_EQ(a.ergebnis.status, kAllesGerechnet);
  EXPECT_EQ(std::tie(a.ergebnis.bilanz.gerechnet, a.ergebnis.bilanz.zitateAlsZeichen,
                     a.ergebnis.bilanz.erstesZitat),
            std::make_tuple(1000LL, 1LL, 12LL));
}

// The decimal separator the input's numbers use, else the system's; a
// byte order mark where the input had one or was Windows-1252.
TEST(Lauf, AusgabeWieDieEingabe) {
  const std::tuple<std::string, Optionen, std::string> faelle[] = {
      {"temlu;rf\n20,5;50\n", {.systemDezimaltrenner = "."}, "\n20,5;50;20,50;"},
      {"temlu;rf\n20.5;50\n", {}, "\n20.5;50;20.50;"},
      {"temlu;rf\n20;50\n", {.systemDezimaltrenner = "."}, "\n20;50;20.00;"},
      {"temlu;rf\n20.5;50\n", {.dezimaltrenner = ","}, "\n20.5;50;20,50;"},
      {"Ort;temlu;rf\nK\xF6ln;20;50\n", {}, kBom + "Ort;"},
      {kBom + "temlu;rf\n20;50\n", {}, kBom + "temlu;"},
      {"temlu;rf\n20;50\n", {.bom = true}, kBom + "temlu;"},
  };
  for (const auto& [eingabe, optionen, erwartet] : faelle) {
    const std::string text = Rechne(eingabe, optionen).text;
    EXPECT_NE(text.find(erwartet), std::string::npos) << text;
    EXPECT_EQ(text.starts_with(kBom), erwartet.starts_with(kBom)) << text;
  }
}

// Runs that cannot be done: status 2, nothing written, a German reason that
// names the line taken as the header, its columns and the options to use.
TEST(Lauf, AbbruchSagtWarum) {
  const std::tuple<std::string, Optionen, std::vector<std::string>> faelle[] = {
      {"t;rf\n20;50\n", {}, {"»temlu« fehlt", "Zeile 1", "1 »t«, 2 »rf«", "--temlu"}},
      {"Zeit;Temp [°C];Feuchte [%]\n1;20;50\n", {}, {"»temlu« fehlt", "etwa: --temlu 2 --rf 3."}},
      {"Gerät;X\nZeit;Temperatur;rF\n1;20;50\n2;21;50\n", {}, {"Zeile 2", "etwa: --temlu 2."}},
      {"temlu;y\n20;50\n", {}, {"Keine Spalte für die zweite"}},
      {"temlu;rf;x\n20;50;0.01\n", {}, {"»rf« und »x«"}},
      {"temlu;rf;Temlu\n", {}, {"»temlu« steht mehrmals", "--temlu 1 (oder --temlu 3)"}},
      {"temlu;x\n", {.rf = "Feuchte"}, {"»Feuchte« fehlt"}},
      {"temlu;rf\n", {.temlu = "9"}, {"keine Spalte 9"}},
      {"temlu;rf\n", {.kopfzeile = 5}, {"hat keine Zeile 5"}},
      {"", {}, {"leer"}},
      {"PK\x03\x04\x14\x00", {}, {"Arbeitsmappe, keine CSV-Datei: bitte als CSV speichern"}},
      {"\xD0\xCF\x11\xE0\xA1\xB1", {}, {"Arbeitsmappe"}},
      {kNul + ";temlu;rf\n", {}, {"keine Textdatei"}},
  };
  for (const auto& [eingabe, optionen, meldung] : faelle) {
    const Ausgang a = Rechne(eingabe, optionen);
    EXPECT_EQ(a.ergebnis.status, kAbgebrochen) << eingabe;
    for (const std::string& teil : meldung)
      EXPECT_NE(a.ergebnis.meldung.find(teil), std::string::npos)
          << teil << ": " << a.ergebnis.meldung;
    EXPECT_EQ(a.text, "");
  }
}

// A sink that takes the first bytes and then fails, as a full disk does: the
// run stops at the first failure.
TEST(Lauf, FehlgeschlagenesSchreibenIstAbbruch) {
  struct VolleSenke : csv::Senke {
    bool Schreibe(std::string_view) override { return ++aufrufe < 2; }
    int aufrufe = 0;
  } senke;
  std::string viel = "temlu;rf\n";
  for (int i = 0; i < 5000; ++i) viel += "20;50\n";
  csv::TextQuelle quelle(viel);
  EXPECT_EQ(Lauf({}, quelle, senke).status, kAbgebrochen);
  EXPECT_EQ(senke.aufrufe, 2);
}

}  // namespace
}  // namespace dunstwerk::rechne
