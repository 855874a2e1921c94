#!/usr/bin/env bash
# Checks the Windows downloads the way a user meets them, under Wine in a
# fresh prefix on a virtual display: the program unpacked from the ZIP opens
# its window and ends when it is closed; the installer installs silently the
# same program, which starts from its start-menu entry, and the silent
# uninstall leaves no file and no uninstall entry (tests/exe/installer_test.sh).
#
#   scripts/windows-pruefen.sh ZIP SETUP.exe FENSTER_PRUEFEN.exe VERSION
#
# Needs wine, xvfb and xauth (scripts/deps.sh test).
set -euo pipefail
if [[ -z "${DISPLAY:-}" ]]; then
  # In /tmp: xvfb-run loses its display's key in a TMPDIR with blanks.
  TMPDIR=/tmp exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
zip=$(realpath "$1")
setup=$(realpath "$2")
fenster_pruefen=$(realpath "$3")
version=$4
hier=$(cd "$(dirname "$0")/.." && pwd)

arbeit=$(mktemp -d)
export WINEPREFIX="$arbeit/wine" WINEDEBUG=-all
wine_run=("$hier/cmake/wine-run.sh" "$WINEPREFIX")
aufraeumen() {
  wineserver -k 2>/dev/null || true
  rm -rf "$arbeit"
}
trap aufraeumen EXIT

# One Wine session for all checks; its server and desktop would otherwise
# start with the first program and hold its output open.
"${wine_run[@]}" cmd /c exit 0 </dev/null >/dev/null 2>&1
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
"${wine_run[@]}" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1

echo "== $(basename "$zip"): unpacked, the program opens its window"
# A folder name with a blank and an umlaut, as users' folders have.
entpackt="$arbeit/Mein Download ä"
mkdir -p "$entpackt"
(cd "$entpackt" && cmake -E tar xf "$zip")
programm=("$entpackt"/*/Dunstwerk_340z.exe)
[[ -f "${programm[0]}" ]] || {
  echo "FAILED: no Dunstwerk_340z.exe in a folder of $zip" >&2
  exit 1
}
"${wine_run[@]}" "$fenster_pruefen" "$(winepath -w "${programm[0]}" 2>/dev/null)" </dev/null

echo "== $(basename "$setup"): installs, starts and uninstalls silently"
# Both downloads hold the same program.
GLEICHES_PROGRAMM="${programm[0]}" \
  "$hier/tests/exe/installer_test.sh" "$setup" "$fenster_pruefen" "$version" "${wine_run[@]}"
