// Feeds arbitrary mode choices and typed texts through the checks and the
// state calculation. Fails on a crash, a hang (libFuzzer's -timeout), a state
// reported complete with a value that is not finite, or an error path that
// does not show exactly one text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/fake_ansicht.h"
#include "engine/primitives.h"
#include "engine/rechenkern.h"

using namespace dunstwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(daten + 1), groesse - 1);
  // Modes 1 to 3 as the window offers them; now and then one it never sets.
  const int vorgabe = daten[0] % 5;
  const std::size_t trenner = rest.find('|');
  const std::string temlu(rest.substr(0, trenner));
  const std::string zweites(trenner == std::string_view::npos ? std::string_view()
                                                              : rest.substr(trenner + 1));

  (void)ZahlAusText(temlu);

  Rechenkern kern;
  kern.Vorgabe = vorgabe;
  test::FakeAnsicht ansicht;
  ansicht.texte[Eingabefeld::temlu] = temlu;
  ansicht.texte[test::ZweitesFeld(vorgabe)] = zweites;
  const bool vollstaendig = Rechne(kern, ansicht);

  if (vollstaendig) {
    const MoistAirState& s = kern.zustand;
    for (double w : {s.temlu, s.temtau, s.temkg, s.rf, s.absfeu, s.x, s.rhofl, s.pd, s.psatt, s.xkg,
                     s.xkg - s.x, s.h1}) {
      if (!std::isfinite(w)) std::abort();
    }
    if (!ansicht.meldungen.empty()) std::abort();
  } else if (vorgabe >= 1 && vorgabe <= 3 &&
             (ansicht.meldungen.size() != 1 || ansicht.meldungen[0].empty())) {
    std::abort();
  }
  return 0;
}
