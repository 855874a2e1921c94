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
  } else if (z < 0x10000) {
    ziel.push_back(static_cast<char>(0xE0 | (z >> 12)));
    ziel.push_back(static_cast<char>(0x80 | ((z >> 6) & 0x3F)));
    ziel.push_back(static_cast<char>(0x80 | (z & 0x3F)));
  } else {
    ziel.push_back(static_cast<char>(0xF0 | (z >> 18)));
    ziel.push_back(static_cast<char>(0x80 | ((z >> 12) & 0x3F)));
    ziel.push_back(static_cast<char>(0x80 | ((z >> 6) & 0x3F)));
    ziel.push_back(static_cast<char>(0x80 | (z & 0x3F)));
  }
}

// The characters that quoting is about: the separator, the quote, the line
// ends. They end a run of plain characters, and make a field quoted.
std::array<bool, 256> Besondere(char trenner) {
  std::array<bool, 256> besonders{};
  for (const char c : {trenner, '"', '\n', '\r'}) besonders[static_cast<unsigned char>(c)] = true;
  return besonders;
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

std::size_t Utf8Laenge(std::string_view text, std::size_t i) {
  return Utf8Laenge(reinterpret_cast<const unsigned char*>(text.data()) + i, text.size() - i);
}

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

Leser::Leser(Quelle& quelle, std::size_t satzMax)
    : quelle_(quelle), satzMax_(std::max<std::size_t>(satzMax, 1)), puffer_(kBlock) {
  SetzeTrenner(trenner_);
  while (ende_ < 4 && !quelleLeer_) {
    const std::size_t n = quelle_.Lies(puffer_.data() + ende_, puffer_.size() - ende_);
    quelleLeer_ = n == 0;
    ende_ += n;
  }
  const std::string_view anfang(puffer_.data(), std::min<std::size_t>(ende_, 4));
  if (anfang.starts_with("\xEF\xBB\xBF")) {
    art_ = Kodierung::Utf8MitBom;
    pos_ = satzAnfang_ = 3;
  } else if (anfang.starts_with("\xFF\xFE") || anfang.starts_with("\xFE\xFF")) {
    art_ = Kodierung::Utf16;
    utf16be_ = anfang[0] == '\xFE';
    roh16_.assign(puffer_.data() + 2, ende_ - 2);
    ende_ = 0;
  } else if (anfang == "PK\x03\x04" || anfang == "\xD0\xCF\x11\xE0") {
    art_ = Kodierung::Arbeitsmappe;
  }
}

void Leser::SetzeMarke() {
  marke_ = pos_;
  markeZeile_ = zeile_;
}

bool Leser::ZurueckZurMarke() {
  if (marke_ == kKeine) return false;
  pos_ = satzAnfang_ = satzEnde_ = marke_;
  zeile_ = markeZeile_;
  return true;
}

// Called with everything read: drops what is no longer needed (all before
// the current record and the mark), grows the buffer when that is not
// enough, and appends what the source gives.
bool Leser::Nachladen() {
  const std::size_t behalten = std::min(marke_, satzAnfang_);
  if (behalten > 0) {
    std::memmove(puffer_.data(), puffer_.data() + behalten, ende_ - behalten);
    ende_ -= behalten;
    pos_ -= behalten;
    satzAnfang_ -= behalten;
    satzEnde_ -= std::min(satzEnde_, behalten);
    if (marke_ != kKeine) marke_ -= behalten;
  }
  const std::size_t vorher = ende_;
  while (ende_ == vorher && !(quelleLeer_ && roh16_.empty())) {
    if (puffer_.size() - ende_ < kBlock / 2) {
      if (marke_ != kKeine && puffer_.size() > 4 * satzMax_ + kBlock) {
        LoescheMarke();
        return Nachladen();
      }
      puffer_.resize(puffer_.size() * 2);
    }
    if (art_ == Kodierung::Utf16) {
      LiesUtf16((puffer_.size() - ende_) / 2);
    } else {
      const std::size_t n = quelle_.Lies(puffer_.data() + ende_, puffer_.size() - ende_);
      quelleLeer_ = n == 0;
      ende_ += n;
    }
  }
  return ende_ > vorher;
}

// Decodes up to `max` bytes' worth of UTF-16 into the buffer as UTF-8; a
// surrogate without its partner becomes U+FFFD.
void Leser::LiesUtf16(std::size_t max) {
  if (!quelleLeer_ && roh16_.size() < 4) {
    char block[kBlock / 4];
    const std::size_t n = quelle_.Lies(block, std::min(sizeof block, max));
    quelleLeer_ = n == 0;
    roh16_.append(block, n);
  }
  auto einheit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(roh16_[i]),
               b = static_cast<unsigned char>(roh16_[i + 1]);
    return utf16be_ ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
  };
  std::string utf8;
  std::size_t i = 0;
  for (; i + 1 < roh16_.size(); i += 2) {
    char32_t z = einheit(i);
    if (z >= 0xD800 && z < 0xDC00) {
      if (i + 3 >= roh16_.size() && !quelleLeer_) break;  // its partner is still to come
      const char32_t tief = i + 3 < roh16_.size() ? einheit(i + 2) : 0;
      if (tief >= 0xDC00 && tief < 0xE000) {
        z = 0x10000 + ((z - 0xD800) << 10) + (tief - 0xDC00);
        i += 2;
      } else {
        z = 0xFFFD;
      }
    } else if (z >= 0xDC00 && z < 0xE000) {
      z = 0xFFFD;
    }
    HaengeUtf8An(utf8, z);
  }
  if (quelleLeer_ && i < roh16_.size()) {  // an odd byte at the end
    HaengeUtf8An(utf8, 0xFFFD);
    i = roh16_.size();
  }
  roh16_.erase(0, i);
  if (puffer_.size() - ende_ < utf8.size()) puffer_.resize(ende_ + utf8.size());
  std::memcpy(puffer_.data() + ende_, utf8.data(), utf8.size());
  ende_ += utf8.size();
}

// After the record limit: drops the rest of the line, quotes and all, so
// that whatever it holds costs no later line.
void Leser::UeberspringeZeile() {
  for (int c = Zeichen(); c >= 0; c = Zeichen()) {
    satzAnfang_ = pos_;  // nothing of it is kept
    if (c == '\n' || c == '\r') {
      if (c == '\r') {
        if (const int naechstes = Zeichen(); naechstes >= 0 && naechstes != '\n') --pos_;
        satzAnfang_ = pos_;
      }
      ++zeile_;
      return;
    }
  }
}

std::string_view Leser::Roh() const {
  return {puffer_.data() + satzAnfang_, satzEnde_ - satzAnfang_};
}

void Leser::SetzeTrenner(char trenner) {
  trenner_ = trenner;
  besonders_ = Besondere(trenner);
}

Satz Leser::Lies(std::vector<std::string>& felder, std::size_t max) {
  enum Zustand { Anfang, Offen, Zitiert, ZitatZu };
  // Past this many stray quotes in one record, every quote of it is a plain
  // character: each reading costs at most the record limit.
  constexpr int kVersucheMax = 8;
  satzAnfang_ = satzEnde_ = pos_;
  zeichenZitate_.clear();
  const long long ersteZeile = zeile_;
  for (;;) {
    Satz satz;
    satz.zeile = ersteZeile;
    satz.zitateAlsZeichen = static_cast<int>(zeichenZitate_.size());
    const bool keineZitate = satz.zitateAlsZeichen >= kVersucheMax;
    Zustand z = Anfang;
    std::size_t laenge = 0;
    std::size_t zitat = 0;         // where the quoted field's quote stands
    bool zitatUeberZeile = false;  // it holds a line end
    bool vorherCr = false;
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
    bool nochmal = false;
    auto zitatIstZeichen = [&] {
      zeichenZitate_.push_back(zitat);
      pos_ = satzAnfang_;
      zeile_ = ersteZeile;
      nochmal = true;
    };
    neuesFeld();
    for (;;) {
      const int c = Zeichen();
      if (c < 0) {
        if (z == Zitiert) {
          zitatIstZeichen();
          break;
        }
        satzEnde_ = pos_;
        const bool nichts = laenge == 0;
        if (nichts) satz.felder = 0;
        satz.art = nichts ? Satzart::Ende : Satzart::Gut;
        break;
      }
      if (++laenge > satzMax_) {
        if (z == Zitiert) {
          zitatIstZeichen();
          break;
        }
        if (c == '\n' || c == '\r') {  // the limit reached at the line's end
          --pos_;
          satzAnfang_ = pos_;
        }
        UeberspringeZeile();
        satzEnde_ = satzAnfang_;
        satz.art = Satzart::ZuLang;
        break;
      }
      if (z == Zitiert) {
        if (c == '"') {
          z = ZitatZu;
        } else {
          if ((c == '\n' && !vorherCr) || c == '\r') {
            ++zeile_;
            zitatUeberZeile = true;
          } else if (zitatUeberZeile && c == trenner_) {
            // A field of a later line, not a line of this field.
            zitatIstZeichen();
            break;
          }
          vorherCr = c == '\r';
          haengeAn(c);
        }
        continue;
      }
      if (z == ZitatZu) {
        if (c == '"') {  // a doubled quote stands for one
          haengeAn(c);
          z = Zitiert;
          continue;
        }
        if (zitatUeberZeile && c != trenner_ && c != '\n' && c != '\r') {
          zitatIstZeichen();
          break;
        }
      }
      if (c == trenner_) {
        neuesFeld();
        z = Anfang;
      } else if (c == '\n' || c == '\r') {
        satzEnde_ = pos_ - 1;
        // A lone CR ends the line too; what follows it is put back.
        const int naechstes = c == '\r' ? Zeichen() : -1;
        const bool crlf = naechstes == '\n';
        if (naechstes >= 0 && !crlf) --pos_;
        if (erster_) crlf_ = crlf;
        ++zeile_;
        satz.art = laenge == 1 ? Satzart::Leer : Satzart::Gut;
        break;
      } else if (c == '"' && z == Anfang && !keineZitate &&
                 std::find(zeichenZitate_.begin(), zeichenZitate_.end(), pos_ - 1 - satzAnfang_) ==
                     zeichenZitate_.end()) {
        z = Zitiert;
        zitat = pos_ - 1 - satzAnfang_;
        zitatUeberZeile = vorherCr = false;
      } else {
        // Text after a closing quote, or a quote inside an unquoted field, is
        // kept as it stands rather than lost. The plain characters after it
        // go in at once, as far as the buffer holds them.
        std::size_t ende = pos_;
        const std::size_t grenze = std::min(ende_, pos_ + (satzMax_ - laenge));
        while (ende < grenze && !besonders_[static_cast<unsigned char>(puffer_[ende])]) ++ende;
        if (feld) feld->append(puffer_.data() + pos_ - 1, ende - pos_ + 1);  // with c
        laenge += ende - pos_;
        pos_ = ende;
        z = Offen;
      }
    }
    if (nochmal) continue;
    erster_ = false;
    return satz;
  }
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

char32_t AusWindows1252(unsigned char byte) {
  // The rest of Windows-1252 is Latin-1.
  return byte >= 0x80 && byte < 0xA0 ? kCp1252Oben[byte - 0x80] : byte;
}

void NachUtf8(std::string& feld) {
  if (IstUtf8(feld)) return;
  std::string utf8;
  utf8.reserve(feld.size() * 2);
  for (const char c : feld) HaengeUtf8An(utf8, AusWindows1252(static_cast<unsigned char>(c)));
  feld.swap(utf8);
}

bool DateiSenke::Schreibe(std::string_view daten) {
  if (std::fwrite(daten.data(), 1, daten.size(), datei_) == daten.size()) return true;
  if (fehlernummer_ == 0) fehlernummer_ = errno;
  return false;
}

Schreiber::Schreiber(Senke& senke, char trenner, std::string_view zeilenende)
    : senke_(senke), trenner_(trenner), besonders_(Besondere(trenner)), zeilenende_(zeilenende) {
  puffer_.reserve(kBlock + 256);
}

void Schreiber::Feld(std::string_view feld) {
  if (!ersterImSatz_) puffer_.push_back(trenner_);
  ersterImSatz_ = false;
  bool zitieren = false;
  for (const char c : feld) zitieren |= besonders_[static_cast<unsigned char>(c)];
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

void Schreiber::Roh(std::string_view daten) {
  puffer_.append(daten);
  if (puffer_.size() >= kBlock) Leeren();
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
