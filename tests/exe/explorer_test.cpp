// dunstwerk-rechne.exe (DUNSTWERK_RECHNE) started the way Explorer starts it:
// alone in a console window of its own, with a file dropped on it or with
// none. It must leave its result beside the file, overwrite nothing, and
// keep the window open until a key is pressed.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Lies(const fs::path& datei) {
  std::ifstream ein(datei, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}

struct Gestartet {
  PROCESS_INFORMATION prozess{};
  ~Gestartet() {
    if (prozess.hProcess) {
      TerminateProcess(prozess.hProcess, 99);
      CloseHandle(prozess.hProcess);
      CloseHandle(prozess.hThread);
    }
  }
};

// Started in a new console, as Explorer does.
bool Starte(const std::wstring& argumente, Gestartet& g) {
  std::wstring zeile = L"\"" + fs::path(DUNSTWERK_RECHNE).wstring() + L"\" " + argumente;
  STARTUPINFOW start{};
  start.cb = sizeof start;
  return CreateProcessW(nullptr, zeile.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        nullptr, &start, &g.prozess) != 0;
}

// A key pressed in the program's console window.
bool DrueckeTaste(DWORD prozess) {
  FreeConsole();
  if (!AttachConsole(prozess)) return false;
  HANDLE eingabe =
      CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  INPUT_RECORD taste[2]{};
  for (int i = 0; i < 2; ++i) {
    taste[i].EventType = KEY_EVENT;
    taste[i].Event.KeyEvent.bKeyDown = i == 0;
    taste[i].Event.KeyEvent.wRepeatCount = 1;
    taste[i].Event.KeyEvent.wVirtualKeyCode = VK_SPACE;
    taste[i].Event.KeyEvent.uChar.UnicodeChar = L' ';
  }
  DWORD geschrieben = 0;
  const bool gut =
      eingabe != INVALID_HANDLE_VALUE && WriteConsoleInputW(eingabe, taste, 2, &geschrieben);
  if (eingabe != INVALID_HANDLE_VALUE) CloseHandle(eingabe);
  FreeConsole();
  return gut && geschrieben == 2;
}

DWORD Ende(Gestartet& g) {
  DWORD status = 0;
  if (WaitForSingleObject(g.prozess.hProcess, 20000) != WAIT_OBJECT_0) return 98;
  GetExitCodeProcess(g.prozess.hProcess, &status);
  return status;
}

TEST(ExplorerStart, DateiAufDasProgrammGezogen) {
  const fs::path ordner = fs::temp_directory_path() / "dunstwerk_explorer";
  fs::remove_all(ordner);
  fs::create_directories(ordner);
  std::ofstream(ordner / "Messung.csv", std::ios::binary) << "Zeit;temlu;rf\r\n08:00;20;50\r\n";
  std::ofstream(ordner / "Messung-ergebnis.csv", std::ios::binary) << "gestern\r\n";
  Gestartet g;
  ASSERT_TRUE(Starte(L"\"" + (ordner / "Messung.csv").wstring() + L"\"", g));
  const fs::path ergebnis = ordner / "Messung-ergebnis-2.csv";
  for (int i = 0; i < 200 && !fs::exists(ergebnis); ++i) Sleep(100);
  ASSERT_TRUE(fs::exists(ergebnis));
  // The summary stands until a key is pressed.
  EXPECT_EQ(WaitForSingleObject(g.prozess.hProcess, 1000), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_TRUE(DrueckeTaste(g.prozess.dwProcessId));
  EXPECT_EQ(Ende(g), 0u);
  EXPECT_NE(Lies(ergebnis).find("\r\n08:00;20;50;20"), std::string::npos) << Lies(ergebnis);
  EXPECT_EQ(Lies(ordner / "Messung-ergebnis.csv"), "gestern\r\n");
  fs::remove_all(ordner);
}

TEST(ExplorerStart, DoppelklickOhneDatei) {
  Gestartet g;
  ASSERT_TRUE(Starte(L"", g));
  EXPECT_EQ(WaitForSingleObject(g.prozess.hProcess, 1500), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_TRUE(DrueckeTaste(g.prozess.dwProcessId));
  EXPECT_EQ(Ende(g), 0u);
}

}  // namespace
