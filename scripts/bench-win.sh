#!/usr/bin/env bash
# Times the engine as a Linux program and as the Windows program under Wine
# with the same timing program (bench/engine_zeiten), and prints the medians
# per call side by side with their ratio (README.md, "Benchmarks").
#
#   scripts/bench-win.sh [REPETITIONS]    15 runs of about 30 ms per case
#
# The build folders are build-bench and build-win, or BENCH_LINUX and
# BENCH_WIN; one set up before keeps its settings, with the benchmarks on.
set -euo pipefail
cd "$(dirname "$0")/.."
wiederholungen=${1:-15}
linux=${BENCH_LINUX:-build-bench}
windows=${BENCH_WIN:-build-win}

neu=()
[[ -f $linux/CMakeCache.txt ]] ||
  neu=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNSTWERK_WITH_UI=OFF -DDUNSTWERK_TESTS=OFF)
cmake -S . -B "$linux" "${neu[@]}" -DDUNSTWERK_BENCH=ON >/dev/null
cmake --build "$linux" -j2 --target engine_zeiten >/dev/null
toolchain=()
[[ -f $windows/CMakeCache.txt ]] ||
  toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo)
cmake -S . -B "$windows" "${toolchain[@]}" -DDUNSTWERK_BENCH=ON >/dev/null
cmake --build "$windows" -j2 --target engine_zeiten >/dev/null

windows_liste=$(mktemp)
trap 'rm -f "$windows_liste"' EXIT
echo "Windows under Wine ..."
# Into a file, not a pipe: Wine's background processes may keep a pipe open.
cmake/wine-run.sh "$PWD/$windows/wine" "$windows/bench/engine_zeiten.exe" "$wiederholungen" \
  >"$windows_liste"
echo "Linux ..."
"$linux/bench/engine_zeiten" "$wiederholungen" "$windows_liste"
