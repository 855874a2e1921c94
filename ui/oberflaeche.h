// What the window's behaviour needs of a toolkit, and nothing more. Each front
// end puts it into practice on its own controls; tests use a fake.
#pragma once

#include <string>
#include <string_view>

#include "ui/layout.h"

namespace dunstwerk {

class Oberflaeche {
 public:
  virtual ~Oberflaeche() = default;

  virtual void Zeigen(Element e, bool sichtbar) = 0;
  // The text of a text box, UTF-8.
  virtual void SetzeText(Element e, std::string_view text) = 0;
  virtual std::string Text(Element e) const = 0;
  // The caption of a label. Lines are separated by "\r\n".
  virtual void SetzeBeschriftung(Element e, std::string_view text) = 0;
  virtual void Fokus(Element e) = 0;
  // The window's total height, frame included.
  virtual void SetzeFensterhoehe(int twips) = 0;
  // Paints the window at once, before the call returns.
  virtual void NeuZeichnen() = 0;
  // Calls Fensterlogik::PauseAbgelaufen once, after this many milliseconds.
  virtual void StartePausenuhr(int millisekunden) = 0;
  // Ends the program.
  virtual void Beenden() = 0;
  // Puts a text on the clipboard, with its HTML form beside it: a whole
  // document from HtmlDokument. The text's lines each end in "\n"; the front
  // end writes its platform's line end.
  virtual void InZwischenablage(std::string_view text, std::string_view html) = 0;
};

}  // namespace dunstwerk
