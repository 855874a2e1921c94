// Whole runs from memory: which columns are read, what each row gives, and
// when the run stops with status 2.
#include "app/rechne/lauf.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
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
  std::vector<std::string> felder;
  for (csv::Satz s = leser.Lies(felder, 1000); s.art != csv::Satzart::Ende;
       s = leser.Lies(felder, 1000)) {
    a.zeilen.emplace_back(felder.begin(), felder.begin() + static_cast<long>(s.felder));
  }
  return a;
}

// The twelve values of the window for 20 °C and 50 %, with a decimal comma.
const std::vector<std::string> k20und50{"20,00",   "9,28",    "13,75",   "50,00",
                                        "0,00877", "0,00737", "1,19941", "0,01171",
                                        "0,02342", "0,00995", "0,00258", "38,8"};

std::vector<std::string> Werte(const std::vector<std::string>& zeile, std::size_t ab) {
  return {zeile.begin() + static_cast<long>(ab), zeile.begin() + static_cast<long>(ab) + 12};
}

TEST(Lauf, KopfUndZeileWieImFenster) {
  const Ausgang a = Rechne("Ort;temlu;rf\nHalle 1;20;50\n");
  ASSERT_EQ(a.ergebnis.status, kAllesGerechnet);
  ASSERT_EQ(a.zeilen.size(), 2u);
  const auto& kopf = a.zeilen[0];
  ASSERT_EQ(kopf.size(), 3u + 12u + 2u);
  EXPECT_EQ(kopf[3], "Lufttemperatur in °C");
  EXPECT_EQ(kopf[14], "Enthalpie der feuchten Luft in kJ / kg tr. Luft");
  EXPECT_EQ(kopf[15], "Fehlercode");
  EXPECT_EQ(kopf[16], "Fehlertext");
  EXPECT_EQ(a.zeilen[1][0], "Halle 1");
  EXPECT_EQ(Werte(a.zeilen[1], 3), k20und50);
  EXPECT_EQ(a.zeilen[1][15], "0");
  EXPECT_EQ(a.zeilen[1][16], "");
}

// The same air given three ways, typed as a German or an English user types.
struct Modusfall {
  const char* name;
  std::string eingabe;
  Optionen optionen;
};

void PrintTo(const Modusfall& f, std::ostream* os) { *os << f.name; }

class ModusTest : public testing::TestWithParam<Modusfall> {};

TEST_P(ModusTest, FindetDieSpaltenUndRechnet) {
  const Ausgang a = Rechne(GetParam().eingabe, GetParam().optionen);
  ASSERT_EQ(a.ergebnis.status, kAllesGerechnet) << a.ergebnis.meldung;
  ASSERT_EQ(a.zeilen.size(), 2u);
  const std::size_t spalten = a.zeilen[0].size() - 14;
  EXPECT_EQ(a.zeilen[1][spalten], "20,00");
  EXPECT_EQ(a.zeilen[1][spalten + 1], "9,28");  // the dew point
}

Optionen Namen(const char* temlu, const char* rf) {
  Optionen o;
  o.temlu = temlu;
  o.rf = rf;
  return o;
}

INSTANTIATE_TEST_SUITE_P(
    Eingaben, ModusTest,
    testing::Values(
        Modusfall{"Feuchte", "temlu;rf\n20;50\n", {}},
        Modusfall{"Kuehlgrenze", "temkg,temlu\n\"13,75\",20.0\n", {}},
        Modusfall{"Dampfgehalt", "x\ttemlu\n0.00737\t20\n", {}},
        Modusfall{"LeerzeichenImKopf", " temlu ; rf \n 20 ; 50 \n", {}},
        // A logger's names, from a German spreadsheet saved as Windows-1252.
        Modusfall{"Cp1252Namen",
                  "Zeit;Temp [\xB0"
                  "C];Feuchte [%]\n12:00;20;50\n",
                  Namen("Temp [°C]", "Feuchte [%]")},
        Modusfall{"Utf8MitBom", "\xEF\xBB\xBFZeit;Temp [°C];Feuchte [%]\r\n12:00;20;50\r\n",
                  Namen("Temp [°C]", "Feuchte [%]")},
        // A chosen column wins over one merely named like another mode.
        Modusfall{"OptionVorStandardname", "temlu;x;F\n20;0.5;50\n", Namen("temlu", "F")}),
    [](const auto& info) { return std::string(info.param.name); });

// Faulty rows are written with their code and text, and the run goes on.
struct Zeilenfall {
  const char* name;
  std::string zeile;
  std::vector<std::string> eingaben;  // as written back
  std::string code;
  std::string text;
};

void PrintTo(const Zeilenfall& f, std::ostream* os) { *os << f.name; }

class FehlerzeileTest : public testing::TestWithParam<Zeilenfall> {};

TEST_P(FehlerzeileTest, BehaeltDieEingabenUndRechnetWeiter) {
  const Zeilenfall& f = GetParam();
  const Ausgang a = Rechne("Ort;temlu;rf\n" + f.zeile + "\nB;20;50\n");
  EXPECT_EQ(a.ergebnis.status, kZeilenMitFehler);
  EXPECT_EQ(a.ergebnis.fehlerhaft, 1);
  ASSERT_EQ(a.zeilen.size(), 3u);
  const auto& z = a.zeilen[1];
  ASSERT_EQ(z.size(), 17u);
  EXPECT_EQ(std::vector<std::string>(z.begin(), z.begin() + 3), f.eingaben);
  EXPECT_EQ(Werte(z, 3), std::vector<std::string>(12));
  EXPECT_EQ(z[15], f.code);
  EXPECT_EQ(z[16], f.text);
  EXPECT_EQ(Werte(a.zeilen[2], 3), k20und50);
}

INSTANTIATE_TEST_SUITE_P(
    Zeilen, FehlerzeileTest,
    testing::Values(
        Zeilenfall{"LeeresFeld", "A;;50", {"A", "", "50"}, "6", "Eingaben fehlen !"},
        Zeilenfall{"LeeresZitat", "A;20;\"\"", {"A", "20", ""}, "6", "Eingaben fehlen !"},
        Zeilenfall{
            "GrundAllein", "A;20;150", {"A", "20", "150"}, "1", "Relative Feuchte ist ungültig !"},
        Zeilenfall{"ZweiZeilen",
                   "A;-5;150",
                   {"A", "-5", "150"},
                   "11",
                   "Lufttemperatur in °C muss positiv sein ! Relative Feuchte ist ungültig !"},
        Zeilenfall{"ZuWenige", "A;20", {"A", "20", ""}, "20", "Zeile hat 2 Felder, erwartet 3"},
        Zeilenfall{"EinFeld", "A", {"A", "", ""}, "20", "Zeile hat 1 Feld, erwartet 3"},
        Zeilenfall{
            "ZuViele", "A;20;50;x", {"A", "20", "50"}, "20", "Zeile hat 4 Felder, erwartet 3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lauf, BinaereBytesGehenDurch) {
  // The NUL passes through; "\x01\xFF" reads as 0 °C, as any text without a
  // digit does in the window, and comes out as UTF-8.
  const Ausgang a = Rechne(std::string("Ort;temlu;rf\nA\0B;\x01\xFF;50\n", 23));
  ASSERT_EQ(a.zeilen.size(), 2u);
  EXPECT_EQ(a.zeilen[1][0], std::string("A\0B", 3));
  EXPECT_EQ(a.zeilen[1][1], "\x01\xC3\xBF");
  EXPECT_EQ(a.zeilen[1][3], "0,00");
}

TEST(Lauf, KommaTrennerZitiertDieWerte) {
  const Ausgang a = Rechne("temlu,rf\n20,50\n");
  ASSERT_EQ(a.ergebnis.status, kAllesGerechnet);
  EXPECT_NE(a.text.find("\"20,00\",\"9,28\""), std::string::npos) << a.text;
  EXPECT_EQ(a.zeilen[1].size(), 2u + 14u);  // opens as columns
  EXPECT_EQ(Werte(a.zeilen[1], 2), k20und50);
}

TEST(Lauf, PunktUndVolleGenauigkeit) {
  Optionen o;
  o.dezimaltrenner = ".";
  o.voll = true;
  const Ausgang a = Rechne("temlu;rf\n20;50\n", o);
  EXPECT_EQ(a.zeilen[1][2], "20");
  EXPECT_EQ(a.zeilen[1][5], "50");
  EXPECT_EQ(a.zeilen[1][6].substr(0, 9), "0.0087721");
}

TEST(Lauf, ZeilenendeUndBomFolgenDerEingabe) {
  const std::string crlf = Rechne("temlu;rf\r\n20;50\r\n").text;
  EXPECT_EQ(crlf.find('\n'), crlf.find("\r\n") + 1);
  EXPECT_TRUE(crlf.ends_with(";0;\r\n"));
  EXPECT_TRUE(Rechne("\xEF\xBB\xBFtemlu;rf\n").text.starts_with("\xEF\xBB\xBFtemlu;rf;"));
  Optionen bom;
  bom.bom = true;
  EXPECT_TRUE(Rechne("temlu;rf\n", bom).text.starts_with("\xEF\xBB\xBFtemlu;rf;"));
  EXPECT_TRUE(Rechne("temlu;rf\n").text.starts_with("temlu;rf;"));
}

TEST(Lauf, SatzUeber1MiBIstEinFehlerDerZeile) {
  const std::string lang(csv::kSatzMax + 1, '1');
  const Ausgang a = Rechne("temlu;rf\n" + lang + ";50\n20;50\n");
  EXPECT_EQ(a.ergebnis.status, kZeilenMitFehler);
  ASSERT_EQ(a.zeilen.size(), 3u);
  EXPECT_EQ(a.zeilen[1][0], "");
  EXPECT_EQ(a.zeilen[1][14], "21");
  EXPECT_EQ(a.zeilen[2][14], "0");
}

// Runs that cannot be done: status 2, nothing written, a German reason.
struct Abbruchfall {
  const char* name;
  std::string eingabe;
  Optionen optionen;
  std::string meldung;
};

void PrintTo(const Abbruchfall& f, std::ostream* os) { *os << f.name; }

class AbbruchTest : public testing::TestWithParam<Abbruchfall> {};

TEST_P(AbbruchTest, SagtWarum) {
  const Ausgang a = Rechne(GetParam().eingabe, GetParam().optionen);
  EXPECT_EQ(a.ergebnis.status, kAbgebrochen);
  EXPECT_NE(a.ergebnis.meldung.find(GetParam().meldung), std::string::npos) << a.ergebnis.meldung;
  EXPECT_EQ(a.text, "");
}

Optionen NurRf(const char* rf) {
  Optionen o;
  o.rf = rf;
  return o;
}

INSTANTIATE_TEST_SUITE_P(
    Kopfzeilen, AbbruchTest,
    testing::Values(
        Abbruchfall{"Leer", "", {}, "Kopfzeile fehlt"},
        Abbruchfall{"ErsteZeileLeer", "\ntemlu;rf\n", {}, "erste Zeile ist leer"},
        Abbruchfall{"OhneTemlu", "t;rf\n20;50\n", {}, "»temlu« fehlt"},
        Abbruchfall{"OhneZweite", "temlu;y\n20;50\n", {}, "Keine Spalte für die zweite"},
        Abbruchfall{"ZweiModi", "temlu;rf;x\n20;50;0.01\n", {}, "»rf« und »x«"},
        Abbruchfall{"Doppelt", "temlu;rf;temlu\n", {}, "»temlu« steht mehrmals"},
        Abbruchfall{"OptionsspalteFehlt", "temlu;x\n", NurRf("Feuchte"), "»Feuchte« fehlt"},
        Abbruchfall{"ZitatOffen", "temlu;\"rf\n", {}, "nicht geschlossen"}),
    [](const auto& info) { return std::string(info.param.name); });

// A sink that takes the first bytes and then fails, as a full disk does.
class VolleSenke : public csv::Senke {
 public:
  bool Schreibe(std::string_view) override { return ++aufrufe < 2; }
  int aufrufe = 0;
};

TEST(Lauf, FehlgeschlagenesSchreibenIstAbbruch) {
  std::string viel = "temlu;rf\n";
  for (int i = 0; i < 5000; ++i) viel += "20;50\n";
  csv::TextQuelle quelle(viel);
  VolleSenke senke;
  const Laufergebnis e = Lauf({}, quelle, senke);
  EXPECT_EQ(e.status, kAbgebrochen);
  EXPECT_EQ(senke.aufrufe, 2);  // stops at the first failure
}

}  // namespace
}  // namespace dunstwerk::rechne
