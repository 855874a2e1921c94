#include "ui/win32/fenster.h"

// clang-format off
#include <windowsx.h>  // GET_X_LPARAM
#include <initguid.h>  // the oleacc and imaging GUIDs, defined once here
#include <oleacc.h>
#include <wincodec.h>
// clang-format on

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>

#include "ui/farben.h"
#include "ui/win32/ressourcen.h"

// Windows 8 and later send pointer messages for touch and pen; the headers
// declare them only when the oldest target is Windows 8.
#ifndef WM_POINTERUPDATE
#define WM_NCPOINTERUPDATE 0x0241
#define WM_NCPOINTERDOWN 0x0242
#define WM_NCPOINTERUP 0x0243
#define WM_POINTERUPDATE 0x0245
#define WM_POINTERDOWN 0x0246
#define WM_POINTERUP 0x0247
#define WM_POINTERENTER 0x0249
#define WM_POINTERLEAVE 0x024a
#define WM_POINTERWHEEL 0x024e
#define WM_POINTERHWHEEL 0x024f
#endif

namespace dunstwerk {
namespace {

// Control IDs are the place in kSteuerelemente plus this.
constexpr int kErsteSteuerelementId = 100;
constexpr wchar_t kBildklasse[] = L"Dunstwerk_Bildfeld";
constexpr UINT_PTR kPausenuhr = 1;
constexpr DWORD kStil = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kStilErweitert = 0;
constexpr Element kFehlermeldung = ElementNamens("lbl_Fehlermeldung");
// The logo is 34 x 25 pixels at 96 DPI.
constexpr int kLogoBreiteTwips = 510;
constexpr int kLogoHoeheTwips = 375;
constexpr int kLogoRessourcen[] = {IDR_LOGO_34X25, IDR_LOGO_51X38, IDR_LOGO_68X50};

bool nurSystemDpi = false;

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

// The per-monitor DPI functions came with Windows 10 (1607); on Windows 7
// and 8 the window takes the system DPI and the classic frame calculation.
template <class F>
F User32Funktion(const char* name) {
  if (nurSystemDpi) return nullptr;
  return reinterpret_cast<F>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int DpiDesFensters(HWND hwnd) {
  if (const auto dpi = User32Funktion<UINT(WINAPI*)(HWND)>("GetDpiForWindow"))
    return static_cast<int>(dpi(hwnd));
  HDC dc = GetDC(hwnd);
  const int wert = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(hwnd, dc);
  return wert;
}

COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

Rgb AusRef(COLORREF c) { return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; }

// User input that the pause drops before it reaches a control.
bool IstEingabe(UINT nachricht) {
  return (nachricht >= WM_KEYFIRST && nachricht <= WM_KEYLAST) ||
         (nachricht >= WM_MOUSEFIRST && nachricht <= WM_MOUSELAST) ||
         (nachricht >= WM_NCMOUSEMOVE && nachricht <= WM_NCXBUTTONDBLCLK) ||
         nachricht == WM_NCMOUSEHOVER || nachricht == WM_NCMOUSELEAVE ||
         nachricht == WM_MOUSEHOVER || nachricht == WM_MOUSELEAVE || nachricht == WM_INPUT ||
         nachricht == WM_TOUCH || nachricht == WM_GESTURE || nachricht == WM_CONTEXTMENU ||
         nachricht == WM_NCPOINTERUPDATE || nachricht == WM_NCPOINTERDOWN ||
         nachricht == WM_NCPOINTERUP || nachricht == WM_POINTERUPDATE ||
         nachricht == WM_POINTERDOWN || nachricht == WM_POINTERUP || nachricht == WM_POINTERENTER ||
         nachricht == WM_POINTERLEAVE || nachricht == WM_POINTERWHEEL ||
         nachricht == WM_POINTERHWHEEL;
}

// "\n" line ends as Windows writes them, "\r\n".
std::string MitCrLf(std::string_view text) {
  std::string ergebnis;
  for (char z : text) {
    if (z == '\n') ergebnis += '\r';
    ergebnis += z;
  }
  return ergebnis;
}

// An HTML fragment in the clipboard's "HTML Format": a header with the byte
// offsets of the document and of the fragment in it, then the document.
std::string AlsCfHtml(std::string_view fragment) {
  constexpr std::string_view kVor = "<html><body>\r\n<!--StartFragment-->";
  constexpr std::string_view kNach = "<!--EndFragment-->\r\n</body></html>\r\n";
  // Each offset in ten digits, so that the header's length is known first.
  auto kopf = [](std::size_t html, std::size_t htmlEnde, std::size_t anfang, std::size_t ende) {
    auto zahl = [](std::size_t n) {
      std::string ziffern(10, '0');
      for (std::size_t i = ziffern.size(); i-- > 0 && n > 0; n /= 10)
        ziffern[i] = static_cast<char>('0' + n % 10);
      return ziffern;
    };
    return "Version:0.9\r\nStartHTML:" + zahl(html) + "\r\nEndHTML:" + zahl(htmlEnde) +
           "\r\nStartFragment:" + zahl(anfang) + "\r\nEndFragment:" + zahl(ende) + "\r\n";
  };
  const std::size_t laenge = kopf(0, 0, 0, 0).size();
  const std::size_t anfang = laenge + kVor.size();
  const std::size_t ende = anfang + fragment.size();
  std::string html = kopf(laenge, ende + kNach.size(), anfang, ende);
  html.append(kVor).append(fragment).append(kNach);
  return html;
}

// Hands bytes to the clipboard, which owns them once it has taken them.
void Ablegen(UINT format, const void* daten, std::size_t groesse) {
  HGLOBAL speicher = GlobalAlloc(GMEM_MOVEABLE, groesse);
  if (!speicher) return;
  if (void* ziel = GlobalLock(speicher)) {
    std::memcpy(ziel, daten, groesse);
    GlobalUnlock(speicher);
    if (SetClipboardData(format, speicher)) return;
  }
  GlobalFree(speicher);
}

Fenster* FensterAus(HWND hwnd) {
  return reinterpret_cast<Fenster*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Both window classes of the program, once: a second window finds them.
void RegistriereKlassen(HINSTANCE instanz, WNDPROC fenster, WNDPROC bild) {
  WNDCLASSEXW klasse{};
  klasse.cbSize = sizeof(klasse);
  if (GetClassInfoExW(instanz, kFensterklasse, &klasse)) return;
  klasse = {};
  klasse.cbSize = sizeof(klasse);
  klasse.hInstance = instanz;
  klasse.hCursor = LoadCursorW(nullptr, IDC_ARROW);

  klasse.lpfnWndProc = bild;
  klasse.lpszClassName = kBildklasse;
  RegisterClassExW(&klasse);

  klasse.lpfnWndProc = fenster;
  klasse.lpszClassName = kFensterklasse;
  klasse.hIcon = static_cast<HICON>(
      LoadImageW(instanz, MAKEINTRESOURCEW(IDI_DUNSTWERK), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  klasse.hIconSm = static_cast<HICON>(LoadImageW(instanz, MAKEINTRESOURCEW(IDI_DUNSTWERK),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
  RegisterClassExW(&klasse);
}

// Holds one COM interface and releases it.
template <class T>
class Com {
 public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p_) p_->Release();
  }
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// A PNG file of the program's resources as 32-bit pixels (blue, green, red,
// unused), through the Windows Imaging Component that every Windows since 7
// has. Empty when the resource is missing or cannot be decoded.
std::vector<std::uint32_t> LadePng(IWICImagingFactory* fabrik, HINSTANCE instanz, int ressource,
                                   UINT& breite, UINT& hoehe) {
  const HRSRC fund = FindResourceW(instanz, MAKEINTRESOURCEW(ressource), RT_RCDATA);
  const HGLOBAL daten = fund ? LoadResource(instanz, fund) : nullptr;
  const auto* bytes = static_cast<BYTE*>(daten ? LockResource(daten) : nullptr);
  if (!bytes) return {};
  Com<IWICStream> strom;
  Com<IWICBitmapDecoder> dekoder;
  Com<IWICBitmapFrameDecode> bild;
  Com<IWICFormatConverter> wandler;
  if (FAILED(fabrik->CreateStream(&strom)) ||
      FAILED(
          strom->InitializeFromMemory(const_cast<BYTE*>(bytes), SizeofResource(instanz, fund))) ||
      FAILED(fabrik->CreateDecoderFromStream(strom.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                             &dekoder)) ||
      FAILED(dekoder->GetFrame(0, &bild)) || FAILED(fabrik->CreateFormatConverter(&wandler)) ||
      FAILED(wandler->Initialize(bild.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                 nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
      FAILED(wandler->GetSize(&breite, &hoehe)))
    return {};
  std::vector<std::uint32_t> pixel(std::size_t{breite} * hoehe);
  if (FAILED(wandler->CopyPixels(nullptr, breite * 4, static_cast<UINT>(pixel.size() * 4),
                                 reinterpret_cast<BYTE*>(pixel.data()))))
    return {};
  return pixel;
}

}  // namespace

void Fenster::NurSystemDpi() { nurSystemDpi = true; }

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
  dpi_ = DpiDesFensters(hwnd_);

  const RECT r = Rahmen(kFensterBreiteTwips, kFensterHoeheTwips);
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
  schriften_.Loeschen();
  if (hintergrund_) DeleteObject(hintergrund_);
  if (zugang_) zugang_->Release();
  if (comInitialisiert_) CoUninitialize();
}

void Fenster::Anzeigen(int nCmdShow) {
  ShowWindow(hwnd_, nCmdShow);
  UpdateWindow(hwnd_);
}

// The window's outer rectangle around a client area of this size.
RECT Fenster::Rahmen(int breiteTwips, int hoeheTwips) const {
  RECT r{0, 0, Pixel(breiteTwips, dpi_), Pixel(hoeheTwips, dpi_)};
  if (const auto anpassen = User32Funktion<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>(
          "AdjustWindowRectExForDpi"))
    anpassen(&r, kStil, FALSE, kStilErweitert, static_cast<UINT>(dpi_));
  else
    AdjustWindowRectEx(&r, kStil, FALSE, kStilErweitert);
  return r;
}

std::optional<Element> Fenster::ElementVon(HWND steuerelement) const {
  const auto stelle = std::find(steuerelemente_.begin(), steuerelemente_.end(), steuerelement);
  if (!steuerelement || stelle == steuerelemente_.end()) return std::nullopt;
  return static_cast<Element>(stelle - steuerelemente_.begin());
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

void Fenster::Anordnen() {
  // New fonts for the current DPI; the old ones go once no control uses them.
  Schriften alte = std::exchange(schriften_, Schriften{dpi_, {}});
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const dunstwerk::Steuerelement& s = kSteuerelemente[e];
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

void Fenster::SetzeZugaenglichkeit() {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&zugang_))))
    return;
  // A text box is named by the label of its row; the logo by its own name.
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const dunstwerk::Steuerelement& s = kSteuerelemente[e];
    std::string_view name;
    if (s.art == Art::Textfeld) name = ZeileVon(e).text;
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

bool Fenster::Vorverarbeiten(MSG& nachricht) {
  if (!hwnd_) return false;
  if (logik_.Pausiert() && IstEingabe(nachricht.message)) return true;
  // Ctrl+C copies the results, unless the focused text box has a selection
  // to copy.
  if (nachricht.message == WM_KEYDOWN && nachricht.wParam == 'C' && GetKeyState(VK_CONTROL) < 0 &&
      GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0) {
    const std::optional<Element> e = ElementVon(GetFocus());
    DWORD von = 0, bis = 0;
    if (e && kSteuerelemente[*e].art == Art::Textfeld)
      SendMessageW(steuerelemente_[*e], EM_GETSEL, reinterpret_cast<WPARAM>(&von),
                   reinterpret_cast<LPARAM>(&bis));
    if (von == bis) {
      logik_.ErgebnisseKopieren();
      return true;
    }
  }
  // Enter presses the focused button, as Space does.
  if (nachricht.message == WM_KEYDOWN && nachricht.wParam == VK_RETURN) {
    const std::optional<Element> e = ElementVon(GetFocus());
    if (e && kSteuerelemente[*e].art == Art::Schaltflaeche) {
      logik_.Klick(*e);
      return true;
    }
  }
  return IsDialogMessageW(hwnd_, &nachricht) != FALSE;
}

void Fenster::PauseBeenden() {
  KillTimer(hwnd_, kPausenuhr);
  if (logik_.Pausiert()) logik_.PauseAbgelaufen();
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

void Fenster::InZwischenablage(std::string_view text, std::string_view html) {
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  const std::wstring breit = Breit(MitCrLf(text));
  Ablegen(CF_UNICODETEXT, breit.c_str(), (breit.size() + 1) * sizeof(wchar_t));
  static const UINT kHtmlFormat = RegisterClipboardFormatW(L"HTML Format");
  const std::string cfHtml = AlsCfHtml(html);
  if (kHtmlFormat) Ablegen(kHtmlFormat, cfHtml.c_str(), cfHtml.size() + 1);
  CloseClipboard();
}

LRESULT CALLBACK Fenster::Fensterprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l) {
  if (nachricht == WM_NCCREATE) {
    auto* fenster = static_cast<Fenster*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    fenster->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(fenster));
  }
  Fenster* f = FensterAus(hwnd);
  if (!f) return DefWindowProcW(hwnd, nachricht, w, l);
  switch (nachricht) {
    case WM_ERASEBKGND:
      return f->OnEraseBkgnd(reinterpret_cast<HDC>(w));
    case WM_CTLCOLORSTATIC:
      return f->OnCtlColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_CTLCOLORBTN:
      return f->OnCtlColorBtn();
    case WM_SYSCOLORCHANGE:
      return f->OnSysColorChange();
    case WM_COMMAND:
      return f->OnCommand(LOWORD(w), HIWORD(w));
    case WM_CONTEXTMENU:
      return f->OnContextMenu(reinterpret_cast<HWND>(w), l);
    case WM_TIMER:
      return f->OnTimer(w);
    case WM_CLOSE:
      return f->OnClose();
    case WM_ENDSESSION:
      return f->OnEndSession(w != FALSE);
    case WM_ACTIVATE:
      f->OnActivate(LOWORD(w));
      break;
    case WM_SETFOCUS:
      return f->OnSetFocus();
    case WM_DPICHANGED:
      return f->OnDpiChanged(LOWORD(w), *reinterpret_cast<const RECT*>(l));
    case WM_DESTROY:
      return f->OnDestroy();
    case WM_NCDESTROY:
      f->OnNcDestroy();
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, nachricht, w, l);
}

LRESULT Fenster::OnEraseBkgnd(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(dc, &r, hintergrund_);
  return 1;
}

LRESULT Fenster::OnCtlColorStatic(HDC dc, HWND beschriftung) {
  const std::optional<Element> e = ElementVon(beschriftung);
  if (!e || kSteuerelemente[*e].art != Art::Bezeichnung)
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(beschriftung));
  SetTextColor(dc, Ref(Textfarbe(kSteuerelemente[*e].farbe, AusRef(GetSysColor(COLOR_BTNTEXT)))));
  SetBkColor(dc, Ref(kHintergrund));
  return reinterpret_cast<LRESULT>(hintergrund_);
}

// Round button corners show the window's yellow.
LRESULT Fenster::OnCtlColorBtn() { return reinterpret_cast<LRESULT>(hintergrund_); }

// Labels in the system text colour follow a new colour scheme.
LRESULT Fenster::OnSysColorChange() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return 0;
}

LRESULT Fenster::OnCommand(int id, int code) {
  if (id == static_cast<int>(kKopierenBefehl)) {
    logik_.ErgebnisseKopieren();
    return 0;
  }
  const int stelle = id - kErsteSteuerelementId;
  if (code == BN_CLICKED && stelle >= 0 && stelle < static_cast<int>(kSteuerelemente.size()))
    logik_.Klick(static_cast<Element>(stelle));
  return 0;
}

// The window's own menu, for a right click on its background, a label (which
// lets the mouse through to the window), a button or the logo, and for
// Shift+F10 or the menu key while the focus is not in a text box. Text boxes
// open their own menu and do not pass the message on.
LRESULT Fenster::OnContextMenu(HWND quelle, LPARAM ort) {
  POINT p{GET_X_LPARAM(ort), GET_Y_LPARAM(ort)};
  if (p.x == -1 && p.y == -1) {
    // From the keyboard: at the middle of the focused control.
    RECT r;
    GetWindowRect(quelle, &r);
    p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  } else if (quelle == hwnd_ && SendMessageW(hwnd_, WM_NCHITTEST, 0, ort) != HTCLIENT) {
    // The title bar keeps its system menu.
    return DefWindowProcW(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(quelle), ort);
  }
  const HMENU menue = CreatePopupMenu();
  const std::string eintrag = std::string(kKopierenEintrag) + "\t" + std::string(kKopierenTaste);
  AppendMenuW(menue, MF_STRING | (logik_.KopierenMoeglich() ? MF_ENABLED : MF_GRAYED),
              kKopierenBefehl, Breit(eintrag).c_str());
  TrackPopupMenu(menue, TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
  DestroyMenu(menue);
  return 0;
}

LRESULT Fenster::OnTimer(UINT_PTR uhr) {
  if (uhr == kPausenuhr) PauseBeenden();
  return 0;
}

// Closing waits for no pause: while an error text stands it is dropped, as
// every other input is.
LRESULT Fenster::OnClose() {
  if (!logik_.Pausiert()) logik_.BeendenAnfordern();
  return 0;
}

// A session that ends cannot wait for the user: the program ends when the
// error text has stood its time.
LRESULT Fenster::OnEndSession(bool endet) {
  if (endet) logik_.BeendenAnfordern();
  return 0;
}

void Fenster::OnActivate(int zustand) {
  if (zustand != WA_INACTIVE) return;
  const HWND fokus = GetFocus();
  if (fokus && IsChild(hwnd_, fokus)) letzterFokus_ = fokus;
}

// As in a dialog, the focus goes on to a control: the one that had it last,
// or the first in tab order.
LRESULT Fenster::OnSetFocus() {
  HWND ziel = letzterFokus_;
  if (!ziel || !IsWindowVisible(ziel) || !IsChild(hwnd_, ziel))
    ziel = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (ziel) SetFocus(ziel);
  return 0;
}

LRESULT Fenster::OnDpiChanged(int dpi, const RECT& vorschlag) {
  dpi_ = dpi;
  const RECT r = Rahmen(kFensterBreiteTwips, kFensterHoeheTwips);
  const int hoehe = hoeheTwips_ ? Pixel(hoeheTwips_, dpi_) : r.bottom - r.top;
  SetWindowPos(hwnd_, nullptr, vorschlag.left, vorschlag.top, r.right - r.left, hoehe,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Anordnen();
  return 0;
}

LRESULT Fenster::OnDestroy() {
  KillTimer(hwnd_, kPausenuhr);
  if (zugang_) {
    for (HWND h : steuerelemente_) {
      const MSAAPROPID namen[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
      zugang_->ClearHwndProps(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, namen, 2);
    }
  }
  if (!abbau_) PostQuitMessage(0);
  return 0;
}

void Fenster::OnNcDestroy() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  steuerelemente_.fill(nullptr);
}

// The render of the logo that is drawn at a width: the smallest that is not
// narrower, so that it is only ever scaled down. The renders are decoded
// once, at the first paint.
const Fenster::Logobild* Fenster::LogoFuer(int breite) {
  if (!logosGeladen_) {
    logosGeladen_ = true;
    Com<IWICImagingFactory> fabrik;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&fabrik))))
      return nullptr;
    for (int ressource : kLogoRessourcen) {
      UINT b = 0, h = 0;
      std::vector<std::uint32_t> pixel = LadePng(fabrik.get(), instanz_, ressource, b, h);
      if (!pixel.empty())
        logos_.push_back({static_cast<int>(b), static_cast<int>(h), std::move(pixel)});
    }
    std::sort(logos_.begin(), logos_.end(),
              [](const Logobild& a, const Logobild& b) { return a.breite < b.breite; });
  }
  if (logos_.empty()) return nullptr;
  for (const Logobild& bild : logos_) {
    if (bild.breite >= breite) return &bild;
  }
  return &logos_.back();
}

void Fenster::MaleLogo(HWND bildfeld, HDC dc) {
  RECT r;
  GetClientRect(bildfeld, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  // The logo at the top left, at its own size in twips.
  const int breite = Pixel(kLogoBreiteTwips, dpi_);
  const int hoehe = Pixel(kLogoHoeheTwips, dpi_);
  if (const Logobild* bild = LogoFuer(breite)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bild->breite;
    info.bmiHeader.biHeight = -bild->hoehe;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, 0, 0, breite, hoehe, 0, 0, bild->breite, bild->hoehe, bild->pixel.data(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
  }
  if (GetFocus() == bildfeld) DrawFocusRect(dc, &r);
}

LRESULT CALLBACK Fenster::Bildprozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l) {
  switch (nachricht) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd, &ps);
      if (Fenster* f = FensterAus(GetParent(hwnd))) f->MaleLogo(hwnd, dc);
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
