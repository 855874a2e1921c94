// Dunstwerk on Windows: state of moist air at 1 bar, in one native window.
// clang-format off
#include <windows.h>
#include <commctrl.h>  // needs windows.h before it
// clang-format on

#include "ui/win32/fenster.h"

int WINAPI wWinMain(HINSTANCE instanz, HINSTANCE, PWSTR, int nCmdShow) {
  INITCOMMONCONTROLSEX steuerelemente{sizeof(steuerelemente), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&steuerelemente);

  dunstwerk::Fenster fenster(instanz);
  if (!fenster.Hwnd()) return 1;
  fenster.Anzeigen(nCmdShow);
  return dunstwerk::Nachrichtenschleife(fenster);
}
