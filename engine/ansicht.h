// What the engine needs of the window, and nothing more. The window puts it
// into practice; tests use a fake.
#pragma once

#include <string>

namespace dunstwerk {

// The four input boxes the calculate command reads.
enum class Eingabefeld { temlu, rf, temkg, x };

class Ansicht {
 public:
  virtual ~Ansicht() = default;

  // The text of an input box exactly as typed, in UTF-8.
  virtual std::string Eingabetext(Eingabefeld feld) const = 0;

  // Makes the error label visible with this caption. Lines are separated by
  // "\r\n".
  virtual void ZeigeFehlermeldung(const std::string& text) = 0;

  // Repaints the window at once, before the pause that follows.
  virtual void NeuZeichnen() = 0;

  // Blocks for the given time while the error text stands. No input given
  // meanwhile may be processed, then or later.
  virtual void Pause(int millisekunden) = 0;
};

}  // namespace dunstwerk
