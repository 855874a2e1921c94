#!/usr/bin/env bash
# Builds Dunstwerk and runs every test headless, stage by stage (the builds and
# their test runs are the presets of CMakePresets.json):
#
#   build       program, tests and benchmarks in build/; its tests on Qt's
#               offscreen platform
#   package     the Debian package, made and checked (scripts/paket-pruefen.sh)
#   fuzz        the engine and the CSV reader fuzzed for a minute, when clang
#               can link libFuzzer
#   sanitizers  everything again with AddressSanitizer and UndefinedBehavior-
#               Sanitizer in build-asan/, and all its tests
#   windows     the Windows program cross-built, packaged and tested under
#               Wine (scripts/test-windows.sh)
#   release     the downloads of the committed HEAD built twice, in two
#               folders, and compared byte for byte (scripts/release.sh)
#
#   scripts/test.sh                     every stage; a failed one does not stop the rest
#   scripts/test.sh fuzz sanitizers     only the stages named
#   FUZZ_SECONDS=600 scripts/test.sh    fuzzes ten minutes instead of one
#
# Ends with a line per stage (passed, FAILED or skipped, and its time) and
# fails when a stage failed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# The stages, in order. A stage is a function stufe_<name> that fails on a
# fault and returns 77 when it cannot run here; to add one, write the function
# and add its name to this list (and to the list above).
stufen=(build package fuzz sanitizers windows release)
# A stage that needs another one to have passed first.
declare -A braucht=([package]=build)

# Configures, builds and tests with one preset.
preset_pruefen() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j"$jobs"
  ctest --preset "$1" -j"$jobs"
}

stufe_build() {
  preset_pruefen default
}

stufe_package() {
  scripts/paket-pruefen.sh build
}

# Whether clang can build a libFuzzer target here, on whatever architecture:
# try it on the smallest one.
kann_fuzzen() {
  command -v clang++ >/dev/null || return 1
  local probe
  probe=$(mktemp -d)
  printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
    'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }' \
    >"$probe/probe.cpp"
  local status=0
  clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" \
    >/dev/null 2>&1 || status=$?
  rm -rf "$probe"
  return $status
}

# Runs one fuzz target for the seconds given, with its corpus.
fuzz_lauf() {
  local ziel=$1 sekunden=$2 max_len=$3 vorlage=$4
  local korpus protokoll
  korpus=$(mktemp -d)
  protokoll="$korpus.log"
  if ! "build-fuzz/tests/$ziel" -max_total_time="$sekunden" -timeout=5 \
    -max_len="$max_len" "$korpus" "$vorlage" >"$protokoll" 2>&1; then
    tail -n 60 "$protokoll"
    echo "Fuzzing $ziel found a failure; the input that caused it is named above." >&2
    return 1
  fi
  tail -n 1 "$protokoll"
  rm -rf "$korpus" "$protokoll"
}

stufe_fuzz() {
  if ! kann_fuzzen; then
    echo "No clang that links libFuzzer here: fuzzing skipped"
    return 77
  fi
  # Two thirds of the time for the engine, the rest for the CSV reader of
  # dunstwerk-rechne.
  local sekunden=${FUZZ_SECONDS:-60}
  echo "Fuzzing for $sekunden s"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j"$jobs"
  fuzz_lauf fuzz_rechne $((sekunden * 2 / 3)) 256 tests/fuzz/corpus
  fuzz_lauf fuzz_csv $((sekunden - sekunden * 2 / 3)) 4096 tests/fuzz/corpus_csv
}

stufe_sanitizers() {
  # The preset sets the sanitizers' options: leaks count, any report fails.
  preset_pruefen sanitizers
}

stufe_windows() {
  scripts/test-windows.sh
}

# The release's downloads, each checked as a user meets it, built twice from
# clean clones of HEAD and compared byte for byte.
stufe_release() {
  scripts/release.sh --vergleichen
}

if [[ $# -gt 0 ]]; then
  for name in "$@"; do
    declare -F "stufe_$name" >/dev/null || {
      echo "No stage $name; the stages are: ${stufen[*]}" >&2
      exit 2
    }
  done
  stufen=("$@")
fi

declare -A ergebnis
zusammenfassung=()
for name in "${stufen[@]}"; do
  vorher=${braucht[$name]:-}
  if [[ -n $vorher && -n ${ergebnis[$vorher]:-} && ${ergebnis[$vorher]} != passed ]]; then
    ergebnis[$name]=skipped
    zusammenfassung+=("$(printf '%-11s skipped (needs %s)' "$name" "$vorher")")
    continue
  fi
  echo "== $name"
  beginn=$SECONDS
  # In a subshell of its own, so that the first failing command ends the stage
  # (set -e) but not the run.
  set +e
  (
    set -e
    "stufe_$name"
  )
  status=$?
  set -e
  case $status in
    0) ergebnis[$name]=passed ;;
    77) ergebnis[$name]=skipped ;;
    *) ergebnis[$name]=FAILED ;;
  esac
  zusammenfassung+=("$(printf '%-11s %-7s %4d s' "$name" "${ergebnis[$name]}" $((SECONDS - beginn)))")
done

echo "== Stages"
printf '%s\n' "${zusammenfassung[@]}"
for name in "${stufen[@]}"; do
  [[ ${ergebnis[$name]} != FAILED ]] || exit 1
done
