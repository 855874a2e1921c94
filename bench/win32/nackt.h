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

#include <array>
#include <vector>

#include "ui/layout.h"

namespace dunstwerk::bench {

// Microseconds from the creation of this process to now. Windows 7 lacks
// the precise clock of Windows 8; its fallback moves in clock ticks of about
// 16 ms, enough to see a slow start.
int MikrosekundenSeitProzessbeginn();

// What a timed start prints for win32_start_bench: the microseconds to main
// and to the first paint, the process's peak working set in KiB and its
// processor time so far in microseconds (which Wine counts in clock ticks).
void Melden(int bisMain, int bisBild);

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
  std::vector<HFONT> schriften_;
};

}  // namespace dunstwerk::bench
