#include "nackt.h"

#include <psapi.h>

#include <cstdio>
#include <string>

#include "ui/win32/text.h"

namespace dunstwerk::bench {
namespace {

constexpr wchar_t kKlasse[] = L"Dunstwerk_nackt";
constexpr wchar_t kBildklasse[] = L"Dunstwerk_nackt_Bild";
constexpr int kErsteId = 100;
constexpr DWORD kStil = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// The results of 20 °C and 50 %, as the program shows them.
constexpr std::array<const wchar_t*, 12> kErgebnisse{L"20,00",   L"9,28",    L"13,75",   L"50,00",
                                                     L"0,00877", L"0,00737", L"1,19941", L"0,01171",
                                                     L"0,02342", L"0,00995", L"0,00258", L"38,8"};

ULONGLONG Hundertns(const FILETIME& zeit) {
  return (ULONGLONG{zeit.dwHighDateTime} << 32) | zeit.dwLowDateTime;
}

}  // namespace

int MikrosekundenSeitProzessbeginn() {
  using Genau = void(WINAPI*)(LPFILETIME);
  static const auto genau = reinterpret_cast<Genau>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  FILETIME jetzt;
  if (genau)
    genau(&jetzt);
  else
    GetSystemTimeAsFileTime(&jetzt);
  FILETIME erzeugt, ende, kern, nutzer;
  GetProcessTimes(GetCurrentProcess(), &erzeugt, &ende, &kern, &nutzer);
  return static_cast<int>((Hundertns(jetzt) - Hundertns(erzeugt)) / 10);
}

long long ProzessorzeitUs() {
  FILETIME erzeugt, ende, kern, nutzer;
  GetProcessTimes(GetCurrentProcess(), &erzeugt, &ende, &kern, &nutzer);
  return static_cast<long long>((Hundertns(kern) + Hundertns(nutzer)) / 10);
}

void Melden(int bisMain, int bisBild, long long prozessorzeit, int klick) {
  PROCESS_MEMORY_COUNTERS speicher{};
  speicher.cb = sizeof(speicher);
  GetProcessMemoryInfo(GetCurrentProcess(), &speicher, sizeof(speicher));
  std::printf("%d %d %lld %d %llu\n", bisMain, bisBild, prozessorzeit, klick,
              static_cast<unsigned long long>(speicher.PeakWorkingSetSize / 1024));
  std::fflush(stdout);
}

NacktesFenster::NacktesFenster(HINSTANCE instanz) {
  hintergrund_ = CreateSolidBrush(RGB(kHintergrund.r, kHintergrund.g, kHintergrund.b));
  WNDCLASSEXW klasse{};
  klasse.cbSize = sizeof(klasse);
  if (!GetClassInfoExW(instanz, kKlasse, &klasse)) {
    klasse = {};
    klasse.cbSize = sizeof(klasse);
    klasse.hInstance = instanz;
    klasse.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klasse.lpfnWndProc = DefWindowProcW;
    klasse.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    klasse.lpszClassName = kBildklasse;
    RegisterClassExW(&klasse);
    klasse.lpfnWndProc = Prozedur;
    klasse.hbrBackground = nullptr;
    klasse.lpszClassName = kKlasse;
    RegisterClassExW(&klasse);
  }
  RECT r{0, 0, Pixel(kFensterBreiteTwips), Pixel(kFensterHoeheTwips)};
  AdjustWindowRectEx(&r, kStil, FALSE, 0);
  CreateWindowExW(0, kKlasse, L"", kStil, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                  r.bottom - r.top, nullptr, nullptr, instanz, this);
  if (!hwnd_) return;
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const Steuerelement& s = kSteuerelemente[e];
    const wchar_t* art = L"STATIC";
    DWORD stil = WS_CHILD | WS_CLIPSIBLINGS | (s.sichtbar ? WS_VISIBLE : 0);
    DWORD erweitert = 0;
    switch (s.art) {
      case Art::Bezeichnung:
        stil |= SS_NOPREFIX | (s.zentriert ? SS_CENTER : SS_LEFT);
        break;
      case Art::Textfeld:
        art = L"EDIT";
        stil |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        erweitert = WS_EX_CLIENTEDGE;
        break;
      case Art::Schaltflaeche:
        art = L"BUTTON";
        stil |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
      case Art::Bildfeld:
        art = kBildklasse;
        stil |= WS_TABSTOP;
        break;
    }
    teile_[e] = CreateWindowExW(erweitert, art, win32::Breit(s.text).c_str(), stil, Pixel(s.links),
                                Pixel(s.oben), Pixel(s.breite), Pixel(s.hoehe), hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kErsteId + e)),
                                instanz, nullptr);
    // One font per size and style, as the program has.
    const int hundertstel = static_cast<int>(s.punkt * 100 + 0.5);
    const long schluessel = hundertstel * 2 + (s.kursiv ? 1 : 0);
    HFONT schrift = nullptr;
    for (const auto& [k, f] : schriften_) {
      if (k == schluessel) schrift = f;
    }
    if (!schrift) {
      LOGFONTW lf{};
      lf.lfHeight = -MulDiv(hundertstel, 96, 7200);
      lf.lfWeight = FW_BOLD;
      lf.lfItalic = s.kursiv ? TRUE : FALSE;
      lf.lfCharSet = DEFAULT_CHARSET;
      lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
      schrift = CreateFontIndirectW(&lf);
      schriften_.emplace_back(schluessel, schrift);
    }
    SendMessageW(teile_[e], WM_SETFONT, reinterpret_cast<WPARAM>(schrift), FALSE);
  }
}

NacktesFenster::~NacktesFenster() {
  if (hwnd_) DestroyWindow(hwnd_);
  for (const auto& [k, f] : schriften_) DeleteObject(f);
  DeleteObject(hintergrund_);
}

LRESULT CALLBACK NacktesFenster::Prozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l) {
  if (nachricht == WM_NCCREATE) {
    auto* f = static_cast<NacktesFenster*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    f->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
  }
  auto* f = reinterpret_cast<NacktesFenster*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!f) return DefWindowProcW(hwnd, nachricht, w, l);
  switch (nachricht) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(w), &r, f->hintergrund_);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      if (GetClassLongPtrW(reinterpret_cast<HWND>(l), GCW_ATOM) ==
          GetClassLongPtrW(f->Teil("lbl_Dunstwerk"), GCW_ATOM)) {
        SetBkColor(reinterpret_cast<HDC>(w), RGB(kHintergrund.r, kHintergrund.g, kHintergrund.b));
        return reinterpret_cast<LRESULT>(f->hintergrund_);
      }
      break;
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(f->hintergrund_);
    case WM_COMMAND:
      if (LOWORD(w) == kErsteId + ElementVon("cmd_rechne") && HIWORD(w) == BN_CLICKED) f->Rechne();
      return 0;
    case WM_NCDESTROY:
      f->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, nachricht, w, l);
}

void NacktesFenster::Modus() {
  for (const char* n : {"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "lbl_Aufford_Z1",
                        "lbl_Aufford_Z2a", "lbl_Aufford_Z3a", "lbl_Aufford_Z5"})
    ShowWindow(Teil(n), SW_HIDE);
  for (const char* n : {"txt_temlu", "txt_rf", "cmd_rechne"}) ShowWindow(Teil(n), SW_SHOWNA);
  SetFocus(Teil("txt_temlu"));
}

void NacktesFenster::Rechne() {
  ShowWindow(Teil("cmd_rechne"), SW_HIDE);
  for (std::size_t i = 0; i < kErgebnisfelder.size(); ++i) {
    ShowWindow(teile_[kErgebnisfelder[i]], SW_SHOWNA);
    SetWindowTextW(teile_[kErgebnisfelder[i]], kErgebnisse[i]);
  }
  ShowWindow(Teil("cmd_neustart"), SW_SHOWNA);
  ShowWindow(Teil("cmd_beenden"), SW_SHOWNA);
  RedrawWindow(hwnd_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void NacktesFenster::Neustart() {
  for (Element e : kErgebnisfelder) {
    SetWindowTextW(teile_[e], L"");
    if (e != ElementVon("txt_temlu") && e != ElementVon("txt_rf")) ShowWindow(teile_[e], SW_HIDE);
  }
  ShowWindow(Teil("cmd_neustart"), SW_HIDE);
  ShowWindow(Teil("cmd_beenden"), SW_HIDE);
  ShowWindow(Teil("cmd_rechne"), SW_SHOWNA);
  SetFocus(Teil("txt_temlu"));
}

}  // namespace dunstwerk::bench
