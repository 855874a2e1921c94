#include "app/rechne/csv.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace dunstwerk::csv {
namespace {

constexpr std::size_t kBlock = std::size_t{64} << 10;

// Windows-1252 at 0x80 to 0x9F; the five bytes it leaves undefined keep the
// control character of the same number, as Windows itself converts them.
constexpr std::array<char16_t, 32> kCp1252Oben{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void HaengeUtf8An(std::string& ziel, char32_t z) {
  if (z < 0x80) {
    ziel.push_back(static_cast<char>(z));
  } else if (z < 0x800) {
    ziel.push_back(static_cast<char>(0xC0 | (z >> 6)));
    ziel.push_back(static_cast<char>(0x80 | (z & 0x3F)));
  } else {
    ziel.push_back(static_cast<char>(0xE0 | (z >> 12)));
    ziel.push_back(static_cast<char>(0x80 | ((z >> 6) & 0x3F)));
    ziel.push_back(static_cast<char>(0x80 | (z & 0x3F)));
  }
}

// Length of the UTF-8 sequence at `s` (shortest form, no surrogates, at most
// U+10FFFF), or 0 when it is none.
std::size_t Utf8Laenge(const unsigned char* s, std::size_t rest) {
  const unsigned char b = s[0];
  std::size_t n;
  unsigned char unten = 0x80, oben = 0xBF;  // the second byte's range
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) unten = 0xA0;
    if (b == 0xED) oben = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) unten = 0x90;
    if (b == 0xF4) oben = 0x8F;
  } else {
    return 0;
  }
  if (rest < n || s[1] < unten || s[1] > oben) return 0;
  for (std::size_t i = 2; i < n; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
  }
  return n;
}

}  // namespace

std::size_t DateiQuelle::Lies(char* ziel, std::size_t max) {
  const std::size_t n = std::fread(ziel, 1, max, datei_);
  if (n < max && std::ferror(datei_) && fehlernummer_ == 0) fehlernummer_ = errno;
  return n;
}

bool DateiQuelle::Fehlgeschlagen() const { return std::ferror(datei_) != 0; }

std::size_t TextQuelle::Lies(char* ziel, std::size_t max) {
  const std::size_t n = std::min(max, rest_.size());
  std::memcpy(ziel, rest_.data(), n);
  rest_.remove_prefix(n);
  return n;
}

Leser::Leser(Quelle& quelle) : quelle_(quelle), puffer_(kBlock) {
  while (ende_ < 3 && Nachladen()) {
  }
  if (ende_ >= 3 && std::memcmp(puffer_.data(), "\xEF\xBB\xBF", 3) == 0) {
    bom_ = true;
    pos_ = 3;
  }
  VorschauErsterSatz();
}

bool Leser::Fuelle() {
  pos_ = 0;
  ende_ = quelle_.Lies(puffer_.data(), puffer_.size());
  return ende_ > 0;
}

// Appends to what the buffer holds, growing it up to one whole record.
bool Leser::Nachladen() {
  if (ende_ == puffer_.size()) {
    if (puffer_.size() >= kSatzMax + kBlock) return false;
    puffer_.resize(puffer_.size() * 2);
  }
  const std::size_t n = quelle_.Lies(puffer_.data() + ende_, puffer_.size() - ende_);
  ende_ += n;
  return n > 0;
}

int Leser::Zeichen() {
  if (pos_ == ende_ && !Fuelle()) return -1;
  return static_cast<unsigned char>(puffer_[pos_++]);
}

// Loads the whole first record (or kSatzMax of it) to count the candidate
// separators outside quotes before any field is split.
void Leser::VorschauErsterSatz() {
  std::size_t anzahl[3] = {};  // ";", tab, ","
  // Quotes as Lies takes them: one opens a quoted field only where a field
  // may start, so that a stray one inside a heading ("Höhe 5"") does not hide
  // the rest of the line from the count; a doubled one stands for itself.
  enum { Anfang, Offen, Zitiert, ZitatZu } z = Anfang;
  for (std::size_t i = pos_;; ++i) {
    if (i == ende_ && !Nachladen()) break;
    const char c = puffer_[i];
    if (z == Zitiert) {
      if (c == '"') z = ZitatZu;
      continue;
    }
    if (c == '"' && (z == Anfang || z == ZitatZu)) {
      z = Zitiert;
      continue;
    }
    if (c == '\n' || c == '\r') break;
    z = Offen;
    if (c == ';') ++anzahl[0];
    if (c == '\t') ++anzahl[1];
    if (c == ',') ++anzahl[2];
    if (c == ';' || c == '\t' || c == ',') z = Anfang;
  }
  const char kandidaten[3] = {';', '\t', ','};
  const std::size_t besterPlatz = static_cast<std::size_t>(
      std::max_element(std::begin(anzahl), std::end(anzahl)) - std::begin(anzahl));
  if (anzahl[besterPlatz] > 0) trenner_ = kandidaten[besterPlatz];
}

// After kSatzMax bytes: drops the rest of the record without keeping it.
void Leser::UeberspringeRest(bool zitiert) {
  for (int c = Zeichen(); c >= 0; c = Zeichen()) {
    if (c == '"') zitiert = !zitiert;
    if (zitiert) continue;
    if (c == '\n') return;
    if (c == '\r') {
      if (const int naechstes = Zeichen(); naechstes >= 0 && naechstes != '\n') --pos_;
      return;
    }
  }
}

Satz Leser::Lies(std::vector<std::string>& felder, std::size_t max) {
  enum Zustand { Anfang, Offen, Zitiert, ZitatZu };
  Zustand z = Anfang;
  Satz satz;
  std::size_t laenge = 0;
  std::string* feld = nullptr;
  // Starts the next field: stored while fewer than `max` are, else counted.
  auto neuesFeld = [&] {
    if (satz.felder < max) {
      if (felder.size() <= satz.felder) felder.resize(satz.felder + 1);
      feld = &felder[satz.felder];
      feld->clear();
    } else {
      feld = nullptr;
    }
    ++satz.felder;
  };
  auto haengeAn = [&](int c) {
    if (feld) feld->push_back(static_cast<char>(c));
  };
  neuesFeld();
  for (;;) {
    const int c = Zeichen();
    if (c < 0) {
      const bool nichts = laenge == 0;
      if (nichts) satz.felder = 0;
      satz.art = z == Zitiert ? Satzart::OffenesZitat : (nichts ? Satzart::Ende : Satzart::Gut);
      break;
    }
    if (++laenge > kSatzMax) {
      UeberspringeRest(z == Zitiert);
      satz.art = Satzart::ZuLang;
      break;
    }
    if (z == Zitiert) {
      if (c == '"') {
        z = ZitatZu;
      } else {
        haengeAn(c);
      }
      continue;
    }
    if (z == ZitatZu && c == '"') {  // a doubled quote stands for one
      haengeAn(c);
      z = Zitiert;
      continue;
    }
    if (c == trenner_) {
      neuesFeld();
      z = Anfang;
    } else if (c == '\n' || c == '\r') {
      // A lone CR ends the line too; what follows it is put back.
      const int naechstes = c == '\r' ? Zeichen() : -1;
      const bool crlf = naechstes == '\n';
      if (naechstes >= 0 && !crlf) --pos_;
      if (erster_) crlf_ = crlf;
      satz.art = laenge == 1 ? Satzart::Leer : Satzart::Gut;
      break;
    } else if (c == '"' && z == Anfang) {
      z = Zitiert;
    } else {
      // Text after a closing quote, or a quote inside an unquoted field, is
      // kept as it stands rather than lost.
      haengeAn(c);
      z = Offen;
    }
  }
  erster_ = false;
  return satz;
}

bool IstUtf8(std::string_view text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t n = Utf8Laenge(s + i, text.size() - i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

void NachUtf8(std::string& feld) {
  if (IstUtf8(feld)) return;
  std::string utf8;
  utf8.reserve(feld.size() * 2);
  for (const char c : feld) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b < 0xA0) {
      HaengeUtf8An(utf8, kCp1252Oben[b - 0x80]);
    } else {
      HaengeUtf8An(utf8, b);  // the rest of Windows-1252 is Latin-1
    }
  }
  feld.swap(utf8);
}

bool DateiSenke::Schreibe(std::string_view daten) {
  if (std::fwrite(daten.data(), 1, daten.size(), datei_) == daten.size()) return true;
  if (fehlernummer_ == 0) fehlernummer_ = errno;
  return false;
}

Schreiber::Schreiber(Senke& senke, char trenner, std::string_view zeilenende)
    : senke_(senke), trenner_(trenner), zeilenende_(zeilenende) {
  puffer_.reserve(kBlock + 256);
}

void Schreiber::Feld(std::string_view feld) {
  if (!ersterImSatz_) puffer_.push_back(trenner_);
  ersterImSatz_ = false;
  const bool zitieren = std::any_of(feld.begin(), feld.end(), [this](char c) {
    return c == trenner_ || c == '"' || c == '\n' || c == '\r';
  });
  if (zitieren) {
    Zitiert(feld);
  } else {
    puffer_.append(feld);
  }
  if (puffer_.size() >= kBlock) Leeren();
}

void Schreiber::Zitiert(std::string_view feld) {
  puffer_.push_back('"');
  for (const char c : feld) {
    if (c == '"') puffer_.push_back('"');
    puffer_.push_back(c);
  }
  puffer_.push_back('"');
}

void Schreiber::Satzende() {
  puffer_.append(zeilenende_);
  ersterImSatz_ = true;
  if (puffer_.size() >= kBlock) Leeren();
}

bool Schreiber::Leeren() {
  if (!fehler_ && !puffer_.empty()) fehler_ = !senke_.Schreibe(puffer_);
  puffer_.clear();
  return !fehler_;
}

}  // namespace dunstwerk::csv
