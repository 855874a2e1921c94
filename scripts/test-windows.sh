#!/usr/bin/env bash
# The Windows program: cross-builds it with mingw-w64 into build-win, makes
# its packages (ZIP and installer) and runs every test under Wine on a
# virtual display. scripts/test.sh runs this last; alone:
#
#   scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)
beginn=$SECONDS

# The presets "windows" of CMakePresets.json: configure, build and test.
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
gebaut=$SECONDS

# Before the tests: one of them installs and uninstalls the installer.
(cd build-win && cpack -G "ZIP;NSIS" >/dev/null)
echo "Packages: $(cd build-win && ls Dunstwerk-*.zip Dunstwerk-*.exe | tr '\n' ' ')"
gepackt=$SECONDS

xvfb-run -a -s "-screen 0 1280x1024x24" \
  scripts/wine-ctest.sh build-win --preset windows -j"$jobs"

echo "Windows: build $((gebaut - beginn)) s, packages $((gepackt - gebaut)) s," \
  "tests under Wine $((SECONDS - gepackt)) s, together $((SECONDS - beginn)) s"
