// Dunstwerk on Windows: state of moist air at 1 bar, in one native window.
// clang-format off
#include <windows.h>
#include <commctrl.h>  // needs windows.h before it
// clang-format on

#include "ui/win32/fenster.h"

int WINAPI wWinMain(HINSTANCE instanz, HINSTANCE, PWSTR, int nCmdShow) {
  // For the thread's lifetime: screen readers' names and roles are set
  // through a COM object. Without it the window still works, without them.
  const bool com =
      SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  INITCOMMONCONTROLSEX steuerelemente{sizeof(steuerelemente), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&steuerelemente);

  int ende = 1;
  {
    dunstwerk::Fenster fenster(instanz);
    if (fenster.Hwnd()) {
      fenster.Anzeigen(nCmdShow);
      ende = dunstwerk::Nachrichtenschleife(fenster);
    }
  }
  if (com) CoUninitialize();
  return ende;
}
