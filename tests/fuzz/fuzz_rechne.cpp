// Feeds arbitrary mode choices and typed texts through the checks and the
// state calculation. Fails on a crash, a hang (libFuzzer's -timeout), a
// complete state with a shown value that is not finite, or an error without a
// text to show. Runs with a German LC_NUMERIC, as on a German desktop, where
// a conversion that follows the C library's locale stops at a decimal point.
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "engine/anzeige.h"
#include "engine/primitives.h"
#include "engine/rechenkern.h"
#include "gebietsschema.h"

using namespace dunstwerk;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!test::SetzeGebietsschema(LC_NUMERIC, test::kDeutschesGebietsschema) ||
      test::CDezimaltrenner() != ",") {
    std::abort();  // the German locale is missing: fuzzing here would prove less
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(daten + 1), groesse - 1);
  // Modes 1 to 3 as the window offers them; now and then one it never sets.
  const auto vorgabe = static_cast<Vorgabe>(daten[0] % 5);
  const std::size_t trenner = rest.find('|');
  const std::string_view temlu = rest.substr(0, trenner);
  const std::string_view zweites =
      trenner == std::string_view::npos ? std::string_view() : rest.substr(trenner + 1);

  (void)ZahlAusText(temlu);

  const Ergebnis e = Rechne(vorgabe, temlu, zweites);
  if (const MoistAirState* s = std::get_if<MoistAirState>(&e)) {
    for (const Anzeigegroesse& g : kAnzeigegroessen) {
      if (!std::isfinite(g.wert(*s))) std::abort();
    }
  } else if (Fehlertext(std::get<Fehler>(e)).empty()) {
    std::abort();
  }
  return 0;
}
