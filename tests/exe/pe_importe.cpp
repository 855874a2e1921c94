// Reads the import table of a 64-bit Windows program file and checks what a
// bare Windows 7 SP1 needs of it:
// - the window is a GUI program (subsystem 2), so no console window opens
//   beside it; dunstwerk-rechne a console program (3), so that it writes
//   into the command prompt it was started from;
// - it imports only DLLs such a system has: not the compiler's runtime DLLs
//   (libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll) and not the
//   universal C runtime (api-ms-win-crt-*, an update for Windows 7);
// - it writes every imported system function into a small C++ file that
//   names each one with Windows 7 as the target; the test
//   programm_importe_windows7 compiles it, so a function the headers declare
//   only for a newer Windows fails there.
//
//   pe_importe PROGRAM.exe PROBE.cpp [konsole]
//
// Reads the file's own structures (PE/COFF), not a tool's printed text, so
// it does not depend on the binutils version. Exit code 0 when the program
// passes, 1 with a message otherwise; a damaged file is a failure too.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What a bare Windows 7 SP1 brings; msvcrt.dll is its C runtime.
const std::set<std::string> kErlaubt = {"KERNEL32", "USER32",   "GDI32",    "COMCTL32", "OLEACC",
                                        "OLE32",    "OLEAUT32", "ADVAPI32", "SHELL32",  "MSVCRT"};

class Datei {
 public:
  explicit Datei(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  // Little-endian number of N bytes at offset, or a failure beyond the end.
  template <typename T>
  T Zahl(std::uint64_t offset) const {
    Pruefe(offset, sizeof(T));
    std::uint64_t wert = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      wert |= std::uint64_t{bytes_[offset + i]} << (8 * i);
    return static_cast<T>(wert);
  }

  std::string Text(std::uint64_t offset) const {
    std::string text;
    for (;; ++offset) {
      Pruefe(offset, 1);
      if (bytes_[offset] == 0) return text;
      text.push_back(static_cast<char>(bytes_[offset]));
    }
  }

 private:
  void Pruefe(std::uint64_t offset, std::uint64_t laenge) const {
    if (offset > bytes_.size() || laenge > bytes_.size() - offset)
      throw std::runtime_error("the file ends inside its headers or import table");
  }
  std::vector<unsigned char> bytes_;
};

struct Abschnitt {
  std::uint32_t rva, groesse, offset;
};

struct Import {
  std::string dll, funktion;
};

struct Programm {
  std::uint16_t subsystem = 0;
  std::vector<Import> importe;
};

Programm Lies(const Datei& d) {
  if (d.Zahl<std::uint16_t>(0) != 0x5A4D) throw std::runtime_error("no MZ header");
  const std::uint32_t pe = d.Zahl<std::uint32_t>(0x3C);
  if (d.Zahl<std::uint32_t>(pe) != 0x00004550) throw std::runtime_error("no PE signature");
  const std::uint16_t anzahl = d.Zahl<std::uint16_t>(pe + 6);
  const std::uint16_t kopfgroesse = d.Zahl<std::uint16_t>(pe + 20);
  const std::uint64_t opt = pe + 24;
  if (d.Zahl<std::uint16_t>(opt) != 0x20B) throw std::runtime_error("not a 64-bit (PE32+) program");

  Programm p;
  p.subsystem = d.Zahl<std::uint16_t>(opt + 68);
  if (d.Zahl<std::uint32_t>(opt + 108) < 2) throw std::runtime_error("no import directory");
  const std::uint32_t import_rva = d.Zahl<std::uint32_t>(opt + 112 + 8);

  std::vector<Abschnitt> abschnitte;
  for (std::uint16_t i = 0; i < anzahl; ++i) {
    const std::uint64_t s = opt + kopfgroesse + 40ull * i;
    abschnitte.push_back({d.Zahl<std::uint32_t>(s + 12),
                          std::max(d.Zahl<std::uint32_t>(s + 8), d.Zahl<std::uint32_t>(s + 16)),
                          d.Zahl<std::uint32_t>(s + 20)});
  }
  auto offset = [&](std::uint64_t rva) -> std::uint64_t {
    for (const auto& a : abschnitte)
      if (rva >= a.rva && rva - a.rva < a.groesse) return a.offset + (rva - a.rva);
    throw std::runtime_error("an address of the import table lies in no section");
  };
  if (import_rva == 0) return p;

  // One 20-byte descriptor per DLL, ended by one of zeros.
  for (std::uint64_t desc = offset(import_rva);; desc += 20) {
    const std::uint32_t namen = d.Zahl<std::uint32_t>(desc);
    const std::uint32_t dll_name = d.Zahl<std::uint32_t>(desc + 12);
    const std::uint32_t adressen = d.Zahl<std::uint32_t>(desc + 16);
    if (dll_name == 0 && namen == 0 && adressen == 0) break;
    const std::string dll = d.Text(offset(dll_name));
    for (std::uint64_t t = offset(namen != 0 ? namen : adressen);; t += 8) {
      const std::uint64_t eintrag = d.Zahl<std::uint64_t>(t);
      if (eintrag == 0) break;
      if (eintrag >> 63)
        throw std::runtime_error(dll + " is imported by ordinal, which cannot be checked by name");
      p.importe.push_back({dll, d.Text(offset((eintrag & 0x7FFFFFFF) + 2))});
    }
  }
  return p;
}

std::string Gross(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const bool konsole = argc == 4 && std::string(argv[3]) == "konsole";
  if (argc != 3 && !konsole) {
    std::fprintf(stderr, "usage: pe_importe PROGRAM.exe PROBE.cpp [konsole]\n");
    return 2;
  }
  std::ifstream ein(argv[1], std::ios::binary);
  if (!ein) {
    std::fprintf(stderr, "FAILED: cannot read %s\n", argv[1]);
    return 1;
  }
  Programm p;
  try {
    p = Lies(Datei({std::istreambuf_iterator<char>(ein), {}}));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "FAILED: %s: %s\n", argv[1], e.what());
    return 1;
  }

  int fehler = 0;
  const unsigned erwartet = konsole ? 3 : 2;
  if (p.subsystem != erwartet) {
    std::fprintf(stderr, "FAILED: %s is not a Windows %s program (subsystem %u)\n", argv[1],
                 konsole ? "console" : "GUI", p.subsystem);
    fehler = 1;
  }
  std::map<std::string, int> dlls;
  std::string pruefungen;
  for (const auto& i : p.importe) {
    std::string name = Gross(i.dll);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".DLL") == 0)
      name.resize(name.size() - 4);
    if (dlls[i.dll]++ == 0 && !kErlaubt.count(name)) {
      std::fprintf(stderr, "FAILED: imports %s, which a bare Windows 7 SP1 does not have\n",
                   i.dll.c_str());
      fehler = 1;
    }
    // The C runtime's names are not Windows API; its DLL is checked above.
    if (name != "MSVCRT") pruefungen += "  (void)&::" + i.funktion + ";  // " + i.dll + "\n";
  }
  for (const auto& [dll, n] : dlls) std::printf("imports %d functions of %s\n", n, dll.c_str());
  if (pruefungen.empty()) {
    std::fprintf(stderr, "FAILED: no imported system functions found in %s\n", argv[1]);
    fehler = 1;
  }

  std::ofstream probe(argv[2]);
  probe << "// Written by pe_importe: the functions " << argv[1] << " imports,\n"
        << "// as the headers declare them for Windows 7.\n"
        << "#define _WIN32_WINNT 0x0601\n#define WINVER 0x0601\n#define NOMINMAX\n"
        << "#include <windows.h>\n#include <commctrl.h>\n#include <objbase.h>\n"
        << "#include <oleauto.h>\n#include <oleacc.h>\n#include <shellapi.h>\n\n"
        << "void Windows7() {\n"
        << pruefungen << "}\n";
  if (!probe.flush()) {
    std::fprintf(stderr, "FAILED: cannot write %s\n", argv[2]);
    return 1;
  }
  return fehler;
}
