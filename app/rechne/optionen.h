// The command line of dunstwerk-rechne: one table of its options, from which
// both the parser and the help's list of options are made.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/rechne/lauf.h"

namespace dunstwerk::rechne {

struct Aufruf {
  Optionen optionen;
  std::string eingabe = "-";
  std::string ausgabe = "-";
  bool hilfe = false;
  bool version = false;
  bool still = false;  // no summary on standard error
};

// Fills `a` from the arguments, or says in German what is wrong with them.
std::optional<std::string> LiesArgumente(const std::vector<std::string>& args, Aufruf& a);

// The German help (--hilfe); the manual page is made from it.
std::string Hilfetext();

}  // namespace dunstwerk::rechne
