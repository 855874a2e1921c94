// Times the engine the same way on every system, so that the Linux program and
// the Windows program under Wine can be set side by side: per case, a run of
// about 30 ms is repeated (15 times, or as often as the one argument says) and
// the median time per call is printed as "name<TAB>nanoseconds". Given that
// list from the Windows program, it prints both side by side with their ratio.
//
//   build/bench/engine_zeiten [REPETITIONS [WINDOWS_LIST]]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
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

// One case: a name and a function that times that many calls in seconds.
struct Fall {
  std::string name;
  std::function<double(long)> sekunden;
  long aufrufe = 1;
  std::vector<double> ns;
};

template <class Aufruf>
Fall Neu(std::string name, Aufruf aufruf) {
  return {std::move(name),
          [aufruf](long aufrufe) mutable {
            const auto beginn = Uhr::now();
            for (long i = 0; i < aufrufe; ++i) aufruf();
            return std::chrono::duration<double>(Uhr::now() - beginn).count();
          },
          1,
          {}};
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace dunstwerk;
  const int wiederholungen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

  std::vector<Fall> faelle;
  // The same state of 20 degrees Celsius and 50 % given three ways.
  const double zweites[] = {0.5, 13.8, 0.0073702};
  for (int v = 1; v <= 3; ++v)
    faelle.push_back(Neu("Berechnung/Vorgabe:" + std::to_string(v),
                         [v, temlu = 20.0, z = zweites[v - 1]]() mutable {
                           Unbekannt(temlu);
                           Unbekannt(z);
                           Verbraucht(Berechnung(static_cast<Vorgabe>(v), temlu, z));
                         }));
  faelle.push_back(
      Neu("Taupunktsuche", [pd = static_cast<float>(Saettigungsdruck(20) * 0.5)]() mutable {
        Unbekannt(pd);
        Verbraucht(Taupunktsuche(pd));
      }));
  // The whole calculate command; the second case is rejected by the checks
  // and never reaches the searches.
  faelle.push_back(Neu("Rechne/gueltig", [] { Verbraucht(Rechne(Vorgabe::Feuchte, "20", "50")); }));
  faelle.push_back(
      Neu("Rechne/abgelehnt", [] { Verbraucht(Rechne(Vorgabe::Feuchte, "-5", "120")); }));
  faelle.push_back(
      Neu("ZahlAusText", [text = std::string(" -3,25e1 ")] { Verbraucht(ZahlAusText(text)); }));

  // A run of about 30 ms per case; the repetitions take the cases in turn, so
  // that a busy moment of the machine spreads over all of them.
  constexpr double kLauf = 0.03;
  for (Fall& fall : faelle) {
    double dauer = 0;
    while ((dauer = fall.sekunden(fall.aufrufe)) < kLauf / 10) fall.aufrufe *= 2;
    fall.aufrufe = std::max(1L, static_cast<long>(fall.aufrufe * kLauf / dauer));
  }
  for (int i = 0; i < wiederholungen; ++i)
    for (Fall& fall : faelle) fall.ns.push_back(fall.sekunden(fall.aufrufe) * 1e9 / fall.aufrufe);

  // The other list's medians by name (Wine may end its lines with "\r").
  std::map<std::string, double> andere;
  std::ifstream liste(argc > 2 ? argv[2] : "");
  for (std::string name, ns; std::getline(liste, name, '\t') && std::getline(liste, ns);)
    andere[name] = std::atof(ns.c_str());
  if (argc > 2)
    std::printf("%-24s %14s %14s %8s\n", "Median per call", "Linux", "Windows/Wine", "ratio");
  double logSumme = 0;
  int verglichen = 0;
  for (Fall& fall : faelle) {
    std::sort(fall.ns.begin(), fall.ns.end());
    const std::size_t n = fall.ns.size();
    const double median = n % 2 ? fall.ns[n / 2] : (fall.ns[n / 2 - 1] + fall.ns[n / 2]) / 2;
    if (argc <= 2) {
      std::printf("%s\t%.2f\n", fall.name.c_str(), median);
    } else if (andere.contains(fall.name) && median > 0) {
      const double anderes = andere[fall.name], q = anderes / median;
      std::printf("%-24s %11.1f ns %11.1f ns %8.2f\n", fall.name.c_str(), median, anderes, q);
      logSumme += std::log(q);
      ++verglichen;
    }
  }
  if (verglichen > 0)
    std::printf("%-24s %14s %14s %8.2f\n", "geometric mean", "", "",
                std::exp(logSumme / verglichen));
  return argc > 2 && verglichen == 0;
}
