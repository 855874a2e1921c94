#!/usr/bin/env bash
# Times the engine as a Linux program and as the Windows program under Wine,
# in one go on this machine, and prints the medians side by side with their
# ratio. Linux times with Google Benchmark, Windows with the std::chrono
# stand-in in bench/zeitmessung (ZEITMESSUNG=1 uses it on Linux too).
#
#   scripts/bench-win.sh                         10 repetitions of at least 0.2 s
#   WIEDERHOLUNGEN=20 MIN_ZEIT=0.5 scripts/bench-win.sh
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
argumente=(--benchmark_repetitions="${WIEDERHOLUNGEN:-10}" --benchmark_min_time="${MIN_ZEIT:-0.2}"
  --benchmark_report_aggregates_only=true)

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNSTWERK_WITH_UI=OFF \
  -DDUNSTWERK_TESTS=OFF -DDUNSTWERK_BENCH=ON -DDUNSTWERK_BENCH_ZEITMESSUNG="${ZEITMESSUNG:-0}" >/dev/null
cmake --build build-bench -j"$jobs" --target engine_bench >/dev/null
toolchain=()
[[ -f build-win/CMakeCache.txt ]] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
cmake -S . -B build-win "${toolchain[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNSTWERK_BENCH=ON >/dev/null
cmake --build build-win -j"$jobs" --target engine_bench >/dev/null

ergebnisse=$(mktemp -d)
trap 'rm -rf "$ergebnisse"' EXIT
echo "Linux ..."
build-bench/bench/engine_bench "${argumente[@]}" >"$ergebnisse/linux.txt" 2>/dev/null
echo "Windows under Wine ..."
# Into a file, not a pipe: Wine's background processes may keep a pipe open.
cmake/wine-run.sh "$PWD/build-win/wine" build-win/bench/engine_bench.exe "${argumente[@]}" \
  >"$ergebnisse/windows.txt"

# Median rows of both tables, in ns, joined by name.
awk '
  function ns(wert, einheit) {
    return wert * (einheit == "s" ? 1e9 : einheit == "ms" ? 1e6 : einheit == "us" ? 1e3 : 1)
  }
  FNR == 1 { datei++ }
  $1 ~ /_median$/ {
    name = substr($1, 1, length($1) - 7)
    if (datei == 1) { linux[name] = ns($2, $3); reihe[++n] = name } else windows[name] = ns($2, $3)
  }
  END {
    printf "%-28s %14s %14s %8s\n", "Median per call", "Linux", "Windows/Wine", "ratio"
    for (i = 1; i <= n; i++) {
      name = reihe[i]
      if (!(name in windows)) continue
      q = windows[name] / linux[name]
      printf "%-28s %11.1f ns %11.1f ns %8.2f\n", name, linux[name], windows[name], q
      summe += log(q); k++
    }
    if (k) printf "%-28s %14s %14s %8.2f\n", "geometric mean", "", "", exp(summe / k)
  }' "$ergebnisse/linux.txt" "$ergebnisse/windows.txt"
