#!/usr/bin/env bash
# Installs the Debian packages Dunstwerk needs that are not there yet.
# Usage: scripts/deps.sh run|test
set -euo pipefail

pakete=(cmake g++ make qt6-base-dev qt6-svg-dev fonts-liberation)
if [[ "${1:-run}" == test ]]; then
  pakete+=(libgtest-dev libbenchmark-dev)
  # The sources of the German and English locales, which the tests generate
  # into the build folder (nothing is changed in the system's locales).
  pakete+=(locales)
  # Building and checking the Debian package (scripts/paket-pruefen.sh).
  pakete+=(dpkg-dev file lintian appstream desktop-file-utils)
  # The fuzz run: clang with libFuzzer.
  pakete+=(clang libclang-rt-dev)
  # The Windows program: cross compiler, GoogleTest sources to build for it,
  # Wine on a virtual display for its tests, NSIS for its installer.
  pakete+=(g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth nsis)
  pakete+=(zip)  # The release packs the Windows ZIP itself (scripts/zip-packen.sh).
fi

fehlend=()
for p in "${pakete[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    fehlend+=("$p")
  fi
done
[[ ${#fehlend[@]} -eq 0 ]] && exit 0

echo "Installing: ${fehlend[*]}"
als_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Please install as root: ${fehlend[*]}" >&2; exit 1; }
  als_root=(sudo)
fi
"${als_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -q --no-install-recommends \
  "${fehlend[@]}"
