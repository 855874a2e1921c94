// A bare window of the same 39 controls as the program's: the same classes
// of control (a plain child window for the picture box), captions, places,
// fonts, start visibility and background, made from the same table, and
// nothing else: no icon, no logo, no accessibility, no behaviour, no COM.
// It is what the program's start and click are timed against.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <utility>
#include <vector>

#include "ui/layout.h"

namespace dunstwerk::bench {

// Microseconds from the creation of this process to now. Windows 7 lacks
// the precise clock of Windows 8; its fallback moves in clock ticks of about
// 16 ms, enough to see a slow start.
int MikrosekundenSeitProzessbeginn();

// True when the command line asks for the start alone (--nur-start).
inline bool NurStart() { return std::wcsstr(GetCommandLineW(), L"--nur-start") != nullptr; }

// The processor time of this process so far, in microseconds (Wine counts it
// in clock ticks).
long long ProzessorzeitUs();

// The median microseconds of clicks on a "Rechne !" button from the click to
// its handler's return (which paints the results), each after vorher() has
// filled the inputs and followed by nachher().
template <class Vorher, class Nachher>
int KlickzeitUs(HWND rechne, Vorher vorher, Nachher nachher);

// What a timed start prints for win32_start_bench, after its first paint
// and a run of clicks: the microseconds to main and to the first paint, the
// processor time to the first paint, the median click, and the process's
// peak working set in KiB.
void Melden(int bisMain, int bisBild, long long prozessorzeit, int klick);

class NacktesFenster {
 public:
  explicit NacktesFenster(HINSTANCE instanz);
  ~NacktesFenster();
  NacktesFenster(const NacktesFenster&) = delete;
  NacktesFenster& operator=(const NacktesFenster&) = delete;

  HWND Hwnd() const { return hwnd_; }
  HWND Teil(const char* name) const { return teile_[ElementVon(name)]; }

  // What a click on a mode button changes; "Rechne !" (a BM_CLICK on it)
  // then shows the twelve results it was given and paints them before it
  // returns; "Erneut starten !" empties the boxes again.
  void Modus();
  void Neustart();

 private:
  static LRESULT CALLBACK Prozedur(HWND hwnd, UINT nachricht, WPARAM w, LPARAM l);
  void Rechne();

  HWND hwnd_ = nullptr;
  HBRUSH hintergrund_ = nullptr;
  std::array<HWND, kSteuerelemente.size()> teile_{};
  std::vector<std::pair<long, HFONT>> schriften_;  // by size and style
};

template <class Vorher, class Nachher>
int KlickzeitUs(HWND rechne, Vorher vorher, Nachher nachher) {
  constexpr int kKlicks = 21;
  std::array<long long, kKlicks> zeiten{};
  LARGE_INTEGER frequenz;
  QueryPerformanceFrequency(&frequenz);
  for (long long& zeit : zeiten) {
    vorher();
    LARGE_INTEGER von, bis;
    QueryPerformanceCounter(&von);
    SendMessageW(rechne, BM_CLICK, 0, 0);
    QueryPerformanceCounter(&bis);
    zeit = (bis.QuadPart - von.QuadPart) * 1000000 / frequenz.QuadPart;
    if (!nachher()) return -1;
  }
  std::sort(zeiten.begin(), zeiten.end());
  return static_cast<int>(zeiten[kKlicks / 2]);
}

}  // namespace dunstwerk::bench
