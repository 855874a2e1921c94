// Starts a program, a start-menu shortcut to it or any file Windows can
// open, and checks that the window frm_Dunstwerk appears and that the
// program ends on its own, with exit code 0, when the window is closed.
// The package checks use it for the program as a user meets it: unpacked
// from the ZIP, and installed behind its shortcut.
//
//   fenster_pruefen.exe PROGRAM.exe | SHORTCUT.lnk
//
// Exit code 0 when all went as it should, 1 with a message otherwise.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// clang-format off
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <string>

#include "ui/win32/fenster.h"

namespace {

constexpr DWORD kWartezeitMs = 30000;

struct Suche {
  DWORD prozess;
  HWND fenster;
};

BOOL CALLBACK Pruefe(HWND fenster, LPARAM daten) {
  auto* suche = reinterpret_cast<Suche*>(daten);
  DWORD prozess = 0;
  GetWindowThreadProcessId(fenster, &prozess);
  wchar_t klasse[64];
  if (prozess != suche->prozess || !IsWindowVisible(fenster) ||
      !GetClassNameW(fenster, klasse, static_cast<int>(std::size(klasse))) ||
      std::wcscmp(klasse, dunstwerk::kFensterklasse) != 0)
    return TRUE;
  suche->fenster = fenster;
  return FALSE;
}

// The program a shortcut starts, as the shell reads it; empty when the file
// is no shortcut or points at nothing.
std::wstring Verknuepfungsziel(const wchar_t* datei) {
  IShellLinkW* verknuepfung = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&verknuepfung))))
    return {};
  std::wstring ziel;
  IPersistFile* datei_ = nullptr;
  if (SUCCEEDED(
          verknuepfung->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&datei_)))) {
    wchar_t pfad[MAX_PATH];
    if (SUCCEEDED(datei_->Load(datei, STGM_READ)) &&
        verknuepfung->GetPath(pfad, MAX_PATH, nullptr, 0) == S_OK)
      ziel = pfad;
    datei_->Release();
  }
  verknuepfung->Release();
  return ziel;
}

int Fehler(const wchar_t* text, HANDLE prozess) {
  std::fwprintf(stderr, L"fenster_pruefen: %ls (error %lu)\n", text, GetLastError());
  if (prozess) TerminateProcess(prozess, 1);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fwprintf(stderr, L"usage: fenster_pruefen PROGRAM.exe | SHORTCUT.lnk\n");
    return 2;
  }
  // Shortcuts are read by the shell, which wants COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::wstring programm = argv[1];
  const std::size_t laenge = programm.size();
  if (laenge > 4 && _wcsicmp(programm.c_str() + laenge - 4, L".lnk") == 0) {
    programm = Verknuepfungsziel(argv[1]);
    if (programm.empty()) return Fehler(L"the shortcut points at no program", nullptr);
    std::wprintf(L"the shortcut starts %ls\n", programm.c_str());
  }
  SHELLEXECUTEINFOW start{};
  start.cbSize = sizeof(start);
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  start.lpFile = programm.c_str();
  start.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&start) || !start.hProcess) return Fehler(L"could not start it", nullptr);
  HANDLE prozess = start.hProcess;

  Suche suche{GetProcessId(prozess), nullptr};
  for (DWORD gewartet = 0; !suche.fenster; gewartet += 100) {
    if (WaitForSingleObject(prozess, 100) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(prozess, &code);
      std::fwprintf(stderr, L"fenster_pruefen: exit code 0x%08lx\n", code);
      return Fehler(L"the program ended without showing its window", nullptr);
    }
    if (gewartet > kWartezeitMs) return Fehler(L"no window frm_Dunstwerk after 30 s", prozess);
    EnumWindows(Pruefe, reinterpret_cast<LPARAM>(&suche));
  }

  PostMessageW(suche.fenster, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(prozess, kWartezeitMs) != WAIT_OBJECT_0)
    return Fehler(L"the program did not end when its window was closed", prozess);
  DWORD code = 1;
  GetExitCodeProcess(prozess, &code);
  CloseHandle(prozess);
  if (code != 0) return Fehler(L"the program ended with an exit code other than 0", nullptr);
  std::wprintf(L"window frm_Dunstwerk shown and closed\n");
  return 0;
}
