// Arbitrary modes and typed texts through the checks and the calculation, in a
// German LC_NUMERIC: besides crashes and hangs, fails on a shown value that is
// not finite or an error without a text.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "engine/anzeige.h"
#include "engine/rechenkern.h"
#include "gebietsschema.h"

using namespace dunstwerk;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Without the German locale, fuzzing here would prove less.
  if (!test::SetzeGebietsschema(LC_NUMERIC, test::kDeutschesGebietsschema, ",")) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 1) return 0;
  // Modes 1 to 3 as the window offers them; now and then one it never sets.
  // The typed texts follow, split at the first '|'.
  const std::string_view rest(reinterpret_cast<const char*>(daten + 1), groesse - 1);
  const std::size_t trenner = std::min(rest.find('|'), rest.size());
  const Ergebnis e = Rechne(static_cast<Vorgabe>(daten[0] % 5), rest.substr(0, trenner),
                            rest.substr(std::min(trenner + 1, rest.size())));
  if (const MoistAirState* s = std::get_if<MoistAirState>(&e)) {
    for (const Anzeigegroesse& g : kAnzeigegroessen)
      if (!std::isfinite(g.wert(*s))) std::abort();
  } else if (Fehlertext(std::get<Fehler>(e)).empty()) {
    std::abort();
  }
  return 0;
}
