// Entry of the Win32 window tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Under Wine on a display without a window manager, Wine waits two seconds
// for each top-level window it hides. The tests' windows are left to Wine
// itself, for this program alone, in the Wine prefix's own registry.
void OhneFensterverwaltungUnterWine() {
  if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return;
  std::wstring pfad(MAX_PATH, L'\0');
  pfad.resize(GetModuleFileNameW(nullptr, pfad.data(), MAX_PATH));
  const std::wstring name = pfad.substr(pfad.find_last_of(L"\\/") + 1);
  const std::wstring schluessel = L"Software\\Wine\\AppDefaults\\" + name + L"\\X11 Driver";
  RegSetKeyValueW(HKEY_CURRENT_USER, schluessel.c_str(), L"Managed", REG_SZ, L"N",
                  2 * sizeof(wchar_t));
}

}  // namespace

int main(int argc, char** argv) {
  OhneFensterverwaltungUnterWine();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
