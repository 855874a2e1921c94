// Keys and input: what the message loop does before a message reaches a
// control, and the loop itself.
#include <optional>

#include "ui/win32/fenster.h"

// Windows 8 and later send pointer messages for touch and pen; the headers
// declare them only when the oldest target is Windows 8.
#ifndef WM_POINTERUPDATE
#define WM_NCPOINTERUPDATE 0x0241
#define WM_NCPOINTERDOWN 0x0242
#define WM_NCPOINTERUP 0x0243
#define WM_POINTERUPDATE 0x0245
#define WM_POINTERDOWN 0x0246
#define WM_POINTERUP 0x0247
#define WM_POINTERENTER 0x0249
#define WM_POINTERLEAVE 0x024a
#define WM_POINTERWHEEL 0x024e
#define WM_POINTERHWHEEL 0x024f
#endif

namespace dunstwerk {
namespace {

// User input that the pause drops before it reaches a control.
bool IstEingabe(UINT nachricht) {
  return (nachricht >= WM_KEYFIRST && nachricht <= WM_KEYLAST) ||
         (nachricht >= WM_MOUSEFIRST && nachricht <= WM_MOUSELAST) ||
         (nachricht >= WM_NCMOUSEMOVE && nachricht <= WM_NCXBUTTONDBLCLK) ||
         nachricht == WM_NCMOUSEHOVER || nachricht == WM_NCMOUSELEAVE ||
         nachricht == WM_MOUSEHOVER || nachricht == WM_MOUSELEAVE || nachricht == WM_INPUT ||
         nachricht == WM_TOUCH || nachricht == WM_GESTURE || nachricht == WM_CONTEXTMENU ||
         nachricht == WM_NCPOINTERUPDATE || nachricht == WM_NCPOINTERDOWN ||
         nachricht == WM_NCPOINTERUP || nachricht == WM_POINTERUPDATE ||
         nachricht == WM_POINTERDOWN || nachricht == WM_POINTERUP || nachricht == WM_POINTERENTER ||
         nachricht == WM_POINTERLEAVE || nachricht == WM_POINTERWHEEL ||
         nachricht == WM_POINTERHWHEEL;
}

}  // namespace

bool Fenster::Vorverarbeiten(MSG& nachricht) {
  if (!hwnd_) return false;
  if (logik_.Pausiert() && IstEingabe(nachricht.message)) return true;
  const bool strg = GetKeyState(VK_CONTROL) < 0;
  const bool umschalt = GetKeyState(VK_SHIFT) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (nachricht.message == WM_KEYDOWN && nachricht.wParam == 'C' && strg && !umschalt && !alt) {
    const std::optional<Element> e = ElementVonHwnd(GetFocus());
    DWORD von = 0, bis = 0;
    if (e && kSteuerelemente[*e].art == Art::Textfeld)
      SendMessageW(steuerelemente_[*e], EM_GETSEL, reinterpret_cast<WPARAM>(&von),
                   reinterpret_cast<LPARAM>(&bis));
    if (logik_.StrgC(e, von != bis)) return true;
  }
  // Enter, the main key's and the keypad's alike, belongs to the window's
  // rule; the dialog keys would only send an IDOK that means nothing here.
  if (nachricht.message == WM_KEYDOWN && nachricht.wParam == VK_RETURN && !strg && !umschalt &&
      !alt) {
    logik_.Enter(ElementVonHwnd(GetFocus()));
    return true;
  }
  return IsDialogMessageW(hwnd_, &nachricht) != FALSE;
}

int Nachrichtenschleife(Fenster& fenster) {
  MSG nachricht{};
  for (;;) {
    const BOOL ergebnis = GetMessageW(&nachricht, nullptr, 0, 0);
    if (ergebnis == 0) return static_cast<int>(nachricht.wParam);
    if (ergebnis == -1) return 1;
    if (fenster.Vorverarbeiten(nachricht)) continue;
    TranslateMessage(&nachricht);
    DispatchMessageW(&nachricht);
  }
}

}  // namespace dunstwerk
