// Entry of the Win32 window tests.
//
//   win32_tests.exe [GTEST_FLAGS] [--nur-systemdpi] [--dpi=N]
//
// --nur-systemdpi hides the per-monitor DPI functions from the window, as on
// Windows 7 and 8; --dpi=N is the DPI the window must then be laid out for.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "hilfen.h"

int main(int argc, char** argv) {
  // On a display without a window manager Wine waits two seconds for each
  // window it hides, unless it is told to place this program's windows
  // itself (in the Wine prefix's registry; Windows has no such key).
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
    std::wstring pfad(MAX_PATH, L'\0');
    pfad.resize(GetModuleFileNameW(nullptr, pfad.data(), MAX_PATH));
    const std::wstring schluessel = L"Software\\Wine\\AppDefaults\\" +
                                    pfad.substr(pfad.find_last_of(L"\\/") + 1) + L"\\X11 Driver";
    RegSetKeyValueW(HKEY_CURRENT_USER, schluessel.c_str(), L"Managed", REG_SZ, L"N", 4);
  }
  // As wWinMain starts it.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--nur-systemdpi") == 0) {
      dunstwerk::test::nurSystemDpi = true;
      dunstwerk::Fenster::NurSystemDpi();
    } else if (std::strncmp(argv[i], "--dpi=", 6) == 0) {
      dunstwerk::test::erwarteteDpi = std::atoi(argv[i] + 6);
    } else {
      std::fprintf(stderr, "unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  return RUN_ALL_TESTS();
}
