// What the parts of the Win32 window share and nothing outside them needs.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/layout.h"
#include "ui/win32/text.h"

namespace dunstwerk::win32 {

// Control IDs are the place in kSteuerelemente plus this.
inline constexpr int kErsteSteuerelementId = 100;
inline constexpr wchar_t kBildklasse[] = L"Dunstwerk_Bildfeld";
inline constexpr UINT_PTR kPausenuhr = 1;
inline constexpr DWORD kStil =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr DWORD kStilErweitert = 0;

inline COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }
inline Rgb RgbVon(COLORREF c) { return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; }

// The DPI of a window: its monitor's where Windows knows it per monitor,
// the system's otherwise.
int DpiVon(HWND hwnd);

// The window's outer rectangle around a client area of this size, at a DPI.
RECT Rahmen(int breiteTwips, int hoeheTwips, int dpi);

}  // namespace dunstwerk::win32
