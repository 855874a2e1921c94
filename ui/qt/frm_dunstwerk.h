// The program's one window on Qt: builds the controls from the layout table
// and lends them to the window's behaviour.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ui/fensterlogik.h"
#include "ui/layout.h"
#include "ui/oberflaeche.h"

namespace dunstwerk {

class frm_Dunstwerk : public QWidget, private Oberflaeche {
  Q_OBJECT

 public:
  explicit frm_Dunstwerk(QWidget* parent = nullptr);
  ~frm_Dunstwerk() override;

  // While an error text stands, all user input is dropped.
  bool Pausiert() const { return logik_.Pausiert(); }
  // Ends a standing error text at once, as if its time had run out; tests use
  // it to go on without waiting.
  void PauseBeenden();

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void changeEvent(QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;
  void contextMenuEvent(QContextMenuEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;
  void showEvent(QShowEvent* ereignis) override;

 private:
  // Oberflaeche
  void Zeigen(Element e, bool sichtbar) override;
  void SetzeText(Element e, std::string_view text) override;
  std::string Text(Element e) const override;
  void SetzeBeschriftung(Element e, std::string_view text) override;
  void Fokus(Element e) override;
  void SetzeFensterhoehe(int twips) override;
  void NeuZeichnen() override;
  void StartePausenuhr(int millisekunden) override;
  void Beenden() override;
  void InZwischenablage(std::string_view text, std::string_view html) override;

  void SystemfarbenAnwenden();
  std::optional<Element> ElementVonObjekt(const QObject* objekt) const;

  std::array<QWidget*, kSteuerelemente.size()> elemente_{};
  QTimer pausenuhr_;
  Fensterlogik logik_;
};

}  // namespace dunstwerk
