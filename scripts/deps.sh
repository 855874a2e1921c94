#!/usr/bin/env bash
# Installs the Debian packages Dunstwerk needs that are not there yet.
# Names that Debian 12 and 13 both have.
#
#   scripts/deps.sh run|test      what the two commands need
#   scripts/deps.sh PACKAGE...    those packages
set -euo pipefail

pakete=(cmake g++ make qt6-base-dev qt6-svg-dev fonts-liberation)
if [[ "${1:-run}" != run && "${1:-run}" != test ]]; then
  pakete=("$@")
elif [[ "${1:-run}" == test ]]; then
  pakete+=(libgtest-dev libbenchmark-dev)
  # The check that the C++ sources are formatted (the test clang_format).
  pakete+=(clang-format)
  # The sources of the German and English locales, which the tests generate
  # into the build folder (nothing is changed in the system's locales).
  pakete+=(locales)
  # The h,x chart's SVG: parsed by xmllint, drawn by librsvg's rsvg-convert.
  pakete+=(libxml2-utils librsvg2-bin)
  # Making the Debian package (dpkg-shlibdeps) and its checks (label paket).
  pakete+=(dpkg-dev file lintian appstream desktop-file-utils)
  # The fuzz run: clang with libFuzzer.
  pakete+=(clang libclang-rt-dev)
  # The Windows program: cross compiler, GoogleTest sources to build for it,
  # Wine on a virtual display for its tests, NSIS for its installer.
  pakete+=(g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth nsis)
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
