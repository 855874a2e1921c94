#!/usr/bin/env bash
# Checks the Debian package: lintian, the AppStream metadata, the desktop
# entry, and a start of the program as unpacked from the package. Given a
# build folder, it makes the package there first (scripts/deb-packen.sh).
#
#   scripts/paket-pruefen.sh [PACKAGE.deb | build folder, default build]
#
# Needs lintian, appstream, desktop-file-utils and dpkg-dev
# (scripts/deps.sh test installs them).
set -euo pipefail
ziel=$(realpath "${1:-$(dirname "$0")/../build}")
cd "$(dirname "$0")/.."
app_id=de.dunstwerk.Dunstwerk

fehler=0
schlecht() {
  echo "FAILED: $*" >&2
  fehler=1
}

echo "== Package"
if [[ -d "$ziel" ]]; then
  rm -f "$ziel"/dunstwerk_*.deb
  paket=$(scripts/deb-packen.sh "$ziel")
else
  paket=$ziel
fi
architektur=$(dpkg --print-architecture)
[[ -f "$paket" && $(basename "$paket") == dunstwerk_*_"$architektur".deb ]] || {
  echo "FAILED: $paket is not a package dunstwerk_<version>_$architektur.deb" >&2
  exit 1
}
echo "$paket"
dpkg-deb --field "$paket" Package Version Architecture Section Depends

auspack=$(mktemp -d)
trap 'rm -rf "$auspack"' EXIT
dpkg-deb -x "$paket" "$auspack"

abhaengig=$(dpkg-deb --field "$paket" Depends)
for noetig in libqt6widgets6 fonts-liberation; do
  [[ "$abhaengig" == *"$noetig"* ]] || schlecht "Depends lacks $noetig"
done

echo "== lintian"
# Errors fail; warnings are shown. (lintian warns about running as root.)
# Its working folder in /tmp: lintian loses files under a path with letters
# beyond ASCII, as TMPDIR may have.
TMPDIR=/tmp lintian --fail-on error --tag-display-limit 0 "$paket" || schlecht lintian

echo "== appstreamcli validate"
appstreamcli validate --no-net "$auspack/usr/share/metainfo/$app_id.metainfo.xml" ||
  schlecht "appstreamcli validate"

echo "== desktop-file-validate"
# It prints only what is wrong but fails only on errors: take any line as a fault.
if ! meldungen=$(desktop-file-validate "$auspack/usr/share/applications/$app_id.desktop" 2>&1) ||
  [[ -n "$meldungen" ]]; then
  echo "$meldungen"
  schlecht desktop-file-validate
fi

echo "== Start the packaged program for 2 s"
programm="$auspack/usr/bin/Dunstwerk_340z"
fehlt=$(ldd "$programm" | grep 'not found' || true)
[[ -z "$fehlt" ]] || schlecht "libraries not found: $fehlt"
fehlerausgabe="$auspack/stderr.txt"
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$programm" 2>"$fehlerausgabe" || status=$?
if [[ -s "$fehlerausgabe" ]]; then
  echo "The program printed on stderr:"
  cat "$fehlerausgabe"
fi
# 124: still running when timeout ended it, as a window program should be.
[[ $status -eq 124 ]] || schlecht "the program ended by itself after less than 2 s (status $status)"
if grep -qiE 'shared librar|shared object|cannot load|could not (load|find)|plugin|not found' \
  "$fehlerausgabe"; then
  schlecht "the program misses libraries or plugins"
fi

if [[ $fehler -ne 0 ]]; then
  echo "== The package check failed" >&2
  exit 1
fi
echo "== Package checked: $(basename "$paket")"
