// Runs the registered benchmarks the way Google Benchmark does: grow the
// iteration count until one run lasts the minimum time, repeat with that
// count, report the time per iteration and, over repetitions, its mean,
// median and spread.
#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string_view>

#include "benchmark/benchmark.h"

namespace benchmark {
namespace {

struct Einstellungen {
  std::string filter = ".";
  int wiederholungen = 1;
  double min_zeit = 0.5;  // seconds
  std::int64_t feste_iterationen = 0;
  bool nur_zusammenfassung = false;
  bool nur_liste = false;
};

Einstellungen& Vorgaben() {
  static Einstellungen e;
  return e;
}

std::vector<std::unique_ptr<Benchmark>>& Alle() {
  static std::vector<std::unique_ptr<Benchmark>> alle;
  return alle;
}

[[noreturn]] void Abbruch(const std::string& meldung) {
  std::fprintf(stderr, "%s\n", meldung.c_str());
  std::exit(1);
}

bool WahrheitAus(std::string_view wert) {
  return wert.empty() || wert == "true" || wert == "1" || wert == "yes";
}

struct Zeile {
  std::string name;
  double wert;  // in the unit, or per cent
  const char* einheit;
  std::int64_t iterationen;
};

std::string Zeitfeld(double wert) {
  char text[32];
  const char* format = wert < 1     ? "%10.3f"
                       : wert < 10  ? "%10.2f"
                       : wert < 100 ? "%10.1f"
                                    : "%10.0f";
  std::snprintf(text, sizeof text, format, wert);
  return text;
}

}  // namespace

struct Laeufer {
  struct Instanz {
    std::string name;
    const Benchmark* benchmark;
    std::vector<std::int64_t> argumente;
  };

  static std::vector<Instanz> Instanzen() {
    std::vector<Instanz> instanzen;
    const std::regex filter(Vorgaben().filter);
    for (const auto& b : Alle()) {
      std::vector<std::vector<std::int64_t>> saetze = b->argumentsaetze_;
      if (saetze.empty()) saetze.emplace_back();
      for (const auto& satz : saetze) {
        std::string name = b->name_;
        for (std::size_t i = 0; i < satz.size(); ++i) {
          name += '/';
          if (i < b->argumentnamen_.size() && !b->argumentnamen_[i].empty())
            name += b->argumentnamen_[i] + ':';
          name += std::to_string(satz[i]);
        }
        if (std::regex_search(name, filter)) instanzen.push_back({name, b.get(), satz});
      }
    }
    return instanzen;
  }

  // Seconds of one run with n iterations.
  static double Lauf(const Instanz& instanz, std::int64_t n, std::string& label) {
    State state(n, instanz.argumente);
    instanz.benchmark->funktion_(state);
    if (!state.fehler().empty()) Abbruch(instanz.name + ": " + state.fehler());
    label = state.label();
    return std::chrono::duration<double>(state.gemessen()).count();
  }

  static void Messen(const Instanz& instanz, std::vector<Zeile>& zeilen) {
    const Benchmark& b = *instanz.benchmark;
    const double min_zeit = b.min_zeit_ > 0 ? b.min_zeit_ : Vorgaben().min_zeit;
    const int wiederholungen =
        b.wiederholungen_ > 0 ? b.wiederholungen_ : Vorgaben().wiederholungen;
    std::int64_t n = b.iterationen_ > 0 ? b.iterationen_ : Vorgaben().feste_iterationen;
    std::string label;

    std::vector<double> sekunden;
    if (n > 0) {
      sekunden.push_back(Lauf(instanz, n, label));
    } else {
      // The last growing run counts as the first repetition.
      n = 1;
      for (;;) {
        const double t = Lauf(instanz, n, label);
        if (t >= min_zeit || n >= 1'000'000'000) {
          sekunden.push_back(t);
          break;
        }
        double faktor = t > min_zeit / 10 ? min_zeit * 1.4 / t : 10;
        n = std::min<std::int64_t>(1'000'000'000,
                                   std::max<std::int64_t>(n + 1, std::llround(n * faktor)));
      }
    }
    while (static_cast<int>(sekunden.size()) < wiederholungen)
      sekunden.push_back(Lauf(instanz, n, label));

    static const double kSkala[] = {1e9, 1e6, 1e3, 1};
    static const char* const kEinheit[] = {"ns", "us", "ms", "s"};
    const double skala = kSkala[b.einheit_] / static_cast<double>(n);
    const char* einheit = kEinheit[b.einheit_];
    std::vector<double> je_iteration;
    for (double t : sekunden) je_iteration.push_back(t * skala);

    if (wiederholungen == 1 || !Vorgaben().nur_zusammenfassung) {
      for (double w : je_iteration) zeilen.push_back({instanz.name, w, einheit, n});
    }
    if (wiederholungen > 1) {
      const auto k = static_cast<std::int64_t>(je_iteration.size());
      double summe = 0;
      for (double w : je_iteration) summe += w;
      const double mittel = summe / k;
      std::vector<double> sortiert = je_iteration;
      std::sort(sortiert.begin(), sortiert.end());
      const double median = k % 2 ? sortiert[k / 2] : (sortiert[k / 2 - 1] + sortiert[k / 2]) / 2;
      double quadrate = 0;
      for (double w : je_iteration) quadrate += (w - mittel) * (w - mittel);
      const double streuung = std::sqrt(quadrate / (k - 1));
      zeilen.push_back({instanz.name + "_mean", mittel, einheit, k});
      zeilen.push_back({instanz.name + "_median", median, einheit, k});
      zeilen.push_back({instanz.name + "_stddev", streuung, einheit, k});
      zeilen.push_back({instanz.name + "_cv", mittel > 0 ? 100 * streuung / mittel : 0, "%", k});
    }
    (void)label;
  }
};

Benchmark* RegisterBenchmark(const std::string& name, std::function<void(State&)> funktion) {
  Alle().push_back(std::make_unique<Benchmark>(name, std::move(funktion)));
  return Alle().back().get();
}

void Initialize(int* argc, char** argv) {
  Einstellungen& e = Vorgaben();
  int behalten = 1;
  for (int i = 1; i < *argc; ++i) {
    const std::string_view arg = argv[i];
    const std::size_t gleich = arg.find('=');
    const std::string_view schluessel = arg.substr(0, gleich);
    const std::string wert(gleich == std::string_view::npos ? "" : arg.substr(gleich + 1));
    if (schluessel == "--benchmark_filter") {
      e.filter = wert;
    } else if (schluessel == "--benchmark_repetitions") {
      e.wiederholungen = std::max(1, std::atoi(wert.c_str()));
    } else if (schluessel == "--benchmark_min_time") {
      // "0.5", "0.5s" or, for a fixed count, "1000x".
      if (!wert.empty() && wert.back() == 'x') {
        e.feste_iterationen = std::atoll(wert.c_str());
      } else {
        e.min_zeit = std::atof(wert.c_str());
      }
    } else if (schluessel == "--benchmark_report_aggregates_only" ||
               schluessel == "--benchmark_display_aggregates_only") {
      e.nur_zusammenfassung = WahrheitAus(wert);
    } else if (schluessel == "--benchmark_list_tests") {
      e.nur_liste = WahrheitAus(wert);
    } else if (schluessel.substr(0, 12) == "--benchmark_") {
      Abbruch("unknown flag " + std::string(arg) +
              "; known: --benchmark_filter, _repetitions, _min_time, _report_aggregates_only, "
              "_display_aggregates_only, _list_tests");
    } else {
      argv[behalten++] = argv[i];
    }
  }
  *argc = behalten;
}

std::size_t RunSpecifiedBenchmarks() {
  const std::vector<Laeufer::Instanz> instanzen = Laeufer::Instanzen();
  if (Vorgaben().nur_liste) {
    for (const auto& i : instanzen) std::printf("%s\n", i.name.c_str());
    return instanzen.size();
  }

  std::size_t breite = 10;
  for (const auto& i : instanzen) breite = std::max(breite, i.name.size() + 7);  // "_median"
  const std::string linie(breite + 29, '-');
  std::printf("Wall time per iteration, std::chrono::steady_clock\n%s\n%-*s %15s %12s\n%s\n",
              linie.c_str(), static_cast<int>(breite), "Benchmark", "Time", "Iterations",
              linie.c_str());
  for (const auto& instanz : instanzen) {
    std::vector<Zeile> zeilen;
    Laeufer::Messen(instanz, zeilen);
    for (const Zeile& z : zeilen) {
      std::printf("%-*s %s %-4s %12" PRId64 "\n", static_cast<int>(breite), z.name.c_str(),
                  Zeitfeld(z.wert).c_str(), z.einheit, z.iterationen);
    }
    std::fflush(stdout);
  }
  return instanzen.size();
}

}  // namespace benchmark
