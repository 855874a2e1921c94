// The main window frm_Dunstwerk on plain Win32 controls: STATIC labels,
// single-line EDIT boxes, push BUTTONs and a small window class of our own
// for the logo. It builds every control from kSteuerelemente and lets
// Fensterlogik and ui/regeln.h decide what happens.
//
// Its parts, by concern: fenster.cpp (the controls and the surface),
// fensterprozedur.cpp (the window procedure and its handlers), eingabe.cpp
// (keys, input during the pause, the message loop), dpi.cpp (DPI and fonts),
// logo.cpp (the picture box) and zwischenablage.cpp (the clipboard). COM must
// be started on the thread before the window is made (wWinMain does): the
// accessibility properties need it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/fensterlogik.h"
#include "ui/layout.h"
#include "ui/oberflaeche.h"

namespace dunstwerk {

// What the window asks of the system's accessibility service: a name or a
// role (ROLE_SYSTEM_*) for a control whose kind alone says too little, and
// to forget them when the window goes. The window uses oleacc's
// IAccPropServices; a test puts its own in place to see what is asked.
class Zugangsdienst {
 public:
  virtual ~Zugangsdienst() = default;
  virtual void SetzeName(HWND steuerelement, const std::wstring& name) = 0;
  virtual void SetzeRolle(HWND steuerelement, long rolle) = 0;
  virtual void Vergessen(HWND steuerelement) = 0;
};

// The window's class, registered once per module.
inline constexpr wchar_t kFensterklasse[] = L"frm_Dunstwerk";

// The command of the context menu's one entry, "Ergebnisse kopieren", as its
// WM_COMMAND brings it.
inline constexpr UINT kKopierenBefehl = 40001;

class Fenster final : private Oberflaeche {
 public:
  // The window is created hidden; Anzeigen() shows it. Without a separator
  // the user's locale gives it; without an accessibility service, oleacc's.
  // The icon and the logo come from the resources of the module instanz
  // (ui/win32/ressourcen.h).
  explicit Fenster(HINSTANCE instanz, std::optional<std::string> dezimaltrenner = std::nullopt,
                   std::unique_ptr<Zugangsdienst> zugang = nullptr);
  ~Fenster() override;
  Fenster(const Fenster&) = delete;
  Fenster& operator=(const Fenster&) = delete;

  // Shows the window and gives it the keyboard.
  void Anzeigen(int nCmdShow = SW_SHOWNORMAL);

  HWND Hwnd() const { return hwnd_; }
  // A control's window, by its name in the table.
  HWND HwndVon(std::string_view name) const { return steuerelemente_[ElementVon(name)]; }

  // Everything the message loop does before TranslateMessage and
  // DispatchMessage: drops user input while an error text stands, hands
  // Ctrl+C and Enter to the window's rules, and gives the dialog keys (Tab,
  // Space) to the controls. True when the message is dealt with.
  bool Vorverarbeiten(MSG& nachricht);

  bool Pausiert() const { return logik_.Pausiert(); }
  // Lets the pause run out now rather than when its timer fires.
  void PauseBeenden();

  // For tests: from this call on, windows behave as on Windows 7 and 8,
  // whose user32 lacks the per-monitor DPI functions.
  static void NurSystemDpi();

 private:
  // The controls' fonts at one DPI, each size and style made once.
  struct Schriften {
    struct Schrift {
      int hundertstelPunkt;
      bool kursiv;
      HFONT hfont;
    };
    int dpi = 96;
    std::vector<Schrift> liste;
    HFONT Holen(double punkt, bool kursiv);
    void Loeschen();
  };

  // One render of the logo, as 32-bit pixels, rows from the top.
  struct Logobild {
    int breite, hoehe;
    std::vector<std::uint32_t> pixel;
  };

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

  static LRESULT CALLBACK Fensterprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l);
  static LRESULT CALLBACK Bildprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l);

  // One handler per message of the main window.
  LRESULT OnEraseBkgnd(HDC dc);
  LRESULT OnCtlColorStatic(HDC dc, HWND beschriftung);
  LRESULT OnCtlColorBtn();
  LRESULT OnSysColorChange();
  LRESULT OnCommand(int id, int code);
  LRESULT OnContextMenu(HWND quelle, LPARAM ort);
  LRESULT OnTimer(UINT_PTR uhr);
  LRESULT OnClose(Fensterlogik::Schliessgrund grund);
  LRESULT OnEndSession(bool endet);
  void OnActivate(int zustand);
  LRESULT OnSetFocus();
  LRESULT OnDpiChanged(int dpi, const RECT& vorschlag);
  LRESULT OnDestroy();
  void OnNcDestroy();

  // The logo box's painting.
  void MaleLogo(HWND bildfeld, HDC dc);

  void ErzeugeSteuerelemente();
  // Places the controls (unless they were made in place) and letters them
  // for the window's DPI.
  void Anordnen(bool verschieben = true);
  void SetzeZugaenglichkeit();
  std::optional<Element> ElementVonHwnd(HWND steuerelement) const;
  const Logobild* LogoVon(int breite);

  HINSTANCE instanz_;
  HWND hwnd_ = nullptr;
  std::array<HWND, kSteuerelemente.size()> steuerelemente_{};
  int dpi_ = 96;
  // The window's total height once a mode is chosen; 0 while the design
  // height stands.
  int hoeheTwips_ = 0;
  HBRUSH hintergrund_ = nullptr;
  Schriften schriften_;
  std::vector<Logobild> logos_;  // decoded at the first paint, by width
  bool logosGeladen_ = false;
  HWND letzterFokus_ = nullptr;
  std::unique_ptr<Zugangsdienst> zugang_;  // none where the system has none
  bool abbau_ = false;                     // destroyed by the destructor, not by quitting
  Fensterlogik logik_;
};

// Runs the message loop of the window until the program ends; returns the
// exit code.
int Nachrichtenschleife(Fenster& fenster);

}  // namespace dunstwerk
