#!/usr/bin/env bash
# Runs ctest in a Windows build tree with one Wine session for all tests:
# Wine's server, services and desktop start once, detached from the tests'
# output, and end afterwards. Started by a test instead, they would hold that
# test's output open and ctest would wait for them. The arguments after the
# tree go to ctest (a test preset names the same tree). Needs a display;
# headless:
#
#   xvfb-run -a scripts/wine-ctest.sh build-win --preset windows -j2
#   xvfb-run -a scripts/wine-ctest.sh build-win --output-on-failure -R win32_fenster
set -euo pipefail
cd "$(dirname "$0")/.."
baum=$1
shift
export WINEPREFIX="$PWD/$baum/wine" WINEDEBUG=-all
wine_run=(cmake/wine-run.sh "$WINEPREFIX")

wineserver -k 2>/dev/null || true  # a session left over from an interrupted run
if [[ ! -f "$WINEPREFIX/.eingerichtet" ]]; then
  beginn=$SECONDS
  "${wine_run[@]}" cmd /c exit 0 </dev/null >/dev/null 2>&1
  wineserver -w  # the new registry is on disk once the server has ended
  echo "Wine prefix $WINEPREFIX set up in $((SECONDS - beginn)) s"
fi

# Without a time limit the server keeps services and desktop until -k.
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
# rundll32 opens a hidden window, which starts the desktop process.
"${wine_run[@]}" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1

ctest --test-dir "$baum" "$@"
