// Times the Windows program's window against a bare window of the same
// controls with the same manifest (nackt.h), the two programs started in
// turn: from the start of a fresh process to main and to the first painted
// window, the processor time that took, from a click on "Rechne !" to the
// painted results (the median of a run of clicks in each process), and the
// peak working set of such a process. Prints the medians over the starts
// and their ratios. Under Wine on Linux:
//
//   cmake/wine-run.sh build-win/wine build-win/bench/win32/win32_start_bench.exe [pairs]
//
// "--ein-start --nur-start" (and win32_nackt.exe --nur-start) is one start
// that ends at its first paint, for a processor-time count from outside:
//
//   perf stat -e task-clock cmake/wine-run.sh build-win/wine
//       build-win/bench/win32/win32_start_bench.exe --ein-start --nur-start
//
// (one line).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// clang-format off
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "nackt.h"
#include "ui/win32/fenster.h"

namespace {

double Median(std::vector<double> werte) {
  std::sort(werte.begin(), werte.end());
  const std::size_t n = werte.size();
  return n % 2 ? werte[n / 2] : (werte[n / 2 - 1] + werte[n / 2]) / 2;
}

// One start of the program's window, as wWinMain makes it, to its first
// paint; then clicks on "Rechne !" after 20 °C and 50 %.
int EinStart(HINSTANCE instanz, int bisMain) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX steuerelemente{sizeof(steuerelemente), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&steuerelemente);
  dunstwerk::Fenster fenster(instanz, std::string(","));
  fenster.Anzeigen();
  UpdateWindow(fenster.Hwnd());
  const int bisBild = dunstwerk::bench::MikrosekundenSeitProzessbeginn();
  const long long prozessorzeit = dunstwerk::bench::ProzessorzeitUs();
  if (dunstwerk::bench::NurStart()) return 0;

  SendMessageW(fenster.HwndVon("cmd_Rechn_1"), BM_CLICK, 0, 0);
  const int klick = dunstwerk::bench::KlickzeitUs(
      fenster.HwndVon("cmd_rechne"),
      [&] {
        SetWindowTextW(fenster.HwndVon("txt_temlu"), L"20");
        SetWindowTextW(fenster.HwndVon("txt_rf"), L"50");
      },
      [&] {
        wchar_t h1[16] = {};
        GetWindowTextW(fenster.HwndVon("txt_h1"), h1, 16);
        SendMessageW(fenster.HwndVon("cmd_neustart"), BM_CLICK, 0, 0);
        return std::wstring(h1) == L"38,8";
      });
  dunstwerk::bench::Melden(bisMain, bisBild, prozessorzeit, klick);
  return 0;
}

// The figures of one start, in milliseconds and MiB.
using Messung = std::array<double, 5>;
constexpr const char* kNamen[] = {"process start to main", "process start to first painted window",
                                  "processor time to first paint",
                                  "click on Rechne ! to painted results",
                                  "peak working set of a start"};
constexpr const char* kEinheiten[] = {"ms", "ms", "ms", "ms", "MiB"};

// Starts a program and reads what it prints (Melden).
bool Starte(std::wstring befehl, Messung& messung) {
  SECURITY_ATTRIBUTES erben{sizeof(erben), nullptr, TRUE};
  HANDLE lesen = nullptr, schreiben = nullptr;
  if (!CreatePipe(&lesen, &schreiben, &erben, 0)) return false;
  SetHandleInformation(lesen, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW start{};
  start.cb = sizeof(start);
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = schreiben;
  start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION prozess{};
  const bool gestartet = CreateProcessW(nullptr, befehl.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &start, &prozess);
  CloseHandle(schreiben);
  if (!gestartet) return CloseHandle(lesen), false;
  char text[128] = {};
  DWORD gelesen = 0, mehr = 0;
  while (gelesen + 1 < sizeof(text) &&
         ReadFile(lesen, text + gelesen, sizeof(text) - 1 - gelesen, &mehr, nullptr) && mehr)
    gelesen += mehr;
  CloseHandle(lesen);
  WaitForSingleObject(prozess.hProcess, 30000);
  CloseHandle(prozess.hThread);
  CloseHandle(prozess.hProcess);
  long long bisMain = 0, bisBild = 0, prozessorzeit = 0, klick = 0, kib = 0;
  if (std::sscanf(text, "%lld %lld %lld %lld %lld", &bisMain, &bisBild, &prozessorzeit, &klick,
                  &kib) != 5 ||
      klick < 0)
    return false;
  messung = {bisMain / 1000.0, bisBild / 1000.0, prozessorzeit / 1000.0, klick / 1000.0,
             kib / 1024.0};
  return true;
}

}  // namespace

int main() {
  const int bisMain = dunstwerk::bench::MikrosekundenSeitProzessbeginn();
  HINSTANCE instanz = GetModuleHandleW(nullptr);
  const wchar_t* zeile = GetCommandLineW();
  if (std::wcsstr(zeile, L"--ein-start")) return EinStart(instanz, bisMain);
  int paare = 21;
  if (const wchar_t* zahl = std::wcsrchr(zeile, L' '); zahl && std::iswdigit(zahl[1]))
    paare = std::max(1, _wtoi(zahl + 1));

  wchar_t programm[MAX_PATH];
  GetModuleFileNameW(nullptr, programm, MAX_PATH);
  std::wstring nackt(programm);
  nackt.replace(nackt.rfind(L'\\') + 1, std::wstring::npos, L"win32_nackt.exe");
  const std::wstring befehle[2] = {L"\"" + std::wstring(programm) + L"\" --ein-start",
                                   L"\"" + nackt + L"\""};
  std::vector<double> werte[2][std::size(kNamen)];
  for (int i = 0; i < paare; ++i) {
    // Which goes first changes from pair to pair.
    for (int j = 0; j < 2; ++j) {
      const int welches = (i + j) % 2;
      Messung m{};
      if (!Starte(befehle[welches], m)) {
        std::fprintf(stderr, "start %d failed\n", i);
        return 1;
      }
      for (std::size_t k = 0; k < m.size(); ++k) werte[welches][k].push_back(m[k]);
    }
  }

  std::printf("%-44s %9s %9s\n", "median over alternating starts", "window", "bare");
  for (std::size_t k = 0; k < std::size(kNamen); ++k) {
    const double e = Median(werte[0][k]), n = Median(werte[1][k]);
    std::printf("%-44s %9.3f %9.3f %-3s  ratio %.3f\n", kNamen[k], e, n, kEinheiten[k],
                n > 0 ? e / n : 0);
  }
  std::printf("(%d start pairs, each with 21 clicks; goal: each ratio < 1.1)\n", paare);
  return 0;
}
