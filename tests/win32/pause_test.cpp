// The real five-second pause: the error text stands its time, the window
// keeps painting, and what the user types or clicks meanwhile is dropped.
#include "hilfen.h"

namespace dunstwerk::test {
namespace {

// Runs on its own beside the quicker tests.
class PauseTest : public FensterTest {};

TEST_F(PauseTest, FehlertextStehtFuenfSekundenUndEingabenVerfallen) {
  const ULONGLONG anfang = GetTickCount64();
  Rechne(L"-5", L"120");
  ASSERT_TRUE(F().Pausiert());
  PostMessageW(H("txt_temlu"), WM_CHAR, L'7', 1);
  PostMessageW(H("txt_rf"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(H("txt_rf"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageW(F().Hwnd(), WM_SYSKEYDOWN, VK_F4, LPARAM(1u << 29 | 1));  // Alt+F4
  InvalidateRect(F().Hwnd(), nullptr, TRUE);
  Pumpe(300);
  EXPECT_EQ(TextVon("txt_temlu"), L"-5");
  EXPECT_NE(GetFocus(), H("txt_rf"));
  ASSERT_TRUE(IsWindow(F().Hwnd()));
  // Painted meanwhile: nothing left to paint, and the red text on screen.
  EXPECT_FALSE(GetUpdateRect(F().Hwnd(), nullptr, FALSE));
  HDC dc = GetDC(H("lbl_Fehlermeldung"));
  int rot = 0;
  for (int y = 0; y < Pixel(855); ++y) {
    for (int x = 0; x < Pixel(8205); ++x) rot += GetPixel(dc, x, y) == RGB(255, 0, 0);
  }
  ReleaseDC(H("lbl_Fehlermeldung"), dc);
  EXPECT_GT(rot, 100);

  while (F().Pausiert() && GetTickCount64() - anfang < 10000) Pumpe(10);
  EXPECT_NEAR(double(GetTickCount64() - anfang), 5000 + 250, 300);
  EXPECT_FALSE(Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(TextVon("txt_temlu"), L"");
  EXPECT_EQ(GetFocus(), H("txt_temlu"));
  PostMessageW(H("txt_temlu"), WM_CHAR, L'7', 1);
  Pumpe();
  EXPECT_EQ(TextVon("txt_temlu"), L"7");
}

}  // namespace
}  // namespace dunstwerk::test
