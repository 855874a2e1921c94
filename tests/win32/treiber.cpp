// The window tests' driver for the Win32 window, and the checks that only
// Windows has: the logo's pixels and a move to a screen of another DPI.
// Arguments after GoogleTest's: --nur-systemdpi hides the per-monitor DPI
// functions, as on Windows 7 and 8; --dpi=N is the DPI to expect.
#include "vertrag/treiber.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/win32/fenster.h"
#include "ui/win32/intern.h"

namespace dunstwerk::test {
namespace {

int erwarteteDpi = 96;
bool nurSystemDpi = false;
const bool unterWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");

using win32::RgbVon;

// Line ends "\n" unless Windows' own are asked for.
std::string Utf8(std::wstring_view t, bool crlf = false) {
  std::string s = win32::Schmal(t);
  if (!crlf) std::erase(s, '\r');
  return s;
}

// The context menu that is open, read in its own message loop.
Menue* offenesMenue = nullptr;
bool menueWaehlen = false;
void CALLBACK MenueLesen(HWND, UINT, UINT_PTR uhr, DWORD) {
  KillTimer(nullptr, uhr);
  const HWND fenster = FindWindowW(L"#32768", nullptr);
  if (!fenster || !IsWindowVisible(fenster)) return;
  const HMENU menue = reinterpret_cast<HMENU>(SendMessageW(fenster, MN_GETHMENU, 0, 0));
  wchar_t text[64] = {};
  GetMenuStringW(menue, 0, text, 64, MF_BYPOSITION);
  *offenesMenue = {true, GetMenuItemCount(menue) == 1 && Utf8(text) == kKopierenMenueeintrag,
                   !(GetMenuState(menue, 0, MF_BYPOSITION) & MF_GRAYED)};
  if (!menueWaehlen || !offenesMenue->eigenes || !offenesMenue->aktiv) return void(EndMenu());
  for (WPARAM taste : {VK_DOWN, VK_RETURN}) {
    PostMessageW(fenster, WM_KEYDOWN, taste, 1);
    PostMessageW(fenster, WM_KEYUP, taste, LPARAM(0xC0000001u));
  }
}

class Win32Treiber final : public Treiber {
 public:
  ~Win32Treiber() override {
    fenster_.reset();
    SetSysColors(1, &kSystemtext, &systemtext_);
  }

  HWND H(std::string_view name) { return fenster_->HwndVon(name); }

  void Oeffnen() override {
    fenster_.reset();
    SetSysColors(1, &kSystemtext, &systemtext_);
    fenster_.emplace(GetModuleHandleW(nullptr), ",");
    fenster_->Anzeigen();
    hwnd_ = fenster_->Hwnd();
    SetForegroundWindow(hwnd_);
    Pumpe();
  }
  int Dpi() override { return erwarteteDpi; }

  // Posted, as the mouse and the keyboard send them, through the program's
  // message loop.
  void Klick(std::string_view name) override {
    for (UINT art : {WM_LBUTTONDOWN, WM_LBUTTONUP})
      PostMessageW(H(name), art, art == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(3, 3));
    Pumpe();
  }
  // ASCII only.
  void Tippe(std::string_view name, std::string_view text) override {
    for (char z : text) PostMessageW(H(name), WM_CHAR, WPARAM(z), 1);
    Pumpe();
  }
  void Druecke(Taste taste) override {
    static constexpr WPARAM kTasten[] = {VK_TAB, VK_RETURN, VK_RETURN, VK_SPACE, 'C'};
    const LPARAM erweitert = taste == Taste::ZiffernblockEnter ? LPARAM(1) << 24 : 0;
    BYTE tasten[256];
    GetKeyboardState(tasten);
    tasten[VK_CONTROL] = taste == Taste::StrgC ? 0x80 : 0;
    SetKeyboardState(tasten);
    for (UINT art : {WM_KEYDOWN, WM_KEYUP})
      PostMessageW(GetFocus(), art, kTasten[int(taste)],
                   (art == WM_KEYUP ? LPARAM(0xC0000001u) : 1) | erweitert);
    Pumpe();
    tasten[VK_CONTROL] = 0;
    SetKeyboardState(tasten);
  }
  void SetzeFokus(std::string_view name) override { SetFocus(H(name)); }
  std::string Fokus() override {
    for (const Steuerelement& s : kSteuerelemente) {
      if (H(s.name) == GetFocus()) return std::string(s.name);
    }
    return "";
  }
  void Markiere(std::string_view name, int ab) override {
    SetFocus(H(name));
    SendMessageW(H(name), EM_SETSEL, WPARAM(ab), -1);
  }

  std::string Text(std::string_view name) override {
    std::wstring t(std::size_t(GetWindowTextLengthW(H(name))) + 1, L'\0');
    t.resize(std::size_t(GetWindowTextW(H(name), t.data(), int(t.size()))));
    return Utf8(t);
  }
  bool Sichtbar(std::string_view name) override { return IsWindowVisible(H(name)); }
  Rechteck Lage(std::string_view name) override { return Rahmen(H(name)); }
  Rechteck Innen() override {
    RECT c;
    GetClientRect(hwnd_, &c);
    return {0, 0, c.right, c.bottom};
  }
  int Aussenhoehe() override { return Rahmen(hwnd_).hoehe; }
  Schrift SchriftVon(std::string_view name) override {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(H(name), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return {Utf8(lf.lfFaceName), -lf.lfHeight, lf.lfWeight == FW_BOLD, lf.lfItalic != 0};
  }
  // As the window gives them to a label.
  std::pair<Rgb, Rgb> Farben(std::string_view name) override {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(hwnd_, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(H(name)));
    const std::pair farben{RgbVon(GetTextColor(dc)), RgbVon(GetBkColor(dc))};
    DeleteDC(dc);
    return farben;
  }
  std::pair<std::string, Rolle> Zugang(std::string_view name) override {
    IAccessible* zugang = nullptr;
    AccessibleObjectFromWindow(H(name), DWORD(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&zugang));
    VARIANT selbst{}, rolle{};
    selbst.vt = VT_I4;
    BSTR n = nullptr;
    zugang->get_accName(selbst, &n);
    zugang->get_accRole(selbst, &rolle);
    zugang->Release();
    const std::string text = Utf8(n ? n : L"");
    SysFreeString(n);
    return {text, rolle.lVal == ROLE_SYSTEM_ALERT     ? Rolle::Alarm
                  : rolle.lVal == ROLE_SYSTEM_GRAPHIC ? Rolle::Grafik
                                                      : Rolle::Standard};
  }
  std::string ZugangUnlesbar() override {
    return unterWine ? "Wine's oleacc answers SetHwndPropStr and SetHwndProp with E_NOTIMPL; "
                       "Win32Fenster.ZugangWieVerlangt checks what the window asks for"
                     : "";
  }
  void SetzeSystemtext(Rgb farbe) override {
    const COLORREF neu = RGB(farbe.r, farbe.g, farbe.b);
    SetSysColors(1, &kSystemtext, &neu);
    Pumpe();
  }

  // CF_HTML's header gives the document's byte offsets.
  std::pair<std::string, std::string> Ablage() override {
    std::string daten[2];
    OpenClipboard(nullptr);
    for (int i : {0, 1}) {
      if (HANDLE h =
              GetClipboardData(i ? RegisterClipboardFormatW(L"HTML Format") : CF_UNICODETEXT)) {
        daten[i].assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
      }
    }
    EmptyClipboard();
    CloseClipboard();
    const std::string& html = daten[1];
    const auto zahl = [&](std::string_view n) {
      const std::size_t stelle = html.find(n);
      return stelle == std::string::npos ? 0 : std::atoi(html.c_str() + stelle + n.size());
    };
    const std::size_t anfang = zahl("StartHTML:"), ende = zahl("EndHTML:");
    std::wstring text(reinterpret_cast<const wchar_t*>(daten[0].data()), daten[0].size() / 2);
    return {Utf8(text.substr(0, text.find(L'\0')), true),
            anfang < ende && ende <= html.size() ? html.substr(anfang, ende - anfang) : ""};
  }
  std::string_view Zeilenende() override { return "\r\n"; }
  // Shift+F10 reaches the focused control, which hands it on to the window
  // unless it is a text box; a right click on a label reaches the window.
  Menue Kontextmenue(std::string_view name, bool waehlen) override {
    Menue menue;
    offenesMenue = &menue;
    menueWaehlen = waehlen;
    SetTimer(nullptr, 0, 50, MenueLesen);
    const HWND ziel = name.empty() ? GetFocus() : hwnd_;
    RECT r{};
    if (!name.empty()) GetWindowRect(H(name), &r);
    const LPARAM mitte = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(ziel, WM_CONTEXTMENU, WPARAM(ziel), name.empty() ? -1 : mitte);
    Pumpe(100);
    return menue;
  }

  bool Pausiert() override { return fenster_->Pausiert(); }
  void PauseBeenden() override {
    fenster_->PauseBeenden();
    Pumpe();
  }
  // Scribbled over, the window must paint its background again.
  bool Warte(int ms) override {
    HDC dc = GetDC(hwnd_);
    const RECT ecke{0, 0, 4, 4};
    FillRect(dc, &ecke, HBRUSH(GetStockObject(BLACK_BRUSH)));
    InvalidateRect(hwnd_, nullptr, TRUE);
    Pumpe(DWORD(ms));
    const bool gemalt = GetPixel(dc, 1, 1) == RGB(kHintergrund.r, kHintergrund.g, kHintergrund.b);
    ReleaseDC(hwnd_, dc);
    return gemalt;
  }
  // The title bar, the system menu or Alt+F4; another program or this one;
  // the session's end.
  std::string SchliessenAnfordern(Fensterlogik::Schliessgrund grund) override {
    static constexpr UINT kNachrichten[] = {WM_SYSCOMMAND, WM_CLOSE, WM_ENDSESSION};
    PostMessageW(hwnd_, kNachrichten[int(grund)],
                 grund == decltype(grund)::Nutzer ? SC_CLOSE : TRUE, 0);
    Pumpe();
    return "";
  }
  bool Offen() override { return IsWindow(hwnd_); }

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

 private:
  static constexpr int kSystemtext = COLOR_BTNTEXT;

  // In the client area.
  Rechteck Rahmen(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }

  const COLORREF systemtext_ = GetSysColor(kSystemtext);
  std::optional<Fenster> fenster_;
  HWND hwnd_ = nullptr;
};

std::optional<Win32Treiber> treiber;

// Each render of the logo at the DPI it is drawn at unscaled: its width and
// a few of its pixels (COLORREF: 0xBBGGRR), from its PNG file. The box shows
// it at its top left, and the button face beside it.
void PruefeLogo(int dpi) {
  struct Probe {
    int dpi, breite, punkte[3][3];  // x, y, colour
  };
  static constexpr Probe kProben[] = {
      {96, 34, {{19, 3, 0xD79F79}, {11, 6, 0xB45A1B}, {6, 14, 0xC27642}}},
      {144, 51, {{35, 9, 0xAC4A05}, {17, 11, 0xEBD4C4}, {21, 7, 0xF0DFD3}}},
      {192, 68, {{35, 6, 0xB76124}, {42, 11, 0xB35A1B}, {17, 13, 0xDFB190}}},
  };
  SCOPED_TRACE("logo at " + std::to_string(dpi) + " DPI");
  const HWND bildfeld = treiber->H("pic_VKR");
  UpdateWindow(bildfeld);
  HDC dc = GetDC(bildfeld);
  for (const Probe& p : kProben) {
    if (p.dpi != dpi) continue;
    for (const auto& [x, y, farbe] : p.punkte) EXPECT_EQ(GetPixel(dc, x, y), COLORREF(farbe));
    EXPECT_EQ(GetPixel(dc, p.breite, 0), GetSysColor(COLOR_BTNFACE));
  }
  ReleaseDC(bildfeld, dc);
}

// What the window asks the accessibility service for, recorded in its place.
struct Zugangsprotokoll : Zugangsdienst {
  std::map<HWND, std::wstring>& namen;
  std::map<HWND, long>& rollen;
  std::set<HWND>& vergessen;
  Zugangsprotokoll(std::map<HWND, std::wstring>& n, std::map<HWND, long>& r, std::set<HWND>& v)
      : namen(n), rollen(r), vergessen(v) {}
  void SetzeName(HWND h, const std::wstring& name) override { namen[h] = name; }
  void SetzeRolle(HWND h, long rolle) override { rollen[h] = rolle; }
  void Vergessen(HWND h) override { vergessen.insert(h); }
};

// Every text box is named by its row label and the logo by its own name; the
// logo is a graphic and the error label an alert; all of it is forgotten when
// the window goes. Checked here because Wine's service cannot be read back.
TEST(Win32Fenster, ZugangWieVerlangt) {
  std::map<HWND, std::wstring> namen;
  std::map<HWND, long> rollen;
  std::set<HWND> vergessen;
  std::map<std::string, std::string> gefragt;  // control: name, role
  {
    Fenster f(GetModuleHandleW(nullptr), ",",
              std::make_unique<Zugangsprotokoll>(namen, rollen, vergessen));
    for (const Steuerelement& s : kSteuerelemente) {
      const HWND h = f.HwndVon(s.name);
      if (namen.contains(h)) gefragt[std::string(s.name)] = Utf8(namen[h]);
      if (rollen.contains(h)) gefragt[std::string(s.name)] += "/" + std::to_string(rollen[h]);
    }
    EXPECT_TRUE(vergessen.empty());
  }
  std::map<std::string, std::string> erwartet{
      {"pic_VKR", "Dunstwerk-Logo/" + std::to_string(ROLE_SYSTEM_GRAPHIC)},
      {"lbl_Fehlermeldung", "/" + std::to_string(ROLE_SYSTEM_ALERT)}};
  for (Element feld : kErgebnisfelder)
    erwartet[std::string(kSteuerelemente[feld].name)] = ZeileVon(feld).text;
  EXPECT_EQ(gefragt, erwartet);
  EXPECT_EQ(namen.size() + rollen.size(), 15u);
  for (const auto& [h, name] : namen) EXPECT_TRUE(vergessen.contains(h)) << Utf8(name);
  for (const auto& [h, rolle] : rollen) EXPECT_TRUE(vergessen.contains(h)) << rolle;
}

// Screen readers hear of the error text as it appears, once (Wine delivers
// the event to a hook as Windows does).
std::vector<HWND> alarme;
void CALLBACK AlarmGehoert(HWINEVENTHOOK, DWORD ereignis, HWND h, LONG objekt, LONG kind, DWORD,
                           DWORD) {
  if (ereignis == EVENT_SYSTEM_ALERT && objekt == OBJID_CLIENT && kind == CHILDID_SELF)
    alarme.push_back(h);
}

TEST(Win32Fenster, AlarmBeimFehlertext) {
  Win32Treiber& t = *treiber;
  t.Oeffnen();
  alarme.clear();
  const HWINEVENTHOOK haken =
      SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, AlarmGehoert,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(haken);
  t.Klick("cmd_Rechn_1");
  t.Pumpe(50);
  EXPECT_TRUE(alarme.empty());
  t.Klick("cmd_rechne");
  t.Pumpe(50);
  EXPECT_EQ(alarme, std::vector<HWND>{t.H("lbl_Fehlermeldung")});
  UnhookWinEvent(haken);
  t.PauseBeenden();
}

TEST(Win32Fenster, LogoBeiDerSystemDpi) {
  treiber->Oeffnen();
  PruefeLogo(erwarteteDpi);
}

// Moved to screens of 144 and 192 DPI (10 and 7.5 twips a pixel), the
// window keeps its height after the mode choice and lays out anew.
TEST(Win32Fenster, NeueDpiNachDerWahl) {
  if (nurSystemDpi) GTEST_SKIP() << "Windows 7 sends no WM_DPICHANGED";
  Win32Treiber& t = *treiber;
  t.Oeffnen();
  t.Klick("cmd_Rechn_1");
  for (int dpi : {144, 192}) {
    SCOPED_TRACE(dpi);
    const HWND hwnd = GetParent(t.H("pic_VKR"));
    RECT w;
    GetWindowRect(hwnd, &w);
    RECT vorschlag{w.left, w.top, w.right + 300, w.bottom + 200};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&vorschlag));
    EXPECT_EQ(t.Innen().breite, Pixel(kFensterBreiteTwips, dpi));
    EXPECT_EQ(t.Aussenhoehe(), Pixel(kHoeheNachWahlTwips, dpi));
    const Steuerelement& s = kSteuerelemente[ElementVon("lbl_Zeile_H")];
    EXPECT_EQ(t.Lage(s.name), (Rechteck{Pixel(s.links, dpi), Pixel(s.oben, dpi),
                                        Pixel(s.breite, dpi), Pixel(s.hoehe, dpi)}));
    EXPECT_EQ(t.SchriftVon(s.name).pixel, dpi == 144 ? 23 : 30);  // 11.25 pt
    PruefeLogo(dpi);
  }
}

}  // namespace

Treiber& T() { return *treiber; }

}  // namespace dunstwerk::test

int main(int argc, char** argv) {
  // On a display without a window manager Wine waits two seconds for each
  // window it hides, unless it is told to place this program's windows
  // itself (in the Wine prefix's registry; Windows has no such key).
  if (dunstwerk::test::unterWine) {
    std::wstring pfad(MAX_PATH, L'\0');
    pfad.resize(GetModuleFileNameW(nullptr, pfad.data(), MAX_PATH));
    const std::wstring schluessel = L"Software\\Wine\\AppDefaults\\" +
                                    pfad.substr(pfad.find_last_of(L"\\/") + 1) + L"\\X11 Driver";
    RegSetKeyValueW(HKEY_CURRENT_USER, schluessel.c_str(), L"Managed", REG_SZ, L"N", 4);
  }
  // As wWinMain starts it.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    dunstwerk::test::nurSystemDpi |= a == "--nur-systemdpi";
    if (a.starts_with("--dpi=")) dunstwerk::test::erwarteteDpi = std::atoi(argv[i] + 6);
  }
  if (dunstwerk::test::nurSystemDpi) dunstwerk::Fenster::NurSystemDpi();
  dunstwerk::test::treiber.emplace();
  const int ergebnis = RUN_ALL_TESTS();
  dunstwerk::test::treiber.reset();
  return ergebnis;
}
