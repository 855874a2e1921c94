// DPI and fonts: the per-monitor DPI where Windows has it, the system DPI on
// Windows 7 and 8, and the controls laid out and lettered for the DPI.
#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/win32/fenster.h"
#include "ui/win32/intern.h"

namespace dunstwerk {
namespace win32 {
namespace {

bool nurSystemDpi = false;

// The per-monitor DPI functions came with Windows 10 (1607); on Windows 7
// and 8 the window takes the system DPI and the classic frame calculation.
template <class F>
F User32Funktion(const char* name) {
  if (nurSystemDpi) return nullptr;
  return reinterpret_cast<F>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int DpiVon(HWND hwnd) {
  if (const auto dpi = User32Funktion<UINT(WINAPI*)(HWND)>("GetDpiForWindow"))
    return static_cast<int>(dpi(hwnd));
  HDC dc = GetDC(hwnd);
  const int wert = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(hwnd, dc);
  return wert;
}

RECT Rahmen(int breiteTwips, int hoeheTwips, int dpi) {
  RECT r{0, 0, Pixel(breiteTwips, dpi), Pixel(hoeheTwips, dpi)};
  if (const auto anpassen = User32Funktion<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>(
          "AdjustWindowRectExForDpi"))
    anpassen(&r, kStil, FALSE, kStilErweitert, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&r, kStil, FALSE, kStilErweitert);
  return r;
}

}  // namespace win32

void Fenster::NurSystemDpi() { win32::nurSystemDpi = true; }

HFONT Fenster::Schriften::Holen(double punkt, bool kursiv) {
  const int hundertstel = static_cast<int>(std::lround(punkt * 100));
  for (const Schrift& s : liste) {
    if (s.hundertstelPunkt == hundertstel && s.kursiv == kursiv) return s.hfont;
  }
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(hundertstel, dpi, 7200);
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = kursiv ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  const HFONT hfont = CreateFontIndirectW(&lf);
  liste.push_back({hundertstel, kursiv, hfont});
  return hfont;
}

void Fenster::Schriften::Loeschen() {
  for (const Schrift& s : liste) DeleteObject(s.hfont);
  liste.clear();
}

void Fenster::Anordnen(bool verschieben) {
  // New fonts for the current DPI; the old ones go once no control uses them.
  Schriften alte = std::exchange(schriften_, Schriften{dpi_, {}});
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const Steuerelement& s = kSteuerelemente[e];
    if (verschieben)
      SetWindowPos(steuerelemente_[e], nullptr, Pixel(s.links, dpi_), Pixel(s.oben, dpi_),
                   Pixel(s.breite, dpi_), Pixel(s.hoehe, dpi_),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageW(steuerelemente_[e], WM_SETFONT,
                 reinterpret_cast<WPARAM>(schriften_.Holen(s.punkt, s.kursiv)), FALSE);
    // Narrow margins, so a value stands where it stands in Qt's text box.
    if (s.art == Art::Textfeld) {
      const WORD rand = static_cast<WORD>(MulDiv(2, dpi_, 96));
      SendMessageW(steuerelemente_[e], EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(rand, rand));
    }
  }
  alte.Loeschen();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT Fenster::OnDpiChanged(int dpi, const RECT& vorschlag) {
  dpi_ = dpi;
  const RECT r = win32::Rahmen(kFensterBreiteTwips, kFensterHoeheTwips, dpi_);
  const int hoehe = hoeheTwips_ ? Pixel(hoeheTwips_, dpi_) : r.bottom - r.top;
  SetWindowPos(hwnd_, nullptr, vorschlag.left, vorschlag.top, r.right - r.left, hoehe,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Anordnen();
  return 0;
}

void Fenster::SetzeFensterhoehe(int twips) {
  hoeheTwips_ = twips;
  RECT r;
  GetWindowRect(hwnd_, &r);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, Pixel(twips, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace dunstwerk
