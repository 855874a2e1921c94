// What dunstwerk-rechne needs of the system it runs on: files by their UTF-8
// names, messages that a console shows rightly, the user's decimal
// separator, and on Windows the start from Explorer.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/rechne/optionen.h"

#ifdef _WIN32
#include "ui/win32/text.h"
#endif

namespace dunstwerk::rechne {

#ifdef _WIN32
inline constexpr std::string_view kEndeTaste = "Strg+Z und die Eingabetaste";
#else
inline constexpr std::string_view kEndeTaste = "Strg+D";
#endif

// Bytes as they are on standard input and output: no CRLF turned into LF.
void Binaer();
// A comma under de_DE (Linux: LC_NUMERIC; Windows: the regional settings).
std::string SystemDezimaltrenner();
// For reading, or for writing a device or pipe; binary.
std::FILE* Oeffne(const std::string& name, bool schreiben = false);
std::filesystem::path Pfad(const std::string& name);
bool IstTerminal(std::FILE* datei);
// To standard error; a Windows console gets UTF-16, which it shows rightly.
void Melde(std::string_view text);
// To standard output, flushed; false when it could not be written.
bool SchreibeAus(std::string_view text);

// True when the program is the only one in its console window: Windows
// opened the window for it, because a file was dropped on it or it was
// double-clicked, and closes it the moment the program ends.
bool AlleinImFenster();
// Such a start: the result goes into a new file beside the input, the
// summary stays on screen until a key is pressed.
int ExplorerStart(Aufruf a, int (*ausfuehren)(const Aufruf&));

}  // namespace dunstwerk::rechne
