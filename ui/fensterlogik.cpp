#include "ui/fensterlogik.h"

#include <utility>

#include "engine/anzeige.h"
#include "engine/rechenkern.h"
#include "engine/zahlmuster.h"

namespace dunstwerk {
namespace {

constexpr Element kLuftfeld = kErgebnisfelder[kLufttemperatur];
constexpr Element kFehlermeldung = ElementNamens("lbl_Fehlermeldung");
constexpr Element kRechne = ElementNamens("cmd_rechne");
constexpr Element kNeustart = ElementNamens("cmd_neustart");
constexpr Element kBeenden = ElementNamens("cmd_beenden");
constexpr Element kAufforderungen[] = {
    ElementNamens("lbl_Aufford_Z1"), ElementNamens("lbl_Aufford_Z2a"),
    ElementNamens("lbl_Aufford_Z3a"), ElementNamens("lbl_Aufford_Z5")};

Element Zweitfeld(Vorgabe vorgabe) { return kErgebnisfelder[ZweiteEingabe(vorgabe)]; }

}  // namespace

Fensterlogik::Fensterlogik(Oberflaeche& oberflaeche, std::string dezimaltrenner)
    : o_(oberflaeche), dezimaltrenner_(std::move(dezimaltrenner)) {}

void Fensterlogik::Klick(Element e) {
  for (std::size_t i = 0; i < kModusknoepfe.size(); ++i) {
    if (e == kModusknoepfe[i]) return ModusWaehlen(kVorgaben[i]);
  }
  if (e == kRechne) return cmd_rechne_Click();
  if (e == kNeustart) return cmd_neustart_Click();
  if (e == kBeenden) return cmd_beenden_Click();
}

void Fensterlogik::cmd_Rechn_1_Click() { ModusWaehlen(Vorgabe::Feuchte); }
void Fensterlogik::cmd_Rechn_2_Click() { ModusWaehlen(Vorgabe::Kuehlgrenze); }
void Fensterlogik::cmd_Rechn_3_Click() { ModusWaehlen(Vorgabe::Dampfgehalt); }

void Fensterlogik::AnsichtZuruecksetzen() {
  for (Element e : kAufforderungen) o_.Zeigen(e, false);
  for (Element e : kModusknoepfe) o_.Zeigen(e, false);
  o_.Zeigen(kLuftfeld, true);
  o_.Fokus(kLuftfeld);
  for (Element e : kErgebnisfelder) {
    if (e != kLuftfeld) o_.Zeigen(e, false);
  }
}

void Fensterlogik::ModusWaehlen(Vorgabe vorgabe) {
  if (pausiert_) return;
  vorgabe_ = vorgabe;
  AnsichtZuruecksetzen();
  o_.Zeigen(Zweitfeld(vorgabe), true);
  o_.Zeigen(kRechne, true);
  o_.SetzeFensterhoehe(kHoeheNachWahlTwips);
}

void Fensterlogik::cmd_rechne_Click() {
  if (pausiert_ || !vorgabe_) return;
  o_.Zeigen(kRechne, false);
  const Ergebnis ergebnis = Rechne(*vorgabe_, o_.Text(kLuftfeld), o_.Text(Zweitfeld(*vorgabe_)));
  if (ergebnis.zustand) {
    ZeigeErgebnisse(*ergebnis.zustand);
    o_.Zeigen(kNeustart, true);
    o_.Zeigen(kBeenden, true);
    o_.NeuZeichnen();
    return;
  }
  // The text stands for the pause; the restart follows when it has run out.
  o_.SetzeBeschriftung(kFehlermeldung, ergebnis.fehlertext);
  o_.Zeigen(kFehlermeldung, true);
  o_.NeuZeichnen();
  pausiert_ = true;
  o_.StartePausenuhr(kFehlerPauseMs);
}

void Fensterlogik::ZeigeErgebnisse(const MoistAirState& zustand) {
  for (Element e : kErgebnisfelder) o_.Zeigen(e, true);
  for (std::size_t i = 0; i < kAnzeigegroessen.size(); ++i) {
    const Anzeigegroesse& g = kAnzeigegroessen[i];
    o_.SetzeText(kErgebnisfelder[i],
                 FormatiereMuster(g.wert(zustand), g.nachkommastellen, dezimaltrenner_));
  }
}

void Fensterlogik::PauseAbgelaufen() {
  if (!pausiert_) return;
  pausiert_ = false;
  cmd_neustart_Click();
  if (beendenAngefordert_) o_.Beenden();
}

void Fensterlogik::BeendenAnfordern() {
  if (pausiert_)
    beendenAngefordert_ = true;
  else
    o_.Beenden();
}

void Fensterlogik::cmd_neustart_Click() {
  if (pausiert_) return;
  o_.SetzeText(kLuftfeld, "");
  for (Vorgabe v : kVorgaben) o_.SetzeText(Zweitfeld(v), "");
  o_.Zeigen(kNeustart, false);
  o_.Zeigen(kBeenden, false);
  o_.Zeigen(kFehlermeldung, false);
  if (vorgabe_) ModusWaehlen(*vorgabe_);
}

void Fensterlogik::cmd_beenden_Click() {
  if (pausiert_) return;
  o_.Beenden();
}

}  // namespace dunstwerk
