// The CSV reader and writer: separators, quoting, line ends, byte order
// mark, encodings, and records that are too short, too long or never end.
#include "app/rechne/csv.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace dunstwerk::csv {
namespace {

struct Lesefall {
  const char* name;
  std::string eingabe;
  char trenner;
  std::vector<std::vector<std::string>> saetze;  // every record, empty lines left out
  Satzart letzte = Satzart::Gut;                 // the art of the last record
};

void PrintTo(const Lesefall& f, std::ostream* os) { *os << f.name; }

// Every record, up to the end, as the fields it has.
std::vector<std::vector<std::string>> AlleSaetze(Leser& leser, Satzart& letzte) {
  std::vector<std::vector<std::string>> saetze;
  std::vector<std::string> felder;
  for (;;) {
    const Satz s = leser.Lies(felder, 100);
    if (s.art == Satzart::Ende) break;
    if (s.art == Satzart::Leer) continue;
    letzte = s.art;
    saetze.emplace_back(felder.begin(), felder.begin() + static_cast<long>(s.felder));
  }
  return saetze;
}

class LeserTest : public testing::TestWithParam<Lesefall> {};

TEST_P(LeserTest, LiestJedenSatz) {
  const Lesefall& f = GetParam();
  TextQuelle quelle(f.eingabe);
  Leser leser(quelle);
  Satzart letzte = Satzart::Ende;
  EXPECT_EQ(leser.Trenner(), f.trenner);
  EXPECT_EQ(AlleSaetze(leser, letzte), f.saetze);
  EXPECT_EQ(letzte, f.letzte);
}

using S = std::vector<std::vector<std::string>>;
const std::string kNul("a\0b", 3);

INSTANTIATE_TEST_SUITE_P(
    Trenner, LeserTest,
    testing::Values(Lesefall{"Semikolon", "a;b\n1;2\n", ';', S{{"a", "b"}, {"1", "2"}}},
                    Lesefall{"Komma", "a,b\n1,\"2,5\"\n", ',', S{{"a", "b"}, {"1", "2,5"}}},
                    Lesefall{"Tabulator", "a\tb\n1,5\t2\n", '\t', S{{"a", "b"}, {"1,5", "2"}}},
                    // The most frequent outside quotes wins: the commas are data.
                    Lesefall{"ZitierteKommas", "\"a,b,c\";d;e\n", ';', S{{"a,b,c", "d", "e"}}},
                    Lesefall{"KeinerDa", "temlu\n20\n", ';', S{{"temlu"}, {"20"}}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Zitate, LeserTest,
    testing::Values(
        Lesefall{"Verdoppelt", "a;b\n\"x\"\"y\";\"\"\n", ';', S{{"a", "b"}, {"x\"y", ""}}},
        Lesefall{"Zeilenumbruch", "a;b\n\"1\r\n2\";3\n", ';', S{{"a", "b"}, {"1\r\n2", "3"}}},
        // Not RFC 4180, but kept rather than lost.
        Lesefall{"NachDemZitat", "a;b\n\"x\"y;z\"w\n", ';', S{{"a", "b"}, {"xy", "z\"w"}}},
        Lesefall{"OffenBisZumEnde", "a;b\n1;\"2\n3\n", ';', S{{"a", "b"}, {"1", "2\n3\n"}},
                 Satzart::OffenesZitat}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Zeilen, LeserTest,
    testing::Values(Lesefall{"Crlf", "a;b\r\n1;2\r\n", ';', S{{"a", "b"}, {"1", "2"}}},
                    Lesefall{"OhneLetztesZeilenende", "a;b\n1;2", ';', S{{"a", "b"}, {"1", "2"}}},
                    Lesefall{"EinzelnesCr", "a;b\r1;2\r", ';', S{{"a", "b"}, {"1", "2"}}},
                    Lesefall{"LeereZeilen", "a;b\n\n1;2\r\n\r\n", ';', S{{"a", "b"}, {"1", "2"}}},
                    Lesefall{"LeeresFeldAmEnde", "a;b\n1;\n", ';', S{{"a", "b"}, {"1", ""}}},
                    Lesefall{"Bom", "\xEF\xBB\xBFtemlu;rf\n", ';', S{{"temlu", "rf"}}},
                    Lesefall{"NulImFeld", "a;b\n" + kNul + ";2\n", ';',
                             S{{"a", "b"}, {kNul, "2"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Leser, MerktSichBomUndZeilenendeDerKopfzeile) {
  TextQuelle mit(
      "\xEF\xBB\xBF"
      "a;b\r\n1;2\n");
  Leser a(mit);
  std::vector<std::string> f;
  a.Lies(f, 10);
  EXPECT_TRUE(a.HatteBom());
  EXPECT_EQ(a.Zeilenende(), "\r\n");
  TextQuelle ohne("a;b\n");
  Leser b(ohne);
  b.Lies(f, 10);
  EXPECT_FALSE(b.HatteBom());
  EXPECT_EQ(b.Zeilenende(), "\n");
}

TEST(Leser, ZaehltFelderUeberDasHoechstmassHinaus) {
  TextQuelle quelle("a;b;c;d;e\n");
  Leser leser(quelle);
  std::vector<std::string> felder;
  const Satz s = leser.Lies(felder, 2);
  EXPECT_EQ(s.felder, 5u);
  EXPECT_LE(felder.size(), 2u);
}

// A field far beyond Windows' 32,767 characters is read whole; a record
// beyond kSatzMax is skipped without being held, and the next one reads.
TEST(Leser, LangeFelderUndZuLangeSaetze) {
  const std::string lang(100000, 'x');
  const std::string riesig(kSatzMax + 10, 'y');
  const std::string text = "a;b\n" + lang + ";1\n\"" + riesig + "\n\";2\n3;4\n";
  TextQuelle quelle(text);
  Leser leser(quelle);
  std::vector<std::string> f;
  leser.Lies(f, 10);
  EXPECT_EQ(leser.Lies(f, 10).art, Satzart::Gut);
  EXPECT_EQ(f[0], lang);
  EXPECT_EQ(leser.Lies(f, 10).art, Satzart::ZuLang);
  const Satz danach = leser.Lies(f, 10);
  EXPECT_EQ(danach.art, Satzart::Gut);
  EXPECT_EQ(f[0], "3");
  EXPECT_EQ(leser.Lies(f, 10).art, Satzart::Ende);
}

struct Kodierfall {
  const char* name;
  std::string roh;
  std::string utf8;
};

class NachUtf8Test : public testing::TestWithParam<Kodierfall> {};

TEST_P(NachUtf8Test, Wandelt) {
  std::string feld = GetParam().roh;
  NachUtf8(feld);
  EXPECT_EQ(feld, GetParam().utf8);
  EXPECT_TRUE(IstUtf8(feld));
}

INSTANTIATE_TEST_SUITE_P(
    Kodierungen, NachUtf8Test,
    testing::Values(Kodierfall{"Ascii", "Temp [C]", "Temp [C]"},
                    Kodierfall{"Utf8BleibtUtf8",
                               "Temp [\xC2\xB0"
                               "C]",
                               "Temp [\xC2\xB0"
                               "C]"},
                    Kodierfall{"Cp1252Grad",
                               "Temp [\xB0"
                               "C]",
                               "Temp [\xC2\xB0"
                               "C]"},
                    Kodierfall{"Cp1252Umlaut", "K\xFChlgrenze", "K\xC3\xBChlgrenze"},
                    Kodierfall{"Cp1252Euro", "\x80", "\xE2\x82\xAC"},
                    Kodierfall{"Cp1252Undefiniert", "\x81", "\xC2\x81"},
                    // Overlong form, surrogate and a cut sequence are no UTF-8.
                    Kodierfall{"Ueberlang", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
                    Kodierfall{"Surrogat", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
                    Kodierfall{"Abgeschnitten", "\xE2\x82", "\xC3\xA2\xE2\x80\x9A"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Schreibfall {
  const char* name;
  char trenner;
  std::vector<std::string> felder;
  std::string erwartet;
};

class SchreiberTest : public testing::TestWithParam<Schreibfall> {};

TEST_P(SchreiberTest, ZitiertNurWoNoetig) {
  const Schreibfall& f = GetParam();
  TextSenke senke;
  Schreiber s(senke, f.trenner, "\r\n");
  for (const std::string& feld : f.felder) s.Feld(feld);
  s.Satzende();
  ASSERT_TRUE(s.Leeren());
  EXPECT_EQ(senke.text, f.erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Felder, SchreiberTest,
    testing::Values(Schreibfall{"Schlicht", ';', {"a", "20,5", ""}, "a;20,5;\r\n"},
                    Schreibfall{"KommaBeiKomma", ',', {"a", "20,5"}, "a,\"20,5\"\r\n"},
                    Schreibfall{"Anfuehrungszeichen", ';', {"x\"y"}, "\"x\"\"y\"\r\n"},
                    Schreibfall{"Zeilenumbruch", '\t', {"1\n2", "3\r"}, "\"1\n2\"\t\"3\r\"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever is written reads back as the same fields.
TEST(SchreiberUndLeser, HinUndZurueck) {
  const std::vector<std::string> felder{"a,b", "\"", "x\r\ny", "", kNul, "  blank  "};
  for (const char trenner : {';', ',', '\t'}) {
    TextSenke senke;
    Schreiber s(senke, trenner, "\n");
    for (const auto& f : felder) s.Feld(f);
    s.Satzende();
    s.Leeren();
    TextQuelle quelle(senke.text);
    Leser leser(quelle);
    std::vector<std::string> gelesen;
    const Satz satz = leser.Lies(gelesen, 10);
    gelesen.resize(satz.felder);
    EXPECT_EQ(gelesen, felder) << "separator " << static_cast<int>(trenner);
  }
}

}  // namespace
}  // namespace dunstwerk::csv
