// Feeds arbitrary bytes to dunstwerk-rechne as its input file, with and
// without options. Fails on a crash, a hang, a sanitizer report, a status
// other than 0, 1 or 2, output without a reason for a status 2, or output
// that is not valid UTF-8 or does not read back, with the input's separator,
// as records of equal length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/rechne/csv.h"
#include "app/rechne/lauf.h"

using namespace dunstwerk;

namespace {

void PruefeAusgabe(const std::string& text, char trenner) {
  if (!csv::IstUtf8(text)) std::abort();
  csv::TextQuelle quelle(text);
  csv::Leser leser(quelle);
  leser.SetzeTrenner(trenner);
  std::vector<std::string> felder;
  std::size_t breite = 0;
  for (csv::Satz s = leser.Lies(felder, 1 << 20); s.art != csv::Satzart::Ende;
       s = leser.Lies(felder, 1 << 20)) {
    if (s.art == csv::Satzart::Leer) continue;
    if (s.art != csv::Satzart::Gut) std::abort();
    if (breite == 0) breite = s.felder;
    if (s.felder != breite) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 1) return 0;
  rechne::Optionen o;
  // The first byte picks options: column names, separator, precision.
  if (daten[0] & 1) o.rf = "F";
  if (daten[0] & 2) o.temlu = "T";
  if (daten[0] & 4) o.voll = true;
  if (daten[0] & 8) o.dezimaltrenner = ".";
  if (daten[0] & 16) o.bom = true;
  const std::string_view eingabe(reinterpret_cast<const char*>(daten + 1), groesse - 1);
  csv::TextQuelle vorschau(eingabe);
  const char trenner = csv::Leser(vorschau).Trenner();
  csv::TextQuelle quelle(eingabe);
  csv::TextSenke senke;
  const rechne::Laufergebnis e = rechne::Lauf(o, quelle, senke);
  if (e.status < 0 || e.status > 2) std::abort();
  if (e.status == 2 && (e.meldung.empty() || !senke.text.empty())) std::abort();
  if (e.status != 2) PruefeAusgabe(senke.text, trenner);
  return 0;
}
