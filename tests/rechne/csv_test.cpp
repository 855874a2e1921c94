// The CSV reader and writer: separators, quoting, line ends, byte order
// mark, encodings, and records that are too long or never end.
#include "app/rechne/csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dunstwerk::csv {
namespace {

using Saetze = std::vector<std::vector<std::string>>;
const std::string kNul("a\0b", 3);

// Every record up to the end, empty lines left out; `letzte` is the last one's art.
Saetze AlleSaetze(const std::string& text, char& trenner, Satzart& letzte) {
  TextQuelle quelle(text);
  Leser leser(quelle);
  Saetze saetze;
  std::vector<std::string> felder;
  for (Satz s = leser.Lies(felder, 100); s.art != Satzart::Ende; s = leser.Lies(felder, 100)) {
    if (s.art == Satzart::Leer) continue;
    letzte = s.art;
    saetze.emplace_back(felder.begin(), felder.begin() + static_cast<long>(s.felder));
  }
  trenner = leser.Trenner();
  return saetze;
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
      {"\xEF\xBB\xBFtemlu;rf\n", ';', {{"temlu", "rf"}}},
      {"a;b\n" + kNul + ";" + lang + "\n", ';', {{"a", "b"}, {kNul, lang}}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.eingabe.substr(0, 30));
    char trenner = 0;
    Satzart letzte = Satzart::Ende;
    EXPECT_EQ(AlleSaetze(f.eingabe, trenner, letzte), f.saetze);
    EXPECT_EQ(trenner, f.trenner);
    EXPECT_EQ(letzte, f.letzte);
  }
}

// Fields already UTF-8 stay; anything else is Windows-1252, the encoding a
// German spreadsheet saves in.
TEST(NachUtf8, WandeltWindows1252) {
  const std::pair<std::string, std::string> faelle[] = {
      {"Temp [\xC2\xB0]", "Temp [\xC2\xB0]"},
      {"Temp [\xB0]", "Temp [\xC2\xB0]"},
      {"\x80", "\xE2\x82\xAC"},
      {"\x81", "\xC2\x81"},  // undefined in Windows-1252: kept as U+0081
      // Overlong form, surrogate and a cut sequence are no UTF-8.
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},
  };
  for (auto [feld, utf8] : faelle) {
    NachUtf8(feld);
    EXPECT_EQ(feld, utf8);
    EXPECT_TRUE(IstUtf8(feld));
  }
}

// Whatever is written reads back as the same fields, with every separator.
TEST(SchreiberUndLeser, HinUndZurueck) {
  const std::vector<std::string> felder{"a,b", "\"", "x\r\ny", "", kNul, "3\r", "  blank  "};
  for (const char trenner : {';', ',', '\t'}) {
    TextSenke senke;
    Schreiber s(senke, trenner, "\n");
    for (const auto& f : felder) s.Feld(f);
    s.Satzende();
    ASSERT_TRUE(s.Leeren());
    char gelesen = 0;
    Satzart letzte = Satzart::Ende;
    EXPECT_EQ(AlleSaetze(senke.text, gelesen, letzte), Saetze{felder}) << senke.text;
    EXPECT_EQ(gelesen, trenner);
  }
}

}  // namespace
}  // namespace dunstwerk::csv
