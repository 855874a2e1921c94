// What the Win32 window tests share: a shown window, a message pump that goes
// through the window's own filter, clicks, typing and reading back.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/win32/fenster.h"

namespace dunstwerk::test {

inline std::wstring Breit(std::string_view text) {
  std::wstring breit(text.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    breit.data(), static_cast<int>(breit.size()));
  breit.resize(static_cast<std::size_t>(n));
  return breit;
}

inline std::wstring Text(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), int(text.size()))));
  return text;
}

// Runs the thread's messages as the program's loop does, for at least the
// given time.
inline void Pumpe(Fenster* fenster, DWORD millisekunden = 0) {
  const ULONGLONG ende = GetTickCount64() + millisekunden;
  for (;;) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) continue;
      if (fenster && fenster->Vorverarbeiten(m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    const ULONGLONG jetzt = GetTickCount64();
    if (jetzt >= ende) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ende - jetzt), QS_ALLINPUT);
  }
}

class FensterTest : public testing::Test {
 protected:
  void Oeffne(std::string trenner = ",") {
    fenster_.emplace(GetModuleHandleW(nullptr), std::move(trenner));
    ASSERT_NE(fenster_->Hwnd(), nullptr);
    fenster_->Anzeigen();
    SetForegroundWindow(fenster_->Hwnd());
    Pumpe();
  }
  void SetUp() override { Oeffne(); }

  Fenster& F() { return *fenster_; }
  HWND H(std::string_view name) { return fenster_->Steuerelement(name); }
  bool Sichtbar(std::string_view name) { return IsWindowVisible(H(name)) != FALSE; }
  std::wstring TextVon(std::string_view name) { return Text(H(name)); }

  void Pumpe(DWORD ms = 0) { test::Pumpe(fenster_ ? &*fenster_ : nullptr, ms); }
  void Klick(std::string_view name) {
    SendMessageW(H(name), BM_CLICK, 0, 0);
    Pumpe();
  }
  void Tippe(std::string_view name, std::wstring_view text) {
    for (wchar_t z : text) SendMessageW(H(name), WM_CHAR, z, 1);
  }
  // A key as the message loop gets it, to the control that has the focus.
  void Taste(WPARAM taste) {
    MSG m{GetFocus(), WM_KEYDOWN, taste, 1, 0, {}};
    if (!F().Vorverarbeiten(m)) DispatchMessageW(&m);
    m.message = WM_KEYUP;
    m.lParam = static_cast<LPARAM>(0xC0000001u);
    if (!F().Vorverarbeiten(m)) DispatchMessageW(&m);
    Pumpe();
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
