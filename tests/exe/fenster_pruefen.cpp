// Starts a program, or a start-menu shortcut to it, as the shell does for a
// user, and checks that the window frm_Dunstwerk appears and that the
// program ends on its own, with exit code 0, when the window is closed. The
// package checks use it for the program unpacked from the ZIP, and installed
// behind its shortcut.
//
//   fenster_pruefen.exe PROGRAM.exe | SHORTCUT.lnk
#include <windows.h>  // with COM and the shell

#include <cwchar>

namespace {

HANDLE prozess = nullptr;  // the program, once known

// Ends the program too, so that it leaves no window to the next tests.
int Fehler(const wchar_t* text, DWORD code = 0) {
  std::fwprintf(stderr, L"FAILED: %ls (0x%08lx)\n", text, code);
  if (prozess) TerminateProcess(prozess, 1);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  // The shell reads shortcuts through COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW start{};
  start.cbSize = sizeof(start);
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  start.lpFile = argv[1];
  start.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&start)) return Fehler(L"not started", GetLastError());

  // Through a shortcut the shell gives no handle of the program: its window
  // then names it (the package tests hold the lock anzeige, so it is the
  // only one).
  prozess = start.hProcess;
  HWND fenster = nullptr;
  for (int i = 0; !fenster || !IsWindowVisible(fenster); ++i) {
    if (prozess && WaitForSingleObject(prozess, 0) == WAIT_OBJECT_0)
      return Fehler(L"the program ended without showing its window");
    if (i == 300) return Fehler(L"no window after 30 s");
    Sleep(100);
    fenster = FindWindowW(L"frm_Dunstwerk", nullptr);
  }
  DWORD id = 0, code = 0;
  GetWindowThreadProcessId(fenster, &id);
  if (!prozess) prozess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  PostMessageW(fenster, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(prozess, 30000) != WAIT_OBJECT_0)
    return Fehler(L"the program did not end with its window");
  GetExitCodeProcess(prozess, &code);
  return code == 0 ? 0 : Fehler(L"the program ended with an exit code other than 0", code);
}
