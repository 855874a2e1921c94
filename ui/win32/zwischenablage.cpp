// The clipboard: the results as Unicode text with Windows line ends, and as
// the clipboard's HTML format.
#include "ui/zwischenablage.h"

#include <cstring>

#include "ui/win32/fenster.h"
#include "ui/win32/intern.h"

namespace dunstwerk {
namespace {

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

}  // namespace

void Fenster::InZwischenablage(std::string_view text, std::string_view html) {
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  const std::wstring breit = win32::Breit(MitCrLf(text));
  Ablegen(CF_UNICODETEXT, breit.c_str(), (breit.size() + 1) * sizeof(wchar_t));
  static const UINT kHtmlFormat = RegisterClipboardFormatW(L"HTML Format");
  const std::string cfHtml = AlsCfHtml(html);
  if (kHtmlFormat) Ablegen(kHtmlFormat, cfHtml.c_str(), cfHtml.size() + 1);
  CloseClipboard();
}

}  // namespace dunstwerk
