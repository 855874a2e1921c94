// The picture box: the logo from the program's PNG renders at 1, 1.5 and 2
// times its size, decoded through the Windows Imaging Component that every
// Windows since 7 has, and drawn at the window's DPI.
// clang-format off
#include "ui/win32/fenster.h"  // windows.h before the GUIDs
#include <initguid.h>  // the imaging GUIDs, defined here
#include <wincodec.h>
#include <wrl/client.h>
// clang-format on

#include <algorithm>
#include <utility>

#include "ui/win32/intern.h"
#include "ui/win32/ressourcen.h"

namespace dunstwerk {
namespace {

using Microsoft::WRL::ComPtr;

// The logo is 34 x 25 pixels at 96 DPI.
constexpr int kLogoBreiteTwips = 510;
constexpr int kLogoHoeheTwips = 375;
constexpr int kLogoRessourcen[] = {IDR_LOGO_34X25, IDR_LOGO_51X38, IDR_LOGO_68X50};

// A PNG file of the program's resources as 32-bit pixels (blue, green, red,
// unused). Empty when the resource is missing or cannot be decoded.
std::vector<std::uint32_t> LadePng(IWICImagingFactory* fabrik, HINSTANCE instanz, int ressource,
                                   UINT& breite, UINT& hoehe) {
  const HRSRC fund = FindResourceW(instanz, MAKEINTRESOURCEW(ressource), RT_RCDATA);
  const HGLOBAL daten = fund ? LoadResource(instanz, fund) : nullptr;
  const auto* bytes = static_cast<BYTE*>(daten ? LockResource(daten) : nullptr);
  if (!bytes) return {};
  ComPtr<IWICStream> strom;
  ComPtr<IWICBitmapDecoder> dekoder;
  ComPtr<IWICBitmapFrameDecode> bild;
  ComPtr<IWICFormatConverter> wandler;
  if (FAILED(fabrik->CreateStream(&strom)) ||
      FAILED(
          strom->InitializeFromMemory(const_cast<BYTE*>(bytes), SizeofResource(instanz, fund))) ||
      FAILED(fabrik->CreateDecoderFromStream(strom.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                             &dekoder)) ||
      FAILED(dekoder->GetFrame(0, &bild)) || FAILED(fabrik->CreateFormatConverter(&wandler)) ||
      FAILED(wandler->Initialize(bild.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
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

// The render of the logo that is drawn at a width: the smallest that is not
// narrower, so that it is only ever scaled down. The renders are decoded
// once, at the first paint.
const Fenster::Logobild* Fenster::LogoVon(int breite) {
  if (!logosGeladen_) {
    logosGeladen_ = true;
    ComPtr<IWICImagingFactory> fabrik;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory,
                                reinterpret_cast<void**>(fabrik.GetAddressOf()))))
      return nullptr;
    for (int ressource : kLogoRessourcen) {
      UINT b = 0, h = 0;
      std::vector<std::uint32_t> pixel = LadePng(fabrik.Get(), instanz_, ressource, b, h);
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
