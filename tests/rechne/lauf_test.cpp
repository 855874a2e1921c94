// Whole runs from memory: which columns are read, what a faulty row gives,
// and when the run stops with status 2. The digits of whole files are pinned
// by the outputs in gleich/.
#include "app/rechne/lauf.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/rechne/csv.h"

namespace dunstwerk::rechne {
namespace {

struct Ausgang {
  Laufergebnis ergebnis;
  std::string text;
  std::vector<std::vector<std::string>> zeilen;  // the output read back, header first
};

Ausgang Rechne(const std::string& eingabe, const Optionen& o = {}) {
  csv::TextQuelle quelle(eingabe);
  csv::TextSenke senke;
  Ausgang a{Lauf(o, quelle, senke), senke.text, {}};
  csv::TextQuelle zurueck(senke.text);
  csv::Leser leser(zurueck);
  std::vector<std::string> f;
  for (csv::Satz s = leser.Lies(f, 1000); s.art != csv::Satzart::Ende; s = leser.Lies(f, 1000))
    a.zeilen.emplace_back(f.begin(), f.begin() + static_cast<long>(s.felder));
  return a;
}

// Column names as loggers and spreadsheets write them; each row is 20 °C, 50 %.
TEST(Lauf, FindetDieSpalten) {
  const std::pair<std::string, Optionen> faelle[] = {
      {" temlu ; rf \n 20 ; 50 \n", {}},
      {"Zeit;Temp [\xB0]\xFC;F\n12:00;20;50\n", {.temlu = "Temp [°]ü", .rf = "F"}},  // Windows-1252
      {"\xEF\xBB\xBFZeit;Temp [°C];F\r\n12:00;20;50\r\n", {.temlu = "Temp [°C]", .rf = "F"}},
      // A chosen column wins over one merely named like another mode.
      {"temlu;x;F\n20;0.5;50\n", {.rf = "F"}},
  };
  for (const auto& [eingabe, optionen] : faelle) {
    const Ausgang a = Rechne(eingabe, optionen);
    ASSERT_EQ(a.ergebnis.status, kAllesGerechnet) << eingabe << a.ergebnis.meldung;
    ASSERT_EQ(a.zeilen.size(), 2u);
    const std::size_t erste = a.zeilen[0].size() - 14;
    EXPECT_EQ(a.zeilen[1][erste], "20,00") << eingabe;
    EXPECT_EQ(a.zeilen[1][erste + 1], "9,28") << eingabe;  // the dew point
  }
}

// A faulty row keeps its inputs, gets its code and text, and the run goes on.
TEST(Lauf, FehlerzeileUndWeiter) {
  const struct {
    std::string zeile;
    std::vector<std::string> eingaben;  // as written back
    std::string code, text;
  } faelle[] = {
      {"A;20;\"\"", {"A", "20", ""}, "6", "Eingaben fehlen !"},
      {"A", {"A", "", ""}, "20", "Zeile hat 1 Feld, erwartet 3"},
      {"A;20;50;x", {"A", "20", "50"}, "20", "Zeile hat 4 Felder, erwartet 3"},
      {"\"" + std::string(csv::kSatzMax, '1') + "\n\";50",
       {"", "", ""},
       "21",
       "Datensatz länger als 1 MiB"},
  };
  for (const auto& f : faelle) {
    const Ausgang a = Rechne("Ort;temlu;rf\n" + f.zeile + "\nB;20;50\n");
    SCOPED_TRACE(f.zeile.substr(0, 20));
    EXPECT_EQ(a.ergebnis.status, kZeilenMitFehler);
    ASSERT_EQ(a.zeilen.size(), 3u);
    const auto& z = a.zeilen[1];
    ASSERT_EQ(z.size(), 17u);
    EXPECT_EQ(std::vector<std::string>(z.begin(), z.begin() + 3), f.eingaben);
    EXPECT_EQ(std::vector<std::string>(z.begin() + 3, z.begin() + 15),
              std::vector<std::string>(12));
    EXPECT_EQ(z[15], f.code);
    EXPECT_EQ(z[16], f.text);
    EXPECT_EQ(a.zeilen[2][3], "20,00");
    EXPECT_EQ(a.zeilen[2][15], "0");
  }
}

TEST(Lauf, BinaereBytesGehenDurch) {
  // The NUL passes through; "\x01\xFF" reads as 0 °C, as any text without a
  // digit does in the window, and comes out as UTF-8.
  const Ausgang a = Rechne(std::string("Ort;temlu;rf\nA\0B;\x01\xFF;50\n", 23));
  ASSERT_EQ(a.zeilen.size(), 2u);
  EXPECT_EQ(a.zeilen[1][0], std::string("A\0B", 3));
  EXPECT_EQ(a.zeilen[1][1], "\x01\xC3\xBF");
  EXPECT_EQ(a.zeilen[1][3], "0,00");
}

// The output has a byte order mark when the input had one or it was asked for.
TEST(Lauf, BomFolgtDerEingabe) {
  EXPECT_TRUE(Rechne("\xEF\xBB\xBFtemlu;rf\n").text.starts_with("\xEF\xBB\xBFtemlu;rf;"));
  EXPECT_TRUE(Rechne("temlu;rf\n", {.bom = true}).text.starts_with("\xEF\xBB\xBFtemlu;rf;"));
  EXPECT_TRUE(Rechne("temlu;rf\n").text.starts_with("temlu;rf;"));
}

// Runs that cannot be done: status 2, nothing written, a German reason.
TEST(Lauf, AbbruchSagtWarum) {
  const std::tuple<std::string, Optionen, const char*> faelle[] = {
      {"\ntemlu;rf\n", {}, "erste Zeile ist leer"},
      {"t;rf\n20;50\n", {}, "»temlu« fehlt"},
      {"temlu;y\n20;50\n", {}, "Keine Spalte für die zweite"},
      {"temlu;rf;x\n20;50;0.01\n", {}, "»rf« und »x«"},
      {"temlu;rf;temlu\n", {}, "»temlu« steht mehrmals"},
      {"temlu;\"rf\n", {}, "nicht geschlossen"},
      {"temlu;x\n", {.rf = "Feuchte"}, "»Feuchte« fehlt"},
  };
  for (const auto& [eingabe, optionen, meldung] : faelle) {
    const Ausgang a = Rechne(eingabe, optionen);
    EXPECT_EQ(a.ergebnis.status, kAbgebrochen) << eingabe;
    EXPECT_NE(a.ergebnis.meldung.find(meldung), std::string::npos) << a.ergebnis.meldung;
    EXPECT_EQ(a.text, "");
  }
}

// A sink that takes the first bytes and then fails, as a full disk does.
TEST(Lauf, FehlgeschlagenesSchreibenIstAbbruch) {
  struct VolleSenke : csv::Senke {
    bool Schreibe(std::string_view) override { return ++aufrufe < 2; }
    int aufrufe = 0;
  } senke;
  std::string viel = "temlu;rf\n";
  for (int i = 0; i < 5000; ++i) viel += "20;50\n";
  csv::TextQuelle quelle(viel);
  EXPECT_EQ(Lauf({}, quelle, senke).status, kAbgebrochen);
  EXPECT_EQ(senke.aufrufe, 2);  // stops at the first failure
}

}  // namespace
}  // namespace dunstwerk::rechne
