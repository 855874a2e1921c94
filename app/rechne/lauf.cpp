#include "app/rechne/lauf.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "app/rechne/kopf.h"
#include "app/rechne/werte.h"
#include "app/rechne/zahlen.h"
#include "engine/anzeige.h"
#include "ui/layout.h"

namespace dunstwerk::rechne {
namespace {

// Fields after the header's count that are looked at (they must be empty).
constexpr std::size_t kUeberzaehligMax = 64;

std::string FelderzahlText(std::size_t hat, std::size_t erwartet) {
  return "Zeile hat " + std::to_string(hat) + (hat == 1 ? " Feld" : " Felder") + ", erwartet " +
         std::to_string(erwartet);
}

// A units row under the header: no digit in the input columns, but words
// or signs of units ("°C", "%", "g/kg"); "---" or "#NV" are faults instead.
bool IstEinheit(std::string_view feld) {
  if (IstLeer(feld) || HatZiffer(feld) || feld.find('#') != std::string_view::npos) return false;
  return std::any_of(feld.begin(), feld.end(), [](char c) {
    const bool buchstabe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return buchstabe || c == '%' || static_cast<unsigned char>(c) >= 0x80;  // "°", "³"
  });
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
  Zeilenrechner(const Optionen& o, const Kopf& k, std::size_t spalten, std::string trenner,
                csv::Schreiber& aus, Bilanz& bilanz, Beobachter* beobachter)
      : o_(o),
        k_(k),
        spalten_(spalten),
        trenner_(std::move(trenner)),
        aus_(aus),
        bilanz_(bilanz),
        beobachter_(beobachter) {}

  void Zeile(std::vector<std::string>& felder, const csv::Satz& satz, bool ersteDaten) {
    const bool zuLang = satz.art == csv::Satzart::ZuLang;
    const std::size_t gespeichert = zuLang ? 0 : std::min(satz.felder, spalten_ + kUeberzaehligMax);
    const bool nurLeer =
        !zuLang && std::all_of(felder.begin(), felder.begin() + static_cast<long>(gespeichert),
                               [](const std::string& f) { return IstLeer(f); });
    const std::size_t felderzahl =
        zuLang ? 0 : Felderzahl({felder.data(), gespeichert}, satz.felder, spalten_);
    const std::size_t da = std::min(felderzahl, spalten_);
    for (std::size_t i = 0; i < spalten_; ++i) {
      if (i < da) {
        csv::NachUtf8(felder[i]);
        aus_.Feld(felder[i]);
      } else {
        aus_.Feld({});
      }
    }
    // Lines of nothing but separators, and a units row under the header,
    // pass through without results and without a code.
    if (nurLeer || (ersteDaten && felderzahl == spalten_ && IstEinheit(felder[k_.temlu]) &&
                    IstEinheit(felder[k_.zweites]))) {
      for (std::size_t i = 0; i < kAnzeigegroessen.size() + 2; ++i) aus_.Feld({});
      aus_.Satzende();
      ++bilanz_.durchgereicht;
      return;
    }
    ++bilanz_.zeilen;
    if (zuLang) return Fehlerzeile(satz, kSatzZuLang, SatzZuLangText(o_.satzMax));
    if (felderzahl != spalten_)
      return Fehlerzeile(satz, kFalscheFelderzahl, FelderzahlText(felderzahl, spalten_));

    const std::string& temlu = felder[k_.temlu];
    const std::string& zweites = felder[k_.zweites];
    if (!temlu.empty() && !zweites.empty()) {
      for (const std::size_t spalte : {k_.temlu, k_.zweites}) {
        const Befund b = PruefeZahl(felder[spalte]).befund;
        if (b == Befund::KeineZahl)
          return Fehlerzeile(satz, kKeineZahl, "Keine Zahl in " + Spaltenname(spalte));
        if (b == Befund::Mehrdeutig)
          return Fehlerzeile(satz, kMehrdeutigeZahl,
                             "Keine eindeutige Zahl in " + Spaltenname(spalte));
      }
    }
    const Ergebnis e = Rechne(k_.vorgabe, temlu, zweites);
    if (const Fehler* f = std::get_if<Fehler>(&e))
      return Fehlerzeile(satz, f->Code(), EinzeiligerFehlertext(*f));
    const auto& zustand = std::get<MoistAirState>(e);
    for (const Anzeigegroesse& g : kAnzeigegroessen) {
      if (o_.voll) {
        Voll(g.wert(zustand), trenner_, text_);
      } else {
        Muster(g.wert(zustand), g.nachkommastellen, trenner_, text_);
      }
      aus_.Feld(text_);
    }
    aus_.Feld("0");
    aus_.Feld({});
    aus_.Satzende();
    ++bilanz_.gerechnet;
    if (beobachter_) beobachter_->Gerechnet(zustand, felder, satz.zeile);
  }

 private:
  std::string Spaltenname(std::size_t spalte) const {
    const std::string_view name = OhneRand(k_.namen[spalte]);
    return name.empty() ? "Spalte " + std::to_string(spalte + 1) : InZeichen(name);
  }

  void Fehlerzeile(const csv::Satz& satz, int code, std::string_view text) {
    for (std::size_t i = 0; i < kAnzeigegroessen.size(); ++i) aus_.Feld({});
    aus_.Feld(std::to_string(code));
    aus_.Feld(text);
    aus_.Satzende();
    ++bilanz_.fehlerhaft;
    if (beobachter_) beobachter_->Fehlerhaft(satz.zeile);
    ++bilanz_.codes[static_cast<std::size_t>(code) % bilanz_.codes.size()];
    if (bilanz_.ersterFehler == 0) bilanz_.ersterFehler = satz.zeile;
  }

  const Optionen& o_;
  const Kopf& k_;
  std::size_t spalten_;
  std::string trenner_;
  csv::Schreiber& aus_;
  Bilanz& bilanz_;
  Beobachter* beobachter_;
  std::string text_;
};

Laufergebnis Abbruch(std::string meldung, const Bilanz& bilanz = {}) {
  return {kAbgebrochen, {}, std::move(meldung), bilanz};
}

}  // namespace

std::string SatzZuLangText(std::size_t satzMax) {
  const std::string groesse = satzMax % (1 << 20) == 0   ? std::to_string(satzMax >> 20) + " MiB"
                              : satzMax % (1 << 10) == 0 ? std::to_string(satzMax >> 10) + " KiB"
                                                         : std::to_string(satzMax) + " Bytes";
  return "Datensatz länger als " + groesse;
}

std::string EinzeiligerFehlertext(const Fehler& fehler) {
  std::string text = Fehlertext(fehler);
  for (std::size_t i = text.find("\r\n"); i != std::string::npos; i = text.find("\r\n", i)) {
    text.replace(i, 2, " ");
  }
  const auto anfang = text.find_first_not_of(' ');
  return anfang == std::string::npos ? std::string() : text.substr(anfang);
}

Laufergebnis Lauf(const Optionen& optionen, csv::Quelle& quelle, csv::Senke& senke,
                  Beobachter* beobachter) {
  csv::Leser ein(quelle, optionen.satzMax);
  if (ein.Art() == csv::Kodierung::Arbeitsmappe)
    return Abbruch("Die Eingabe ist eine Arbeitsmappe, keine CSV-Datei: bitte als CSV speichern.");
  auto gefunden = FindeKopf(ein, optionen);
  if (auto* grund = std::get_if<std::string>(&gefunden)) return Abbruch(*grund);
  const Kopf& kopf = std::get<Kopf>(gefunden);
  if (beobachter) {
    if (auto grund = beobachter->Kopf(kopf.namen)) return Abbruch(*grund);
  }

  std::string trenner = optionen.systemDezimaltrenner;
  if (optionen.dezimaltrenner) {
    trenner = *optionen.dezimaltrenner;
  } else if (kopf.dezimalzeichen) {
    trenner = std::string(1, kopf.dezimalzeichen);
  }
  csv::Schreiber aus(senke, ein.Trenner(), ein.Zeilenende());
  // A spreadsheet shows UTF-8 as such only after a byte order mark; one
  // that saved Windows-1252 or UTF-16 would show the umlauts wrong without.
  if (optionen.bom || ein.Art() != csv::Kodierung::Utf8 || kopf.windows1252)
    aus.Roh("\xEF\xBB\xBF");

  Laufergebnis ergebnis;
  ergebnis.trenner = ein.Trenner();
  Bilanz& bilanz = ergebnis.bilanz;
  bilanz.kopfzeile = kopf.zeile;
  std::optional<Zeilenrechner> rechner;  // once the header is read
  std::size_t spalten = 0;
  std::vector<std::string> felder;
  std::string zeile;
  bool ersteDaten = true;
  for (;;) {
    const std::size_t max = rechner ? spalten + kUeberzaehligMax : kSpaltenMax;
    const csv::Satz satz = ein.Lies(felder, max);
    if (satz.art == csv::Satzart::Ende) break;
    bilanz.zitateAlsZeichen += satz.zitateAlsZeichen;
    if (satz.zitateAlsZeichen > 0 && bilanz.erstesZitat == 0) bilanz.erstesZitat = satz.zeile;
    if (!rechner && satz.zeile < kopf.zeile) {
      // The lines above the header (device, serial number, interval) are
      // copied through as they are.
      ++bilanz.metadaten;
      zeile.assign(ein.Roh());
      csv::NachUtf8(zeile);
      aus.Roh(zeile);
      aus.Roh(ein.Zeilenende());
    } else if (!rechner) {
      spalten = satz.felder;
      felder.resize(spalten);
      for (std::string& feld : felder) csv::NachUtf8(feld);
      SchreibeKopf(aus, felder);
      rechner.emplace(optionen, kopf, satz.felder, trenner, aus, bilanz, beobachter);
    } else if (satz.art == csv::Satzart::Leer) {
      ++bilanz.leer;
    } else {
      rechner->Zeile(felder, satz, ersteDaten);
      ersteDaten = false;
    }
    if (aus.Fehlgeschlagen()) break;
  }
  if (!aus.Leeren()) return Abbruch("Die Ausgabe kann nicht geschrieben werden.", bilanz);
  if (ein.Fehlgeschlagen()) return Abbruch("Die Eingabe ist nicht lesbar.", bilanz);
  if (bilanz.fehlerhaft > 0) ergebnis.status = kZeilenMitFehler;
  return ergebnis;
}

std::string Zusammenfassung(const Bilanz& b) {
  auto zahl = [](long long n, const char* eins, const char* mehr) {
    return std::to_string(n) + " " + (n == 1 ? eins : mehr);
  };
  std::string text = zahl(b.zeilen, "Zeile", "Zeilen") + " gelesen (Kopfzeile in Zeile " +
                     std::to_string(b.kopfzeile) + "): " + std::to_string(b.gerechnet) +
                     " gerechnet, " + std::to_string(b.fehlerhaft) + " mit Fehler";
  if (b.fehlerhaft > 0) {
    text += " (";
    const char* trenner = "";
    for (std::size_t code = 0; code < b.codes.size(); ++code) {
      if (b.codes[code] == 0) continue;
      text += trenner + ("Code " + std::to_string(code)) + ": " + std::to_string(b.codes[code]);
      trenner = ", ";
    }
    text += "; der erste in Zeile " + std::to_string(b.ersterFehler) + ")";
  }
  text += ", " + zahl(b.leer + b.durchgereicht, "Zeile", "Zeilen") + " ohne Werte übergangen.";
  if (b.zitateAlsZeichen > 0) {
    text += " " + zahl(b.zitateAlsZeichen, "Anführungszeichen", "Anführungszeichen") +
            " ohne Gegenstück als Zeichen gelesen (zuerst in Zeile " +
            std::to_string(b.erstesZitat) + ").";
  }
  return text;
}

}  // namespace dunstwerk::rechne
