#!/usr/bin/env bash
# Builds Dunstwerk and runs every test headless, stage by stage (README.md,
# "What the test command does"): build, package, fuzz, sanitizers and windows
# are the workflow presets of the same name; release is
# scripts/release.sh --vergleichen.
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
