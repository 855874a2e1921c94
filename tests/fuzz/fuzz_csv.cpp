// Arbitrary bytes as dunstwerk-rechne's input, the first byte choosing the
// options: besides crashes and hangs, fails on a status 2 with output or
// without a reason, or output that is no UTF-8 or does not read back, with the
// input's separator, as complete records of equal length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/rechne/csv.h"
#include "app/rechne/lauf.h"

using namespace dunstwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 1) return 0;
  rechne::Optionen o{.voll = (daten[0] & 4) != 0, .bom = (daten[0] & 16) != 0};
  if (daten[0] & 1) o.rf = "F";
  if (daten[0] & 2) o.temlu = "T";
  if (daten[0] & 8) o.dezimaltrenner = ".";
  const std::string_view eingabe(reinterpret_cast<const char*>(daten + 1), groesse - 1);
  csv::TextQuelle vorschau(eingabe), quelle(eingabe);
  const char trenner = csv::Leser(vorschau).Trenner();
  csv::TextSenke senke;
  const rechne::Laufergebnis e = rechne::Lauf(o, quelle, senke);
  if (e.status < 0 || e.status > 2 || !csv::IstUtf8(senke.text) ||
      (e.status == 2 && (e.meldung.empty() || !senke.text.empty())))
    std::abort();
  csv::TextQuelle ausgabe(senke.text);
  csv::Leser leser(ausgabe);
  leser.SetzeTrenner(trenner);
  std::vector<std::string> felder;
  std::size_t breite = 0;
  for (csv::Satz s = leser.Lies(felder, 1 << 20); s.art != csv::Satzart::Ende;
       s = leser.Lies(felder, 1 << 20)) {
    if (s.art == csv::Satzart::Leer) continue;
    if (breite == 0) breite = s.felder;
    if (s.art != csv::Satzart::Gut || s.felder != breite) std::abort();
  }
  return 0;
}
