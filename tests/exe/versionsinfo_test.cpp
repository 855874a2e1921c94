// The program file as Windows sees it: the version record Explorer shows, the
// icon, and the manifest that asks for visual styles and per-monitor DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "ressourcen.h"

namespace {

const wchar_t* const kProgramm = L"" DUNSTWERK_PROGRAMM;

std::vector<BYTE> Versionsdaten() {
  DWORD groesse = GetFileVersionInfoSizeW(kProgramm, nullptr);
  std::vector<BYTE> daten(groesse);
  if (groesse == 0 || !GetFileVersionInfoW(kProgramm, 0, groesse, daten.data())) daten.clear();
  return daten;
}

struct Eintrag {
  const wchar_t* name;
  const wchar_t* wert;
};

// Names the case in test lists and failures; the names are plain ASCII.
void PrintTo(const Eintrag& eintrag, std::ostream* aus) {
  for (const wchar_t* z = eintrag.name; *z; ++z) *aus << static_cast<char>(*z);
}

class Versionstext : public testing::TestWithParam<Eintrag> {};

TEST_P(Versionstext, StehtImDeutschenBlock) {
  std::vector<BYTE> daten = Versionsdaten();
  ASSERT_FALSE(daten.empty()) << "no version record, error " << GetLastError();
  std::wstring pfad = std::wstring(L"\\StringFileInfo\\040704B0\\") + GetParam().name;
  wchar_t* wert = nullptr;
  UINT laenge = 0;
  ASSERT_TRUE(VerQueryValueW(daten.data(), pfad.c_str(), reinterpret_cast<void**>(&wert), &laenge));
  EXPECT_EQ(std::wstring(wert), GetParam().wert);
}

INSTANTIATE_TEST_SUITE_P(Programmdatei, Versionstext,
                         testing::Values(Eintrag{L"ProductName", L"Dunstwerk"},
                                         Eintrag{L"FileVersion", DUNSTWERK_VERSION},
                                         Eintrag{L"ProductVersion", DUNSTWERK_VERSION},
                                         Eintrag{L"InternalName", L"Dunstwerk_340z"},
                                         Eintrag{L"OriginalFilename", L"Dunstwerk_340z.exe"}));

TEST(Programmdatei, SpracheDeutschMitUnicode) {
  std::vector<BYTE> daten = Versionsdaten();
  ASSERT_FALSE(daten.empty());
  WORD* paar = nullptr;
  UINT laenge = 0;
  ASSERT_TRUE(VerQueryValueW(daten.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&paar), &laenge));
  ASSERT_EQ(laenge, 2 * sizeof(WORD));
  EXPECT_EQ(paar[0], 0x0407);
  EXPECT_EQ(paar[1], 1200);

  VS_FIXEDFILEINFO* fest = nullptr;
  ASSERT_TRUE(VerQueryValueW(daten.data(), L"\\", reinterpret_cast<void**>(&fest), &laenge));
  // "1.01" is 1.1.0.0: the minor version as a number.
  const DWORD version = MAKELONG(DUNSTWERK_VERSION_NEBEN, DUNSTWERK_VERSION_HAUPT);
  EXPECT_EQ(fest->dwFileVersionMS, version);
  EXPECT_EQ(fest->dwProductVersionMS, version);
  EXPECT_EQ(fest->dwFileType, static_cast<DWORD>(VFT_APP));
}

class Ressourcen : public testing::Test {
 protected:
  void SetUp() override {
    modul_ = LoadLibraryExW(kProgramm, nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(modul_, nullptr) << "error " << GetLastError();
  }
  void TearDown() override {
    if (modul_) FreeLibrary(modul_);
  }
  std::string Inhalt(const wchar_t* typ, int nummer) {
    HRSRC ressource = FindResourceW(modul_, MAKEINTRESOURCEW(nummer), typ);
    if (!ressource) return {};
    auto* anfang = static_cast<const char*>(LockResource(LoadResource(modul_, ressource)));
    return std::string(anfang, SizeofResource(modul_, ressource));
  }
  HMODULE modul_ = nullptr;
};

TEST_F(Ressourcen, ManifestVerlangtStileUndDpiJeBildschirm) {
  std::string manifest = Inhalt(RT_MANIFEST, 1);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
}

// Windows gives a program the behaviour of the newest system its manifest
// names; without Windows 7 to 10 there, it would treat it as a Vista one.
TEST_F(Ressourcen, ManifestNenntWindows7Bis11) {
  const std::string manifest = Inhalt(RT_MANIFEST, 1);
  for (const char* system : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // 7
                             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",     // 8
                             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",     // 8.1
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + system + "\"/>"), std::string::npos)
        << system;
  }
}

TEST_F(Ressourcen, SymbolHat32Pixel) {
  // The icon group: a six-byte head with the count, then 14 bytes per image
  // (width, height, ..., resource number in the last two).
  std::string gruppe = Inhalt(RT_GROUP_ICON, IDI_DUNSTWERK);
  ASSERT_GE(gruppe.size(), 6u);
  const auto* bytes = reinterpret_cast<const unsigned char*>(gruppe.data());
  const int anzahl = bytes[4] | bytes[5] << 8;
  ASSERT_EQ(gruppe.size(), 6u + 14u * anzahl);
  bool gefunden = false;
  for (int i = 0; i < anzahl; ++i) {
    const unsigned char* bild = bytes + 6 + 14 * i;
    if (bild[0] != 32 || bild[1] != 32) continue;
    gefunden = true;
    EXPECT_FALSE(Inhalt(RT_ICON, bild[12] | bild[13] << 8).empty());
  }
  EXPECT_TRUE(gefunden);
}

}  // namespace
