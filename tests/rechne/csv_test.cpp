// The CSV reader and writer, then whole runs from memory: columns, faulty rows
// and status 2. The digits of whole files are pinned by the outputs in gleich/.
#include "app/rechne/csv.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/rechne/lauf.h"

namespace dunstwerk::rechne {
namespace {

using csv::Satzart;
using Saetze = std::vector<std::vector<std::string>>;
const std::string kNul("a\0b", 3), kBom = "\xEF\xBB\xBF";

struct Gelesen {
  Saetze saetze;  // empty lines left out
  char trenner;
  Satzart letzte = Satzart::Ende;  // the last record's art
};

Gelesen AlleSaetze(const std::string& text) {
  csv::TextQuelle quelle(text);
  csv::Leser leser(quelle);
  Gelesen g{};
  std::vector<std::string> felder;
  for (csv::Satz s = leser.Lies(felder, 100); s.art != Satzart::Ende; s = leser.Lies(felder, 100)) {
    if (s.art == Satzart::Leer) continue;
    g.letzte = s.art;
    g.saetze.emplace_back(felder.begin(), felder.begin() + static_cast<long>(s.felder));
  }
  g.trenner = leser.Trenner();
  return g;
}

TEST(Leser, LiestJedenSatz) {
  const std::string lang(100000, 'x');  // far beyond Windows' 32,767 characters
  const struct {
    std::string eingabe;
    char trenner;
    Saetze saetze;
    Satzart letzte = Satzart::Gut;
  } faelle[] = {
      {"a,b\n1,\"2,5\"\n", ',', {{"a", "b"}, {"1", "2,5"}}},
      // The most frequent outside quotes wins: the commas are data.
      {"\"a,b,c\";d;e\n", ';', {{"a,b,c", "d", "e"}}},
      // A quote inside a heading is a character, as in the fields, and hides
      // nothing from the count; a doubled one inside quotes ends nothing.
      {"H\u00f6he 5\",temlu,rf\n", ',', {{"H\u00f6he 5\"", "temlu", "rf"}}},
      {"\"a\"\";b;c\",d\n", ',', {{"a\";b;c", "d"}}},
      {"temlu\n20\n", ';', {{"temlu"}, {"20"}}},
      {"a;b\n\"x\"\"y\";\"\"\n", ';', {{"a", "b"}, {"x\"y", ""}}},
      {"a;b\n\"1\r\n2\";3\n", ';', {{"a", "b"}, {"1\r\n2", "3"}}},
      // Not RFC 4180, but kept rather than lost.
      {"a;b\n\"x\"y;z\"w\n", ';', {{"a", "b"}, {"xy", "z\"w"}}},
      {"a;b\n1;\"2\n3\n", ';', {{"a", "b"}, {"1", "2\n3\n"}}, Satzart::OffenesZitat},
      {"a;b\n1;2", ';', {{"a", "b"}, {"1", "2"}}},
      {"a;b\r1;2\r", ';', {{"a", "b"}, {"1", "2"}}},
      {"a;b\n\n1;\r\n\r\n", ';', {{"a", "b"}, {"1", ""}}},
      {kBom + "temlu;rf\n", ';', {{"temlu", "rf"}}},
      {"a;b\n" + kNul + ";" + lang + "\n", ';', {{"a", "b"}, {kNul, lang}}},
  };
  for (const auto& f : faelle) {
    const Gelesen g = AlleSaetze(f.eingabe);
    EXPECT_EQ(std::tie(g.saetze, g.trenner, g.letzte), std::tie(f.saetze, f.trenner, f.letzte))
        << f.eingabe.substr(0, 30);
  }
}

// Fields already UTF-8 stay; anything else is Windows-1252, the encoding a
// German spreadsheet saves in.
TEST(NachUtf8, WandeltWindows1252) {
  // clang-format off
  const std::pair<std::string, std::string> faelle[] = {
      {"Temp [\xC2\xB0]", "Temp [\xC2\xB0]"}, {"Temp [\xB0]", "Temp [\xC2\xB0]"},
      {"\x80", "\xE2\x82\xAC"}, {"\x81", "\xC2\x81"},  // undefined in Windows-1252: kept as U+0081
      // Overlong form, surrogate and a cut sequence are no UTF-8.
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"}, {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"}};
  // clang-format on
  for (auto [feld, utf8] : faelle) {
    csv::NachUtf8(feld);
    EXPECT_EQ(feld, utf8);
    EXPECT_TRUE(csv::IstUtf8(feld));
  }
}

// Whatever is written reads back as the same fields, with every separator.
TEST(SchreiberUndLeser, HinUndZurueck) {
  const std::vector<std::string> felder{"a,b", "\"", "x\r\ny", "", kNul, "3\r", "  blank  "};
  for (const char trenner : {';', ',', '\t'}) {
    csv::TextSenke senke;
    csv::Schreiber s(senke, trenner, "\n");
    for (const auto& f : felder) s.Feld(f);
    s.Satzende();
    ASSERT_TRUE(s.Leeren());
    const Gelesen g = AlleSaetze(senke.text);
    EXPECT_EQ(g.saetze, Saetze{felder}) << senke.text;
    EXPECT_EQ(g.trenner, trenner);
  }
}

struct Ausgang {
  Laufergebnis ergebnis;
  std::string text;
};

Ausgang Rechne(const std::string& eingabe, const Optionen& o = {}) {
  csv::TextQuelle quelle(eingabe);
  csv::TextSenke senke;
  return {Lauf(o, quelle, senke), senke.text};  // in this order
}

// Column names as loggers and spreadsheets write them; each row is 20 °C,
// 50 %. The output has a byte order mark when the input had one or it was
// asked for.
TEST(Lauf, FindetDieSpalten) {
  const std::pair<std::string, Optionen> faelle[] = {
      {" temlu ; rf \n 20 ; 50 \n", {}},
      {"Zeit;Temp [\xB0]\xFC;F\n12:00;20;50\n", {.temlu = "Temp [°]ü", .rf = "F", .bom = true}},
      {kBom + "Zeit;Temp [°C];F\r\n12:00;20;50\r\n", {.temlu = "Temp [°C]", .rf = "F"}},
      // A chosen column wins over one merely named like another mode.
      {"temlu;x;F\n20;0.5;50\n", {.rf = "F"}},
  };
  for (const auto& [eingabe, optionen] : faelle) {
    const Ausgang a = Rechne(eingabe, optionen);
    EXPECT_EQ(a.ergebnis.status, kAllesGerechnet) << eingabe << a.ergebnis.meldung;
    EXPECT_NE(a.text.find(";20,00;9,28;13,75;"), std::string::npos) << a.text;
    EXPECT_EQ(a.text.starts_with(kBom), optionen.bom || eingabe.starts_with(kBom)) << eingabe;
  }
}

// A faulty row keeps its inputs, gets its code and text, and the run goes
// on; the next row's NUL passes, and its Windows-1252 comes out as UTF-8.
TEST(Lauf, FehlerzeileUndWeiter) {
  const std::string gerechnet = kNul +
                                "\xC3\xBF;20;50;20,00;9,28;13,75;50,00;0,00877;0,00737;1,19941;"
                                "0,01171;0,02342;0,00995;0,00258;38,8;0;\n";
  const std::pair<std::string, std::string> faelle[] = {
      {"A", "A;;;;;;;;;;;;;;;20;Zeile hat 1 Feld, erwartet 3"},
      {"A;20;50;x", "A;20;50;;;;;;;;;;;;;20;Zeile hat 4 Felder, erwartet 3"},
      {"\"" + std::string(csv::kSatzMax, '1') + "\n\";50",
       ";;;;;;;;;;;;;;;21;Datensatz länger als 1 MiB"},
  };
  for (const auto& [zeile, geschrieben] : faelle) {
    const Ausgang a = Rechne("Ort;temlu;rf\n" + zeile + "\n" + kNul + "\xFF;20;50\n");
    EXPECT_EQ(a.ergebnis.status, kZeilenMitFehler);
    EXPECT_EQ(a.text.substr(a.text.find('\n') + 1), geschrieben + "\n" + gerechnet);
  }
  // A quote left open takes the rest of the file into its field.
  const Ausgang a = Rechne("temlu;rf\n20;\"50\n21;50\n");
  EXPECT_EQ(a.ergebnis.status, kZeilenMitFehler);
  EXPECT_TRUE(a.text.ends_with(";22;Anführungszeichen nicht geschlossen\n")) << a.text;
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
