// Text between the program's UTF-8 and Windows' UTF-16, and the user's
// decimal separator: what the window and dunstwerk-rechne both need of
// Windows, header-only so that the console program does not link the window.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace dunstwerk::win32 {

inline std::wstring Breit(std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring breit(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), breit.data(), n);
  return breit;
}

inline std::string Schmal(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string schmal(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), schmal.data(), n,
                      nullptr, nullptr);
  return schmal;
}

// The decimal separator of the user's number format, a comma where none is
// set: the results are shown and written with it.
inline std::string NutzerDezimaltrenner() {
  wchar_t trenner[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, trenner, 8) > 1)
    return Schmal(trenner);
  return ",";
}

}  // namespace dunstwerk::win32
