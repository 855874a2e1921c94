// The picture box: the logo's renders at 1, 1.5 and 2 times its size, as
// bitmaps in the program's resources (the pixels of the PNG renders), drawn
// at the window's DPI. A bitmap needs no decoder: the first paint, which
// shows the logo, loads neither COM objects nor their DLLs for it.
#include <algorithm>
#include <utility>

#include "ui/win32/fenster.h"
#include "ui/win32/ressourcen.h"

namespace dunstwerk {
namespace {

// The logo is 34 x 25 pixels at 96 DPI.
constexpr int kLogoBreiteTwips = 510;
constexpr int kLogoHoeheTwips = 375;
constexpr int kLogoRessourcen[] = {IDR_LOGO_34X25, IDR_LOGO_51X38, IDR_LOGO_68X50};

// A 24-bit bitmap of the program's resources as 32-bit pixels (blue, green,
// red, unused), rows from the top. Empty when the resource is missing or is
// not such a bitmap.
std::vector<std::uint32_t> LadeBitmap(HINSTANCE instanz, int ressource, int& breite, int& hoehe) {
  const HRSRC fund = FindResourceW(instanz, MAKEINTRESOURCEW(ressource), RT_BITMAP);
  const HGLOBAL daten = fund ? LoadResource(instanz, fund) : nullptr;
  const auto* kopf = static_cast<const BITMAPINFOHEADER*>(daten ? LockResource(daten) : nullptr);
  if (!kopf || SizeofResource(instanz, fund) < sizeof(BITMAPINFOHEADER) ||
      kopf->biSize < sizeof(BITMAPINFOHEADER) || kopf->biBitCount != 24 ||
      kopf->biCompression != BI_RGB || kopf->biWidth <= 0 || kopf->biHeight == 0)
    return {};
  breite = kopf->biWidth;
  hoehe = kopf->biHeight < 0 ? -kopf->biHeight : kopf->biHeight;
  const std::size_t zeile =
      (std::size_t{3} * static_cast<std::size_t>(breite) + 3) & ~std::size_t{3};
  if (SizeofResource(instanz, fund) < kopf->biSize + zeile * static_cast<std::size_t>(hoehe))
    return {};
  const auto* bytes = reinterpret_cast<const BYTE*>(kopf) + kopf->biSize;
  std::vector<std::uint32_t> pixel(static_cast<std::size_t>(breite) *
                                   static_cast<std::size_t>(hoehe));
  for (int y = 0; y < hoehe; ++y) {
    // Rows are stored from the bottom unless the height is negative.
    const BYTE* quelle =
        bytes + zeile * static_cast<std::size_t>(kopf->biHeight < 0 ? y : hoehe - 1 - y);
    for (int x = 0; x < breite; ++x, quelle += 3)
      pixel[static_cast<std::size_t>(y) * static_cast<std::size_t>(breite) +
            static_cast<std::size_t>(x)] =
          std::uint32_t{quelle[0]} | std::uint32_t{quelle[1]} << 8 | std::uint32_t{quelle[2]} << 16;
  }
  return pixel;
}

}  // namespace

// The render of the logo that is drawn at a width: the smallest that is not
// narrower, so that it is only ever scaled down. The renders are loaded
// once, at the first paint.
const Fenster::Logobild* Fenster::LogoVon(int breite) {
  if (!logosGeladen_) {
    logosGeladen_ = true;
    for (int ressource : kLogoRessourcen) {
      int b = 0, h = 0;
      std::vector<std::uint32_t> pixel = LadeBitmap(instanz_, ressource, b, h);
      if (!pixel.empty()) logos_.push_back({b, h, std::move(pixel)});
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
  if (const Logobild* bild = LogoVon(breite)) {
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
      if (auto* f = reinterpret_cast<Fenster*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA)))
        f->MaleLogo(hwnd, dc);
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

}  // namespace dunstwerk
