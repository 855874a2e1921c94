// The bare window's start, the counterpart of win32_start_bench's own
// (--ein-start): the window painted for the first time.
// clang-format off
#include "nackt.h"
#include <commctrl.h>  // needs windows.h before it
// clang-format on

int main() {
  const int bisMain = dunstwerk::bench::MikrosekundenSeitProzessbeginn();
  INITCOMMONCONTROLSEX steuerelemente{sizeof(steuerelemente), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&steuerelemente);
  dunstwerk::bench::NacktesFenster fenster(GetModuleHandleW(nullptr));
  ShowWindow(fenster.Hwnd(), SW_SHOWNORMAL);
  UpdateWindow(fenster.Hwnd());
  dunstwerk::bench::Melden(bisMain, dunstwerk::bench::MikrosekundenSeitProzessbeginn());
  return 0;
}
