// What the Win32 window tests share: a shown window, a message pump through
// the window's own filter, clicks, typing and reading back.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ui/win32/fenster.h"

namespace dunstwerk::test {

// Set by the test program's command line: the DPI the windows must be laid
// out for (the system's, in the Wine prefix the test runs in), and whether
// they run without the per-monitor DPI functions, as on Windows 7 and 8.
inline int erwarteteDpi = 96;
inline bool nurSystemDpi = false;

// The twelve results of 20 °C and 50 %, in the order of kErgebnisfelder,
// with a comma as the separator.
inline const wchar_t* const kWerte20Grad50Prozent[] = {
    L"20,00",   L"9,28",    L"13,75",   L"50,00",   L"0,00877", L"0,00737",
    L"1,19941", L"0,01171", L"0,02342", L"0,00995", L"0,00258", L"38,8"};

inline std::wstring Breit(std::string_view text) {
  std::wstring breit(text.size(), L'\0');
  breit.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, text.data(), int(text.size()), breit.data(), int(breit.size()))));
  return breit;
}

inline std::wstring Text(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), int(text.size()))));
  return text;
}

class FensterTest : public testing::Test {
 protected:
  void SetUp() override { Oeffne(); }
  void Oeffne(std::string trenner = ",") {
    fenster_.emplace(GetModuleHandleW(nullptr), std::move(trenner));
    fenster_->Anzeigen();
    SetForegroundWindow(F().Hwnd());
    Pumpe();
  }
  Fenster& F() { return *fenster_; }
  HWND H(std::string_view name) { return fenster_->Steuerelement(name); }
  bool Sichtbar(std::string_view name) { return IsWindowVisible(H(name)); }
  std::wstring TextVon(std::string_view name) { return Text(H(name)); }

  // Runs the thread's messages as the program's loop does, for at least
  // the given time.
  void Pumpe(DWORD ms = 0) {
    const ULONGLONG ende = GetTickCount64() + ms;
    for (;;) {
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT || (fenster_ && fenster_->Vorverarbeiten(m))) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
      }
      const ULONGLONG jetzt = GetTickCount64();
      if (jetzt >= ende) return;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(ende - jetzt), QS_ALLINPUT);
    }
  }
  void Klick(std::string_view name) {
    SendMessageW(H(name), BM_CLICK, 0, 0);
    Pumpe();
  }
  void Tippe(std::string_view name, std::wstring_view text) {
    for (wchar_t z : text) SendMessageW(H(name), WM_CHAR, z, 1);
  }
  void Rechne(const wchar_t* temlu, const wchar_t* rf) {
    Klick("cmd_Rechn_1");
    Tippe("txt_temlu", temlu);
    Tippe("txt_rf", rf);
    Klick("cmd_rechne");
  }

  std::optional<Fenster> fenster_;
};

}  // namespace dunstwerk::test
