// dunstwerk-rechne: computes every row of a CSV file with the window's
// engine and digits. Exit status 0: every row complete; 1: some rows have an
// error, all were written; 2: the run could not do its job.
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/diagramm/reihe.h"
#include "app/diagramm/svg.h"
#include "app/rechne/ausgabe.h"
#include "app/rechne/csv.h"
#include "app/rechne/kopf.h"
#include "app/rechne/lauf.h"
#include "app/rechne/optionen.h"
#include "app/rechne/system.h"

namespace dunstwerk::rechne {
namespace {

int Abbrechen(const std::string& text) {
  Melde("dunstwerk-rechne: " + text + "\n");
  return kAbgebrochen;
}

std::string MitGrund(std::string text, int fehlernummer) {
  if (fehlernummer != 0) text += " (" + std::string(std::strerror(fehlernummer)) + ")";
  return text;
}

// The chart of the run: every data record into the series, labelled from
// the column the options name.
class Kartenzeichner : public Beobachter {
 public:
  explicit Kartenzeichner(const Aufruf& a) : a_(a), reihe_(a.kuehlgrenzlinie) {}

  std::optional<std::string> Kopf(const std::vector<std::string>& namen) override {
    if (!a_.beschriftung) return std::nullopt;
    spalte_ = Spalte(namen, *a_.beschriftung);
    if (!spalte_) {
      return "Die Spalte »" + *a_.beschriftung +
             "« für --beschriftung fehlt in der Kopfzeile oder steht dort mehrmals.";
    }
    return std::nullopt;
  }
  void Gerechnet(const MoistAirState& zustand, const std::vector<std::string>& felder,
                 long long zeile) override {
    reihe_.Punkt(zustand, spalte_ && *spalte_ < felder.size() ? felder[*spalte_] : "", zeile);
  }
  void Fehlerhaft(long long) override { reihe_.Fehlerzeile(); }

  // Into the file's place beside its target; false when it cannot be written.
  bool Schreibe(Ausgabe& aus) const {
    diagramm::DiagrammOptionen o;
    o.verbinden = a_.verbinden;
    o.bereich = a_.bereich == "klima"       ? diagramm::BereichWahl::Klima
                : a_.bereich == "trocknung" ? diagramm::BereichWahl::Trocknung
                                            : diagramm::BereichWahl::Automatisch;
    return diagramm::SchreibeSvg(reihe_, o, aus);
  }

 private:
  const Aufruf& a_;
  diagramm::Reihe reihe_;
  std::optional<std::size_t> spalte_;
};

int Ausfuehren(const Aufruf& a) {
  const bool standardEin = a.eingabe == "-";
  const bool standardAus = a.ausgabe == "-";
  std::error_code egal;
  auto dieselbe = [&](const std::string& eins, const std::string& zwei) {
    return eins != "-" && zwei != "-" && std::filesystem::equivalent(Pfad(eins), Pfad(zwei), egal);
  };
  if (dieselbe(a.eingabe, a.ausgabe))
    return Abbrechen("Ausgabe und Eingabe sind dieselbe Datei: " + a.eingabe + ".");
  if (a.diagramm && (dieselbe(a.eingabe, *a.diagramm) || dieselbe(a.ausgabe, *a.diagramm) ||
                     *a.diagramm == a.ausgabe || *a.diagramm == "-"))
    return Abbrechen("Das Diagramm braucht eine Datei für sich: " + *a.diagramm + ".");
  std::optional<Kartenzeichner> karte;
  if (a.diagramm) karte.emplace(a);
  std::optional<Ausgabe> svg;
  if (a.diagramm) svg.emplace(*a.diagramm);
  if (a.leer) {
    if (karte->Schreibe(*svg) && svg->Fertig()) return 0;
    svg->Verwerfen();
    return Abbrechen(MitGrund("Das Diagramm " + *a.diagramm + " kann nicht geschrieben werden.",
                              svg->Fehlernummer()));
  }
  std::FILE* ein = standardEin ? stdin : Oeffne(a.eingabe);
  if (!ein) return Abbrechen(MitGrund("Die Eingabe " + a.eingabe + " ist nicht lesbar.", errno));
  if (standardEin && IstTerminal(stdin) && !a.still) {
    Melde("dunstwerk-rechne: liest die CSV-Zeilen von der Tastatur, bis " +
          std::string(kEndeTaste) + " sie beendet (Hilfe: dunstwerk-rechne --hilfe).\n");
  }

  // Nothing is written before the header has passed; a file is written
  // beside its target and takes its place only once the run is done.
  Ausgabe aus(standardAus ? std::string() : a.ausgabe);
  csv::DateiQuelle quelle(ein);
  Laufergebnis e = Lauf(a.optionen, quelle, aus, karte ? &*karte : nullptr);
  if (!standardEin) std::fclose(ein);
  // The chart first: a run whose chart cannot be written replaces nothing.
  if (e.status != kAbgebrochen && karte && !(karte->Schreibe(*svg) && svg->Fertig())) {
    e.status = kAbgebrochen;
    e.meldung = "Das Diagramm " + *a.diagramm + " kann nicht geschrieben werden.";
    aus.Verwerfen();
    return Abbrechen(MitGrund(e.meldung, svg->Fehlernummer()));
  }
  if (e.status != kAbgebrochen && !aus.Fertig()) {
    e.status = kAbgebrochen;
    e.meldung = "Die Ausgabe " + (standardAus ? std::string() : a.ausgabe + " ") +
                "kann nicht geschrieben werden.";
  }
  if (e.status == kAbgebrochen) {
    aus.Verwerfen();
    const int grund = aus.Fehlernummer() != 0 ? aus.Fehlernummer() : quelle.Fehlernummer();
    return Abbrechen(MitGrund(e.meldung, grund));
  }
  if (!a.still) Melde("dunstwerk-rechne: " + Zusammenfassung(e.bilanz) + "\n");
  return e.status;
}

int Hauptprogramm(const std::vector<std::string>& args) {
  Binaer();
  Aufruf a;
  a.optionen.systemDezimaltrenner = SystemDezimaltrenner();
  if (auto falsch = LiesArgumente(args, a)) return Abbrechen(*falsch + " Mehr mit --hilfe.");
  if (a.manseite) return SchreibeAus(Manseite(*a.manseite)) ? 0 : kAbgebrochen;
  if (a.hilfe || a.version) {
    const std::string text =
        a.hilfe ? Hilfetext() : "dunstwerk-rechne (Dunstwerk) " DUNSTWERK_VERSION "\n";
    return SchreibeAus(text) ? 0 : Abbrechen("Die Ausgabe kann nicht geschrieben werden.");
  }
  if (AlleinImFenster()) return ExplorerStart(a, Ausfuehren);
  return Ausfuehren(a);
}

}  // namespace
}  // namespace dunstwerk::rechne

#ifdef _WIN32
int wmain(int argc, wchar_t* argv[]) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(dunstwerk::win32::Schmal(argv[i]));
  return dunstwerk::rechne::Hauptprogramm(args);
}
#else
int main(int argc, char* argv[]) {
  return dunstwerk::rechne::Hauptprogramm(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
