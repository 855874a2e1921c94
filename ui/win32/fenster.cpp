#include "ui/win32/fenster.h"

#include <initguid.h>  // the oleacc property GUIDs, defined once here
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

#include "ui/farben.h"
#include "ui/win32/logo.h"

namespace dunstwerk {
namespace {

constexpr wchar_t kBildklasse[] = L"Dunstwerk_Bildfeld";
constexpr UINT_PTR kPausenuhr = 1;
constexpr DWORD kStil = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kStilErweitert = 0;
constexpr Element kFehlermeldung = ElementNamens("lbl_Fehlermeldung");
// The logo is 34 x 25 pixels at 96 DPI.
constexpr int kLogoBreiteTwips = 510;
constexpr int kLogoHoeheTwips = 375;

std::wstring Breit(std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring breit(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), breit.data(), n);
  return breit;
}

std::string Schmal(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string schmal(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), schmal.data(), n,
                      nullptr, nullptr);
  return schmal;
}

std::string DezimaltrennerDesNutzers() {
  wchar_t trenner[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, trenner, 8) > 1)
    return Schmal(trenner);
  return ",";
}

// The per-monitor DPI functions came with Windows 10; older systems get the
// system DPI and the classic frame calculation.
template <class F>
F Funktion(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT DpiDesFensters(HWND hwnd) {
  static const auto dpi = Funktion<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (dpi) return dpi(hwnd);
  HDC dc = GetDC(hwnd);
  const int wert = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(hwnd, dc);
  return static_cast<UINT>(wert);
}

RECT RahmenUm(int breite, int hoehe, UINT dpi) {
  static const auto anpassen =
      Funktion<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT r{0, 0, breite, hoehe};
  if (anpassen)
    anpassen(&r, kStil, FALSE, kStilErweitert, dpi);
  else
    AdjustWindowRectEx(&r, kStil, FALSE, kStilErweitert);
  return r;
}

COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

// The render of the logo that is drawn at a width: the smallest that is not
// narrower, so that it is only ever scaled down.
const Logobild& LogoFuer(int breite) {
  for (const Logobild& bild : kLogobilder) {
    if (bild.breite >= breite) return bild;
  }
  return kLogobilder[std::size(kLogobilder) - 1];
}

// User input that the pause drops before it reaches a control.
bool IstEingabe(UINT nachricht) {
  return (nachricht >= WM_KEYFIRST && nachricht <= WM_KEYLAST) ||
         (nachricht >= WM_MOUSEFIRST && nachricht <= WM_MOUSELAST) ||
         (nachricht >= WM_NCMOUSEMOVE && nachricht <= WM_NCXBUTTONDBLCLK) ||
         nachricht == WM_NCMOUSEHOVER || nachricht == WM_NCMOUSELEAVE ||
         nachricht == WM_MOUSEHOVER || nachricht == WM_MOUSELEAVE || nachricht == WM_INPUT ||
         nachricht == WM_TOUCH || nachricht == WM_GESTURE || nachricht == WM_CONTEXTMENU ||
         (nachricht >= 0x0245 && nachricht <= 0x0257);  // the pointer messages of Windows 8
}

Fenster* FensterAus(HWND hwnd) {
  return reinterpret_cast<Fenster*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void RegistriereKlassen(HINSTANCE instanz, WNDPROC fenster, WNDPROC bild) {
  WNDCLASSEXW klasse{};
  klasse.cbSize = sizeof(klasse);
  if (!GetClassInfoExW(instanz, kFensterklasse, &klasse)) {
    klasse = {};
    klasse.cbSize = sizeof(klasse);
    klasse.lpfnWndProc = fenster;
    klasse.hInstance = instanz;
    klasse.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klasse.hIcon = static_cast<HICON>(
        LoadImageW(instanz, MAKEINTRESOURCEW(kSymbolRessource), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    klasse.hIconSm = static_cast<HICON>(LoadImageW(instanz, MAKEINTRESOURCEW(kSymbolRessource),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
    klasse.lpszClassName = kFensterklasse;
    RegisterClassExW(&klasse);
  }
  if (!GetClassInfoExW(instanz, kBildklasse, &klasse)) {
    klasse = {};
    klasse.cbSize = sizeof(klasse);
    klasse.lpfnWndProc = bild;
    klasse.hInstance = instanz;
    klasse.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klasse.lpszClassName = kBildklasse;
    RegisterClassExW(&klasse);
  }
}

}  // namespace

Fenster::Fenster(HINSTANCE instanz, std::optional<std::string> dezimaltrenner)
    : instanz_(instanz),
      logik_(*this, dezimaltrenner ? std::move(*dezimaltrenner) : DezimaltrennerDesNutzers()) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  comInitialisiert_ = SUCCEEDED(com);
  hintergrund_ = CreateSolidBrush(Ref(kHintergrund));
  RegistriereKlassen(instanz_, &Fenster::Fensterprozedur, &Fenster::Bildprozedur);

  // Opened on the primary monitor, so its DPI is the one to size by.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT frei = monitor.rcWork;
  CreateWindowExW(kStilErweitert, kFensterklasse, L"", kStil, frei.left, frei.top, 100, 100,
                  nullptr, nullptr, instanz_, this);
  if (!hwnd_) return;
  dpi_ = static_cast<int>(DpiDesFensters(hwnd_));

  const RECT r = RahmenUm(Pixel(kFensterBreiteTwips, dpi_), Pixel(kFensterHoeheTwips, dpi_),
                          static_cast<UINT>(dpi_));
  const int breite = r.right - r.left;
  const int hoehe = r.bottom - r.top;
  const int links = frei.left + std::max(0L, (frei.right - frei.left - breite) / 2);
  const int oben = frei.top + std::max(0L, (frei.bottom - frei.top - hoehe) / 2);
  SetWindowPos(hwnd_, nullptr, links, oben, breite, hoehe, SWP_NOZORDER | SWP_NOACTIVATE);

  ErzeugeSteuerelemente();
  Anordnen();
  SetzeZugaenglichkeit();
}

Fenster::~Fenster() {
  if (hwnd_) {
    abbau_ = true;
    DestroyWindow(hwnd_);
  }
  LoescheSchriften();
  if (hintergrund_) DeleteObject(hintergrund_);
  if (zugang_) zugang_->Release();
  if (comInitialisiert_) CoUninitialize();
}

void Fenster::Anzeigen(int nCmdShow) {
  ShowWindow(hwnd_, nCmdShow);
  UpdateWindow(hwnd_);
}

void Fenster::ErzeugeSteuerelemente() {
  // Created in tab order: the dialog keys walk the children in the order
  // they were made. Labels take no focus, so each row label can stand just
  // before its text box, where screen readers look for a text box's name
  // when nothing else names it. Only the error label overlaps other
  // controls, and those are hidden whenever it shows.
  std::array<Element, kSteuerelemente.size()> nachTab{};
  std::iota(nachTab.begin(), nachTab.end(), Element{0});
  std::sort(nachTab.begin(), nachTab.end(),
            [](Element a, Element b) { return kSteuerelemente[a].tab < kSteuerelemente[b].tab; });
  auto istZeilenname = [](Element e) {
    return std::any_of(
        kSteuerelemente.begin(), kSteuerelemente.end(),
        [e](const dunstwerk::Steuerelement& s) { return s.zeile == kSteuerelemente[e].name; });
  };
  std::vector<Element> folge;
  for (Element e : nachTab) {
    if (istZeilenname(e)) continue;
    if (kSteuerelemente[e].art == Art::Textfeld)
      folge.push_back(ElementNamens(kSteuerelemente[e].zeile));
    folge.push_back(e);
  }

  for (Element e : folge) {
    const dunstwerk::Steuerelement& s = kSteuerelemente[e];
    const wchar_t* klasse = L"STATIC";
    DWORD stil = WS_CHILD | WS_CLIPSIBLINGS | (s.sichtbar ? WS_VISIBLE : 0);
    DWORD erweitert = 0;
    switch (s.art) {
      case Art::Bezeichnung:
        stil |= SS_NOPREFIX | (s.zentriert ? SS_CENTER : SS_LEFT);
        break;
      case Art::Textfeld:
        klasse = L"EDIT";
        stil |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        erweitert = WS_EX_CLIENTEDGE;
        break;
      case Art::Schaltflaeche:
        klasse = L"BUTTON";
        stil |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
      case Art::Bildfeld:
        klasse = kBildklasse;
        stil |= WS_TABSTOP;
        break;
    }
    steuerelemente_[e] =
        CreateWindowExW(erweitert, klasse, Breit(s.text).c_str(), stil, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kErsteSteuerelementId + e)),
                        instanz_, nullptr);
  }
}

HFONT Fenster::Schrift(double punkt, bool kursiv) {
  const int hundertstel = static_cast<int>(std::lround(punkt * 100));
  for (const auto& [schluessel, schrift] : schriften_) {
    if (schluessel == std::pair{hundertstel, kursiv}) return schrift;
  }
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(hundertstel, dpi_, 7200);
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = kursiv ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  HFONT schrift = CreateFontIndirectW(&lf);
  schriften_.push_back({{hundertstel, kursiv}, schrift});
  return schrift;
}

void Fenster::LoescheSchriften() {
  for (const auto& eintrag : schriften_) DeleteObject(eintrag.second);
  schriften_.clear();
}

void Fenster::Anordnen() {
  // New fonts for the current DPI; the old ones go once no control uses them.
  auto alte = std::move(schriften_);
  schriften_.clear();
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const dunstwerk::Steuerelement& s = kSteuerelemente[e];
    SetWindowPos(steuerelemente_[e], nullptr, Pixel(s.links, dpi_), Pixel(s.oben, dpi_),
                 Pixel(s.breite, dpi_), Pixel(s.hoehe, dpi_),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageW(steuerelemente_[e], WM_SETFONT,
                 reinterpret_cast<WPARAM>(Schrift(s.punkt, s.kursiv)), FALSE);
    // Narrow margins, so a value stands where it stands in Qt's text box.
    if (s.art == Art::Textfeld) {
      const WORD rand = static_cast<WORD>(MulDiv(2, dpi_, 96));
      SendMessageW(steuerelemente_[e], EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(rand, rand));
    }
  }
  for (const auto& eintrag : alte) DeleteObject(eintrag.second);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Fenster::SetzeZugaenglichkeit() {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&zugang_))))
    return;
  // A text box is named by the label of its row; the logo by its own name.
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const dunstwerk::Steuerelement& s = kSteuerelemente[e];
    std::string_view name;
    if (s.art == Art::Textfeld) name = kSteuerelemente[ElementNamens(s.zeile)].text;
    if (s.art == Art::Bildfeld) name = kLogoName;
    if (name.empty()) continue;
    zugang_->SetHwndPropStr(steuerelemente_[e], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                            PROPID_ACC_NAME, Breit(name).c_str());
  }
  // The error text is announced as an alert when it shows.
  VARIANT rolle{};
  rolle.vt = VT_I4;
  rolle.lVal = ROLE_SYSTEM_ALERT;
  zugang_->SetHwndProp(steuerelemente_[kFehlermeldung], static_cast<DWORD>(OBJID_CLIENT),
                       CHILDID_SELF, PROPID_ACC_ROLE, rolle);
}

COLORREF Fenster::Textfarbe(Element e) const {
  switch (kSteuerelemente[e].farbe) {
    case Farbe::Rot:
      return RGB(255, 0, 0);
    case Farbe::Blau:
      return RGB(0, 0, 255);
    case Farbe::Schwarz:
      return RGB(0, 0, 0);
    case Farbe::System:
      break;
  }
  const COLORREF system = GetSysColor(COLOR_BTNTEXT);
  return Ref(TextfarbeAufHintergrund(Rgb{GetRValue(system), GetGValue(system), GetBValue(system)}));
}

bool Fenster::Vorverarbeiten(MSG& nachricht) {
  if (!hwnd_) return false;
  if (logik_.Pausiert() && IstEingabe(nachricht.message)) return true;
  // Enter presses the focused button, as Space does.
  if (nachricht.message == WM_KEYDOWN && nachricht.wParam == VK_RETURN) {
    const HWND fokus = GetFocus();
    for (Element e = 0; e < kSteuerelemente.size(); ++e) {
      if (kSteuerelemente[e].art == Art::Schaltflaeche && steuerelemente_[e] == fokus) {
        SendMessageW(hwnd_, WM_COMMAND,
                     MAKEWPARAM(kErsteSteuerelementId + static_cast<int>(e), BN_CLICKED),
                     reinterpret_cast<LPARAM>(fokus));
        return true;
      }
    }
  }
  return IsDialogMessageW(hwnd_, &nachricht) != FALSE;
}

void Fenster::PauseBeenden() {
  if (!logik_.Pausiert()) return;
  KillTimer(hwnd_, kPausenuhr);
  logik_.PauseAbgelaufen();
}

void Fenster::Zeigen(Element e, bool sichtbar) {
  ShowWindow(steuerelemente_[e], sichtbar ? SW_SHOWNA : SW_HIDE);
  if (sichtbar && e == kFehlermeldung)
    NotifyWinEvent(EVENT_SYSTEM_ALERT, steuerelemente_[e], OBJID_CLIENT, CHILDID_SELF);
}

void Fenster::SetzeText(Element e, std::string_view text) {
  SetWindowTextW(steuerelemente_[e], Breit(text).c_str());
}

std::string Fenster::Text(Element e) const {
  const int laenge = GetWindowTextLengthW(steuerelemente_[e]);
  std::wstring text(static_cast<std::size_t>(laenge) + 1, L'\0');
  const int gelesen = GetWindowTextW(steuerelemente_[e], text.data(), laenge + 1);
  text.resize(static_cast<std::size_t>(std::max(gelesen, 0)));
  return Schmal(text);
}

void Fenster::SetzeBeschriftung(Element e, std::string_view text) {
  SetWindowTextW(steuerelemente_[e], Breit(text).c_str());
}

void Fenster::Fokus(Element e) { SetFocus(steuerelemente_[e]); }

void Fenster::SetzeFensterhoehe(int twips) {
  hoeheTwips_ = twips;
  RECT r;
  GetWindowRect(hwnd_, &r);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, Pixel(twips, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Fenster::NeuZeichnen() {
  RedrawWindow(hwnd_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Fenster::StartePausenuhr(int millisekunden) {
  SetTimer(hwnd_, kPausenuhr, static_cast<UINT>(millisekunden), nullptr);
}

void Fenster::Beenden() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Fenster::Fensterprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l) {
  if (nachricht == WM_NCCREATE) {
    auto* fenster = static_cast<Fenster*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    fenster->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(fenster));
  }
  Fenster* fenster = FensterAus(hwnd);
  if (!fenster) return DefWindowProcW(hwnd, nachricht, w, l);
  return fenster->Behandle(nachricht, w, l);
}

LRESULT Fenster::Behandle(UINT nachricht, WPARAM w, LPARAM l) {
  const HWND hwnd = hwnd_;
  switch (nachricht) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(w), &r, hintergrund_);
      return 1;
    }
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(l)) - kErsteSteuerelementId;
      if (id < 0 || id >= static_cast<int>(kSteuerelemente.size()) ||
          kSteuerelemente[static_cast<Element>(id)].art != Art::Bezeichnung)
        break;
      const HDC dc = reinterpret_cast<HDC>(w);
      SetTextColor(dc, Textfarbe(static_cast<Element>(id)));
      SetBkColor(dc, Ref(kHintergrund));
      return reinterpret_cast<LRESULT>(hintergrund_);
    }
    case WM_SYSCOLORCHANGE:
      // Labels in the system text colour follow a new colour scheme.
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_CTLCOLORBTN:
      // Round button corners show the window's yellow.
      return reinterpret_cast<LRESULT>(hintergrund_);
    case WM_COMMAND: {
      const int id = LOWORD(w) - kErsteSteuerelementId;
      if (HIWORD(w) == BN_CLICKED && id >= 0 && id < static_cast<int>(kSteuerelemente.size()) &&
          kSteuerelemente[static_cast<Element>(id)].art == Art::Schaltflaeche)
        logik_.Klick(static_cast<Element>(id));
      return 0;
    }
    case WM_TIMER:
      if (w != kPausenuhr) break;
      KillTimer(hwnd, kPausenuhr);
      logik_.PauseAbgelaufen();
      return 0;
    case WM_SYSCOMMAND:
      if (logik_.Pausiert() && (w & 0xFFF0) == SC_CLOSE) return 0;
      break;
    case WM_CLOSE:
      if (!logik_.Pausiert()) logik_.BeendenAnfordern();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (w) logik_.BeendenAnfordern();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        const HWND fokus = GetFocus();
        if (fokus && IsChild(hwnd, fokus)) letzterFokus_ = fokus;
      }
      break;
    case WM_SETFOCUS: {
      // As in a dialog, the focus goes on to a control: the one that had it
      // last, or the first in tab order.
      HWND ziel = letzterFokus_;
      if (!ziel || !IsWindowVisible(ziel) || !IsChild(hwnd, ziel))
        ziel = GetNextDlgTabItem(hwnd, nullptr, FALSE);
      if (ziel) SetFocus(ziel);
      return 0;
    }
    case WM_DPICHANGED: {
      dpi_ = LOWORD(w);
      const RECT* vorschlag = reinterpret_cast<const RECT*>(l);
      const RECT r = RahmenUm(Pixel(kFensterBreiteTwips, dpi_), Pixel(kFensterHoeheTwips, dpi_),
                              static_cast<UINT>(dpi_));
      const int hoehe = hoeheTwips_ ? Pixel(hoeheTwips_, dpi_) : r.bottom - r.top;
      SetWindowPos(hwnd, nullptr, vorschlag->left, vorschlag->top, r.right - r.left, hoehe,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Anordnen();
      return 0;
    }
    case WM_DESTROY:
      KillTimer(hwnd, kPausenuhr);
      if (zugang_) {
        for (HWND h : steuerelemente_) {
          const MSAAPROPID namen[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
          zugang_->ClearHwndProps(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, namen, 2);
        }
      }
      if (!abbau_) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      steuerelemente_.fill(nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, nachricht, w, l);
}

LRESULT CALLBACK Fenster::Bildprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l) {
  switch (nachricht) {
    case WM_PAINT: {
      Fenster* fenster = FensterAus(GetParent(hwnd));
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      // The logo at the top left, at its own size in twips.
      const int dpi = fenster ? fenster->dpi_ : 96;
      const int breite = Pixel(kLogoBreiteTwips, dpi);
      const int hoehe = Pixel(kLogoHoeheTwips, dpi);
      const Logobild& bild = LogoFuer(breite);
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = bild.breite;
      info.bmiHeader.biHeight = -bild.hoehe;  // rows from the top
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchDIBits(dc, 0, 0, breite, hoehe, 0, 0, bild.breite, bild.hoehe, bild.pixel, &info,
                    DIB_RGB_COLORS, SRCCOPY);
      if (GetFocus() == hwnd) DrawFocusRect(dc, &r);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    default:
      return DefWindowProcW(hwnd, nachricht, w, l);
  }
}

int Nachrichtenschleife(Fenster& fenster) {
  MSG nachricht{};
  for (;;) {
    const BOOL ergebnis = GetMessageW(&nachricht, nullptr, 0, 0);
    if (ergebnis == 0) return static_cast<int>(nachricht.wParam);
    if (ergebnis == -1) return 1;
    if (fenster.Vorverarbeiten(nachricht)) continue;
    TranslateMessage(&nachricht);
    DispatchMessageW(&nachricht);
  }
}

}  // namespace dunstwerk
