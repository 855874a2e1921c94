// The CSV reader and writer: records, stray quotes, the record limit and the
// encodings.
#include "app/rechne/csv.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#endif

#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace dunstwerk::rechne {
namespace {

using csv::Satzart;
using Saetze = std::vector<std::vector<std::string>>;
const std::string kNul("a\0b", 3), kBom = "\xEF\xBB\xBF";

struct Gelesen {
  Saetze saetze;                  // empty lines left out; a record too long as {"ZU LANG"}
  std::vector<long long> zeilen;  // where each starts
  int zitateAlsZeichen = 0;
};

Gelesen AlleSaetze(const std::string& text, char trenner = ';',
                   std::size_t satzMax = csv::kSatzMax) {
  csv::TextQuelle quelle(text);
  csv::Leser leser(quelle, satzMax);
  leser.SetzeTrenner(trenner);
  Gelesen g{};
  std::vector<std::string> felder;
  for (csv::Satz s = leser.Lies(felder, 100); s.art != Satzart::Ende; s = leser.Lies(felder, 100)) {
    g.zitateAlsZeichen += s.zitateAlsZeichen;
    if (s.art == Satzart::Leer) continue;
    g.zeilen.push_back(s.zeile);
    if (s.art == Satzart::ZuLang) {
      g.saetze.push_back({"ZU LANG"});
    } else {
      g.saetze.emplace_back(felder.begin(), felder.begin() + static_cast<long>(s.felder));
    }
  }
  return g;
}

TEST(Leser, LiestJedenSatz) {
  const std::string lang(100000, 'x');  // far beyond Windows' 32,767 characters
  const struct {
    std::string eingabe;
    Saetze saetze;
    char trenner = ';';
  } faelle[] = {
      {"a,b\n1,\"2,5\"\n", {{"a", "b"}, {"1", "2,5"}}, ','},
      // A quote inside a field is a character; a doubled one inside quotes
      // ends nothing.
      {"H\u00f6he 5\",temlu,rf\n", {{"H\u00f6he 5\"", "temlu", "rf"}}, ','},
      {"\"a\"\";b;c\",d\n", {{"a\";b;c", "d"}}, ','},
      {"a;b\n\"x\"\"y\";\"\"\n", {{"a", "b"}, {"x\"y", ""}}},
      {"a;b\n\"1\r\n2\";3\n", {{"a", "b"}, {"1\r\n2", "3"}}},
      // Not RFC 4180, but kept rather than lost.
      {"a;b\n\"x\"y;z\"w\n", {{"a", "b"}, {"xy", "z\"w"}}},
      {"a;b\n1;2", {{"a", "b"}, {"1", "2"}}},
      {"a;b\r1;2\r", {{"a", "b"}, {"1", "2"}}},
      {"a;b\n\n1;\r\n\r\n", {{"a", "b"}, {"1", ""}}},
      {kBom + "temlu;rf\n", {{"temlu", "rf"}}},
      {"a;b\n" + kNul + ";" + lang + "\n", {{"a", "b"}, {kNul, lang}}},
      // A quote that opens a field but makes none costs no other line: never
      // closed, closed after a line end but followed by text, or spanning
      // into a line with the separator.
      {"a;b\n1;\"2\n3;4\n", {{"a", "b"}, {"1", "\"2"}, {"3", "4"}}},
      {"1;\"Notiz\n2;\"Sensor\n3;x\n", {{"1", "\"Notiz"}, {"2", "\"Sensor"}, {"3", "x"}}},
      {"1;\"Zoll\n2\"x;3\n", {{"1", "\"Zoll"}, {"2\"x", "3"}}},
      {"1;\"a\n\"b\n", {{"1", "\"a"}, {"\"b"}}},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(AlleSaetze(f.eingabe, f.trenner).saetze, f.saetze) << f.eingabe.substr(0, 30);
  }
}

// A record over the limit costs that record alone, whatever quotes it or
// the quote that opened it holds; the lines keep their numbers.
TEST(Leser, SatzUeberDerGrenze) {
  const struct {
    std::string eingabe;
    Saetze saetze;
    std::vector<long long> zeilen;
  } faelle[] = {
      {"1;2\nxxxxxxxxxxxxxxxxxxxx\"\n3;4\n", {{"1", "2"}, {"ZU LANG"}, {"3", "4"}}, {1, 2, 3}},
      {"1;\"a\nb\";2\n3;4\n", {{"1", "a\nb", "2"}, {"3", "4"}}, {1, 3}},
      {"1;\"aaaaaaaa\nbbbbbbbb\ncccc\n", {{"1", "\"aaaaaaaa"}, {"bbbbbbbb"}, {"cccc"}}, {1, 2, 3}},
      {"1;5\"xxxxxxxxxxxxxxxxxx\r\n3;\"4\"\r\n", {{"ZU LANG"}, {"3", "4"}}, {1, 2}},
  };
  for (const auto& f : faelle) {
    const Gelesen g = AlleSaetze(f.eingabe, ';', 16);
    EXPECT_EQ(std::tie(g.saetze, g.zeilen), std::tie(f.saetze, f.zeilen)) << f.eingabe;
  }
}

// Lines with stray quotes anywhere, some over the limit: each line that has
// the separator before any quote is one record, never part of another.
TEST(Leser, KeineZeileGehtVerloren) {
  std::mt19937 zufall(23);
  const char zeichen[] = {'"', '"', ';', 'a', ' ', '5'};
  for (int durchgang = 0; durchgang < 200; ++durchgang) {
    std::string text;
    const int zeilen = 1 + static_cast<int>(zufall() % 12);
    for (int i = 0; i < zeilen; ++i) {
      text += std::to_string(i) + ";";
      for (unsigned n = zufall() % 40; n > 0; --n) text += zeichen[zufall() % sizeof zeichen];
      text += zufall() % 2 ? "\n" : "\r\n";
    }
    const Gelesen g = AlleSaetze(text, ';', 32);
    std::vector<long long> erwartet;
    for (const auto& satz : g.saetze) {
      if (satz[0] != "ZU LANG") erwartet.push_back(std::stoll(satz[0]) + 1);
    }
    std::vector<long long> gelesen;
    for (std::size_t i = 0; i < g.saetze.size(); ++i) {
      if (g.saetze[i][0] != "ZU LANG") gelesen.push_back(g.zeilen[i]);
    }
    ASSERT_EQ(g.saetze.size(), static_cast<std::size_t>(zeilen)) << ::testing::PrintToString(text);
    ASSERT_EQ(gelesen, erwartet) << text;
  }
}

// UTF-16 with its byte order mark reads as the same text in UTF-8, a
// surrogate pair and a lone surrogate included.
TEST(Leser, Utf16) {
  const std::u16string text = u"temlu;Ort\r\n20;K\u00f6ln \U0001F321\xD800\r\n";
  const std::string utf8 = "temlu;Ort\r\n20;K\u00f6ln \U0001F321\uFFFD\r\n";
  for (const bool gross : {false, true}) {
    std::string bytes = gross ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t z : text) {
      const char hoch = static_cast<char>(z >> 8), tief = static_cast<char>(z & 0xFF);
      bytes += gross ? std::string{hoch, tief} : std::string{tief, hoch};
    }
    csv::TextQuelle quelle(bytes);
    csv::Leser leser(quelle);
    EXPECT_EQ(leser.Art(), csv::Kodierung::Utf16);
    EXPECT_EQ(AlleSaetze(bytes).saetze, AlleSaetze(utf8).saetze);
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

#ifndef _WIN32
// The table against glibc's converter, for every byte; the five bytes that
// Windows-1252 leaves undefined, which iconv refuses, keep their number, as
// Windows converts them.
TEST(NachUtf8, Windows1252WieIconv) {
  const iconv_t iconv1252 = iconv_open("UTF-32LE", "WINDOWS-1252");
  ASSERT_NE(iconv1252, reinterpret_cast<iconv_t>(-1));
  for (int b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    unsigned char utf32[4] = {};
    char *ein = &byte, *aus = reinterpret_cast<char*>(utf32);
    std::size_t einRest = 1, ausRest = 4;
    if (iconv(iconv1252, &ein, &einRest, &aus, &ausRest) == static_cast<std::size_t>(-1)) {
      EXPECT_NE(std::string_view("\x81\x8D\x8F\x90\x9D").find(byte), std::string_view::npos) << b;
      EXPECT_EQ(csv::AusWindows1252(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
      continue;
    }
    const char32_t zeichen = utf32[0] | utf32[1] << 8 | utf32[2] << 16 | char32_t(utf32[3]) << 24;
    EXPECT_EQ(csv::AusWindows1252(static_cast<unsigned char>(b)), zeichen) << b;
  }
  iconv_close(iconv1252);
}
#endif

// Whatever is written reads back as the same fields, with every separator.
TEST(SchreiberUndLeser, HinUndZurueck) {
  const std::vector<std::string> felder{"a,b", "\"", "x\r\ny", "", kNul, "3\r", "  blank  "};
  for (const char trenner : {';', ',', '\t'}) {
    csv::TextSenke senke;
    csv::Schreiber s(senke, trenner, "\n");
    for (const auto& f : felder) s.Feld(f);
    s.Satzende();
    ASSERT_TRUE(s.Leeren());
    EXPECT_EQ(AlleSaetze(senke.text, trenner).saetze, Saetze{felder}) << senke.text;
  }
}

}  // namespace
}  // namespace dunstwerk::rechne
