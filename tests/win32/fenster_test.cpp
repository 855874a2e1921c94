// What the Win32 front end adds to the window's behaviour: controls built
// where the table puts them, with their fonts and colours; captions that fit;
// clicks, typing and the dialog keys routed to the handlers; the window's
// heights at any DPI; and the ways the program ends.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/rechenkern.h"
#include "hilfen.h"
#include "ui/farben.h"

namespace dunstwerk::test {
namespace {

RECT ImFenster(HWND steuerelement) {
  RECT r;
  GetWindowRect(steuerelement, &r);
  MapWindowPoints(nullptr, GetParent(steuerelement), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LOGFONTW SchriftVon(HWND hwnd) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
  return lf;
}

int Schrifthoehe(double punkt, int dpi) {
  return -MulDiv(static_cast<int>(std::lround(punkt * 100)), dpi, 7200);
}

COLORREF Erwartete(Farbe farbe) {
  switch (farbe) {
    case Farbe::Rot:
      return RGB(255, 0, 0);
    case Farbe::Blau:
      return RGB(0, 0, 255);
    case Farbe::Schwarz:
      return RGB(0, 0, 0);
    case Farbe::System:
      break;
  }
  const COLORREF s = GetSysColor(COLOR_BTNTEXT);
  const Rgb c = TextfarbeAufHintergrund(Rgb{GetRValue(s), GetGValue(s), GetBValue(s)});
  return RGB(c.r, c.g, c.b);
}

// Height a caption takes in the control's font when wrapped at its width.
int Satzhoehe(HWND hwnd, std::wstring_view text) {
  HDC dc = GetDC(hwnd);
  const HGDIOBJ alt =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  RECT r;
  GetClientRect(hwnd, &r);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, alt);
  ReleaseDC(hwnd, dc);
  return r.bottom - r.top;
}

TEST_F(FensterTest, SteuerelementeStehenBei96DpiWoDieTabelleSieHinsetzt) {
  ASSERT_EQ(F().Dpi(), 96);
  RECT c;
  GetClientRect(F().Hwnd(), &c);
  EXPECT_EQ(c.right, Pixel(kFensterBreiteTwips));
  EXPECT_EQ(c.bottom, Pixel(kFensterHoeheTwips));
  for (const Steuerelement& s : kSteuerelemente) {
    SCOPED_TRACE(std::string(s.name));
    const RECT r = ImFenster(H(s.name));
    EXPECT_EQ(r.left, Pixel(s.links));
    EXPECT_EQ(r.top, Pixel(s.oben));
    EXPECT_EQ(r.right - r.left, Pixel(s.breite));
    EXPECT_EQ(r.bottom - r.top, Pixel(s.hoehe));
  }

  // Centred on the primary monitor's work area.
  MONITORINFO m{sizeof(m), {}, {}, 0};
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &m);
  RECT w;
  GetWindowRect(F().Hwnd(), &w);
  EXPECT_NEAR(w.left + w.right, m.rcWork.left + m.rcWork.right, 1);
  EXPECT_NEAR(w.top + w.bottom, m.rcWork.top + m.rcWork.bottom, 1);
}

TEST_F(FensterTest, StartansichtMitTextenSchriftenUndFarben) {
  EXPECT_EQ(Text(F().Hwnd()), L"");
  HDC dc = CreateCompatibleDC(nullptr);
  for (const Steuerelement& s : kSteuerelemente) {
    SCOPED_TRACE(std::string(s.name));
    const HWND h = H(s.name);
    EXPECT_EQ(IsWindowVisible(h) != FALSE, s.sichtbar);
    EXPECT_EQ(GetDlgItem(F().Hwnd(), kErsteSteuerelementId + int(ElementNamens(s.name))), h);
    if (s.art == Art::Bildfeld) continue;
    EXPECT_EQ(Text(h), Breit(s.text));

    const LOGFONTW lf = SchriftVon(h);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic != 0, s.kursiv);
    EXPECT_EQ(lf.lfHeight, Schrifthoehe(s.punkt, 96));

    if (s.art == Art::Bezeichnung) {
      const auto pinsel = reinterpret_cast<HBRUSH>(SendMessageW(F().Hwnd(), WM_CTLCOLORSTATIC,
                                                                reinterpret_cast<WPARAM>(dc),
                                                                reinterpret_cast<LPARAM>(h)));
      LOGBRUSH lb{};
      GetObjectW(pinsel, sizeof(lb), &lb);
      EXPECT_EQ(lb.lbColor, RGB(255, 255, 192));
      EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 192));
      EXPECT_EQ(GetTextColor(dc), Erwartete(s.farbe));
    }
  }
  DeleteDC(dc);
}

// Every caption and every error text fits its label at 96 DPI, wrapped at
// word boundaries as the label wraps it. A label lower than a line of its
// font shows that one line, so it may not wrap.
TEST_F(FensterTest, BeschriftungenPassenInIhreFelder) {
  for (const Steuerelement& s : kSteuerelemente) {
    if (s.art != Art::Bezeichnung) continue;
    SCOPED_TRACE(std::string(s.name));
    EXPECT_LE(Satzhoehe(H(s.name), Breit(s.text)),
              std::max(Pixel(s.hoehe), Satzhoehe(H(s.name), L"X")));
  }
  for (bool negativ : {false, true}) {
    for (int grund = 0; grund <= 7; ++grund) {
      const Fehler fehler{negativ, static_cast<Grund>(grund)};
      if (fehler.Code() == 0) continue;
      SCOPED_TRACE(fehler.Code());
      EXPECT_LE(Satzhoehe(H("lbl_Fehlermeldung"), Breit(Fehlertext(fehler))),
                Pixel(kSteuerelemente[ElementNamens("lbl_Fehlermeldung")].hoehe));
    }
  }
}

struct Lauf {
  const char* trenner;
  const wchar_t* temlu;
  const wchar_t* temtau;
  const wchar_t* temkg;
  const wchar_t* rf;
  const wchar_t* x;
  const wchar_t* h1;
};

class LaufTest : public FensterTest, public testing::WithParamInterface<Lauf> {
 protected:
  void SetUp() override { Oeffne(GetParam().trenner); }
};

TEST_P(LaufTest, ZwanzigGradFuenfzigProzentUndNeustart) {
  const Lauf& l = GetParam();
  Klick("cmd_Rechn_1");
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
  Tippe("txt_temlu", L"20");
  Tippe("txt_rf", L"50");
  Klick("cmd_rechne");

  EXPECT_EQ(TextVon("txt_temlu"), l.temlu);
  EXPECT_EQ(TextVon("txt_temtau"), l.temtau);
  EXPECT_EQ(TextVon("txt_temkg"), l.temkg);
  EXPECT_EQ(TextVon("txt_rf"), l.rf);
  EXPECT_EQ(TextVon("txt_x"), l.x);
  EXPECT_EQ(TextVon("txt_h1"), l.h1);
  for (Element e : kErgebnisfelder) EXPECT_TRUE(IsWindowVisible(F().Steuerelement(e)));
  EXPECT_TRUE(Sichtbar("cmd_neustart"));
  EXPECT_TRUE(Sichtbar("cmd_beenden"));
  EXPECT_FALSE(Sichtbar("cmd_rechne"));

  Klick("cmd_neustart");
  EXPECT_EQ(TextVon("txt_temlu"), L"");
  EXPECT_EQ(TextVon("txt_rf"), L"");
  EXPECT_FALSE(Sichtbar("txt_temtau"));
  EXPECT_FALSE(Sichtbar("cmd_neustart"));
  EXPECT_TRUE(Sichtbar("cmd_rechne"));
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
}

INSTANTIATE_TEST_SUITE_P(
    Gebietsschemata, LaufTest,
    testing::Values(Lauf{",", L"20,00", L"9,28", L"13,75", L"50,00", L"0,00737", L"38,8"},
                    Lauf{".", L"20.00", L"9.28", L"13.75", L"50.00", L"0.00737", L"38.8"}),
    [](const auto& info) { return std::string(info.param.trenner) == "," ? "Komma" : "Punkt"; });

TEST_F(FensterTest, FehlertextStehtLesbarBisZumNeustart) {
  Rechne(L"-5", L"120");
  ASSERT_TRUE(F().Pausiert());
  EXPECT_TRUE(Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(
      TextVon("lbl_Fehlermeldung"),
      L"Lufttemperatur in \u00B0C muss positiv sein !\r\nRelative Feuchte ist ung\u00FCltig !");
  // Nothing visible lies over or under the error label.
  const RECT fehler = ImFenster(H("lbl_Fehlermeldung"));
  for (const Steuerelement& s : kSteuerelemente) {
    RECT schnitt;
    const RECT r = ImFenster(H(s.name));
    if (s.name != "lbl_Fehlermeldung" && Sichtbar(s.name)) {
      EXPECT_FALSE(IntersectRect(&schnitt, &r, &fehler)) << s.name;
    }
  }

  F().PauseBeenden();
  EXPECT_FALSE(Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(TextVon("txt_temlu"), L"");
  EXPECT_EQ(TextVon("txt_rf"), L"");
  EXPECT_TRUE(Sichtbar("cmd_rechne"));
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
}

TEST_F(FensterTest, TabGehtDieSichtbarenSteuerelementeInTabellenfolgeDurch) {
  auto runde = [&](std::vector<const char*> namen) {
    SetFocus(H(namen.front()));
    namen.push_back(namen.front());
    for (std::size_t i = 1; i < namen.size(); ++i) {
      Taste(VK_TAB);
      EXPECT_EQ(GetFocus(), H(namen[i])) << "after " << namen[i - 1];
    }
  };
  runde({"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "pic_VKR"});
  Rechne(L"20", L"50");
  runde({"txt_temlu", "txt_temtau", "txt_temkg", "txt_rf", "txt_absfeu", "txt_x", "txt_rhofl",
         "txt_pd", "txt_psatt", "txt_xkg", "txt_xkgminusx", "txt_h1", "cmd_neustart", "cmd_beenden",
         "pic_VKR"});
}

struct Tastendruck {
  WPARAM taste;
  const char* knopf;
  const char* feld;  // the text box the mode shows
};

class TastenTest : public FensterTest, public testing::WithParamInterface<Tastendruck> {};

TEST_P(TastenTest, DrueckenDenKnopfMitDemFokus) {
  SetFocus(H(GetParam().knopf));
  Taste(GetParam().taste);
  EXPECT_TRUE(Sichtbar(GetParam().feld));
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
}

INSTANTIATE_TEST_SUITE_P(EingabeUndLeertaste, TastenTest,
                         testing::Values(Tastendruck{VK_RETURN, "cmd_Rechn_2", "txt_temkg"},
                                         Tastendruck{VK_SPACE, "cmd_Rechn_3", "txt_x"}));

TEST_F(FensterTest, HoehenUndNeueDpi) {
  RECT w;
  Klick("cmd_Rechn_1");
  GetWindowRect(F().Hwnd(), &w);
  EXPECT_EQ(w.bottom - w.top, Pixel(kHoeheNachWahlTwips));
  RECT c;
  GetClientRect(F().Hwnd(), &c);
  EXPECT_LE(ImFenster(H("cmd_rechne")).bottom, c.bottom);

  // Moved to a screen of 144 DPI: 10 twips a pixel, fonts and height anew.
  RECT vorschlag{w.left, w.top, w.left + (w.right - w.left) * 3 / 2,
                 w.top + (w.bottom - w.top) * 3 / 2};
  SendMessageW(F().Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&vorschlag));
  GetClientRect(F().Hwnd(), &c);
  GetWindowRect(F().Hwnd(), &w);
  EXPECT_EQ(c.right, Pixel(kFensterBreiteTwips, 144));
  EXPECT_EQ(w.bottom - w.top, Pixel(kHoeheNachWahlTwips, 144));
  for (const char* name : {"txt_rf", "lbl_Zeile_H", "pic_VKR"}) {
    SCOPED_TRACE(name);
    const Steuerelement& s = kSteuerelemente[ElementNamens(name)];
    const RECT r = ImFenster(H(name));
    EXPECT_EQ(r.left, Pixel(s.links, 144));
    EXPECT_EQ(r.top, Pixel(s.oben, 144));
    EXPECT_EQ(r.right, Pixel(s.links, 144) + Pixel(s.breite, 144));
  }
  EXPECT_EQ(SchriftVon(H("lbl_Zeile_H")).lfHeight, Schrifthoehe(11.25, 144));
}

TEST_F(FensterTest, SchliessenUndSitzungsende) {
  // While the error text stands, closing waits; the end of the session
  // takes effect when the text has stood its time.
  Rechne(L"", L"");
  ASSERT_TRUE(F().Pausiert());
  PostMessageW(F().Hwnd(), WM_CLOSE, 0, 0);
  SendMessageW(F().Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Pumpe();
  EXPECT_TRUE(IsWindow(F().Hwnd()));
  EXPECT_TRUE(SendMessageW(F().Hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
  const HWND hwnd = F().Hwnd();
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  EXPECT_TRUE(IsWindow(hwnd));
  F().PauseBeenden();
  EXPECT_FALSE(IsWindow(hwnd));

  // Otherwise closing ends the window at once.
  fenster_.reset();
  Oeffne();
  const HWND zweites = F().Hwnd();
  PostMessageW(zweites, WM_CLOSE, 0, 0);
  Pumpe();
  EXPECT_FALSE(IsWindow(zweites));

  // Destroyed in the middle of a pause, the window leaves no timer behind.
  fenster_.reset();
  Oeffne();
  Rechne(L"", L"");
  ASSERT_TRUE(F().Pausiert());
  fenster_.reset();
  Pumpe(50);
}

}  // namespace
}  // namespace dunstwerk::test
