// The main window's procedure and one handler per message.
// clang-format off
#include "ui/win32/fenster.h"
#include <windowsx.h>  // GET_X_LPARAM
// clang-format on

#include <optional>
#include <string>

#include "ui/farben.h"
#include "ui/regeln.h"
#include "ui/win32/intern.h"

namespace dunstwerk {

using win32::Breit;

LRESULT CALLBACK Fenster::Fensterprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l) {
  if (nachricht == WM_NCCREATE) {
    auto* fenster = static_cast<Fenster*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    fenster->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(fenster));
  }
  auto* f = reinterpret_cast<Fenster*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!f) return DefWindowProcW(hwnd, nachricht, w, l);
  using G = Fensterlogik::Schliessgrund;
  switch (nachricht) {
    case WM_ERASEBKGND:
      return f->OnEraseBkgnd(reinterpret_cast<HDC>(w));
    case WM_CTLCOLORSTATIC:
      return f->OnCtlColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_CTLCOLORBTN:
      return f->OnCtlColorBtn();
    case WM_SYSCOLORCHANGE:
      return f->OnSysColorChange();
    case WM_COMMAND:
      return f->OnCommand(LOWORD(w), HIWORD(w));
    case WM_CONTEXTMENU:
      return f->OnContextMenu(reinterpret_cast<HWND>(w), l);
    case WM_TIMER:
      return f->OnTimer(w);
    case WM_SYSCOMMAND:
      // The close button, the system menu, Alt+F4 and the task bar: the user.
      if ((w & 0xFFF0) == SC_CLOSE) return f->OnClose(G::Nutzer);
      break;
    case WM_CLOSE:
      // Sent straight to the window: another program, or this one.
      return f->OnClose(G::Programm);
    case WM_ENDSESSION:
      return f->OnEndSession(w != FALSE);
    case WM_ACTIVATE:
      f->OnActivate(LOWORD(w));
      break;
    case WM_SETFOCUS:
      return f->OnSetFocus();
    case WM_DPICHANGED:
      return f->OnDpiChanged(LOWORD(w), *reinterpret_cast<const RECT*>(l));
    case WM_DESTROY:
      return f->OnDestroy();
    case WM_NCDESTROY:
      f->OnNcDestroy();
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, nachricht, w, l);
}

LRESULT Fenster::OnEraseBkgnd(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(dc, &r, hintergrund_);
  return 1;
}

LRESULT Fenster::OnCtlColorStatic(HDC dc, HWND beschriftung) {
  const std::optional<Element> e = ElementVonHwnd(beschriftung);
  if (!e || kSteuerelemente[*e].art != Art::Bezeichnung)
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(beschriftung));
  SetTextColor(dc, win32::Ref(Textfarbe(kSteuerelemente[*e].farbe,
                                        win32::RgbVon(GetSysColor(COLOR_BTNTEXT)))));
  SetBkColor(dc, win32::Ref(kHintergrund));
  return reinterpret_cast<LRESULT>(hintergrund_);
}

// Round button corners show the window's yellow.
LRESULT Fenster::OnCtlColorBtn() { return reinterpret_cast<LRESULT>(hintergrund_); }

// Labels in the system text colour follow a new colour scheme.
LRESULT Fenster::OnSysColorChange() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return 0;
}

LRESULT Fenster::OnCommand(int id, int code) {
  if (id == static_cast<int>(kKopierenBefehl)) {
    logik_.ErgebnisseKopieren();
    return 0;
  }
  const int stelle = id - win32::kErsteSteuerelementId;
  if (code == BN_CLICKED && stelle >= 0 && stelle < static_cast<int>(kSteuerelemente.size()))
    logik_.Klick(static_cast<Element>(stelle));
  return 0;
}

// The window's own menu, for a right click on its background, a label (which
// lets the mouse through to the window), a button or the logo, and for
// Shift+F10 or the menu key while the focus is not in a text box. Text boxes
// open their own menu and do not pass the message on.
LRESULT Fenster::OnContextMenu(HWND quelle, LPARAM ort) {
  POINT p{GET_X_LPARAM(ort), GET_Y_LPARAM(ort)};
  if (p.x == -1 && p.y == -1) {
    // From the keyboard: at the middle of the focused control.
    RECT r;
    GetWindowRect(quelle, &r);
    p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  } else if (quelle == hwnd_ && SendMessageW(hwnd_, WM_NCHITTEST, 0, ort) != HTCLIENT) {
    // The title bar keeps its system menu.
    return DefWindowProcW(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(quelle), ort);
  }
  const HMENU menue = CreatePopupMenu();
  AppendMenuW(menue, MF_STRING | (logik_.KopierenMoeglich() ? MF_ENABLED : MF_GRAYED),
              kKopierenBefehl, Breit(kKopierenMenueeintrag).c_str());
  TrackPopupMenu(menue, TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
  DestroyMenu(menue);
  return 0;
}

LRESULT Fenster::OnTimer(UINT_PTR uhr) {
  if (uhr == win32::kPausenuhr) PauseBeenden();
  return 0;
}

LRESULT Fenster::OnClose(Fensterlogik::Schliessgrund grund) {
  if (logik_.Schliessen(grund)) DestroyWindow(hwnd_);
  return 0;
}

// Windows does not wait for a program once WM_ENDSESSION has returned: the
// window closes at once, pause or not.
LRESULT Fenster::OnEndSession(bool endet) {
  if (endet) OnClose(Fensterlogik::Schliessgrund::Sitzungsende);
  return 0;
}

void Fenster::OnActivate(int zustand) {
  if (zustand != WA_INACTIVE) return;
  const HWND fokus = GetFocus();
  if (fokus && IsChild(hwnd_, fokus)) letzterFokus_ = fokus;
}

// As in a dialog, the focus goes on to a control: the one that had it last,
// or the first in tab order.
LRESULT Fenster::OnSetFocus() {
  HWND ziel = letzterFokus_;
  if (!ziel || !IsWindowVisible(ziel) || !IsChild(hwnd_, ziel))
    ziel = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (ziel) SetFocus(ziel);
  return 0;
}

LRESULT Fenster::OnDestroy() {
  KillTimer(hwnd_, win32::kPausenuhr);
  if (zugang_) {
    for (HWND h : steuerelemente_) zugang_->Vergessen(h);
  }
  if (!abbau_) PostQuitMessage(0);
  return 0;
}

void Fenster::OnNcDestroy() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  steuerelemente_.fill(nullptr);
}

}  // namespace dunstwerk
