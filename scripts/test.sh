#!/usr/bin/env bash
# Builds Dunstwerk and runs every test headless: the engine and window tests,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, a
# short fuzz run of the engine when clang is there, and the Windows program
# cross-built, packaged and tested under Wine (scripts/test-windows.sh).
#
#   FUZZ_SECONDS=600 scripts/test.sh   fuzzes ten minutes instead of one
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUNSTWERK_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Debian package"
scripts/paket-pruefen.sh build

fuzzer=$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null || true)
if command -v clang++ >/dev/null && [[ -f "$fuzzer" ]]; then
  echo "== Fuzz the engine for ${FUZZ_SECONDS:-60} s"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DDUNSTWERK_WITH_UI=OFF \
    -DDUNSTWERK_FUZZ=ON -DDUNSTWERK_SANITIZE=ON >/dev/null
  cmake --build build-fuzz -j"$jobs" --target fuzz_rechne
  korpus=$(mktemp -d)
  protokoll="$korpus.log"
  if ! build-fuzz/tests/fuzz_rechne -max_total_time="${FUZZ_SECONDS:-60}" -timeout=5 \
    -max_len=256 "$korpus" tests/fuzz/corpus >"$protokoll" 2>&1; then
    tail -n 60 "$protokoll"
    echo "Fuzzing found a failure; the input that caused it is named above." >&2
    exit 1
  fi
  tail -n 1 "$protokoll"
  rm -rf "$korpus" "$protokoll"
else
  echo "== No clang with libFuzzer here: fuzzing skipped"
fi

echo "== Build and test with sanitizers"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDUNSTWERK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Windows: cross-build, packages, tests under Wine"
scripts/test-windows.sh
