// The program's one window: its controls, the choice of the input mode, the
// calculate, restart and quit commands and the display of the results.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "engine/ansicht.h"
#include "engine/rechenkern.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace dunstwerk {

class frm_Dunstwerk : public QWidget, public Ansicht {
  Q_OBJECT

 public:
  explicit frm_Dunstwerk(QWidget* parent = nullptr);
  ~frm_Dunstwerk() override;

  // What the engine sees of the window.
  std::string Eingabetext(Eingabefeld feld) const override;
  void ZeigeFehlermeldung(const std::string& text) override;
  void NeuZeichnen() override;
  void Pause(int millisekunden) override;

  // Replaces the pause; tests use it to go on without waiting. An empty
  // function restores the real pause.
  using PauseFunktion = std::function<void(int millisekunden)>;
  void SetzePause(PauseFunktion pause);

  // The real pause: the error text stands, the window keeps repainting, and
  // input given meanwhile is thrown away.
  void EchtePause(int millisekunden);

  const Rechenkern& Kern() const { return kern_; }

  // Positions and sizes of the layout are in twips; 15 make one pixel. A
  // mode choice gives the whole window, frame included, this height.
  static constexpr int kTwipsProPixel = 15;
  static constexpr int kFensterhoeheNachWahlTwips = 7000;

  // Click handlers.
  void cmd_Rechn_1_Click();
  void cmd_Rechn_2_Click();
  void cmd_Rechn_3_Click();
  void cmd_rechne_Click();
  void cmd_neustart_Click();
  void cmd_beenden_Click();

  // Hides the mode choice and every text box but the air temperature, which
  // is shown and gets the focus.
  void AnsichtZuruecksetzen();

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void showEvent(QShowEvent* ereignis) override;

 private:
  void ModusWaehlen(int vorgabe);
  void ZeigeErgebnisse();
  void SetzeFensterhoehe(int twips);
  QLineEdit* Textfeld(Eingabefeld feld) const;

  Rechenkern kern_;
  PauseFunktion pause_;
  bool pausiert_ = false;

  QLabel* lbl_Fehlermeldung_ = nullptr;
  QLineEdit* txt_temlu_ = nullptr;
  QLineEdit* txt_temtau_ = nullptr;
  QLineEdit* txt_temkg_ = nullptr;
  QLineEdit* txt_rf_ = nullptr;
  QLineEdit* txt_absfeu_ = nullptr;
  QLineEdit* txt_x_ = nullptr;
  QLineEdit* txt_rhofl_ = nullptr;
  QLineEdit* txt_pd_ = nullptr;
  QLineEdit* txt_psatt_ = nullptr;
  QLineEdit* txt_xkg_ = nullptr;
  QLineEdit* txt_xkgminusx_ = nullptr;
  QLineEdit* txt_h1_ = nullptr;
  QPushButton* cmd_Rechn_1_ = nullptr;
  QPushButton* cmd_Rechn_2_ = nullptr;
  QPushButton* cmd_Rechn_3_ = nullptr;
  QPushButton* cmd_rechne_ = nullptr;
  QPushButton* cmd_neustart_ = nullptr;
  QPushButton* cmd_beenden_ = nullptr;
  QLabel* lbl_Aufford_Z1_ = nullptr;
  QLabel* lbl_Aufford_Z2a_ = nullptr;
  QLabel* lbl_Aufford_Z3a_ = nullptr;
  QLabel* lbl_Aufford_Z5_ = nullptr;
};

}  // namespace dunstwerk
