// The output of a run: standard output, or a file that is written beside
// its target under another name and takes the target's place only when the
// run is done, so that a run that fails leaves an existing file as it was.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/rechne/csv.h"

namespace dunstwerk::rechne {

class Ausgabe : public csv::Senke {
 public:
  // An empty name is standard output. Nothing is created before the first
  // write.
  explicit Ausgabe(std::string name);
  ~Ausgabe() override;
  Ausgabe(const Ausgabe&) = delete;
  Ausgabe& operator=(const Ausgabe&) = delete;

  bool Schreibe(std::string_view daten) override;
  // Flushes and closes, and puts the file in its target's place; false when
  // anything failed.
  bool Fertig();
  // Removes what was written under the other name.
  void Verwerfen();
  int Fehlernummer() const { return fehlernummer_; }  // errno of the failure

 private:
  bool Oeffne();

  std::string name_;
  std::filesystem::path ziel_;
  std::filesystem::path zwischen_;  // the name written under, until Fertig
  std::FILE* datei_ = nullptr;
  bool direkt_ = false;  // a device or pipe: written as it is
  bool fehler_ = false;
  int fehlernummer_ = 0;
};

}  // namespace dunstwerk::rechne
