// Installs the NSIS package silently for the current user, as an
// administrator rolling it out would, and checks the installed files and the
// entry in the list of installed programs; starts the program through its
// start-menu entry and waits for its window (fenster_pruefen.exe beside this
// program); uninstalls it silently with the entry's own command and checks
// that no file on drive C: and no registry key of it is left.
//
//   installer_test.exe INSTALLER.exe [SAME_PROGRAM.exe: the installed one, byte for byte]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const wchar_t* const kSchluessel =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dunstwerk";

int fehler = 0;

int Falsch(const std::wstring& text) {
  std::fwprintf(stderr, L"FAILED: %ls\n", text.c_str());
  return fehler = 1;
}

// Starts `befehl` and waits for its end: its exit code, or -1.
long Starte(std::wstring befehl) {
  STARTUPINFOW start{};
  start.cb = sizeof(start);
  PROCESS_INFORMATION prozess{};
  if (!CreateProcessW(nullptr, befehl.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                      &prozess))
    return -1;
  DWORD code = 1;  // the handles go with this short-lived test
  WaitForSingleObject(prozess.hProcess, INFINITE);
  GetExitCodeProcess(prozess.hProcess, &code);
  return static_cast<long>(code);
}

// Every file and folder of drive C: but Windows' own and the temporary files
// (any folder Temp: the uninstaller leaves its copy in the user's until the
// next start of Windows).
std::set<fs::path> Bestand() {
  std::set<fs::path> bestand;
  std::error_code f;
  for (fs::recursive_directory_iterator
           i(L"C:\\", fs::directory_options::skip_permission_denied, f),
       ende;
       i != ende; i.increment(f)) {
    const std::wstring name = i->path().filename().wstring();
    if (_wcsicmp(name.c_str(), L"Temp") == 0 ||
        (i.depth() == 0 && _wcsicmp(name.c_str(), L"windows") == 0)) {
      i.disable_recursion_pending();
      continue;
    }
    bestand.insert(i->path());
    // Wine links the user's folders (Desktop, Documents, ...) to the home
    // folder, which is no part of drive C:.
    if (GetFileAttributesW(i->path().c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)
      i.disable_recursion_pending();
  }
  return bestand;
}

// A value of the uninstall entry as text, a number as "dword:N".
std::wstring Wert(const wchar_t* name) {
  wchar_t wert[512] = L"(missing)";
  DWORD typ = REG_NONE, groesse = sizeof(wert), zahl;
  RegGetValueW(HKEY_CURRENT_USER, kSchluessel, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &typ, wert,
               &groesse);
  if (typ != REG_DWORD) return wert;
  std::memcpy(&zahl, wert, sizeof(zahl));
  return L"dword:" + std::to_wstring(zahl);
}

std::string Inhalt(const fs::path& datei) {
  std::ifstream ein(datei, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  wchar_t selbst[MAX_PATH];
  GetModuleFileNameW(nullptr, selbst, MAX_PATH);
  const std::wstring ordner = _wgetenv(L"LOCALAPPDATA") + std::wstring(L"\\Programs\\Dunstwerk");
  const std::wstring programm = ordner + L"\\Dunstwerk_340z.exe";
  const std::wstring deinstallation = L"\"" + ordner + L"\\Uninstall.exe\" /S";
  const std::set<fs::path> vorher = Bestand();

  if (Starte(L"\"" + std::wstring(argv[1]) + L"\" /S") != 0)
    return Falsch(L"the installer did not run and end with 0 (cpack -G NSIS first)");
  for (const std::wstring& datei : {programm, ordner + L"\\dunstwerk-rechne.exe"})
    if (!fs::is_regular_file(datei)) Falsch(datei + L" not installed");
  if (argc > 2 && *argv[2] && Inhalt(argv[2]) != Inhalt(programm))
    Falsch(L"the installed program is not " + std::wstring(argv[2]));
  // The entry in the list of installed programs.
  const struct {
    const wchar_t* name;
    std::wstring wert;
  } eintrag[] = {{L"DisplayName", L"Dunstwerk"},
                 {L"DisplayVersion", DUNSTWERK_VERSION},
                 {L"Publisher", L"Dunstwerk"},
                 {L"DisplayIcon", programm + L",0"},
                 {L"QuietUninstallString", deinstallation},
                 {L"NoModify", L"dword:1"},
                 {L"NoRepair", L"dword:1"}};
  for (const auto& [name, wert] : eintrag)
    if (Wert(name) != wert) Falsch(std::wstring(name) + L" is " + Wert(name) + L", not " + wert);

  const fs::path verknuepfung =
      _wgetenv(L"APPDATA") +
      std::wstring(L"\\Microsoft\\Windows\\Start Menu\\Programs\\Dunstwerk.lnk");
  if (Starte(L"\"" + fs::path(selbst).replace_filename(L"fenster_pruefen.exe").wstring() +
             L"\" \"" + verknuepfung.wstring() + L"\"") != 0)
    Falsch(L"the program did not show its window when started from the start menu");

  // The uninstaller copies itself away and returns at once; the copy removes.
  if (Starte(deinstallation) != 0) Falsch(L"the uninstaller did not end with 0");
  for (int i = 0; i < 60 && fs::exists(ordner); ++i) Sleep(500);
  if (HKEY k;
      RegOpenKeyExW(HKEY_CURRENT_USER, kSchluessel, 0, KEY_READ, &k) != ERROR_FILE_NOT_FOUND)
    Falsch(L"the uninstall entry is still there");
  std::set<fs::path> nachher = Bestand();
  for (const fs::path& pfad : vorher)
    if (!nachher.erase(pfad)) Falsch(L"removed by installing and uninstalling: " + pfad.wstring());
  for (const fs::path& pfad : nachher) Falsch(L"left after uninstalling: " + pfad.wstring());
  return fehler;
}
