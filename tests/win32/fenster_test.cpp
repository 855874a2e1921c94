// What the Win32 front end adds to the window's behaviour: controls where the
// table puts them, with their fonts, colours and names; the logo; clicks,
// typing and the dialog keys routed to the handlers; heights at any DPI;
// closing.
#include <oleacc.h>

#include <string>
#include <vector>

#include "hilfen.h"
#include "ui/farben.h"

namespace dunstwerk::test {
namespace {

RECT ImFenster(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LOGFONTW SchriftVon(HWND h) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  return lf;
}

// The character height in pixels of each size of the table: points times
// DPI / 72, a half pixel rounded up.
struct Schrifthoehe {
  double punkt;
  int bei96, bei144, bei192;
};
constexpr Schrifthoehe kSchrifthoehen[] = {
    {8.25, 11, 17, 22}, {9.75, 13, 20, 26},  {11.25, 15, 23, 30},
    {12, 16, 24, 32},   {14.25, 19, 29, 38}, {20.25, 27, 41, 54},
};

int Zeichenhoehe(double punkt, int dpi) {
  for (const Schrifthoehe& h : kSchrifthoehen) {
    if (h.punkt == punkt) return dpi == 96 ? h.bei96 : dpi == 144 ? h.bei144 : h.bei192;
  }
  ADD_FAILURE() << "no height for " << punkt << " pt";
  return 0;
}

// Each render of the logo at the DPI it is drawn at unscaled: its width and
// a few of its pixels, from its PNG file.
struct Logopunkt {
  int x, y;
  COLORREF farbe;
};
struct Logoprobe {
  int dpi, breite;
  Logopunkt punkte[3];
};
// clang-format off
constexpr Logoprobe kLogoproben[] = {
    {96,  34, {{19, 3, 0xD79F79}, {11, 6, 0xB45A1B}, {6, 14, 0xC27642}}},
    {144, 51, {{35, 9, 0xAC4A05}, {17, 11, 0xEBD4C4}, {21, 7, 0xF0DFD3}}},
    {192, 68, {{35, 6, 0xB76124}, {42, 11, 0xB35A1B}, {17, 13, 0xDFB190}}},
};  // COLORREF: 0xBBGGRR
// clang-format on

// The logo box shows the render for its DPI at its top left, and the button
// face beside it.
void PruefeLogo(HWND bildfeld, int dpi) {
  SCOPED_TRACE("logo at " + std::to_string(dpi) + " DPI");
  UpdateWindow(bildfeld);
  HDC dc = GetDC(bildfeld);
  for (const Logoprobe& probe : kLogoproben) {
    if (probe.dpi != dpi) continue;
    for (const Logopunkt& p : probe.punkte)
      EXPECT_EQ(GetPixel(dc, p.x, p.y), p.farbe) << p.x << "," << p.y;
    EXPECT_EQ(GetPixel(dc, probe.breite, 0), GetSysColor(COLOR_BTNFACE));
  }
  ReleaseDC(bildfeld, dc);
}

std::wstring ZugaenglicherName(HWND h) {
  IAccessible* zugang = nullptr;
  if (AccessibleObjectFromWindow(h, DWORD(OBJID_CLIENT), IID_IAccessible,
                                 reinterpret_cast<void**>(&zugang)) != S_OK)
    return L"?";
  VARIANT selbst{};
  selbst.vt = VT_I4;
  BSTR name = nullptr;
  zugang->get_accName(selbst, &name);
  std::wstring ergebnis = name ? name : L"";
  SysFreeString(name);
  zugang->Release();
  return ergebnis;
}

// The start view, control by control, at the system's DPI.
TEST_F(FensterTest, StartansichtNachDerTabelle) {
  const int dpi = erwarteteDpi;
  RECT c;
  GetClientRect(F().Hwnd(), &c);
  EXPECT_EQ(c.right, Pixel(kFensterBreiteTwips, dpi));
  EXPECT_EQ(c.bottom, Pixel(kFensterHoeheTwips, dpi));
  EXPECT_EQ(Text(F().Hwnd()), L"");
  const COLORREF systemtext = GetSysColor(COLOR_BTNTEXT);
  HDC dc = CreateCompatibleDC(nullptr);
  for (const Steuerelement& s : kSteuerelemente) {
    SCOPED_TRACE(std::string(s.name));
    const HWND h = H(s.name);
    const RECT r = ImFenster(h);
    EXPECT_EQ(r.left, Pixel(s.links, dpi));
    EXPECT_EQ(r.top, Pixel(s.oben, dpi));
    EXPECT_EQ(r.right - r.left, Pixel(s.breite, dpi));
    EXPECT_EQ(r.bottom - r.top, Pixel(s.hoehe, dpi));
    EXPECT_EQ(IsWindowVisible(h) != FALSE, s.sichtbar);
    if (s.art == Art::Bildfeld) continue;
    EXPECT_EQ(Text(h), Breit(s.text));
    const LOGFONTW lf = SchriftVon(h);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic != 0, s.kursiv);
    EXPECT_EQ(-lf.lfHeight, Zeichenhoehe(s.punkt, dpi));
    if (s.art == Art::Bezeichnung) {
      SendMessageW(F().Hwnd(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(h));
      EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 192));
      const Rgb farbe = Textfarbe(
          s.farbe, Rgb{GetRValue(systemtext), GetGValue(systemtext), GetBValue(systemtext)});
      EXPECT_EQ(GetTextColor(dc), RGB(farbe.r, farbe.g, farbe.b));
    }
    if (s.art == Art::Textfeld) {
      EXPECT_EQ(ZugaenglicherName(h), Breit(kSteuerelemente[ElementVon(s.zeile)].text));
    }
  }
  DeleteDC(dc);
  PruefeLogo(H("pic_VKR"), dpi);
}

// Labels in the system text colour stand on fixed yellow: a dark or
// high-contrast scheme that makes that colour light turns them black; a dark
// enough colour is kept.
TEST_F(FensterTest, SystemtextBleibtAufGelbLesbar) {
  const COLORREF vorher = GetSysColor(COLOR_BTNTEXT);
  HDC dc = CreateCompatibleDC(nullptr);
  const int element = COLOR_BTNTEXT;
  for (const auto& [schema, erwartet] :
       {std::pair{RGB(255, 255, 255), RGB(0, 0, 0)}, std::pair{RGB(0, 0, 128), RGB(0, 0, 128)}}) {
    SetSysColors(1, &element, &schema);
    SendMessageW(F().Hwnd(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(H("lbl_Zeile_B")));
    EXPECT_EQ(GetTextColor(dc), erwartet);
  }
  SetSysColors(1, &element, &vorher);
  DeleteDC(dc);
}

// One complete run through the real controls, with the separator the window
// is given (the user's locale under Wine would give a point).
TEST_F(FensterTest, ZwanzigGradFuenfzigProzentUndNeustart) {
  Klick("cmd_Rechn_1");
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
  Tippe("txt_temlu", L"20");
  Tippe("txt_rf", L"50");
  Klick("cmd_rechne");
  static_assert(std::size(kWerte20Grad50Prozent) == kErgebnisfelder.size());
  for (std::size_t i = 0; i < kErgebnisfelder.size(); ++i) {
    const std::string_view feld = kSteuerelemente[kErgebnisfelder[i]].name;
    EXPECT_TRUE(Sichtbar(feld)) << feld;
    EXPECT_EQ(TextVon(feld), kWerte20Grad50Prozent[i]) << feld;
  }
  EXPECT_TRUE(Sichtbar("cmd_neustart") && Sichtbar("cmd_beenden") && !Sichtbar("cmd_rechne"));

  Klick("cmd_neustart");
  EXPECT_EQ(TextVon("txt_temlu") + TextVon("txt_rf"), L"");
  EXPECT_FALSE(Sichtbar("txt_temtau") || Sichtbar("cmd_neustart"));
  EXPECT_TRUE(Sichtbar("cmd_rechne"));
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
}

TEST_F(FensterTest, FehlertextStehtFreiUndLesbar) {
  Rechne(L"-5", L"120");
  ASSERT_TRUE(F().Pausiert());
  EXPECT_EQ(
      TextVon("lbl_Fehlermeldung"),
      L"Lufttemperatur in \u00B0C muss positiv sein !\r\nRelative Feuchte ist ung\u00FCltig !");
  // Nothing visible lies over or under it.
  const RECT fehler = ImFenster(H("lbl_Fehlermeldung"));
  for (const Steuerelement& s : kSteuerelemente) {
    RECT schnitt, r = ImFenster(H(s.name));
    if (s.name != "lbl_Fehlermeldung" && Sichtbar(s.name)) {
      EXPECT_FALSE(IntersectRect(&schnitt, &r, &fehler)) << s.name;
    }
  }
  F().PauseBeenden();
  EXPECT_FALSE(Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(TextVon("txt_temlu") + TextVon("txt_rf"), L"");
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
}

TEST_F(FensterTest, TabEingabeUndLeertaste) {
  auto taste = [&](WPARAM t) {
    for (UINT art : {WM_KEYDOWN, WM_KEYUP}) {
      MSG m{GetFocus(), art, t, art == WM_KEYUP ? LPARAM(0xC0000001u) : 1, 0, {}};
      if (!F().Vorverarbeiten(m)) DispatchMessageW(&m);
    }
    Pumpe();
  };
  auto runde = [&](std::vector<std::string_view> namen) {
    SetFocus(H(namen.front()));
    for (std::size_t i = 1; i <= namen.size(); ++i) {
      taste(VK_TAB);
      EXPECT_EQ(GetFocus(), H(namen[i % namen.size()])) << "after " << namen[i - 1];
    }
  };
  runde({"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "pic_VKR"});
  SetFocus(H("cmd_Rechn_2"));
  taste(VK_RETURN);
  EXPECT_TRUE(Sichtbar("txt_temkg"));
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
  // Enter in a text box runs "Rechne !".
  Tippe("txt_temlu", L"20");
  Tippe("txt_temkg", L"13,8");
  SetFocus(H("txt_temkg"));
  taste(VK_RETURN);
  EXPECT_EQ(TextVon("txt_rf"), L"50,38");

  Oeffne();
  SetFocus(H("cmd_Rechn_1"));
  taste(VK_SPACE);
  Tippe("txt_temlu", L"20");
  Tippe("txt_rf", L"50");
  Klick("cmd_rechne");
  // The result boxes from top to bottom, then the two buttons.
  std::vector<std::string_view> folge;
  for (Element e : kErgebnisfelder) folge.push_back(kSteuerelemente[e].name);
  folge.insert(folge.end(), {"cmd_neustart", "cmd_beenden", "pic_VKR"});
  runde(folge);
}

TEST_F(FensterTest, HoeheNachDerWahlAuchBeiNeuerDpi) {
  if (nurSystemDpi) GTEST_SKIP() << "Windows 7 sends no WM_DPICHANGED";
  Klick("cmd_Rechn_1");
  RECT w, c;
  GetWindowRect(F().Hwnd(), &w);
  GetClientRect(F().Hwnd(), &c);
  EXPECT_EQ(w.bottom - w.top, Pixel(kHoeheNachWahlTwips, erwarteteDpi));
  EXPECT_LE(ImFenster(H("cmd_rechne")).bottom, c.bottom);

  // Moved to screens of 144 and 192 DPI: 10 and 7.5 twips a pixel.
  for (int dpi : {144, 192}) {
    SCOPED_TRACE(dpi);
    RECT vorschlag{w.left, w.top, w.right + 300, w.bottom + 200};
    SendMessageW(F().Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&vorschlag));
    GetWindowRect(F().Hwnd(), &w);
    GetClientRect(F().Hwnd(), &c);
    EXPECT_EQ(c.right, Pixel(kFensterBreiteTwips, dpi));
    EXPECT_EQ(w.bottom - w.top, Pixel(kHoeheNachWahlTwips, dpi));
    const Steuerelement& s = kSteuerelemente[ElementVon("lbl_Zeile_H")];
    const RECT r = ImFenster(H(s.name));
    EXPECT_EQ(r.left, Pixel(s.links, dpi));
    EXPECT_EQ(r.top, Pixel(s.oben, dpi));
    EXPECT_EQ(r.right - r.left, Pixel(s.breite, dpi));
    EXPECT_EQ(-SchriftVon(H(s.name)).lfHeight, Zeichenhoehe(s.punkt, dpi));
    PruefeLogo(H("pic_VKR"), dpi);
  }
}

TEST_F(FensterTest, SchliessenWaehrendDerPause) {
  // The user's close while the error text stands is dropped: the frame's
  // button, the system menu, Alt+F4 and the task bar all send SC_CLOSE.
  Rechne(L"", L"");
  ASSERT_TRUE(F().Pausiert());
  const HWND hwnd = F().Hwnd();
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pumpe();
  F().PauseBeenden();
  EXPECT_TRUE(IsWindow(hwnd));
  // Another program's close is kept until the text has stood its time.
  Klick("cmd_rechne");
  ASSERT_TRUE(F().Pausiert());
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  Pumpe();
  EXPECT_TRUE(IsWindow(hwnd));
  F().PauseBeenden();
  EXPECT_FALSE(IsWindow(hwnd));

  // Windows does not wait once WM_ENDSESSION has returned.
  Oeffne();
  Rechne(L"", L"");
  const HWND sitzung = F().Hwnd();
  SendMessageW(sitzung, WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(IsWindow(sitzung));

  Oeffne();
  const HWND zweites = F().Hwnd();
  SendMessageW(zweites, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pumpe();
  EXPECT_FALSE(IsWindow(zweites));

  // Destroyed in the middle of a pause, the window goes quietly.
  Oeffne();
  Rechne(L"", L"");
  fenster_.reset();
  Pumpe(50);
}

}  // namespace
}  // namespace dunstwerk::test
