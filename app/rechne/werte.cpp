#include "app/rechne/werte.h"

#include <algorithm>
#include <cstddef>

namespace dunstwerk::rechne {
namespace {

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }
bool IstLeerzeichen(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool HatZiffer(std::string_view text) { return std::any_of(text.begin(), text.end(), IstZiffer); }

bool IstLeer(std::string_view text) { return OhneRand(text).empty(); }

std::size_t Felderzahl(std::span<const std::string> felder, std::size_t gezaehlt, std::size_t n) {
  while (gezaehlt > n && gezaehlt <= felder.size() && IstLeer(felder[gezaehlt - 1])) --gezaehlt;
  return gezaehlt;
}

std::string_view OhneRand(std::string_view text) {
  const auto anfang = text.find_first_not_of(" \t");
  if (anfang == std::string_view::npos) return {};
  return text.substr(anfang, text.find_last_not_of(" \t") - anfang + 1);
}

std::optional<long long> Nummer(std::string_view text) {
  if (text.empty() || text.size() > 12 || !std::all_of(text.begin(), text.end(), IstZiffer))
    return std::nullopt;
  long long n = 0;
  for (const char c : text) n = n * 10 + (c - '0');
  if (n == 0) return std::nullopt;
  return n;
}

Zahlbefund PruefeZahl(std::string_view feld) {
  if (feld.empty()) return {Befund::Leer};
  std::size_t i = 0;
  auto ueberspringeLeerzeichen = [&] {
    while (i < feld.size() && IstLeerzeichen(feld[i])) ++i;
  };
  ueberspringeLeerzeichen();
  if (i < feld.size() && (feld[i] == '+' || feld[i] == '-')) {
    ++i;
    ueberspringeLeerzeichen();
  }
  std::size_t ziffern = 0;
  char dezimalzeichen = 0;
  for (; i < feld.size(); ++i) {
    if (IstZiffer(feld[i])) {
      ++ziffern;
    } else if ((feld[i] == ',' || feld[i] == '.') && !dezimalzeichen) {
      dezimalzeichen = feld[i];
    } else {
      break;
    }
  }
  if (ziffern == 0) return {Befund::KeineZahl};
  // An exponent counts only with its digits; "20 e" is 20 and a unit.
  if (i < feld.size() && (feld[i] == 'e' || feld[i] == 'E' || feld[i] == 'd' || feld[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < feld.size() && (feld[j] == '+' || feld[j] == '-')) ++j;
    if (j < feld.size() && IstZiffer(feld[j])) {
      i = j;
      while (i < feld.size() && IstZiffer(feld[i])) ++i;
    }
  }
  if (HatZiffer(feld.substr(i))) return {Befund::Mehrdeutig};
  return {Befund::Zahl, dezimalzeichen};
}

}  // namespace dunstwerk::rechne
