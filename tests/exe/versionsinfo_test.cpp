// The program file as Windows sees it: the version record Explorer shows, the
// icon, and the manifest that asks for visual styles and per-monitor DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/win32/ressourcen.h"

namespace {

const wchar_t* const kProgramm = L"" DUNSTWERK_PROGRAMM;

TEST(Programmdatei, Versionsrecord) {
  std::vector<BYTE> daten(GetFileVersionInfoSizeW(kProgramm, nullptr));
  ASSERT_TRUE(GetFileVersionInfoW(kProgramm, 0, daten.size(), daten.data()));
  // Explorer takes the texts from the block the translation names: German, Unicode.
  DWORD* sprache = nullptr;
  UINT laenge = 0;
  ASSERT_TRUE(VerQueryValueW(daten.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&sprache), &laenge));
  ASSERT_EQ(laenge, sizeof(DWORD));
  EXPECT_EQ(*sprache, MAKELONG(0x0407, 1200));
  const struct {
    const wchar_t *name, *wert;
  } texte[] = {{L"ProductName", L"Dunstwerk"},
               {L"FileVersion", DUNSTWERK_VERSION},
               {L"ProductVersion", DUNSTWERK_VERSION},
               {L"InternalName", L"Dunstwerk_340z"},
               {L"OriginalFilename", L"Dunstwerk_340z.exe"}};
  for (const auto& [name, wert] : texte) {
    wchar_t* text = nullptr;
    VerQueryValueW(daten.data(), (std::wstring(L"\\StringFileInfo\\040704B0\\") + name).c_str(),
                   reinterpret_cast<void**>(&text), &laenge);
    EXPECT_STREQ(text, wert) << name;
  }

  VS_FIXEDFILEINFO* fest = nullptr;
  ASSERT_TRUE(VerQueryValueW(daten.data(), L"\\", reinterpret_cast<void**>(&fest), &laenge));
  // "1.02" is 1.2.0.0: the minor version as a number.
  const DWORD version = MAKELONG(DUNSTWERK_VERSION_NEBEN, DUNSTWERK_VERSION_HAUPT);
  EXPECT_EQ(fest->dwFileVersionMS, version);
  EXPECT_EQ(fest->dwProductVersionMS, version);
  EXPECT_EQ(fest->dwFileType, static_cast<DWORD>(VFT_APP));
}

std::string Ressource(const wchar_t* typ, int nummer) {
  static const HMODULE modul =
      LoadLibraryExW(kProgramm, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  const HRSRC ressource = modul ? FindResourceW(modul, MAKEINTRESOURCEW(nummer), typ) : nullptr;
  if (!ressource) return {};
  return std::string(static_cast<const char*>(LockResource(LoadResource(modul, ressource))),
                     SizeofResource(modul, ressource));
}

TEST(Programmdatei, Manifest) {
  const std::string manifest = Ressource(RT_MANIFEST, 1);
  // Visual styles, per-monitor DPI, and Windows 7 to 11: Windows gives a
  // program the behaviour of the newest system its manifest names, without
  // these that of Vista.
  for (const char* teil :
       {"Microsoft.Windows.Common-Controls", ">PerMonitorV2", ">true/pm<",
        "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",   // 7
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",   // 8
        "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",   // 8.1
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"})  // 10, 11
    EXPECT_NE(manifest.find(teil), std::string::npos) << teil;
}

TEST(Programmdatei, SymbolHat32Pixel) {
  // The icon group: a six-byte head, then 14 bytes per image (width,
  // height, ..., resource number in the last two).
  const std::string gruppe = Ressource(RT_GROUP_ICON, IDI_DUNSTWERK);
  const auto* b = reinterpret_cast<const unsigned char*>(gruppe.data());
  int gefunden = 0;
  for (std::size_t i = 6; i + 14 <= gruppe.size(); i += 14)
    if (b[i] == 32 && b[i + 1] == 32)
      gefunden += !Ressource(RT_ICON, b[i + 12] | b[i + 13] << 8).empty();
  EXPECT_GT(gefunden, 0);
}

}  // namespace
