// Times the engine the same way on every system, so that the Linux program and
// the Windows program under Wine can be set side by side: per case, a run of
// about 30 ms is repeated (15 times, or as often as the one argument says) and
// the median time per call is printed as "name<TAB>nanoseconds".
//
//   build/bench/engine_zeiten [REPETITIONS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/primitives.h"
#include "engine/rechenkern.h"
#include "engine/taupunkt.h"

namespace {

using Uhr = std::chrono::steady_clock;

// Barriers the optimizer cannot see through: an input may have changed before
// every call, and every result is used.
template <class T>
void Unbekannt(T& wert) {
  asm volatile("" : "+m"(wert) : : "memory");
}
template <class T>
void Verbraucht(const T& wert) {
  asm volatile("" : : "m"(wert) : "memory");
}

template <class Fall>
double Sekunden(Fall& fall, long aufrufe) {
  const auto beginn = Uhr::now();
  for (long i = 0; i < aufrufe; ++i) fall();
  return std::chrono::duration<double>(Uhr::now() - beginn).count();
}

template <class Fall>
void Miss(const char* name, int wiederholungen, Fall fall) {
  constexpr double kLauf = 0.03;  // seconds
  long aufrufe = 1;
  double dauer = 0;
  while ((dauer = Sekunden(fall, aufrufe)) < kLauf / 10) aufrufe *= 2;
  aufrufe = std::max(1L, static_cast<long>(aufrufe * kLauf / dauer));
  std::vector<double> ns;
  for (int i = 0; i < wiederholungen; ++i) ns.push_back(Sekunden(fall, aufrufe) * 1e9 / aufrufe);
  std::sort(ns.begin(), ns.end());
  const std::size_t n = ns.size();
  std::printf("%s\t%.2f\n", name, n % 2 ? ns[n / 2] : (ns[n / 2 - 1] + ns[n / 2]) / 2);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace dunstwerk;
  const int wiederholungen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

  // The same state of 20 degrees Celsius and 50 % given three ways.
  const double zweites[] = {0.5, 13.8, 0.0073702};
  for (int v = 1; v <= 3; ++v) {
    const std::string name = "Berechnung/Vorgabe:" + std::to_string(v);
    double temlu = 20, z = zweites[v - 1];
    Miss(name.c_str(), wiederholungen, [&] {
      Unbekannt(temlu);
      Unbekannt(z);
      Verbraucht(Berechnung(static_cast<Vorgabe>(v), temlu, z));
    });
  }
  float pd = static_cast<float>(Saettigungsdruck(20) * 0.5);
  Miss("Taupunktsuche", wiederholungen, [&] {
    Unbekannt(pd);
    Verbraucht(Taupunktsuche(pd));
  });
  // The whole calculate command; the second case is rejected by the checks
  // and never reaches the searches.
  Miss("Rechne/gueltig", wiederholungen, [] { Verbraucht(Rechne(Vorgabe::Feuchte, "20", "50")); });
  Miss("Rechne/abgelehnt", wiederholungen,
       [] { Verbraucht(Rechne(Vorgabe::Feuchte, "-5", "120")); });
  const std::string text = " -3,25e1 ";
  Miss("ZahlAusText", wiederholungen, [&] { Verbraucht(ZahlAusText(text)); });
  return 0;
}
