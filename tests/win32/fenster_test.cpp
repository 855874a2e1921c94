// What the Win32 front end adds to the window's behaviour: controls where the
// table puts them, with their fonts, colours and names; clicks, typing and
// the dialog keys routed to the handlers; heights at any DPI; closing.
#include <oleacc.h>

#include <cmath>
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

int Schrifthoehe(double punkt, int dpi) {
  return -MulDiv(int(std::lround(punkt * 100)), dpi, 7200);
}

COLORREF Erwartet(Farbe farbe) {
  if (farbe == Farbe::Rot) return RGB(255, 0, 0);
  if (farbe == Farbe::Blau) return RGB(0, 0, 255);
  if (farbe == Farbe::Schwarz) return RGB(0, 0, 0);
  const COLORREF s = GetSysColor(COLOR_BTNTEXT);
  const Rgb c = TextfarbeAufHintergrund(Rgb{GetRValue(s), GetGValue(s), GetBValue(s)});
  return RGB(c.r, c.g, c.b);
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

// The start view at 96 DPI, control by control.
TEST_F(FensterTest, StartansichtNachDerTabelle) {
  RECT c;
  GetClientRect(F().Hwnd(), &c);
  EXPECT_EQ(c.right, Pixel(kFensterBreiteTwips));
  EXPECT_EQ(c.bottom, Pixel(kFensterHoeheTwips));
  EXPECT_EQ(Text(F().Hwnd()), L"");
  HDC dc = CreateCompatibleDC(nullptr);
  for (const Steuerelement& s : kSteuerelemente) {
    SCOPED_TRACE(std::string(s.name));
    const HWND h = H(s.name);
    const RECT r = ImFenster(h);
    EXPECT_EQ(r.left, Pixel(s.links));
    EXPECT_EQ(r.top, Pixel(s.oben));
    EXPECT_EQ(r.right - r.left, Pixel(s.breite));
    EXPECT_EQ(r.bottom - r.top, Pixel(s.hoehe));
    EXPECT_EQ(IsWindowVisible(h) != FALSE, s.sichtbar);
    if (s.art == Art::Bildfeld) continue;
    EXPECT_EQ(Text(h), Breit(s.text));
    const LOGFONTW lf = SchriftVon(h);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic != 0, s.kursiv);
    EXPECT_EQ(lf.lfHeight, Schrifthoehe(s.punkt, 96));
    if (s.art == Art::Bezeichnung) {
      SendMessageW(F().Hwnd(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(h));
      EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 192));
      EXPECT_EQ(GetTextColor(dc), Erwartet(s.farbe));
    }
    if (s.art == Art::Textfeld) {
      EXPECT_EQ(ZugaenglicherName(h), Breit(kSteuerelemente[ElementNamens(s.zeile)].text));
    }
  }
  DeleteDC(dc);
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

struct Lauf {
  const char* trenner;
  std::vector<const wchar_t*> werte;  // temlu, temtau, temkg, rf, x, h1
};

class LaufTest : public FensterTest, public testing::WithParamInterface<Lauf> {
  void SetUp() override { Oeffne(GetParam().trenner); }
};

TEST_P(LaufTest, ZwanzigGradFuenfzigProzentUndNeustart) {
  Klick("cmd_Rechn_1");
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
  Tippe("txt_temlu", L"20");
  Tippe("txt_rf", L"50");
  Klick("cmd_rechne");
  const char* felder[] = {"txt_temlu", "txt_temtau", "txt_temkg", "txt_rf", "txt_x", "txt_h1"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(TextVon(felder[i]), GetParam().werte[i]) << felder[i];
  for (Element e : kErgebnisfelder) EXPECT_TRUE(IsWindowVisible(F().Steuerelement(e)));
  EXPECT_TRUE(Sichtbar("cmd_neustart") && Sichtbar("cmd_beenden") && !Sichtbar("cmd_rechne"));

  Klick("cmd_neustart");
  EXPECT_EQ(TextVon("txt_temlu") + TextVon("txt_rf"), L"");
  EXPECT_FALSE(Sichtbar("txt_temtau") || Sichtbar("cmd_neustart"));
  EXPECT_TRUE(Sichtbar("cmd_rechne"));
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
}

INSTANTIATE_TEST_SUITE_P(
    Gebietsschemata, LaufTest,
    testing::Values(Lauf{",", {L"20,00", L"9,28", L"13,75", L"50,00", L"0,00737", L"38,8"}},
                    Lauf{".", {L"20.00", L"9.28", L"13.75", L"50.00", L"0.00737", L"38.8"}}));

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
  auto runde = [&](std::vector<const char*> namen) {
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

  Oeffne();
  SetFocus(H("cmd_Rechn_1"));
  taste(VK_SPACE);
  Tippe("txt_temlu", L"20");
  Tippe("txt_rf", L"50");
  Klick("cmd_rechne");
  runde({"txt_temlu", "txt_temtau", "txt_temkg", "txt_rf", "txt_absfeu", "txt_x", "txt_rhofl",
         "txt_pd", "txt_psatt", "txt_xkg", "txt_xkgminusx", "txt_h1", "cmd_neustart", "cmd_beenden",
         "pic_VKR"});
}

TEST_F(FensterTest, HoeheNachDerWahlAuchBeiNeuerDpi) {
  Klick("cmd_Rechn_1");
  RECT w, c;
  GetWindowRect(F().Hwnd(), &w);
  GetClientRect(F().Hwnd(), &c);
  EXPECT_EQ(w.bottom - w.top, Pixel(kHoeheNachWahlTwips));
  EXPECT_LE(ImFenster(H("cmd_rechne")).bottom, c.bottom);

  // On a screen of 144 DPI, 10 twips a pixel.
  RECT vorschlag{w.left, w.top, w.right + 300, w.bottom + 200};
  SendMessageW(F().Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&vorschlag));
  GetWindowRect(F().Hwnd(), &w);
  GetClientRect(F().Hwnd(), &c);
  EXPECT_EQ(c.right, Pixel(kFensterBreiteTwips, 144));
  EXPECT_EQ(w.bottom - w.top, Pixel(kHoeheNachWahlTwips, 144));
  const Steuerelement& s = kSteuerelemente[ElementNamens("lbl_Zeile_H")];
  const RECT r = ImFenster(H(s.name));
  EXPECT_EQ(r.left, Pixel(s.links, 144));
  EXPECT_EQ(r.top, Pixel(s.oben, 144));
  EXPECT_EQ(r.right - r.left, Pixel(s.breite, 144));
  EXPECT_EQ(SchriftVon(H(s.name)).lfHeight, Schrifthoehe(s.punkt, 144));
}

TEST_F(FensterTest, SchliessenWartetAufDasEndeDerPause) {
  Rechne(L"", L"");
  ASSERT_TRUE(F().Pausiert());
  const HWND hwnd = F().Hwnd();
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pumpe();
  EXPECT_TRUE(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0));
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(IsWindow(hwnd));
  F().PauseBeenden();
  EXPECT_FALSE(IsWindow(hwnd));

  Oeffne();
  const HWND zweites = F().Hwnd();
  PostMessageW(zweites, WM_CLOSE, 0, 0);
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
