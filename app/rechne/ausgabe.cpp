#include "app/rechne/ausgabe.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "app/rechne/system.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dunstwerk::rechne {
namespace {

namespace fs = std::filesystem;

// A new file of that name, or null when there is one already.
std::FILE* NeueDatei(const fs::path& pfad, const fs::path& vorbild) {
  std::error_code egal;
#ifdef _WIN32
  int fd = -1;
  if (_wsopen_s(&fd, pfad.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                _S_IREAD | _S_IWRITE) != 0)
    return nullptr;
  (void)vorbild;
  return _wfdopen(fd, L"wb");
#else
  const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  // The file that is replaced keeps its permissions.
  struct stat info = {};
  if (::stat(vorbild.c_str(), &info) == 0) (void)::fchmod(fd, info.st_mode & 07777);
  return ::fdopen(fd, "wb");
#endif
}

bool Ersetze(const fs::path& von, const fs::path& nach) {
#ifdef _WIN32
  return MoveFileExW(von.c_str(), nach.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(von.c_str(), nach.c_str()) == 0;
#endif
}

int Prozessnummer() {
#ifdef _WIN32
  return _getpid();
#else
  return static_cast<int>(::getpid());
#endif
}

}  // namespace

Ausgabe::Ausgabe(std::string name) : name_(std::move(name)) {}

Ausgabe::~Ausgabe() { Verwerfen(); }

bool Ausgabe::Oeffne() {
  if (name_.empty()) {
    datei_ = stdout;
    direkt_ = true;
    return true;
  }
  std::error_code egal;
  fs::path ziel = Pfad(name_);
  const fs::file_status status = fs::status(ziel, egal);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    // A device or a pipe cannot be replaced; it is written as it is.
    datei_ = rechne::Oeffne(name_, true), direkt_ = true;
    return datei_ != nullptr;
  }
  // Through a link to the file it names, so that the link stays.
  if (fs::is_symlink(fs::symlink_status(ziel, egal))) ziel = fs::canonical(ziel, egal);
  for (int versuch = 0; versuch < 100 && !datei_; ++versuch) {
    fs::path zwischen = ziel.parent_path() / (fs::path(".") += ziel.filename());
    zwischen += "." + std::to_string(Prozessnummer()) + "-" + std::to_string(versuch) + ".tmp";
    datei_ = NeueDatei(zwischen, ziel);
    if (datei_) zwischen_ = zwischen;
    if (!datei_ && errno != EEXIST) break;
  }
  ziel_ = ziel;
  return datei_ != nullptr;
}

bool Ausgabe::Schreibe(std::string_view daten) {
  if (fehler_) return false;
  if (!datei_ && !Oeffne()) {
    fehler_ = true;
    fehlernummer_ = errno;
    return false;
  }
  if (std::fwrite(daten.data(), 1, daten.size(), datei_) == daten.size()) return true;
  fehler_ = true;
  fehlernummer_ = errno;
  return false;
}

bool Ausgabe::Fertig() {
  if (!datei_ && !fehler_ && !Schreibe({})) return false;
  if (fehler_) return false;
  errno = 0;
  bool gut = std::fflush(datei_) == 0 && std::ferror(datei_) == 0;
  if (datei_ != stdout) {
    gut = std::fclose(datei_) == 0 && gut;
    datei_ = nullptr;
  }
  if (gut && !zwischen_.empty()) {
    gut = Ersetze(zwischen_, ziel_);
    if (gut) zwischen_.clear();
  }
  if (!gut) {
    fehler_ = true;
    if (fehlernummer_ == 0) fehlernummer_ = errno;
  }
  return gut;
}

void Ausgabe::Verwerfen() {
  if (datei_ && datei_ != stdout) std::fclose(datei_);
  datei_ = nullptr;
  if (!zwischen_.empty()) {
    std::error_code egal;
    fs::remove(zwischen_, egal);
    zwischen_.clear();
  }
}

}  // namespace dunstwerk::rechne
