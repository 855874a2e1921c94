#!/usr/bin/env bash
# Builds Dunstwerk and runs every test headless, stage by stage. The first
# five stages are the workflow presets of CMakePresets.json of the same name
# (configure, build, package where there is one, test):
#
#   build       program, tests and benchmarks in build/; its tests on Qt's
#               offscreen platform
#   package     the Debian package, made by CPack and checked (label paket)
#   fuzz        the engine fuzzed for a minute (FUZZ_SECONDS) in build-fuzz/
#   sanitizers  everything again with AddressSanitizer and UndefinedBehavior-
#               Sanitizer in build-asan/, and all its tests
#   windows     the Windows program cross-built in build-win/, its ZIP and
#               installer, and every test under Wine on a virtual display
#   release     the downloads of the committed HEAD built twice and compared
#               byte for byte (scripts/release.sh --vergleichen)
#
#   scripts/test.sh                   every stage; a failed one does not stop the rest
#   scripts/test.sh fuzz sanitizers   only the stages named
#
# Ends with a line per stage (passed, FAILED or skipped, and its time) and
# fails when a stage failed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

alle=(build package fuzz sanitizers windows release)
stufen=("${@:-${alle[@]}}")
for name in "${stufen[@]}"; do
  [[ " ${alle[*]} " == *" $name "* ]] || { echo "No stage $name; the stages are: ${alle[*]}" >&2; exit 2; }
done

stufe() {
  case $1 in
    # In /tmp: xvfb-run loses its display's key in a TMPDIR with blanks.
    windows) TMPDIR=/tmp xvfb-run -a -s "-screen 0 1280x1024x24" cmake --workflow --preset windows ;;
    release) scripts/release.sh --vergleichen ;;
    package) (umask 022 && cmake --workflow --preset package) ;;
    *) cmake --workflow --preset "$1" ;;
  esac
}

declare -A ergebnis
fehler=0
for name in "${stufen[@]}"; do
  if [[ $name == package && ${ergebnis[build]:-passed} != passed* ]]; then
    ergebnis[$name]="skipped (needs build)"
    continue
  fi
  echo "== $name"
  beginn=$SECONDS
  if stufe "$name"; then status=passed; else status=FAILED fehler=1; fi
  ergebnis[$name]=$(printf '%-7s %4d s' "$status" $((SECONDS - beginn)))
done
echo "== Stages"
for name in "${stufen[@]}"; do printf '%-11s %s\n' "$name" "${ergebnis[$name]}"; done
exit $fehler
