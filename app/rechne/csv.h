// Reading and writing CSV one record at a time, for dunstwerk-rechne: RFC 4180
// quoting, read leniently; any one-byte separator; CRLF, LF or a lone CR;
// UTF-8, Windows-1252 or UTF-16 with a byte order mark. The reader holds one
// record (at most the record limit) and, while the header is looked for, the
// first lines of the file; so a file of any length runs in the same memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace dunstwerk::csv {

// The largest record read whole: a longer one is skipped and reported, so
// that a file without line ends cannot take all the memory.
inline constexpr std::size_t kSatzMax = std::size_t{1} << 20;

// Where the bytes come from.
class Quelle {
 public:
  virtual ~Quelle() = default;
  // Up to `max` bytes into `ziel`; 0 at the end or on a failure.
  virtual std::size_t Lies(char* ziel, std::size_t max) = 0;
  virtual bool Fehlgeschlagen() const { return false; }
};

class DateiQuelle : public Quelle {
 public:
  explicit DateiQuelle(std::FILE* datei) : datei_(datei) {}
  std::size_t Lies(char* ziel, std::size_t max) override;
  bool Fehlgeschlagen() const override;
  int Fehlernummer() const { return fehlernummer_; }  // errno of the failure

 private:
  std::FILE* datei_;
  int fehlernummer_ = 0;
};

class TextQuelle : public Quelle {
 public:
  explicit TextQuelle(std::string_view text) : rest_(text) {}
  std::size_t Lies(char* ziel, std::size_t max) override;

 private:
  std::string_view rest_;
};

// What the first bytes say the input is.
enum class Kodierung {
  Utf8,         // or Windows-1252, field by field (NachUtf8)
  Utf8MitBom,   // the mark is skipped
  Utf16,        // little or big endian by its mark; read as UTF-8
  Arbeitsmappe  // a ZIP (.xlsx, .ods) or OLE2 (.xls) file: no CSV at all
};

// What reading one record gave.
enum class Satzart {
  Gut,
  Leer,    // a line with nothing on it
  ZuLang,  // more than the record limit; skipped to the end of its line
  Ende,    // no record left (or the source failed: see Fehlgeschlagen)
};

struct Satz {
  Satzart art = Satzart::Ende;
  std::size_t felder = 0;  // how many the record has, stored or not
  long long zeile = 0;     // the line it starts on, counted from 1
  // Quotes that opened a field but never closed it in a way that makes a
  // field of it: each was read again as a plain character.
  int zitateAlsZeichen = 0;
};

class Leser {
 public:
  // `satzMax` is the record limit; tests and the fuzz target pass a small one.
  explicit Leser(Quelle& quelle, std::size_t satzMax = kSatzMax);

  Kodierung Art() const { return art_; }
  char Trenner() const { return trenner_; }
  void SetzeTrenner(char trenner);
  // The line end of the first record read: "\r\n" or "\n".
  std::string_view Zeilenende() const { return crlf_ ? "\r\n" : "\n"; }
  bool Fehlgeschlagen() const { return quelle_.Fehlgeschlagen(); }

  // Reads the next record. The first `max` fields go into `felder` (grown as
  // needed, strings reused), the rest are only counted. Fields are raw bytes,
  // as in the file (UTF-16 already made UTF-8).
  //
  // A quote opens a quoted field only where a field starts. When the field
  // it opens is still open at the end of the input or at the record limit,
  // or holds a line end followed by a separator, or is followed after its
  // closing quote by anything but a separator or a line end though it holds
  // a line end, the quote was no quoting at all (a stray one in a comment):
  // the record is read again from its start with that quote as a plain
  // character, so that it costs no other line.
  Satz Lies(std::vector<std::string>& felder, std::size_t max);

  // The bytes of the record just read, without its line end; empty after
  // one that was too long.
  std::string_view Roh() const;

  // While the header is looked for, everything from here on is kept, so
  // that the reader can return to this place, with other separators.
  // The mark is given up when the lines since it grow beyond four record
  // limits; then the return fails.
  void SetzeMarke();
  bool ZurueckZurMarke();
  void LoescheMarke() { marke_ = kKeine; }
  std::size_t BytesSeitMarke() const { return marke_ == kKeine ? 0 : pos_ - marke_; }

 private:
  int Zeichen() {
    if (pos_ == ende_ && !Nachladen()) return -1;
    return static_cast<unsigned char>(puffer_[pos_++]);
  }
  bool Nachladen();
  void LiesUtf16(std::size_t max);
  void UeberspringeZeile();

  Quelle& quelle_;
  std::size_t satzMax_;
  std::vector<char> puffer_;
  std::vector<std::size_t> zeichenZitate_;  // offsets in the record, see Lies
  std::size_t pos_ = 0;
  std::size_t ende_ = 0;
  std::size_t satzAnfang_ = 0;
  std::size_t satzEnde_ = 0;  // without the line end
  static constexpr std::size_t kKeine = static_cast<std::size_t>(-1);
  std::size_t marke_ = kKeine;
  long long markeZeile_ = 1;
  long long zeile_ = 1;
  char trenner_ = ';';
  std::array<bool, 256> besonders_{};  // what ends a run of plain characters
  Kodierung art_ = Kodierung::Utf8;
  bool utf16be_ = false;
  std::string roh16_;  // UTF-16 bytes not yet decoded
  bool quelleLeer_ = false;
  bool crlf_ = false;
  bool erster_ = true;
};

// The field as UTF-8: unchanged when it is valid UTF-8, otherwise read as
// Windows-1252, as German spreadsheets save CSV.
bool IstUtf8(std::string_view text);
// Length of the UTF-8 character at text[i] (shortest form, no surrogates, at
// most U+10FFFF), or 0 when none starts there.
std::size_t Utf8Laenge(std::string_view text, std::size_t i);
void NachUtf8(std::string& feld);
// The character a Windows-1252 byte stands for.
char32_t AusWindows1252(unsigned char byte);

// Where the bytes go.
class Senke {
 public:
  virtual ~Senke() = default;
  virtual bool Schreibe(std::string_view daten) = 0;
};

class DateiSenke : public Senke {
 public:
  explicit DateiSenke(std::FILE* datei) : datei_(datei) {}
  bool Schreibe(std::string_view daten) override;
  int Fehlernummer() const { return fehlernummer_; }  // errno of the failure

 private:
  std::FILE* datei_;
  int fehlernummer_ = 0;
};

class TextSenke : public Senke {
 public:
  bool Schreibe(std::string_view daten) override {
    text.append(daten);
    return true;
  }
  std::string text;
};

// Writes records, quoting a field only where it holds the separator, a
// quote or a line break. Buffers; a failed write is remembered and ends all
// further writing.
class Schreiber {
 public:
  Schreiber(Senke& senke, char trenner, std::string_view zeilenende);

  void Feld(std::string_view feld);
  // Bytes as they are, outside any field: the byte order mark, a line
  // copied through.
  void Roh(std::string_view daten);
  void Satzende();
  // Writes what is buffered; false once any write has failed.
  bool Leeren();
  bool Fehlgeschlagen() const { return fehler_; }

 private:
  void Zitiert(std::string_view feld);

  Senke& senke_;
  char trenner_;
  std::array<bool, 256> besonders_{};  // what makes a field quoted
  std::string zeilenende_;
  std::string puffer_;
  bool ersterImSatz_ = true;
  bool fehler_ = false;
};

}  // namespace dunstwerk::csv
