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
};

// Fills `a` from the arguments, or says in German what is wrong with them.
std::optional<std::string> LiesArgumente(const std::vector<std::string>& args, Aufruf& a);

// The German help (--hilfe).
std::string Hilfetext();

// The manual page, in roff, made from the help at build time
// (--manseite DATUM), so that both say the same in the same words.
std::string Manseite(std::string_view datum);

}  // namespace dunstwerk::rechne
