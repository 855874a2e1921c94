// Entry of the Win32 window tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
