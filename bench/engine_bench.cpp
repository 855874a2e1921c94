// Time of one complete state calculation per input mode, of the dew-point
// search and of the calculate command with its checks.
//
//   build/bench/engine_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <string>

#include "engine/primitives.h"
#include "engine/rechenkern.h"
#include "engine/taupunkt.h"

namespace dunstwerk {
namespace {

class StilleAnsicht : public Ansicht {
 public:
  std::string temlu, zweites;
  std::string Eingabetext(Eingabefeld feld) const override {
    return feld == Eingabefeld::temlu ? temlu : zweites;
  }
  void ZeigeFehlermeldung(const std::string&) override {}
  void NeuZeichnen() override {}
  void Pause(int) override {}
};

void BM_Berechnung(benchmark::State& state) {
  Rechenkern kern;
  kern.Vorgabe = static_cast<int>(state.range(0));
  StilleAnsicht ansicht;
  for (auto _ : state) {
    MoistAirState& s = kern.zustand;
    s.temlu = 20;
    s.rf = 0.5;
    s.temkg = 13.8;
    s.x = 0.0073702;
    benchmark::DoNotOptimize(Berechnung(kern, ansicht));
    benchmark::DoNotOptimize(s.h1);
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
  Rechenkern kern;
  kern.Vorgabe = 1;
  StilleAnsicht ansicht;
  ansicht.temlu = temlu;
  ansicht.zweites = rf;
  for (auto _ : state) benchmark::DoNotOptimize(Rechne(kern, ansicht));
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
