// Copying the results: Ctrl+C where no text is selected, and the window's
// context menu, put the twelve rows on the clipboard as text with Windows
// line ends and in the clipboard's HTML format; a text box's selection is
// copied as in every text box.
#include <string>
#include <vector>

#include "hilfen.h"

namespace dunstwerk::test {
namespace {

const UINT kHtmlFormat = RegisterClipboardFormatW(L"HTML Format");

void Leeren() {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
}

std::string Inhalt(UINT format) {
  std::string inhalt;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  if (HANDLE daten = GetClipboardData(format)) {
    const auto* anfang = static_cast<const char*>(GlobalLock(daten));
    inhalt.assign(anfang, GlobalSize(daten));
    GlobalUnlock(daten);
  }
  CloseClipboard();
  return inhalt;
}

std::wstring Text() {
  const std::string bytes = Inhalt(CF_UNICODETEXT);
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

// A number of the header of the HTML format, such as StartFragment.
std::size_t Zahl(const std::string& html, const std::string& name) {
  const std::size_t stelle = html.find(name + ":");
  return stelle == std::string::npos ? 0 : std::stoul(html.substr(stelle + name.size() + 1));
}

// The entries of the context menu that a message opens, and whether each
// can be chosen; the menu is closed again without a choice.
struct Eintrag {
  std::wstring text;
  bool waehlbar;
};
std::vector<Eintrag>* offenesMenue = nullptr;
bool ersterWaehlen = false;  // or close it without a choice

// Runs in the menu's own message loop.
void CALLBACK MenueLesen(HWND, UINT, UINT_PTR uhr, DWORD) {
  KillTimer(nullptr, uhr);
  const HWND fenster = FindWindowW(L"#32768", nullptr);
  if (!fenster || !IsWindowVisible(fenster) || !offenesMenue) return;
  const HMENU menue = reinterpret_cast<HMENU>(SendMessageW(fenster, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menue); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menue, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    offenesMenue->push_back(
        {text, !(GetMenuState(menue, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED)});
  }
  if (!ersterWaehlen) {
    EndMenu();
    return;
  }
  for (WPARAM taste : {VK_DOWN, VK_RETURN}) {
    PostMessageW(fenster, WM_KEYDOWN, taste, 1);
    PostMessageW(fenster, WM_KEYUP, taste, LPARAM(0xC0000001u));
  }
}

class KopierenTest : public FensterTest {
 protected:
  std::vector<Eintrag> Menue(HWND quelle, LPARAM ort, bool waehlen = false) {
    std::vector<Eintrag> eintraege;
    ersterWaehlen = waehlen;
    offenesMenue = &eintraege;
    SetTimer(nullptr, 0, 50, MenueLesen);
    SendMessageW(quelle, WM_CONTEXTMENU, WPARAM(quelle), ort);
    Pumpe(100);
    offenesMenue = nullptr;
    return eintraege;
  }
  // A right click at the middle of a control, as the window gets it.
  std::vector<Eintrag> RechtsklickAuf(std::string_view name, bool waehlen = false) {
    RECT r;
    GetWindowRect(H(name), &r);
    return Menue(F().Hwnd(), MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2), waehlen);
  }
  void StrgC() {
    BYTE tasten[256];
    GetKeyboardState(tasten);
    tasten[VK_CONTROL] |= 0x80;
    SetKeyboardState(tasten);
    for (UINT art : {WM_KEYDOWN, WM_KEYUP}) {
      MSG m{GetFocus(), art, 'C', art == WM_KEYUP ? LPARAM(0xC0000001u) : 1, 0, {}};
      if (!F().Vorverarbeiten(m)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
      }
    }
    tasten[VK_CONTROL] &= 0x7F;
    SetKeyboardState(tasten);
    Pumpe();
  }
};

const std::wstring kEintrag = L"Ergebnisse kopieren\tStrg+C";

TEST_F(KopierenTest, VorDenErgebnissenNichts) {
  Leeren();
  for (std::string_view stelle : {"lbl_Zeile_A", "cmd_Rechn_1"}) {
    SCOPED_TRACE(std::string(stelle));
    const std::vector<Eintrag> menue = RechtsklickAuf(stelle);
    ASSERT_EQ(menue.size(), 1u);
    EXPECT_EQ(menue[0].text, kEintrag);
    EXPECT_FALSE(menue[0].waehlbar);
  }
  SetFocus(H("cmd_Rechn_1"));
  StrgC();
  Rechne(L"20", L"");  // an error text stands
  StrgC();
  EXPECT_EQ(Inhalt(CF_UNICODETEXT), "");
  F().PauseBeenden();
}

TEST_F(KopierenTest, ErgebnisseAlsTextUndHtml) {
  Rechne(L"20", L"50");
  std::wstring erwartet;
  for (std::size_t i = 0; i < kErgebnisfelder.size(); ++i) {
    const Steuerelement& zeile = ZeileVon(kErgebnisfelder[i]);
    erwartet += Breit(zeile.text) + L"\t" + kWerte20Grad50Prozent[i] + L"\r\n";
  }

  // Ctrl+C in a text box without a selection, and the menu's entry.
  SetFocus(H("txt_temkg"));
  Leeren();
  StrgC();
  EXPECT_EQ(Text(), erwartet);
  Leeren();
  const std::vector<Eintrag> menue = RechtsklickAuf("lbl_Dunstwerk", true);
  ASSERT_EQ(menue.size(), 1u);
  EXPECT_TRUE(menue[0].waehlbar);
  EXPECT_EQ(Text(), erwartet);

  // The HTML format's offsets count UTF-8 bytes, and the fragment is a table
  // whose rows keep the labels' umlauts.
  std::string html = Inhalt(kHtmlFormat);
  html = html.substr(0, html.find('\0'));
  const std::size_t anfang = Zahl(html, "StartFragment"), ende = Zahl(html, "EndFragment");
  EXPECT_EQ(html.substr(Zahl(html, "StartHTML"), 6), "<html>");
  EXPECT_EQ(Zahl(html, "EndHTML"), html.size());
  ASSERT_LT(anfang, ende);
  ASSERT_LE(ende, html.size());
  EXPECT_TRUE(html.substr(0, anfang).ends_with("<!--StartFragment-->"));
  EXPECT_EQ(html.substr(ende, 18), "<!--EndFragment-->");
  const std::string fragment = html.substr(anfang, ende - anfang);
  EXPECT_TRUE(fragment.starts_with("<table>")) << fragment;
  EXPECT_NE(fragment.find("<td>K\xC3\xBChlgrenztemperatur in \xC2\xB0"
                          "C</td><td>13,75</td>"),
            std::string::npos)
      << fragment;
}

TEST_F(KopierenTest, AuswahlImTextfeldBleibtSeineSache) {
  Rechne(L"20", L"50");
  Leeren();
  SetFocus(H("txt_x"));
  SendMessageW(H("txt_x"), EM_SETSEL, 2, -1);
  StrgC();
  EXPECT_EQ(Text(), L"00737");
  // A text box has a menu of its own, with Copy among its entries.
  EXPECT_GT(Menue(H("txt_x"), -1).size(), 1u);
}

}  // namespace
}  // namespace dunstwerk::test
