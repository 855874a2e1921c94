// Times the Windows program's window against a bare window of the same
// controls with the same manifest (nackt.h): from the start of a fresh
// process to the first painted window, with the peak working set of such a
// process, the two programs started in turn; and from a click on "Rechne !"
// to painted results, both windows in this process, clicked in turn. Prints
// the medians and their ratios. Under Wine on Linux:
//
//   cmake/wine-run.sh build-win/wine build-win/bench/win32/win32_start_bench.exe [pairs]
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// clang-format off
#include <commctrl.h>
// clang-format on

#include <algorithm>
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

// One start, to the window painted for the first time.
int EinStart(HINSTANCE instanz, int bisMain) {
  // As wWinMain starts it.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX steuerelemente{sizeof(steuerelemente), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&steuerelemente);
  dunstwerk::Fenster fenster(instanz);
  fenster.Anzeigen();
  UpdateWindow(fenster.Hwnd());
  dunstwerk::bench::Melden(bisMain, dunstwerk::bench::MikrosekundenSeitProzessbeginn());
  return 0;
}

double Millisekunden(LARGE_INTEGER von, LARGE_INTEGER bis) {
  LARGE_INTEGER frequenz;
  QueryPerformanceFrequency(&frequenz);
  return 1000.0 * static_cast<double>(bis.QuadPart - von.QuadPart) /
         static_cast<double>(frequenz.QuadPart);
}

// Starts a program and reads what it prints: the microseconds from its
// creation to main and to its first painted window, and its peak working
// set in KiB.
bool Starte(std::wstring befehl, double mainMs[2], double& mib) {
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
  long long bisMain = 0, bisBild = 0, kib = 0;
  if (std::sscanf(text, "%lld %lld %lld", &bisMain, &bisBild, &kib) != 3) return false;
  mainMs[0] = static_cast<double>(bisMain) / 1000;
  mainMs[1] = static_cast<double>(bisBild) / 1000;
  mib = static_cast<double>(kib) / 1024;
  return true;
}

void Zeile(const char* was, const std::vector<double>& echt, const std::vector<double>& nackt,
           const char* einheit) {
  const double e = Median(echt), n = Median(nackt);
  std::printf("%-44s %9.3f %9.3f %s  ratio %.3f\n", was, e, n, einheit, n > 0 ? e / n : 0);
}

}  // namespace

int main() {
  const int bisMain = dunstwerk::bench::MikrosekundenSeitProzessbeginn();
  HINSTANCE instanz = GetModuleHandleW(nullptr);
  const wchar_t* zeile = GetCommandLineW();
  if (std::wcsstr(zeile, L"--ein-start")) return EinStart(instanz, bisMain);
  int paare = 11;
  if (const wchar_t* zahl = std::wcsrchr(zeile, L' '); zahl && std::iswdigit(zahl[1]))
    paare = std::max(1, _wtoi(zahl + 1));

  wchar_t programm[MAX_PATH];
  GetModuleFileNameW(nullptr, programm, MAX_PATH);
  std::wstring nackt(programm);
  nackt.replace(nackt.rfind(L'\\') + 1, std::wstring::npos, L"win32_nackt.exe");
  const std::wstring befehle[2] = {L"\"" + std::wstring(programm) + L"\" --ein-start",
                                   L"\"" + nackt + L"\""};
  std::vector<double> mainMs[2], startMs[2], speicherMiB[2];
  for (int i = 0; i < paare; ++i) {
    // Which goes first changes from pair to pair.
    for (int j = 0; j < 2; ++j) {
      const int welches = (i + j) % 2;
      double ms[2] = {}, mib = 0;
      if (!Starte(befehle[welches], ms, mib)) {
        std::fprintf(stderr, "start %d failed\n", i);
        return 1;
      }
      mainMs[welches].push_back(ms[0]);
      startMs[welches].push_back(ms[1]);
      speicherMiB[welches].push_back(mib);
    }
  }

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX steuerelemente{sizeof(steuerelemente), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&steuerelemente);
  dunstwerk::Fenster fenster(instanz, std::string(","));
  fenster.Anzeigen();
  dunstwerk::bench::NacktesFenster bloss(instanz);
  ShowWindow(bloss.Hwnd(), SW_SHOWNA);
  UpdateWindow(bloss.Hwnd());
  SendMessageW(fenster.Steuerelement("cmd_Rechn_1"), BM_CLICK, 0, 0);
  bloss.Modus();
  constexpr int kKlicks = 201;
  std::vector<double> klickMs[2];
  for (int i = 0; i < kKlicks; ++i) {
    SetWindowTextW(fenster.Steuerelement("txt_temlu"), L"20");
    SetWindowTextW(fenster.Steuerelement("txt_rf"), L"50");
    LARGE_INTEGER von, bis;
    QueryPerformanceCounter(&von);
    // The handler paints the results before it returns.
    SendMessageW(fenster.Steuerelement("cmd_rechne"), BM_CLICK, 0, 0);
    QueryPerformanceCounter(&bis);
    klickMs[0].push_back(Millisekunden(von, bis));
    wchar_t h1[16] = {};
    GetWindowTextW(fenster.Steuerelement("txt_h1"), h1, 16);
    if (std::wstring(h1) != L"38,8") return 1;
    SendMessageW(fenster.Steuerelement("cmd_neustart"), BM_CLICK, 0, 0);

    SetWindowTextW(bloss.Teil("txt_temlu"), L"20");
    SetWindowTextW(bloss.Teil("txt_rf"), L"50");
    QueryPerformanceCounter(&von);
    SendMessageW(bloss.Teil("cmd_rechne"), BM_CLICK, 0, 0);
    QueryPerformanceCounter(&bis);
    klickMs[1].push_back(Millisekunden(von, bis));
    bloss.Neustart();
  }

  std::printf("%-44s %9s %9s\n", "median over alternating runs", "window", "bare");
  Zeile("process start to main", mainMs[0], mainMs[1], "ms");
  Zeile("process start to first painted window", startMs[0], startMs[1], "ms");
  Zeile("peak working set of a start", speicherMiB[0], speicherMiB[1], "MiB");
  Zeile("click on Rechne ! to painted results", klickMs[0], klickMs[1], "ms");
  std::printf("(%d start pairs, %d click pairs; goal: each ratio < 1.1)\n", paare, kKlicks);
  return 0;
}
