#include "ui/fensterlogik.h"

#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "engine/anzeige.h"
#include "engine/rechenkern.h"
#include "engine/zahlmuster.h"
#include "ui/zwischenablage.h"

namespace dunstwerk {
namespace {

constexpr Element kFehlermeldung = ElementVon("lbl_Fehlermeldung");
constexpr Element kRechne = ElementVon("cmd_rechne");
constexpr Element kNeustart = ElementVon("cmd_neustart");
constexpr Element kBeenden = ElementVon("cmd_beenden");
constexpr Element kAufforderungen[] = {ElementVon("lbl_Aufford_Z1"), ElementVon("lbl_Aufford_Z2a"),
                                       ElementVon("lbl_Aufford_Z3a"), ElementVon("lbl_Aufford_Z5")};

// Text for an HTML table cell: what the user typed into a box may hold
// markup characters.
std::string AlsHtml(std::string_view text) {
  std::string html;
  for (char z : text) {
    switch (z) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      default:
        html += z;
    }
  }
  return html;
}

}  // namespace

Fensterlogik::Fensterlogik(Oberflaeche& oberflaeche, std::string dezimaltrenner)
    : o_(oberflaeche), dezimaltrenner_(std::move(dezimaltrenner)) {
  // The front ends build every control as the table shows it at start.
  for (Element e = 0; e < kSteuerelemente.size(); ++e) sichtbar_[e] = kSteuerelemente[e].sichtbar;
}

void Fensterlogik::Zeigen(Element e, bool sichtbar) {
  sichtbar_[e] = sichtbar;
  o_.Zeigen(e, sichtbar);
}

void Fensterlogik::Klick(Element e) {
  // The window takes no input while an error text stands.
  if (!Bedienbar(e)) return;
  for (const Modus& modus : kModi) {
    if (e == modus.knopf) return cmd_Rechn_Click(modus);
  }
  if (e == kRechne) return cmd_rechne_Click();
  if (e == kNeustart) return cmd_neustart_Click();
  if (e == kBeenden) return cmd_beenden_Click();
}

void Fensterlogik::AnsichtZuruecksetzen() {
  Zeigen(kLuftfeld, true);
  o_.Fokus(kLuftfeld);
  for (Element e : kAufforderungen) Zeigen(e, false);
  for (const Modus& modus : kModi) Zeigen(modus.knopf, false);
  for (Element e : kErgebnisfelder) {
    if (e != kLuftfeld) Zeigen(e, false);
  }
}

void Fensterlogik::cmd_Rechn_Click(const Modus& modus) {
  modus_ = &modus;
  AnsichtZuruecksetzen();
  Zeigen(modus.zweitesFeld, true);
  Zeigen(kRechne, true);
  o_.SetzeFensterhoehe(kHoeheNachWahlTwips);
}

void Fensterlogik::cmd_rechne_Click() {
  if (!modus_) return;
  Zeigen(kRechne, false);
  const Ergebnis ergebnis =
      Rechne(modus_->vorgabe, o_.Text(kLuftfeld), o_.Text(modus_->zweitesFeld));
  if (const auto* zustand = std::get_if<MoistAirState>(&ergebnis)) {
    ZeigeErgebnisse(*zustand);
    ergebnisseStehen_ = true;
    Zeigen(kNeustart, true);
    Zeigen(kBeenden, true);
    o_.NeuZeichnen();
    return;
  }
  // The text stands for the pause; the restart follows when it has run out.
  o_.SetzeBeschriftung(kFehlermeldung, Fehlertext(std::get<Fehler>(ergebnis)));
  Zeigen(kFehlermeldung, true);
  o_.NeuZeichnen();
  pausiert_ = true;
  o_.StartePausenuhr(kFehlerPauseMs);
}

void Fensterlogik::ZeigeErgebnisse(const MoistAirState& zustand) {
  for (Element e : kErgebnisfelder) Zeigen(e, true);
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

bool Fensterlogik::Schliessen(Schliessgrund grund) {
  if (!pausiert_ || grund == Schliessgrund::Sitzungsende) return true;
  if (grund == Schliessgrund::Programm) beendenAngefordert_ = true;
  return false;
}

bool Fensterlogik::Enter(std::optional<Element> fokus) {
  if (!fokus || !Bedienbar(*fokus)) return false;
  switch (kSteuerelemente[*fokus].art) {
    case Art::Schaltflaeche:
      Klick(*fokus);
      return true;
    case Art::Textfeld:
      if (!Bedienbar(kRechne)) return false;
      Klick(kRechne);
      return true;
    default:
      return false;
  }
}

bool Fensterlogik::StrgC(std::optional<Element> fokus, bool auswahl) {
  if (fokus && !Gezeigt(*fokus)) return false;
  if (fokus && kSteuerelemente[*fokus].art == Art::Textfeld && auswahl) return false;
  ErgebnisseKopieren();
  return true;
}

void Fensterlogik::ErgebnisseKopieren() {
  if (!KopierenMoeglich()) return;
  std::string text;
  std::string html = "<table>\n";
  for (Element feld : kErgebnisfelder) {
    const std::string_view zeile = ZeileVon(feld).text;
    const std::string wert = o_.Text(feld);
    text.append(zeile).append("\t").append(wert).append("\n");
    html.append("<tr><td>")
        .append(AlsHtml(zeile))
        .append("</td><td>")
        .append(AlsHtml(wert))
        .append("</td></tr>\n");
  }
  html += "</table>\n";
  o_.InZwischenablage(text, HtmlDokument(html));
}

void Fensterlogik::cmd_neustart_Click() {
  ergebnisseStehen_ = false;
  o_.SetzeText(kLuftfeld, "");
  for (const Modus& modus : kModi) o_.SetzeText(modus.zweitesFeld, "");
  Zeigen(kNeustart, false);
  Zeigen(kBeenden, false);
  Zeigen(kFehlermeldung, false);
  if (modus_) cmd_Rechn_Click(*modus_);
}

void Fensterlogik::cmd_beenden_Click() { o_.Beenden(); }

}  // namespace dunstwerk
