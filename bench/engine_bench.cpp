// Time of one complete state calculation per input mode, of the dew-point
// search, of the calculate command with its checks and of reading a number.
//
//   build/bench/engine_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <string>

#include "engine/primitives.h"
#include "engine/rechenkern.h"
#include "engine/taupunkt.h"

namespace dunstwerk {
namespace {

// The same state of 20 degrees Celsius and 50 % given three ways.
void BM_Berechnung(benchmark::State& state) {
  const auto vorgabe = static_cast<Vorgabe>(state.range(0));
  double temlu = 20;
  const double zweites[] = {0.5, 13.8, 0.0073702};
  double z = zweites[state.range(0) - 1];
  for (auto _ : state) {
    benchmark::DoNotOptimize(temlu);
    benchmark::DoNotOptimize(z);
    benchmark::DoNotOptimize(Berechnung(vorgabe, temlu, z));
  }
}
BENCHMARK(BM_Berechnung)->Arg(1)->Arg(2)->Arg(3)->ArgName("Vorgabe");

void BM_Taupunktsuche(benchmark::State& state) {
  float pd = static_cast<float>(Saettigungsdruck(20) * 0.5);
  for (auto _ : state) {
    benchmark::DoNotOptimize(pd);
    benchmark::DoNotOptimize(Taupunktsuche(pd));
  }
}
BENCHMARK(BM_Taupunktsuche);

// The whole calculate command; the second case is rejected by the checks and
// never reaches the searches.
void BM_Rechne(benchmark::State& state, const char* temlu, const char* rf) {
  for (auto _ : state) benchmark::DoNotOptimize(Rechne(Vorgabe::Feuchte, temlu, rf));
}
BENCHMARK_CAPTURE(BM_Rechne, gueltig, "20", "50");
BENCHMARK_CAPTURE(BM_Rechne, abgelehnt, "-5", "120");

void BM_ZahlAusText(benchmark::State& state) {
  const std::string text = " -3,25e1 ";
  for (auto _ : state) benchmark::DoNotOptimize(ZahlAusText(text));
}
BENCHMARK(BM_ZahlAusText);

}  // namespace
}  // namespace dunstwerk
