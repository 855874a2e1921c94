#include "app/rechne/lauf.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <variant>
#include <vector>

#include "app/rechne/zahlen.h"
#include "engine/anzeige.h"
#include "ui/layout.h"

namespace dunstwerk::rechne {
namespace {

// A header with more columns is taken for a file that is no table.
constexpr std::size_t kSpaltenMax = 1 << 16;

std::string_view OhneRand(std::string_view s) {
  const auto anfang = s.find_first_not_of(" \t");
  if (anfang == std::string_view::npos) return {};
  return s.substr(anfang, s.find_last_not_of(" \t") - anfang + 1);
}

std::string InZeichen(std::string_view name) { return "»" + std::string(name) + "«"; }

struct Spalten {
  std::size_t temlu = 0;
  std::size_t zweites = 0;
  Vorgabe vorgabe = Vorgabe::Feuchte;
};

struct Kandidat {
  Vorgabe vorgabe;
  std::string name;
  const char* option;  // empty when the name is the default
};

// Where a column stands, or why it cannot be used: missing or twice there.
std::variant<std::size_t, std::string> Stelle(const std::vector<std::string>& kopf,
                                              std::string_view name) {
  std::vector<std::size_t> treffer;
  for (std::size_t i = 0; i < kopf.size(); ++i) {
    if (OhneRand(kopf[i]) == name) treffer.push_back(i);
  }
  if (treffer.size() == 1) return treffer[0];
  return "Die Spalte " + InZeichen(name) +
         (treffer.empty() ? " fehlt in der Kopfzeile." : " steht mehrmals in der Kopfzeile.");
}

std::vector<Kandidat> Kandidaten(const Optionen& o) {
  const bool gesetzt = o.rf || o.temkg || o.x;
  std::vector<Kandidat> k;
  auto dazu = [&](Vorgabe v, const std::optional<std::string>& name, const char* standard,
                  const char* option) {
    if (name) {
      k.push_back({v, *name, option});
    } else if (!gesetzt) {
      k.push_back({v, standard, ""});
    }
  };
  dazu(Vorgabe::Feuchte, o.rf, "rf", "--rf");
  dazu(Vorgabe::Kuehlgrenze, o.temkg, "temkg", "--temkg");
  dazu(Vorgabe::Dampfgehalt, o.x, "x", "--x");
  return k;
}

// The columns of both inputs, or the reason (German) why the header has none.
std::variant<Spalten, std::string> SpaltenWaehlen(const std::vector<std::string>& kopf,
                                                  const Optionen& o) {
  Spalten s;
  auto temlu = Stelle(kopf, o.temlu);
  if (auto* grund = std::get_if<std::string>(&temlu)) return *grund;
  s.temlu = std::get<std::size_t>(temlu);

  std::vector<std::string> gefunden;
  for (const Kandidat& k : Kandidaten(o)) {
    auto stelle = Stelle(kopf, k.name);
    if (auto* grund = std::get_if<std::string>(&stelle)) {
      // A column named by an option must be there; a default name may be missing.
      if (*k.option || grund->ends_with("mehrmals in der Kopfzeile.")) return *grund;
      continue;
    }
    s.zweites = std::get<std::size_t>(stelle);
    s.vorgabe = k.vorgabe;
    gefunden.push_back(InZeichen(k.name));
  }
  if (gefunden.empty()) {
    return std::string(
        "Keine Spalte für die zweite Eingabe: die Kopfzeile braucht rf, temkg oder x "
        "(oder eine Spalte, die --rf, --temkg oder --x nennt).");
  }
  if (gefunden.size() > 1) {
    return "Mehr als eine Spalte für die zweite Eingabe: " + gefunden[0] + " und " + gefunden[1] +
           ". Eine davon mit --rf, --temkg oder --x wählen.";
  }
  if (s.zweites == s.temlu) return "Die Spalte " + gefunden[0] + " ist schon die Lufttemperatur.";
  return s;
}

std::string FelderzahlText(std::size_t hat, std::size_t erwartet) {
  return "Zeile hat " + std::to_string(hat) + (hat == 1 ? " Feld" : " Felder") + ", erwartet " +
         std::to_string(erwartet);
}

// The column headings after the input's: each value's row label in the
// window, then code and text.
void SchreibeKopf(csv::Schreiber& aus, const std::vector<std::string>& kopf) {
  for (const std::string& feld : kopf) aus.Feld(feld);
  for (const Element feld : kErgebnisfelder) aus.Feld(ZeileVon(feld).text);
  aus.Feld("Fehlercode");
  aus.Feld("Fehlertext");
  aus.Satzende();
}

class Zeilenrechner {
 public:
  Zeilenrechner(const Optionen& o, const Spalten& s, std::size_t spalten, csv::Schreiber& aus)
      : o_(o), s_(s), spalten_(spalten), aus_(aus) {}

  // Writes one record with its results; false when it has an error.
  bool Zeile(std::vector<std::string>& felder, const csv::Satz& satz) {
    const std::size_t da = satz.art == csv::Satzart::ZuLang ? 0 : std::min(satz.felder, spalten_);
    for (std::size_t i = 0; i < spalten_; ++i) {
      if (i < da) {
        csv::NachUtf8(felder[i]);
        aus_.Feld(felder[i]);
      } else {
        aus_.Feld({});
      }
    }
    if (satz.art == csv::Satzart::ZuLang)
      return Fehlerzeile(kSatzZuLang, "Datensatz länger als 1 MiB");
    if (satz.art == csv::Satzart::OffenesZitat)
      return Fehlerzeile(kZitatOffen, "Anführungszeichen nicht geschlossen");
    if (satz.felder != spalten_)
      return Fehlerzeile(kFalscheFelderzahl, FelderzahlText(satz.felder, spalten_));

    const Ergebnis e = Rechne(s_.vorgabe, felder[s_.temlu], felder[s_.zweites]);
    if (const Fehler* f = std::get_if<Fehler>(&e))
      return Fehlerzeile(f->Code(), EinzeiligerFehlertext(*f));
    const auto& zustand = std::get<MoistAirState>(e);
    for (const Anzeigegroesse& g : kAnzeigegroessen) {
      if (o_.voll) {
        Voll(g.wert(zustand), o_.dezimaltrenner, text_);
      } else {
        Muster(g.wert(zustand), g.nachkommastellen, o_.dezimaltrenner, text_);
      }
      aus_.Feld(text_);
    }
    aus_.Feld("0");
    aus_.Feld({});
    aus_.Satzende();
    return true;
  }

 private:
  bool Fehlerzeile(int code, std::string_view text) {
    for (std::size_t i = 0; i < kAnzeigegroessen.size(); ++i) aus_.Feld({});
    aus_.Feld(std::to_string(code));
    aus_.Feld(text);
    aus_.Satzende();
    return false;
  }

  const Optionen& o_;
  const Spalten& s_;
  std::size_t spalten_;
  csv::Schreiber& aus_;
  std::string text_;
};

Laufergebnis Abbruch(std::string meldung) { return {kAbgebrochen, std::move(meldung), 0, 0}; }

// Reads the header, or says why there is none to use.
std::variant<std::vector<std::string>, std::string> LiesKopf(csv::Leser& ein) {
  std::vector<std::string> kopf;
  const csv::Satz satz = ein.Lies(kopf, kSpaltenMax + 1);
  if (ein.Fehlgeschlagen()) return std::string("Die Eingabe ist nicht lesbar.");
  switch (satz.art) {
    case csv::Satzart::Ende:
      return std::string("Die Eingabe ist leer: die Kopfzeile fehlt.");
    case csv::Satzart::Leer:
      return std::string("Die erste Zeile ist leer: sie muss die Kopfzeile sein.");
    case csv::Satzart::ZuLang:
      return std::string("Die Kopfzeile ist länger als 1 MiB.");
    case csv::Satzart::OffenesZitat:
      return std::string("In der Kopfzeile ist ein Anführungszeichen nicht geschlossen.");
    case csv::Satzart::Gut:
      break;
  }
  if (satz.felder > kSpaltenMax) return std::string("Die Kopfzeile hat mehr als 65536 Spalten.");
  kopf.resize(satz.felder);
  for (std::string& feld : kopf) csv::NachUtf8(feld);
  return kopf;
}

}  // namespace

std::string EinzeiligerFehlertext(const Fehler& fehler) {
  std::string text = Fehlertext(fehler);
  for (std::size_t i = text.find("\r\n"); i != std::string::npos; i = text.find("\r\n", i)) {
    text.replace(i, 2, " ");
  }
  return std::string(OhneRand(text));
}

Laufergebnis Lauf(const Optionen& optionen, csv::Quelle& quelle, csv::Senke& senke) {
  csv::Leser ein(quelle);
  auto kopf = LiesKopf(ein);
  if (auto* grund = std::get_if<std::string>(&kopf)) return Abbruch(*grund);
  const auto& namen = std::get<std::vector<std::string>>(kopf);
  auto spalten = SpaltenWaehlen(namen, optionen);
  if (auto* grund = std::get_if<std::string>(&spalten)) return Abbruch(*grund);

  csv::Schreiber aus(senke, ein.Trenner(), ein.Zeilenende());
  if (optionen.bom || ein.HatteBom()) aus.Roh("\xEF\xBB\xBF");
  SchreibeKopf(aus, namen);
  Zeilenrechner rechner(optionen, std::get<Spalten>(spalten), namen.size(), aus);

  Laufergebnis ergebnis;
  std::vector<std::string> felder;
  for (;;) {
    const csv::Satz satz = ein.Lies(felder, namen.size());
    if (satz.art == csv::Satzart::Ende) break;
    if (satz.art == csv::Satzart::Leer) continue;
    ++ergebnis.zeilen;
    if (!rechner.Zeile(felder, satz)) ++ergebnis.fehlerhaft;
    if (aus.Fehlgeschlagen()) break;
  }
  if (!aus.Leeren()) return Abbruch("Die Ausgabe kann nicht geschrieben werden.");
  if (ein.Fehlgeschlagen()) return Abbruch("Die Eingabe ist nicht lesbar.");
  if (ergebnis.fehlerhaft > 0) ergebnis.status = kZeilenMitFehler;
  return ergebnis;
}

}  // namespace dunstwerk::rechne
