// What the h,x chart adds to a dunstwerk-rechne run of a million rows: every
// state into the series (kept for the first few thousand, counted into the
// shading cells for all), then the SVG written into a sink that counts the
// bytes. The states themselves come from the CSV run, which rechne_bench
// times; here they are computed once beforehand.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>
#include <vector>

#include "app/diagramm/svg.h"
#include "engine/rechenkern.h"

namespace {

class Zaehlen : public dunstwerk::diagramm::Ausgabe {
 public:
  bool Schreibe(std::string_view daten) override {
    bytes += daten.size();
    return true;
  }
  std::size_t bytes = 0;
};

// The rows of rechne_bench: 0.0 to 99.9 °C, 1 to 100 %; the complete ones.
std::vector<dunstwerk::MoistAirState> Zustaende() {
  std::vector<dunstwerk::MoistAirState> zustaende;
  for (int i = 0; i < 100000; ++i) {
    const auto s = dunstwerk::Berechnung(dunstwerk::Vorgabe::Feuchte, i % 1000 / 10 + i % 10 / 10.0,
                                         (1 + i % 100) / 100.0);
    if (const auto* z = std::get_if<dunstwerk::MoistAirState>(&s)) zustaende.push_back(*z);
  }
  return zustaende;
}

void BM_DiagrammMillionPunkte(benchmark::State& state) {
  const long long anzahl = state.range(0);
  const std::vector<dunstwerk::MoistAirState> zustaende = Zustaende();
  std::size_t bytes = 0;
  for (auto _ : state) {
    dunstwerk::diagramm::Reihe reihe;
    for (long long i = 0; i < anzahl; ++i) {
      reihe.Punkt(zustaende[static_cast<std::size_t>(i) % zustaende.size()],
                  i < 3000 ? "P" + std::to_string(i) : std::string());
    }
    Zaehlen senke;
    dunstwerk::diagramm::SchreibeSvg(reihe, {}, senke);
    bytes = senke.bytes;
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["svg_bytes"] = static_cast<double>(bytes);
  state.SetItemsProcessed(state.iterations() * anzahl);
}
BENCHMARK(BM_DiagrammMillionPunkte)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The chart of a short series alone: a few hundred points drawn one by one,
// labelled, which is where the label placement costs most.
void BM_DiagrammEinzelpunkte(benchmark::State& state) {
  const std::vector<dunstwerk::MoistAirState> zustaende = Zustaende();
  for (auto _ : state) {
    dunstwerk::diagramm::Reihe reihe;
    for (std::size_t i = 0; i < dunstwerk::diagramm::kEinzelpunkteMax; ++i) {
      reihe.Punkt(zustaende[i * 37 % zustaende.size()], "P" + std::to_string(i));
    }
    Zaehlen senke;
    dunstwerk::diagramm::SchreibeSvg(reihe, {}, senke);
    benchmark::DoNotOptimize(senke.bytes);
  }
}
BENCHMARK(BM_DiagrammEinzelpunkte)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
