// The window's behaviour, written once for every toolkit: choosing the input
// mode, calculating, showing the results or an error, starting again and
// quitting. It talks to the controls only through an Oberflaeche.
#pragma once

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

  // A click on a control, from the front end. Clicks on anything but a push
  // button, and every click while an error text stands, do nothing.
  void Klick(Element e);

  // While an error text stands, the front end drops all user input.
  bool Pausiert() const { return pausiert_; }
  // The pause's timer has run out: the window returns to empty inputs.
  void PauseAbgelaufen();
  // The program is asked to end from outside (the session ends, say): at
  // once, or when the error text has stood its time.
  void BeendenAnfordern();

  // The results can be copied while they stand: after a complete run, until
  // the restart, and not while an error text stands.
  bool KopierenMoeglich() const { return ergebnisseStehen_ && !pausiert_; }
  // Puts the twelve results on the clipboard as the window shows them, one
  // line each: the row label, a tab, the value. Does nothing unless
  // KopierenMoeglich().
  void ErgebnisseKopieren();

  std::optional<Vorgabe> AktuelleVorgabe() const {
    return modus_ ? std::optional(modus_->vorgabe) : std::nullopt;
  }

 private:
  // The click handlers of the push buttons.
  void cmd_Rechn_Click(const Modus& modus);
  void cmd_rechne_Click();
  void cmd_neustart_Click();
  void cmd_beenden_Click();

  // Hides the mode choice and every text box but the air temperature, which
  // is shown and gets the focus.
  void AnsichtZuruecksetzen();
  void ZeigeErgebnisse(const MoistAirState& zustand);

  Oberflaeche& o_;
  std::string dezimaltrenner_;
  const Modus* modus_ = nullptr;  // none until the user picks one
  bool pausiert_ = false;
  bool ergebnisseStehen_ = false;
  bool beendenAngefordert_ = false;
};

}  // namespace dunstwerk
