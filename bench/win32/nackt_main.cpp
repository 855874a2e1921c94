// The bare window's start, the counterpart of win32_start_bench's own
// (--ein-start): the window painted for the first time, then clicks on
// "Rechne !".
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
  const int bisBild = dunstwerk::bench::MikrosekundenSeitProzessbeginn();
  const long long prozessorzeit = dunstwerk::bench::ProzessorzeitUs();
  if (dunstwerk::bench::NurStart()) return 0;

  fenster.Modus();
  const int klick = dunstwerk::bench::KlickzeitUs(
      fenster.Teil("cmd_rechne"),
      [&] {
        SetWindowTextW(fenster.Teil("txt_temlu"), L"20");
        SetWindowTextW(fenster.Teil("txt_rf"), L"50");
      },
      [&] {
        fenster.Neustart();
        return true;
      });
  dunstwerk::bench::Melden(bisMain, bisBild, prozessorzeit, klick);
  return 0;
}
