// The main window frm_Dunstwerk on plain Win32 controls: STATIC labels,
// single-line EDIT boxes, push BUTTONs and a small window class of our own
// for the logo. It builds every control from kSteuerelemente and lets
// Fensterlogik decide what happens on a click.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/fensterlogik.h"
#include "ui/layout.h"
#include "ui/oberflaeche.h"

struct IAccPropServices;

namespace dunstwerk {

// Control IDs are the place in kSteuerelemente plus this, so GetDlgItem finds
// a control from its name through ElementNamens.
inline constexpr int kErsteSteuerelementId = 100;

// The window class, for FindWindow.
inline constexpr wchar_t kFensterklasse[] = L"frm_Dunstwerk";

// The icon in the program's resources (IDI_DUNSTWERK of app/ressourcen.h).
inline constexpr int kSymbolRessource = 1;

class Fenster final : public Oberflaeche {
 public:
  // The window is created hidden; Zeigen() shows it. Without a separator the
  // user's locale gives it.
  explicit Fenster(HINSTANCE instanz, std::optional<std::string> dezimaltrenner = std::nullopt);
  ~Fenster() override;
  Fenster(const Fenster&) = delete;
  Fenster& operator=(const Fenster&) = delete;

  // Shows the window and gives it the keyboard.
  void Anzeigen(int nCmdShow = SW_SHOWNORMAL);

  HWND Hwnd() const { return hwnd_; }
  HWND Steuerelement(Element e) const { return steuerelemente_[e]; }
  HWND Steuerelement(std::string_view name) const { return steuerelemente_[ElementNamens(name)]; }
  int Dpi() const { return dpi_; }

  // Everything the message loop does before TranslateMessage and
  // DispatchMessage: drops user input while an error text stands and gives
  // the dialog keys (Tab, Enter, Space) to the controls. True when the
  // message is dealt with.
  bool Vorverarbeiten(MSG& nachricht);

  bool Pausiert() const { return logik_.Pausiert(); }
  // Lets the pause run out now rather than when its timer fires.
  void PauseBeenden();

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

 private:
  static LRESULT CALLBACK Fensterprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l);
  static LRESULT CALLBACK Bildprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l);
  LRESULT Behandle(UINT nachricht, WPARAM w, LPARAM l);
  void ErzeugeSteuerelemente();
  void Anordnen();
  HFONT Schrift(double punkt, bool kursiv);
  void LoescheSchriften();
  void SetzeZugaenglichkeit();
  void MaleBild(HWND bildfeld);
  COLORREF Textfarbe(Element e) const;

  HINSTANCE instanz_;
  HWND hwnd_ = nullptr;
  std::array<HWND, kSteuerelemente.size()> steuerelemente_{};
  int dpi_ = 96;
  // The window's total height once a mode is chosen; 0 while the design
  // height stands.
  int hoeheTwips_ = 0;
  HBRUSH hintergrund_ = nullptr;
  std::vector<std::pair<std::pair<int, bool>, HFONT>> schriften_;  // (points x 100, italic)
  HWND letzterFokus_ = nullptr;
  bool comInitialisiert_ = false;
  IAccPropServices* zugang_ = nullptr;
  bool abbau_ = false;  // destroyed by the destructor, not by quitting
  Fensterlogik logik_;
};

// Runs the message loop of the window until the program ends; returns the
// exit code.
int Nachrichtenschleife(Fenster& fenster);

}  // namespace dunstwerk
