// A window stand-in that records what the engine shows and never waits.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/ansicht.h"

namespace dunstwerk::test {

class FakeAnsicht : public Ansicht {
 public:
  std::map<Eingabefeld, std::string> texte;
  std::vector<std::string> meldungen;  // every caption given to the error label
  std::vector<int> pausen;             // every pause, in milliseconds
  int neuZeichnen = 0;

  std::string Eingabetext(Eingabefeld feld) const override {
    auto it = texte.find(feld);
    return it == texte.end() ? std::string() : it->second;
  }
  void ZeigeFehlermeldung(const std::string& text) override { meldungen.push_back(text); }
  void NeuZeichnen() override { ++neuZeichnen; }
  void Pause(int millisekunden) override { pausen.push_back(millisekunden); }
};

// The second input box of each mode.
inline Eingabefeld ZweitesFeld(int vorgabe) {
  switch (vorgabe) {
    case 1:
      return Eingabefeld::rf;
    case 2:
      return Eingabefeld::temkg;
    default:
      return Eingabefeld::x;
  }
}

}  // namespace dunstwerk::test
