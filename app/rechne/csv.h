// Reading and writing CSV one record at a time, for dunstwerk-rechne: RFC 4180
// quoting, the separators ";", "," and tab, CRLF or LF, UTF-8 or
// Windows-1252. Nothing here holds more than one record, so a file of any
// length runs in the same memory.
#pragma once

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

// What reading one record gave.
enum class Satzart {
  Gut,
  Leer,          // a line with nothing on it
  ZuLang,        // more than kSatzMax bytes; skipped to its end
  OffenesZitat,  // a quoted field still open at the end of the input
  Ende,          // no record left (or the source failed: see Fehlgeschlagen)
};

struct Satz {
  Satzart art = Satzart::Ende;
  std::size_t felder = 0;  // how many the record has, stored or not
};

class Leser {
 public:
  // Skips a UTF-8 byte order mark and finds the separator from the first
  // record: the most frequent of ";", tab and "," outside quotes (";" when
  // there is none).
  explicit Leser(Quelle& quelle);

  char Trenner() const { return trenner_; }
  // For text whose separator is known, such as this program's own output:
  // a heading may hold the other candidates often enough to mislead the count.
  void SetzeTrenner(char trenner) { trenner_ = trenner; }
  bool HatteBom() const { return bom_; }
  // The line end of the first record: "\r\n" or "\n".
  std::string_view Zeilenende() const { return crlf_ ? "\r\n" : "\n"; }
  bool Fehlgeschlagen() const { return quelle_.Fehlgeschlagen(); }

  // Reads the next record. The first `max` fields go into `felder` (grown as
  // needed, strings reused), the rest are only counted. Fields are raw
  // bytes, as in the file.
  Satz Lies(std::vector<std::string>& felder, std::size_t max);

 private:
  int Zeichen();
  bool Fuelle();
  bool Nachladen();
  void VorschauErsterSatz();
  void UeberspringeRest(bool zitiert);

  Quelle& quelle_;
  std::vector<char> puffer_;
  std::size_t pos_ = 0;
  std::size_t ende_ = 0;
  char trenner_ = ';';
  bool bom_ = false;
  bool crlf_ = false;
  bool erster_ = true;
};

// The field as UTF-8: unchanged when it is valid UTF-8, otherwise read as
// Windows-1252, as German spreadsheets save CSV.
bool IstUtf8(std::string_view text);
void NachUtf8(std::string& feld);

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
  // Bytes as they are, outside any field: the byte order mark.
  void Roh(std::string_view daten) { puffer_.append(daten); }
  void Satzende();
  // Writes what is buffered; false once any write has failed.
  bool Leeren();
  bool Fehlgeschlagen() const { return fehler_; }

 private:
  void Zitiert(std::string_view feld);

  Senke& senke_;
  char trenner_;
  std::string zeilenende_;
  std::string puffer_;
  bool ersterImSatz_ = true;
  bool fehler_ = false;
};

}  // namespace dunstwerk::csv
