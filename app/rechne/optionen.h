// The command line of dunstwerk-rechne: one table of its options, from which
// both the parser and the help's list of options are made.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/rechne/lauf.h"

namespace dunstwerk::rechne {

struct Aufruf {
  Optionen optionen;
  std::string eingabe = "-";
  std::string ausgabe = "-";
  bool hilfe = false;
  bool version = false;
  std::optional<std::string> manseite;  // its date
  bool still = false;                   // no summary on standard error
  // The chart: its file, range ("klima", "trocknung", empty for the smaller
  // that holds every point), joined points, the label column, the line
  // whose wet-bulb line is drawn, and an empty chart without input.
  std::optional<std::string> diagramm;
  std::string bereich;
  bool verbinden = false;
  std::optional<std::string> beschriftung;
  long long kuehlgrenzlinie = 0;
  bool leer = false;
};

// Fills `a` from the arguments, or says in German what is wrong with them.
std::optional<std::string> LiesArgumente(const std::vector<std::string>& args, Aufruf& a);

// The German help (--hilfe).
std::string Hilfetext();

// The manual page, in roff, made from the help at build time
// (--manseite DATUM), so that both say the same in the same words.
std::string Manseite(std::string_view datum);

}  // namespace dunstwerk::rechne
