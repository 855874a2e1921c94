#include "app/rechne/kopf.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "app/rechne/werte.h"

namespace dunstwerk::rechne {
namespace {

// What the search keeps of a record: its first fields (a header further
// right is no header a logger writes).
constexpr std::size_t kVorschauFelder = 4096;
// The lines after a header candidate whose field count must agree with it.
constexpr long long kFolgezeilen = 10;
constexpr std::array<char, 3> kTrenner{';', '\t', ','};

struct Vorschausatz {
  csv::Satzart art;
  long long zeile;
  std::size_t felder;
  std::vector<std::string> feld;  // UTF-8, at most kVorschauFelder

  bool NurLeer() const {
    return art != csv::Satzart::Gut || std::all_of(feld.begin(), feld.end(), IstLeer);
  }
  // A data line of a table whose header has `n` fields: as many, more whose
  // rest is empty (a separator at the end), or nothing but separators.
  bool Passt(std::size_t n) const { return NurLeer() || Felderzahl(feld, felder, n) == n; }
};

struct Vorschau {
  std::vector<Vorschausatz> saetze;
  bool windows1252 = false;
};

std::optional<Vorschau> LiesVorschau(csv::Leser& ein, char trenner, long long bisZeile,
                                     std::size_t satzMax) {
  if (!ein.ZurueckZurMarke()) return std::nullopt;
  ein.SetzeTrenner(trenner);
  Vorschau v;
  std::vector<std::string> felder;
  for (;;) {
    const csv::Satz satz = ein.Lies(felder, kVorschauFelder);
    if (satz.art == csv::Satzart::Ende || satz.zeile > bisZeile) break;
    Vorschausatz s{satz.art, satz.zeile, satz.felder, {}};
    if (satz.art == csv::Satzart::Gut) {
      s.feld.assign(felder.begin(),
                    felder.begin() + static_cast<long>(std::min(satz.felder, kVorschauFelder)));
      for (std::string& f : s.feld) {
        if (!csv::IstUtf8(f)) v.windows1252 = true;
        csv::NachUtf8(f);
      }
    }
    v.saetze.push_back(std::move(s));
    if (ein.BytesSeitMarke() > 2 * satzMax) break;
  }
  return v;
}

// A column as the options or the defaults choose it: a name, or a number
// from 1 when the text is all digits.
struct Wahl {
  std::string text;
  const char* option;
  bool standard;  // a default name, which may be missing
  Vorgabe vorgabe = Vorgabe::Feuchte;

  // Its place, when the text is a number.
  std::optional<std::size_t> Nummer() const {
    const auto n = rechne::Nummer(text);
    if (!n) return std::nullopt;
    return static_cast<std::size_t>(*n - 1);
  }
  std::string Benannt() const { return Nummer() ? "Nummer " + text : InZeichen(text); }
};

std::vector<std::size_t> Treffer(const std::vector<std::string>& kopf, const Wahl& w) {
  if (const auto n = w.Nummer()) {
    if (*n < kopf.size()) return {*n};
    return {};
  }
  std::vector<std::size_t> t;
  const std::string gesucht = Vergleichsform(w.text);
  for (std::size_t i = 0; i < kopf.size(); ++i) {
    if (Vergleichsform(kopf[i]) == gesucht) t.push_back(i);
  }
  return t;
}

std::vector<Wahl> ZweiteWahlen(const Optionen& o) {
  const bool gesetzt = o.rf || o.temkg || o.x;
  std::vector<Wahl> w;
  auto dazu = [&](Vorgabe v, const std::optional<std::string>& name, const char* standard,
                  const char* option) {
    if (name) {
      w.push_back({*name, option, false, v});
    } else if (!gesetzt) {
      w.push_back({standard, option, true, v});
    }
  };
  dazu(Vorgabe::Feuchte, o.rf, "rf", "--rf");
  dazu(Vorgabe::Kuehlgrenze, o.temkg, "temkg", "--temkg");
  dazu(Vorgabe::Dampfgehalt, o.x, "x", "--x");
  return w;
}

bool HaeltSpalten(const std::vector<std::string>& kopf, const Wahl& temlu,
                  const std::vector<Wahl>& zweite) {
  if (Treffer(kopf, temlu).empty()) return false;
  return std::any_of(zweite.begin(), zweite.end(),
                     [&](const Wahl& w) { return !Treffer(kopf, w).empty(); });
}

// Words by which people name the columns, for a suggestion when the default
// name is missing; a column that names another quantity is left out.
struct Stichwoerter {
  std::array<std::string_view, 5> ja;
  std::array<std::string_view, 5> nein;
};
Stichwoerter StichwoerterFuer(std::string_view option) {
  if (option == "--temlu")
    return {{"temp", "°c", "trocken"}, {"tau", "kühl", "feucht", "dew", "wet"}};
  if (option == "--rf") return {{"feucht", "%", "rh", "humid", "rf"}, {"abs", "temp", "°c"}};
  if (option == "--temkg") return {{"kühlgrenz", "feuchtkugel", "wet", "psychro"}, {}};
  return {{"g/kg", "dampfgehalt", "wassergehalt", "mixing"}, {}};
}

std::size_t Abstand(std::string_view a, std::string_view b) {
  std::vector<std::size_t> zeile(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) zeile[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = zeile[0];
    zeile[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t oben = zeile[j];
      zeile[j] = std::min({zeile[j] + 1, zeile[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = oben;
    }
  }
  return zeile[b.size()];
}

// The column the user most likely meant, if any looks like it.
std::optional<std::size_t> Vorschlag(const std::vector<std::string>& kopf, const Wahl& w) {
  if (w.Nummer()) return std::nullopt;
  const std::string gesucht = Vergleichsform(w.text);
  std::optional<std::size_t> bester;
  std::size_t besterAbstand = std::max<std::size_t>(2, gesucht.size() / 3) + 1;
  for (std::size_t i = 0; i < kopf.size() && i < 256; ++i) {
    const std::string name = Vergleichsform(kopf[i]).substr(0, 64);
    if (name.empty()) continue;
    // A default name is short: only words count for it, not spellings.
    std::size_t abstand = w.standard ? besterAbstand : Abstand(gesucht.substr(0, 64), name);
    if (!w.standard &&
        (name.find(gesucht) != std::string::npos || gesucht.find(name) != std::string::npos))
      abstand = 1;
    if (w.standard) {
      const Stichwoerter s = StichwoerterFuer(w.option);
      auto enthaelt = [&](std::string_view wort) {
        return !wort.empty() && name.find(wort) != std::string::npos;
      };
      if (std::any_of(s.ja.begin(), s.ja.end(), enthaelt) &&
          std::none_of(s.nein.begin(), s.nein.end(), enthaelt))
        abstand = 1;
    }
    if (abstand < besterAbstand) {
      besterAbstand = abstand;
      bester = i;
    }
  }
  return bester;
}

std::string Spaltenliste(const std::vector<std::string>& kopf) {
  std::string liste;
  for (std::size_t i = 0; i < kopf.size() && i < 40; ++i) {
    if (i > 0) liste += ", ";
    liste += std::to_string(i + 1) + " " + InZeichen(OhneRand(kopf[i]));
  }
  if (kopf.size() > 40) liste += ", … (" + std::to_string(kopf.size()) + " Spalten)";
  return liste;
}

// " --temlu 2" for the column that looks meant, or nothing.
std::string VorschlagText(const std::vector<std::string>& kopf, const Wahl& w) {
  const auto i = Vorschlag(kopf, w);
  if (!i) return {};
  return std::string(" ") + w.option + " " + std::to_string(*i + 1);
}

// The input columns of a header, or why it has none. The reason names the
// line (and, with `suche`, how it was found), lists the columns and
// suggests the options.
std::variant<Kopf, std::string> SpaltenWaehlen(const std::vector<std::string>& kopf,
                                               long long zeile, const Optionen& o,
                                               std::string_view suche = {}) {
  const Wahl temlu{o.temlu, "--temlu", o.temlu == "temlu"};
  const std::vector<Wahl> zweite = ZweiteWahlen(o);
  std::string grund, vorschlag;

  // Exactly one column, or the reason there is none; a default name may be
  // missing without a reason.
  auto eine = [&](const Wahl& w, bool fehlenDarf) -> std::optional<std::size_t> {
    const std::vector<std::size_t> t = Treffer(kopf, w);
    if (t.size() == 1) return t[0];
    if (t.empty() && fehlenDarf) return std::nullopt;
    if (t.empty()) {
      grund = w.Nummer() ? "Die Kopfzeile hat keine Spalte " + w.text + "."
                         : "Die Spalte " + InZeichen(w.text) + " fehlt in der Kopfzeile.";
      vorschlag += VorschlagText(kopf, w);
    } else {
      grund = "Die Spalte " + InZeichen(w.text) + " steht mehrmals in der Kopfzeile (Spalten " +
              std::to_string(t[0] + 1) + " und " + std::to_string(t[1] + 1) + ").";
      vorschlag = std::string(" ") + w.option + " " + std::to_string(t[0] + 1) + " (oder " +
                  w.option + " " + std::to_string(t[1] + 1) + ")";
    }
    return std::nullopt;
  };

  Kopf k;
  k.zeile = zeile;
  k.namen = kopf;
  const std::optional<std::size_t> t = eine(temlu, false);
  std::vector<std::pair<const Wahl*, std::size_t>> gefunden;
  if (t) k.temlu = *t;
  if (grund.empty() || zweite.size() == 3) {
    const std::string vorher = grund;
    for (const Wahl& w : zweite) {
      if (const auto i = eine(w, w.standard)) gefunden.emplace_back(&w, *i);
      if (grund != vorher) break;
    }
    if (!vorher.empty()) grund = vorher;
  }
  if (grund.empty() && gefunden.empty()) {
    grund =
        "Keine Spalte für die zweite Eingabe: die Kopfzeile braucht rf, temkg oder x "
        "(oder eine Spalte, die --rf, --temkg oder --x nennt).";
  } else if (grund.empty() && gefunden.size() > 1) {
    grund = "Mehr als eine Spalte für die zweite Eingabe: " + gefunden[0].first->Benannt() +
            " und " + gefunden[1].first->Benannt() +
            ". Eine davon mit --rf, --temkg oder --x wählen.";
  } else if (grund.empty() && gefunden[0].second == k.temlu) {
    grund = "Die Spalte " + gefunden[0].first->Benannt() + " ist schon die Lufttemperatur.";
  }
  if (grund.empty()) {
    k.zweites = gefunden[0].second;
    k.vorgabe = gefunden[0].first->vorgabe;
    return k;
  }
  // With the default names, every mode's column is suggested where one
  // looks meant, beside the air temperature's.
  if (gefunden.empty() && zweite.size() == 3) {
    for (const Wahl& w : zweite) {
      if (const std::string v = VorschlagText(kopf, w); !v.empty()) {
        vorschlag += v;
        break;
      }
    }
  }
  std::string text = grund + "\nKopfzeile: Zeile " + std::to_string(zeile) + std::string(suche) +
                     ", mit den Spalten " + Spaltenliste(kopf) + ".";
  text += "\nSpalten mit Namen oder Nummer wählen";
  text += vorschlag.empty() ? ": --temlu, --rf, --temkg, --x." : ", etwa:" + vorschlag + ".";
  return text;
}

// How well the lines after record `i` fit a header of its field count.
bool FolgezeilenPassen(const Vorschau& v, std::size_t i) {
  long long geprueft = 0;
  for (std::size_t j = i + 1; j < v.saetze.size() && geprueft < kFolgezeilen; ++j) {
    const Vorschausatz& s = v.saetze[j];
    if (s.art == csv::Satzart::Leer) continue;
    if (!s.Passt(v.saetze[i].felder)) return false;
    ++geprueft;
  }
  return true;
}

struct Kandidat {
  char trenner;
  Vorschau vorschau;
  std::optional<std::size_t> kopf;  // the header's record in the preview
  bool passt = false;
};

}  // namespace

std::string InZeichen(std::string_view name) { return "»" + std::string(name) + "«"; }

std::string Vergleichsform(std::string_view name) {
  std::string form(OhneRand(name));
  for (std::size_t i = 0; i < form.size(); ++i) {
    char& c = form[i];
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    } else if (c == '\xC3' && i + 1 < form.size()) {
      // Latin-1's capitals À to Þ (but ×) in UTF-8: Ä, Ö, Ü above all.
      const auto b = static_cast<unsigned char>(form[i + 1]);
      if (b >= 0x80 && b <= 0x9E && b != 0x97) form[i + 1] = static_cast<char>(b + 0x20);
      ++i;
    }
  }
  return form;
}

std::optional<std::size_t> Spalte(const std::vector<std::string>& kopf, std::string_view wahl) {
  const std::vector<std::size_t> t = Treffer(kopf, Wahl{std::string(wahl), "", false});
  if (t.size() != 1) return std::nullopt;
  return t[0];
}

std::variant<Kopf, std::string> FindeKopf(csv::Leser& ein, const Optionen& o) {
  const Wahl temlu{o.temlu, "--temlu", o.temlu == "temlu"};
  const std::vector<Wahl> zweite = ZweiteWahlen(o);
  const long long bis = (o.kopfzeile ? *o.kopfzeile : kKopfSucheZeilen) + kFolgezeilen;

  ein.SetzeMarke();
  std::vector<Kandidat> kandidaten;
  std::vector<char> trenner(kTrenner.begin(), kTrenner.end());
  if (o.trenner) trenner = {*o.trenner};
  for (const char t : trenner) {
    auto v = LiesVorschau(ein, t, bis, o.satzMax);
    if (!v) {
      return std::string("Die ersten Zeilen sind zu lang, um die Kopfzeile zu finden: ") +
             "--kopfzeile und --trenner nennen sie.";
    }
    Kandidat k{t, std::move(*v), std::nullopt};
    const auto& saetze = k.vorschau.saetze;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
      const Vorschausatz& s = saetze[i];
      if (o.kopfzeile) {
        if (s.zeile != *o.kopfzeile) continue;
      } else if (s.zeile > kKopfSucheZeilen || s.art != csv::Satzart::Gut ||
                 !HaeltSpalten(s.feld, temlu, zweite)) {
        continue;
      }
      const bool passt = FolgezeilenPassen(k.vorschau, i);
      if (!k.kopf || (passt && !k.passt)) {
        k.kopf = i;
        k.passt = passt;
      }
      if (passt || o.kopfzeile) break;
    }
    kandidaten.push_back(std::move(k));
  }
  if (ein.Fehlgeschlagen()) return std::string("Die Eingabe ist nicht lesbar.");

  // The separator whose header fits its lines, the earliest, the widest.
  auto besser = [](const Kandidat& a, const Kandidat& b) {
    if (a.kopf.has_value() != b.kopf.has_value()) return a.kopf.has_value();
    if (!a.kopf) return false;
    if (a.passt != b.passt) return a.passt;
    const auto& sa = a.vorschau.saetze[*a.kopf];
    const auto& sb = b.vorschau.saetze[*b.kopf];
    if (sa.zeile != sb.zeile) return sa.zeile < sb.zeile;
    return sa.felder > sb.felder;
  };
  const Kandidat* wahl =
      &*std::min_element(kandidaten.begin(), kandidaten.end(),
                         [&](const Kandidat& a, const Kandidat& b) { return besser(a, b); });

  const auto& erste = wahl->vorschau.saetze;
  const auto ersterSatz = std::find_if(
      erste.begin(), erste.end(), [](const Vorschausatz& s) { return s.art == csv::Satzart::Gut; });
  if (ersterSatz == erste.end()) {
    return std::string("Die Eingabe ist leer: die Kopfzeile fehlt.");
  }
  if (std::any_of(ersterSatz->feld.begin(), ersterSatz->feld.end(),
                  [](const std::string& f) { return f.find('\0') != std::string::npos; }))
    return std::string("Die Eingabe ist keine Textdatei (Nullbytes in der ersten Zeile).");

  if (!wahl->kopf) {
    if (o.kopfzeile && erste.back().zeile < *o.kopfzeile)
      return "Die Eingabe hat keine Zeile " + std::to_string(*o.kopfzeile) + ".";
    if (o.kopfzeile) {
      return "Die Zeile " + std::to_string(*o.kopfzeile) +
             " ist leer, zu lang oder nicht der Anfang eines Datensatzes.";
    }
    // No line holds the columns: the reason is told for the line where the
    // table seems to start, the first whose next lines have as many fields,
    // with the separator that gives it the most.
    const Kandidat* tabelle = nullptr;
    std::size_t tabellenkopf = 0;
    for (const Kandidat& k : kandidaten) {
      const auto& saetze = k.vorschau.saetze;
      for (std::size_t i = 0; i < saetze.size(); ++i) {
        if (saetze[i].art != csv::Satzart::Gut || saetze[i].NurLeer()) continue;
        if (saetze[i].felder < 2 || !FolgezeilenPassen(k.vorschau, i)) continue;
        if (!tabelle || saetze[i].felder > tabelle->vorschau.saetze[tabellenkopf].felder) {
          tabelle = &k;
          tabellenkopf = i;
        }
        break;
      }
    }
    const Vorschausatz& s = tabelle ? tabelle->vorschau.saetze[tabellenkopf] : *ersterSatz;
    const std::string suche = " (keine der ersten " + std::to_string(kKopfSucheZeilen) +
                              " Zeilen hat die Spalten; --kopfzeile N nennt die Kopfzeile)";
    auto grund = SpaltenWaehlen(s.feld, s.zeile, o, suche);
    if (auto* text = std::get_if<std::string>(&grund)) return *text;
    return "Keine Zeile hat die Spalten der Eingaben" + suche + ".";
  }

  const Vorschausatz& kopfsatz = wahl->vorschau.saetze[*wahl->kopf];
  if (kopfsatz.felder > kSpaltenMax)
    return "Die Kopfzeile hat mehr als " + std::to_string(kSpaltenMax) + " Spalten.";
  auto gewaehlt = SpaltenWaehlen(kopfsatz.feld, kopfsatz.zeile, o);
  if (auto* grund = std::get_if<std::string>(&gewaehlt)) return *grund;
  Kopf k = std::get<Kopf>(std::move(gewaehlt));
  k.trenner = wahl->trenner;
  k.windows1252 = wahl->vorschau.windows1252;
  // The decimal separator most of the first rows' numbers use.
  long long komma = 0, punkt = 0;
  for (std::size_t i = *wahl->kopf + 1; i < wahl->vorschau.saetze.size(); ++i) {
    const auto& feld = wahl->vorschau.saetze[i].feld;
    for (const std::size_t spalte : {k.temlu, k.zweites}) {
      if (spalte >= feld.size()) continue;
      const Zahlbefund b = PruefeZahl(feld[spalte]);
      if (b.befund != Befund::Zahl) continue;
      komma += b.dezimalzeichen == ',';
      punkt += b.dezimalzeichen == '.';
    }
  }
  if (komma + punkt > 0) k.dezimalzeichen = komma >= punkt ? ',' : '.';

  ein.ZurueckZurMarke();
  ein.SetzeTrenner(k.trenner);
  ein.LoescheMarke();
  return k;
}

}  // namespace dunstwerk::rechne
