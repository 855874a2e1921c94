// Installs the NSIS package silently for the current user, as an
// administrator rolling it out would, and checks the program, the
// start-menu entry and the entry in the list of installed programs (name,
// version, publisher, silent uninstall); starts the program through its
// start-menu entry and waits for its window (fenster_pruefen.exe beside this
// program); uninstalls it silently with the entry's own command and checks
// that no file and no registry key of it is left.
//
//   installer_test.exe INSTALLER.exe [SAME_PROGRAM.exe]
//
// With SAME_PROGRAM, the installed program must be that file, byte for byte.
// Exit code 0 when all went as it should, 1 with the failures otherwise.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

const wchar_t* const kSchluessel =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dunstwerk";

int fehler = 0;

void Falsch(const std::wstring& text) {
  std::fwprintf(stderr, L"FAILED: %ls\n", text.c_str());
  fehler = 1;
}

// Starts `programm` with `argumente` and waits for its end: its exit code,
// or -1 when it did not start.
long Starte(const fs::path& programm, const std::wstring& argumente) {
  std::wstring befehl = L"\"" + programm.wstring() + L"\" " + argumente;
  STARTUPINFOW start{};
  start.cb = sizeof(start);
  PROCESS_INFORMATION prozess{};
  if (!CreateProcessW(programm.c_str(), befehl.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &start, &prozess))
    return -1;
  WaitForSingleObject(prozess.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(prozess.hProcess, &code);
  CloseHandle(prozess.hThread);
  CloseHandle(prozess.hProcess);
  return static_cast<long>(code);
}

// Whether a folder really lies on drive C:. Wine links the user's folders
// (Desktop, Documents, ...) to the home folder, which is no part of drive C:.
bool AufLaufwerkC(const fs::path& ordner) {
  HANDLE h = CreateFileW(ordner.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return true;
  wchar_t ziel[MAX_PATH];
  const DWORD laenge = GetFinalPathNameByHandleW(h, ziel, MAX_PATH, VOLUME_NAME_DOS);
  CloseHandle(h);
  return laenge < 6 || laenge >= MAX_PATH || _wcsnicmp(ziel, L"\\\\?\\C:", 6) == 0;
}

// Every file and folder of drive C: but Windows' own and the temporary files
// (any folder Temp: the uninstaller leaves its copy in the user's until the
// next start of Windows).
std::set<fs::path> Bestand() {
  std::set<fs::path> bestand;
  std::error_code f;
  for (auto i = fs::recursive_directory_iterator(L"C:\\",
                                                 fs::directory_options::skip_permission_denied, f);
       i != fs::recursive_directory_iterator(); i.increment(f)) {
    const fs::path& pfad = i->path();
    const std::wstring name = pfad.filename().wstring();
    if ((i.depth() == 0 && _wcsicmp(name.c_str(), L"windows") == 0) ||
        _wcsicmp(name.c_str(), L"Temp") == 0) {
      i.disable_recursion_pending();
      continue;
    }
    bestand.insert(pfad);
    if (i->is_directory(f) && !AufLaufwerkC(pfad)) i.disable_recursion_pending();
  }
  return bestand;
}

std::wstring Text(const wchar_t* name) {
  wchar_t wert[1024];
  DWORD groesse = sizeof(wert);
  if (RegGetValueW(HKEY_CURRENT_USER, kSchluessel, name, RRF_RT_REG_SZ, nullptr, wert, &groesse) !=
      ERROR_SUCCESS)
    return L"(missing)";
  return wert;
}

DWORD Zahl(const wchar_t* name) {
  DWORD wert = 0, groesse = sizeof(wert);
  if (RegGetValueW(HKEY_CURRENT_USER, kSchluessel, name, RRF_RT_REG_DWORD, nullptr, &wert,
                   &groesse) != ERROR_SUCCESS)
    return 0xffffffff;
  return wert;
}

std::string Inhalt(const fs::path& datei) {
  std::ifstream ein(datei, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}

bool EndetMit(const std::wstring& text, const std::wstring& ende) {
  return text.size() >= ende.size() &&
         text.compare(text.size() - ende.size(), ende.size(), ende) == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: installer_test INSTALLER.exe [SAME_PROGRAM.exe]\n");
    return 2;
  }
  const fs::path installer = argv[1];
  if (!fs::is_regular_file(installer)) {
    Falsch(L"no " + installer.wstring() + L": make it first (cpack -G NSIS)");
    return 1;
  }
  wchar_t selbst[MAX_PATH];
  GetModuleFileNameW(nullptr, selbst, MAX_PATH);
  const fs::path fensterPruefen = fs::path(selbst).parent_path() / L"fenster_pruefen.exe";
  const fs::path ordner = fs::path(_wgetenv(L"LOCALAPPDATA")) / L"Programs" / L"Dunstwerk";
  const fs::path verknuepfung =
      fs::path(_wgetenv(L"APPDATA")) / L"Microsoft\\Windows\\Start Menu\\Programs\\Dunstwerk.lnk";
  const std::set<fs::path> vorher = Bestand();

  if (Starte(installer, L"/S") != 0) Falsch(L"the installer did not end with 0");
  for (const wchar_t* datei : {L"Dunstwerk_340z.exe", L"dunstwerk-rechne.exe"})
    if (!fs::is_regular_file(ordner / datei)) Falsch(std::wstring(datei) + L" not installed");
  if (!fs::is_regular_file(verknuepfung)) Falsch(L"no start-menu entry " + verknuepfung.wstring());
  if (argc > 2 && *argv[2] && Inhalt(argv[2]) != Inhalt(ordner / L"Dunstwerk_340z.exe"))
    Falsch(L"the installed program is not " + std::wstring(argv[2]));

  // The entry in the list of installed programs.
  const struct {
    const wchar_t* name;
    std::wstring wert;
  } texte[] = {{L"DisplayName", L"Dunstwerk"},
               {L"DisplayVersion", DUNSTWERK_VERSION},
               {L"Publisher", L"Dunstwerk"}};
  for (const auto& [name, wert] : texte)
    if (Text(name) != wert) Falsch(std::wstring(name) + L" is " + Text(name) + L", not " + wert);
  for (const wchar_t* name : {L"NoModify", L"NoRepair"})
    if (Zahl(name) != 1) Falsch(std::wstring(name) + L" is not 1");
  const std::wstring symbol = Text(L"DisplayIcon");
  std::error_code f;
  if (!EndetMit(symbol, L",0") ||
      !fs::equivalent(symbol.substr(0, symbol.size() - 2), ordner / L"Dunstwerk_340z.exe", f))
    Falsch(L"DisplayIcon is " + symbol);
  // "C:\...\Uninstall.exe" /S, the uninstaller in the installed folder.
  const std::wstring leise = Text(L"QuietUninstallString");
  const fs::path deinstallation =
      leise.size() > 4 && leise.front() == L'"' && EndetMit(leise, L"\" /S")
          ? leise.substr(1, leise.size() - 5)
          : L"";
  if (deinstallation.filename() != L"Uninstall.exe" ||
      !fs::equivalent(deinstallation.parent_path(), ordner, f))
    Falsch(L"QuietUninstallString is " + leise);

  if (Starte(fensterPruefen, L"\"" + verknuepfung.wstring() + L"\"") != 0)
    Falsch(L"the program did not show its window when started from the start menu");

  // The uninstaller copies itself away and returns at once; the copy removes.
  if (Starte(deinstallation, L"/S") != 0) Falsch(L"the uninstaller did not end with 0");
  for (int i = 0; i < 60 && fs::exists(ordner); ++i) Sleep(500);
  if (fs::exists(ordner)) Falsch(ordner.wstring() + L" is still there after uninstalling");
  if (fs::exists(verknuepfung)) Falsch(L"start-menu entry still there after uninstalling");
  HKEY schluessel;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSchluessel, 0, KEY_READ, &schluessel) !=
      ERROR_FILE_NOT_FOUND)
    Falsch(L"the uninstall entry is still there");
  const std::set<fs::path> nachher = Bestand();
  bool veraendert = false;
  auto fehlt = [&](const std::set<fs::path>& in, const std::set<fs::path>& aus,
                   const wchar_t* wie) {
    for (const fs::path& pfad : in)
      if (!aus.contains(pfad)) {
        std::fwprintf(stderr, L"%ls: %ls\n", wie, pfad.c_str());
        veraendert = true;
      }
  };
  fehlt(vorher, nachher, L"gone");
  fehlt(nachher, vorher, L"new");
  if (veraendert) Falsch(L"installing and uninstalling changed the files above on drive C:");
  if (!fehler)
    std::wprintf(L"installed, started from the start menu, and removed without a trace\n");
  return fehler;
}
