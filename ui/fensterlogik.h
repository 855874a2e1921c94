// The window's behaviour, written once for every toolkit: choosing the input
// mode, calculating, showing the results or an error, starting again and
// quitting. It talks to the controls only through an Oberflaeche.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/moist_air_state.h"
#include "ui/layout.h"
#include "ui/oberflaeche.h"

namespace dunstwerk {

// How long an error text stands, in milliseconds.
inline constexpr int kFehlerPauseMs = 5000;

class Fensterlogik {
 public:
  // The decimal separator of the user's locale, for the shown results.
  Fensterlogik(Oberflaeche& oberflaeche, std::string dezimaltrenner);

  // A click on a control, from the front end. A control takes input only
  // while it is shown and the window is not paused, as in the forms runtime:
  // another program's click on a hidden button does nothing. Clicks on
  // anything but a push button do nothing either.
  void Klick(Element e);

  // Enter, on the main keyboard or the keypad, with the focus on a control
  // (none: the window itself). On a button it clicks that button; in a text
  // box it runs "Rechne !" while that is shown, as a click on it would;
  // elsewhere, and on a hidden control, it does nothing. True when it ran a
  // click.
  bool Enter(std::optional<Element> fokus);

  // Ctrl+C with the focus on a control, which in a text box may have a
  // selection. The results are copied unless there is a selection to copy;
  // false leaves the key to the text box, and to a hidden control, which
  // takes no input.
  bool StrgC(std::optional<Element> fokus, bool auswahl);

  // While an error text stands, the front end drops all user input.
  bool Pausiert() const { return pausiert_; }
  // The pause's timer has run out: the window returns to empty inputs.
  void PauseAbgelaufen();

  // Who asks the window to close. While an error text stands, a user's close
  // is input and is dropped; a quit from the program is kept and ends it when
  // the text has stood its time; a session that ends cannot wait.
  enum class Schliessgrund { Nutzer, Programm, Sitzungsende };
  // True when the window closes now; otherwise the front end keeps it open.
  bool Schliessen(Schliessgrund grund);

  // The results can be copied while they stand: after a complete run, until
  // the restart, and not while an error text stands.
  bool KopierenMoeglich() const { return ergebnisseStehen_; }
  // Puts the twelve results on the clipboard as the window shows them, one
  // line each: the row label, a tab, the value. Does nothing unless
  // KopierenMoeglich().
  void ErgebnisseKopieren();

 private:
  // The click handlers of the push buttons.
  void cmd_Rechn_Click(const Modus& modus);
  void cmd_rechne_Click();
  void cmd_neustart_Click();
  void cmd_beenden_Click();

  // Hides the mode choice and every text box but the air temperature, which
  // is shown and gets the focus first: a focused control that is hidden hands
  // the focus on to the next, and a screen reader would announce each.
  void AnsichtZuruecksetzen();
  void ZeigeErgebnisse(const MoistAirState& zustand);

  // Every show and hide goes through here, so that the behaviour knows what
  // is shown without asking the toolkit.
  void Zeigen(Element e, bool sichtbar);
  bool Gezeigt(Element e) const { return e < sichtbar_.size() && sichtbar_[e]; }
  // Shown, and not paused: a control that takes input.
  bool Bedienbar(Element e) const { return !pausiert_ && Gezeigt(e); }

  Oberflaeche& o_;
  std::string dezimaltrenner_;
  const Modus* modus_ = nullptr;  // none until the user picks one
  bool pausiert_ = false;
  bool ergebnisseStehen_ = false;
  bool beendenAngefordert_ = false;
  std::array<bool, kSteuerelemente.size()> sichtbar_;  // as the front end shows them
};

}  // namespace dunstwerk
