// Checks what a bare Windows 7 SP1 needs of a 64-bit program file:
// - the window is a GUI program (subsystem 2), so no console window opens
//   beside it; with "konsole" a console program (3), so that
//   dunstwerk-rechne writes into the command prompt it was started from;
// - it imports only DLLs such a system has: not the compiler's runtime DLLs
//   and not the universal C runtime (api-ms-win-crt-*, an update for 7);
// - every imported system function goes into PROBE.cpp, which names it with
//   Windows 7 as the target; the test *_importe_windows7 compiles it, so a
//   function the headers declare only for a newer Windows fails there.
//
//   pe_importe PROGRAM.exe PROBE.cpp [konsole]
//
// Reads the file's own structures (PE/COFF), not a tool's printed text, and
// checks every offset against the file's end.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What a bare Windows 7 SP1 brings; msvcrt.dll is its C runtime.
const char* const kErlaubt[] = {"kernel32.dll", "user32.dll", "gdi32.dll",    "comctl32.dll",
                                "oleacc.dll",   "ole32.dll",  "oleaut32.dll", "advapi32.dll",
                                "shell32.dll",  "msvcrt.dll"};

std::vector<unsigned char> datei;

// The little-endian number at `offset`.
template <typename T>
T Zahl(std::uint64_t offset) {
  if (offset > datei.size() || sizeof(T) > datei.size() - offset)
    throw std::runtime_error("the file ends inside its headers or import table");
  std::uint64_t wert = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) wert |= std::uint64_t{datei[offset + i]} << (8 * i);
  return static_cast<T>(wert);
}

std::string Text(std::uint64_t offset) {
  std::string text;
  for (char c; (c = Zahl<char>(offset++)) != 0;) text += c;
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const bool konsole = argc == 4 && std::strcmp(argv[3], "konsole") == 0;
  if (argc != 3 && !konsole) return 2;
  std::ifstream ein(argv[1], std::ios::binary);
  datei.assign(std::istreambuf_iterator<char>(ein), {});
  std::string fehler, probe;
  try {
    using u16 = std::uint16_t;
    using u32 = std::uint32_t;
    const u32 pe = Zahl<u32>(0x3C);
    if (Zahl<u16>(0) != 0x5A4D || Zahl<u32>(pe) != 0x4550) throw std::runtime_error("no PE file");
    const std::uint64_t opt = pe + 24, abschnitte = opt + Zahl<u16>(pe + 20);
    if (Zahl<u16>(opt) != 0x20B) throw std::runtime_error("not a 64-bit (PE32+) program");
    if (Zahl<u16>(opt + 68) != (konsole ? 3 : 2))
      fehler += konsole ? "not a console program\n" : "not a GUI program\n";
    if (Zahl<u32>(opt + 108) < 2) throw std::runtime_error("no import directory");
    // An address of the loaded program as an offset in the file.
    auto offset = [&](std::uint64_t rva) -> std::uint64_t {
      for (std::uint64_t s = abschnitte; s < abschnitte + 40ull * Zahl<u16>(pe + 6); s += 40) {
        const u32 anfang = Zahl<u32>(s + 12);
        if (rva >= anfang && rva - anfang < std::max(Zahl<u32>(s + 8), Zahl<u32>(s + 16)))
          return Zahl<u32>(s + 20) + (rva - anfang);
      }
      throw std::runtime_error("an address of the import table lies in no section");
    };
    // One 20-byte descriptor per DLL, ended by one without a name.
    for (std::uint64_t d = offset(Zahl<u32>(opt + 120)); Zahl<u32>(d + 12) != 0; d += 20) {
      const std::string dll = Text(offset(Zahl<u32>(d + 12)));
      if (std::none_of(std::begin(kErlaubt), std::end(kErlaubt),
                       [&](const char* e) { return _stricmp(e, dll.c_str()) == 0; }))
        fehler += "imports " + dll + ", which a bare Windows 7 SP1 does not have\n";
      for (std::uint64_t t = offset(Zahl<u32>(d) ? Zahl<u32>(d) : Zahl<u32>(d + 16));; t += 8) {
        const std::uint64_t eintrag = Zahl<std::uint64_t>(t);
        if (eintrag == 0) break;
        if (eintrag >> 63) throw std::runtime_error(dll + " is imported by ordinal, not by name");
        const std::string funktion = Text(offset((eintrag & 0x7FFFFFFF) + 2));
        // The C runtime's names are not Windows API; its DLL is checked above.
        if (_stricmp(dll.c_str(), "msvcrt.dll") != 0)
          probe += "  (void)&::" + funktion + ";  // " + dll + "\n";
      }
    }
  } catch (const std::exception& e) {
    fehler += std::string(e.what()) + "\n";
  }
  if (probe.empty()) fehler += "no imported system functions\n";
  std::ofstream(argv[2])
      << "#define _WIN32_WINNT 0x0601\n#define WINVER 0x0601\n#include <windows.h>\n"
         "#include <commctrl.h>\n#include <oleacc.h>\n\nvoid Windows7() {\n"
      << probe << "}\n";
  if (!fehler.empty()) std::fprintf(stderr, "FAILED: %s:\n%s", argv[1], fehler.c_str());
  return fehler.empty() ? 0 : 1;
}
