// A small stand-in for Google Benchmark, for targets that lack the library
// (the Windows cross build). It offers the part of its interface the
// benchmarks here use and times with std::chrono::steady_clock. It measures
// wall time only, so its table has no CPU column.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

class State {
 public:
  using Uhr = std::chrono::steady_clock;

  State(std::int64_t iterationen, std::vector<std::int64_t> argumente)
      : iterationen_(iterationen), argumente_(std::move(argumente)) {}

  // What `for (auto _ : state)` hands out; empty, and never a cause for an
  // unused-variable warning.
  struct [[gnu::unused]] Wert {};

  class Iterator {
   public:
    Iterator(State* state, std::int64_t rest) : state_(state), rest_(rest) {}
    Wert operator*() const { return {}; }
    Iterator& operator++() {
      --rest_;
      return *this;
    }
    bool operator!=(const Iterator&) {
      if (rest_ > 0) return true;
      state_->PauseTiming();
      return false;
    }

   private:
    State* state_;
    std::int64_t rest_;
  };

  Iterator begin() {
    ResumeTiming();
    return Iterator(this, iterationen_);
  }
  Iterator end() { return Iterator(this, 0); }

  void PauseTiming() {
    if (laeuft_) gemessen_ += Uhr::now() - start_;
    laeuft_ = false;
  }
  void ResumeTiming() {
    laeuft_ = true;
    start_ = Uhr::now();
  }

  std::int64_t range(std::size_t i = 0) const { return argumente_.at(i); }
  std::int64_t iterations() const { return iterationen_; }
  void SetLabel(const std::string& text) { label_ = text; }
  void SkipWithError(const char* meldung) {
    fehler_ = meldung;
    iterationen_ = 0;
  }

  Uhr::duration gemessen() const { return gemessen_; }
  const std::string& label() const { return label_; }
  const std::string& fehler() const { return fehler_; }

 private:
  std::int64_t iterationen_;
  std::vector<std::int64_t> argumente_;
  Uhr::time_point start_{};
  Uhr::duration gemessen_{};
  bool laeuft_ = false;
  std::string label_, fehler_;
};

class Benchmark {
 public:
  Benchmark(std::string name, std::function<void(State&)> funktion)
      : name_(std::move(name)), funktion_(std::move(funktion)) {}

  Benchmark* Arg(std::int64_t a) { return Args({a}); }
  Benchmark* Args(const std::vector<std::int64_t>& a) {
    argumentsaetze_.push_back(a);
    return this;
  }
  Benchmark* DenseRange(std::int64_t von, std::int64_t bis, int schritt = 1) {
    for (std::int64_t a = von; a <= bis; a += schritt) Arg(a);
    return this;
  }
  Benchmark* ArgName(const std::string& name) { return ArgNames({name}); }
  Benchmark* ArgNames(const std::vector<std::string>& namen) {
    argumentnamen_ = namen;
    return this;
  }
  Benchmark* Unit(TimeUnit einheit) {
    einheit_ = einheit;
    return this;
  }
  Benchmark* MinTime(double sekunden) {
    min_zeit_ = sekunden;
    return this;
  }
  Benchmark* Iterations(std::int64_t n) {
    iterationen_ = n;
    return this;
  }
  Benchmark* Repetitions(int n) {
    wiederholungen_ = n;
    return this;
  }
  Benchmark* UseRealTime() { return this; }  // wall time is all it measures

 private:
  friend struct Laeufer;
  std::string name_;
  std::function<void(State&)> funktion_;
  std::vector<std::vector<std::int64_t>> argumentsaetze_;
  std::vector<std::string> argumentnamen_;
  TimeUnit einheit_ = kNanosecond;
  double min_zeit_ = 0;
  std::int64_t iterationen_ = 0;
  int wiederholungen_ = 0;
};

Benchmark* RegisterBenchmark(const std::string& name, std::function<void(State&)> funktion);

template <class T>
inline void DoNotOptimize(const T& wert) {
  asm volatile("" : : "r,m"(wert) : "memory");
}
template <class T>
inline void DoNotOptimize(T& wert) {
  asm volatile("" : "+r,m"(wert) : : "memory");
}
inline void ClobberMemory() { asm volatile("" : : : "memory"); }

void Initialize(int* argc, char** argv);
std::size_t RunSpecifiedBenchmarks();
inline void Shutdown() {}

}  // namespace benchmark

#define BENCHMARK_ZUSAMMEN_(a, b) a##b
#define BENCHMARK_NAME_(n) BENCHMARK_ZUSAMMEN_(benchmark_registriert_, n)
#define BENCHMARK(funktion)                                                      \
  [[maybe_unused]] static ::benchmark::Benchmark* BENCHMARK_NAME_(__COUNTER__) = \
      ::benchmark::RegisterBenchmark(#funktion, funktion)
#define BENCHMARK_CAPTURE(funktion, name, ...)                                   \
  [[maybe_unused]] static ::benchmark::Benchmark* BENCHMARK_NAME_(__COUNTER__) = \
      ::benchmark::RegisterBenchmark(#funktion "/" #name,                        \
                                     [](::benchmark::State& s) { funktion(s, __VA_ARGS__); })
#define BENCHMARK_MAIN()                   \
  int main(int argc, char** argv) {        \
    ::benchmark::Initialize(&argc, argv);  \
    ::benchmark::RunSpecifiedBenchmarks(); \
    ::benchmark::Shutdown();               \
    return 0;                              \
  }                                        \
  int main(int, char**)
