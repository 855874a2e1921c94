// What the window tests need of a front end: the real window, worked as a
// user works it, and read back. Each toolkit puts it into practice once
// (tests/qt/treiber.cpp, tests/win32/treiber.cpp); tests/vertrag/ holds the
// tests that both windows must pass.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "ui/fensterlogik.h"
#include "ui/layout.h"
#include "ui/regeln.h"

namespace dunstwerk::test {

struct Rechteck {
  int x, y, breite, hoehe;
  bool operator==(const Rechteck&) const = default;
};

struct Schrift {
  std::string familie;
  int pixel;  // character height
  bool fett, kursiv;
};

enum class Taste { Tab, Return, ZiffernblockEnter, Leertaste, StrgC };

// A context menu as it opened: whether one did, whether it is the window's
// own with its one entry, and whether that entry can be chosen.
struct Menue {
  bool offen = false, eigenes = false, aktiv = false;
};

class Treiber {
 public:
  virtual ~Treiber() = default;

  // A new window in place of the old, shown and active, with a decimal
  // comma and the system's original colours.
  virtual void Oeffnen() = 0;
  virtual int Dpi() = 0;

  virtual void Klick(std::string_view name) = 0;
  // Typed into the box through the toolkit's input.
  virtual void Tippe(std::string_view name, std::string_view text) = 0;
  // A key on the control that has the focus.
  virtual void Druecke(Taste taste) = 0;
  virtual void SetzeFokus(std::string_view name) = 0;
  // Empty if none of the window's controls has the focus.
  virtual std::string Fokus() = 0;
  // Focuses a text box and selects its text from `ab` on.
  virtual void Markiere(std::string_view name, int ab) = 0;

  // Caption or content, UTF-8, lines separated by "\n".
  virtual std::string Text(std::string_view name) = 0;
  virtual bool Sichtbar(std::string_view name) = 0;
  // In the client area, in pixels.
  virtual Rechteck Lage(std::string_view name) = 0;
  // The client area's size, and the window's total height with its frame.
  virtual Rechteck Innen() = 0;
  virtual int Aussenhoehe() = 0;
  virtual Schrift SchriftVon(std::string_view name) = 0;
  // A label's text and background colour.
  virtual std::pair<Rgb, Rgb> Farben(std::string_view name) = 0;
  // What a screen reader hears: name and role. Those that the program gives
  // its controls (not taken from a caption or a row label) can be read back
  // unless ZugangUnlesbar() says why not.
  virtual std::pair<std::string, Rolle> Zugang(std::string_view name) = 0;
  virtual std::string ZugangUnlesbar() = 0;
  // Sets the system's text colour, as a colour scheme does, while the window
  // is open; the original returns with the next window.
  virtual void SetzeSystemtext(Rgb farbe) = 0;

  // The clipboard's text as the platform keeps it, lines ending in
  // Zeilenende(), and its HTML document; the clipboard is emptied.
  virtual std::pair<std::string, std::string> Ablage() = 0;
  virtual std::string_view Zeilenende() = 0;
  // A right click on a label, or Shift+F10 on the focused control (empty
  // name); chooses the window's entry if asked and it can be chosen.
  virtual Menue Kontextmenue(std::string_view name, bool waehlen) = 0;

  virtual bool Pausiert() = 0;
  virtual void PauseBeenden() = 0;
  // Runs the event loop for this long, the window marked for a repaint
  // first; whether it repainted.
  virtual bool Warte(int millisekunden) = 0;
  // Asks the window to close as this sender would. Where the toolkit never
  // delivers such a close, nothing happens and the reason is returned.
  virtual std::string SchliessenAnfordern(Fensterlogik::Schliessgrund grund) = 0;
  virtual bool Offen() = 0;
};

// The driver of the toolkit the test program is built for.
Treiber& T();

}  // namespace dunstwerk::test
