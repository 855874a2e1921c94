// The real five-second pause: the error text stands its time, the window
// keeps painting, and what the user types or clicks meanwhile is dropped.
#include "hilfen.h"

namespace dunstwerk::test {
namespace {

// Red pixels the error label shows on screen.
int RotePunkte(HWND label) {
  RECT r;
  GetClientRect(label, &r);
  HDC dc = GetDC(label);
  int rot = 0;
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) {
      if (GetPixel(dc, x, y) == RGB(255, 0, 0)) ++rot;
    }
  }
  ReleaseDC(label, dc);
  return rot;
}

// Runs on its own beside the quicker tests.
class PauseTest : public FensterTest {};

TEST_F(PauseTest, FehlertextStehtFuenfSekundenUndEingabenVerfallen) {
  Klick("cmd_Rechn_1");
  Tippe("txt_temlu", L"-5");
  Tippe("txt_rf", L"120");
  const ULONGLONG anfang = GetTickCount64();
  Klick("cmd_rechne");
  ASSERT_TRUE(F().Pausiert());

  // Typing, a click on a text box, Alt+F4 and a close: all dropped.
  PostMessageW(H("txt_temlu"), WM_CHAR, L'7', 1);
  PostMessageW(H("txt_rf"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(H("txt_rf"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageW(F().Hwnd(), WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(1u << 29 | 1));
  PostMessageW(F().Hwnd(), WM_CLOSE, 0, 0);
  Pumpe(300);
  EXPECT_TRUE(F().Pausiert());
  EXPECT_EQ(TextVon("txt_temlu"), L"-5");
  EXPECT_NE(GetFocus(), H("txt_rf"));
  ASSERT_TRUE(IsWindow(F().Hwnd()));

  // The window paints while it waits.
  InvalidateRect(F().Hwnd(), nullptr, TRUE);
  Pumpe(100);
  EXPECT_FALSE(GetUpdateRect(F().Hwnd(), nullptr, FALSE));
  EXPECT_GT(RotePunkte(H("lbl_Fehlermeldung")), 100);

  while (F().Pausiert() && GetTickCount64() - anfang < 10000) Pumpe(10);
  const ULONGLONG gestanden = GetTickCount64() - anfang;
  EXPECT_GE(gestanden, 4950u);
  EXPECT_LE(gestanden, 5600u);
  EXPECT_FALSE(Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(TextVon("txt_temlu"), L"");
  EXPECT_EQ(GetFocus(), H("txt_temlu"));

  // Input is taken again.
  PostMessageW(H("txt_temlu"), WM_CHAR, L'7', 1);
  Pumpe();
  EXPECT_EQ(TextVon("txt_temlu"), L"7");
}

}  // namespace
}  // namespace dunstwerk::test
