#!/bin/sh
# Installs the NSIS package silently for the current user, as an
# administrator rolling it out would, and checks the program, the
# start-menu entry and the entry in the list of installed programs (name,
# version, publisher, silent uninstall); starts the program through its
# start-menu entry and waits for its window; uninstalls it silently with the
# entry's own command and checks that no file and no registry key of it is
# left. Fails when the package has not been built (cpack -G NSIS).
#
#   [GLEICHES_PROGRAMM=Dunstwerk_340z.exe] \
#     installer_test.sh INSTALLER FENSTER_PRUEFEN.exe VERSION WINE_RUNNER...
#
# With GLEICHES_PROGRAMM, the installed program must be that file, byte for byte.
set -eu
installer=$1
fenster_pruefen=$2
version=$3
shift 3
[ -f "$installer" ] || { echo "FAILED: no $installer: make it first (cpack -G NSIS)" >&2; exit 1; }

wine_cmd() { "$@" </dev/null 2>/dev/null | tr -d '\r'; }
schluessel='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dunstwerk'
fehler() { printf 'FAILED: %s\n' "$*" >&2; exit 1; }

# Every file and folder of the Windows drive but Windows' own and the
# temporary files (where the uninstaller leaves its copy until the next
# start of Windows).
laufwerk=$(wine_cmd "$@" winepath.exe -u 'C:\')
bestand() {
  (cd "$laufwerk" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o -print |
    LC_ALL=C sort)
}
vorher=$(bestand)

"$@" "$installer" /S </dev/null
lokal=$(wine_cmd "$@" cmd /c echo %LOCALAPPDATA%)
ordner=$(wine_cmd "$@" winepath.exe -u "$lokal\\Programs\\Dunstwerk")
startmenue=$(wine_cmd "$@" cmd /c echo %APPDATA%)
verknuepfung_win="$startmenue\\Microsoft\\Windows\\Start Menu\\Programs\\Dunstwerk.lnk"
verknuepfung=$(wine_cmd "$@" winepath.exe -u "$verknuepfung_win")

[ -f "$ordner/Dunstwerk_340z.exe" ] || fehler "not installed in $ordner"
[ -f "$ordner/dunstwerk-rechne.exe" ] || fehler "dunstwerk-rechne.exe not installed in $ordner"
[ -f "$verknuepfung" ] || fehler "no start-menu entry $verknuepfung"
if [ -n "${GLEICHES_PROGRAMM:-}" ]; then
  cmp "$GLEICHES_PROGRAMM" "$ordner/Dunstwerk_340z.exe" ||
    fehler "the installed program is not $GLEICHES_PROGRAMM"
fi
# The uninstall entry: "    NAME    REG_TYPE    VALUE" lines. Read again when
# a value is wrong: Wine's reg has been seen to print a value wrongly once.
wert() { printf '%s\n' "$eintrag" | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
eintrag_falsch() {
  for paar in DisplayName=Dunstwerk DisplayVersion="$version" Publisher=Dunstwerk \
    NoModify=0x1 NoRepair=0x1; do
    [ "$(wert "${paar%%=*}")" = "${paar#*=}" ] || { echo "${paar%%=*} is not \"${paar#*=}\""; return; }
  done
  wert DisplayIcon | grep -q 'Dunstwerk_340z\.exe,0$' || { echo "DisplayIcon"; return; }
  [ -n "$(deinstallation)" ] || echo "QuietUninstallString"
}
# The uninstaller in QuietUninstallString: "C:\...\Uninstall.exe" /S
deinstallation() {
  wert QuietUninstallString | sed -n 's/^"\([^"]*Uninstall\.exe\)" \/S$/\1/p'
}
for _ in 1 2 3; do
  eintrag=$(wine_cmd "$@" reg query "$schluessel")
  falsch=$(eintrag_falsch)
  [ -n "$falsch" ] || break
  sleep 1
done
[ -z "$falsch" ] || fehler "uninstall entry: $falsch, in
$eintrag"
deinstallieren=$(deinstallation)

"$@" "$fenster_pruefen" "$verknuepfung_win" </dev/null ||
  fehler "the program did not show its window when started from the start menu"

# The uninstaller copies itself away and returns at once; the copy removes.
"$@" "$deinstallieren" /S </dev/null
for _ in $(seq 60); do
  [ -e "$ordner" ] || break
  sleep 0.5
done
[ ! -e "$ordner" ] || fehler "$ordner is still there after uninstalling"
[ ! -e "$verknuepfung" ] || fehler "start-menu entry still there after uninstalling"
if "$@" reg query "$schluessel" </dev/null >/dev/null 2>&1; then
  fehler "uninstall entry $schluessel still there"
fi
nachher=$(bestand)
if [ "$vorher" != "$nachher" ]; then
  printf '%s\n' "$vorher" >"${TMPDIR:-/tmp}/installer_test.vorher.$$"
  printf '%s\n' "$nachher" | diff "${TMPDIR:-/tmp}/installer_test.vorher.$$" - >&2 || true
  rm -f "${TMPDIR:-/tmp}/installer_test.vorher.$$"
  fehler "installing and uninstalling left the files above changed on drive C:"
fi
echo "installed into $ordner, started from the start menu, and removed without a trace"
