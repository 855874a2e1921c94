// Arbitrary bytes as dunstwerk-rechne's input, the first byte choosing the
// options and the record limit, so that the limit is reached: besides crashes
// and hangs, fails on a status 2 with output or without a reason, output that
// is no UTF-8, or output that does not read back as a header and one complete
// record of its width for every data record read.
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
  if (daten[0] & 2) o.temlu = "2";
  if (daten[0] & 8) o.dezimaltrenner = ".";
  o.satzMax = (daten[0] & 32) ? 24 : 256;
  if (daten[0] & 64) o.kopfzeile = 2;
  const std::string_view eingabe(reinterpret_cast<const char*>(daten + 1), groesse - 1);
  csv::TextQuelle quelle(eingabe);
  csv::TextSenke senke;
  const rechne::Laufergebnis e = rechne::Lauf(o, quelle, senke);
  if (e.status < 0 || e.status > 2 || !csv::IstUtf8(senke.text) ||
      (e.status == 2 && (e.meldung.empty() || !senke.text.empty())))
    std::abort();
  // Lines copied through above the header may pair their quotes otherwise
  // in the output; the rest must read back exactly.
  if (e.status == 2 || e.bilanz.metadaten > 0) return 0;
  csv::TextQuelle ausgabe(senke.text);
  csv::Leser leser(ausgabe);
  leser.SetzeTrenner(e.trenner);
  std::vector<std::string> felder;
  std::size_t breite = 0;
  long long saetze = 0;
  for (csv::Satz s = leser.Lies(felder, 1 << 20); s.art != csv::Satzart::Ende;
       s = leser.Lies(felder, 1 << 20)) {
    if (s.art == csv::Satzart::Leer) continue;
    if (breite == 0) breite = s.felder;
    if (s.art != csv::Satzart::Gut || s.felder != breite || s.zitateAlsZeichen != 0) std::abort();
    ++saetze;
  }
  if (saetze != 1 + e.bilanz.zeilen + e.bilanz.durchgereicht) std::abort();
  return 0;
}
