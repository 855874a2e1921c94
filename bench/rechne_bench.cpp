// dunstwerk-rechne's whole road for a million rows in the humidity mode:
// reading, the calculation, the patterns and writing, from memory into a sink
// that drops the bytes. Reports rows per second.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "app/rechne/csv.h"
#include "app/rechne/lauf.h"

namespace {

// Counts the bytes, so that writing cannot be optimized away.
class Verwerfen : public dunstwerk::csv::Senke {
 public:
  bool Schreibe(std::string_view daten) override {
    bytes += daten.size();
    return true;
  }
  std::size_t bytes = 0;
};

// Temperatures from 0.0 to 99.9 °C and humidities from 1 to 100 %, with a
// note column that passes through, as a logger's file has.
std::string Zeilen(int anzahl) {
  std::string text = "Messpunkt;temlu;rf\n";
  for (int i = 0; i < anzahl; ++i) {
    text += "P" + std::to_string(i) + ";" + std::to_string(i % 1000 / 10) + "," +
            std::to_string(i % 10) + ";" + std::to_string(1 + i % 100) + "\n";
  }
  return text;
}

void BM_RechneMillionZeilen(benchmark::State& state) {
  const int anzahl = static_cast<int>(state.range(0));
  const std::string eingabe = Zeilen(anzahl);
  dunstwerk::rechne::Optionen optionen;
  for (auto _ : state) {
    dunstwerk::csv::TextQuelle quelle(eingabe);
    Verwerfen senke;
    const auto ergebnis = dunstwerk::rechne::Lauf(optionen, quelle, senke);
    benchmark::DoNotOptimize(senke.bytes);
    if (ergebnis.bilanz.zeilen != anzahl) state.SkipWithError("not every row was computed");
  }
  state.SetItemsProcessed(state.iterations() * anzahl);
  state.SetBytesProcessed(state.iterations() * static_cast<long long>(eingabe.size()));
}
BENCHMARK(BM_RechneMillionZeilen)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
