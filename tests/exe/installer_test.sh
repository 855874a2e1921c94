#!/bin/sh
# Installs the NSIS package silently for the current user, checks the
# program, the start-menu entry and the entry in the list of installed
# programs, uninstalls it and checks that all three are gone. Skipped (77)
# when the package has not been built (cpack -G NSIS).
#
#   installer_test.sh INSTALLER WINE_RUNNER...
set -eu
installer=$1
shift
[ -f "$installer" ] || { echo "no $installer: skipped"; exit 77; }

wine_cmd() { "$@" </dev/null 2>/dev/null | tr -d '\r'; }
schluessel='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dunstwerk'
fehler() { echo "$*" >&2; exit 1; }

"$@" "$installer" /S
lokal=$(wine_cmd "$@" cmd /c echo %LOCALAPPDATA%)
ordner=$(wine_cmd "$@" winepath.exe -u "$lokal\\Programs\\Dunstwerk")
startmenue=$(wine_cmd "$@" cmd /c echo %APPDATA%)
verknuepfung=$(wine_cmd "$@" winepath.exe -u "$startmenue\\Microsoft\\Windows\\Start Menu\\Programs\\Dunstwerk.lnk")

[ -f "$ordner/Dunstwerk_340z.exe" ] || fehler "not installed in $ordner"
[ -f "$verknuepfung" ] || fehler "no start-menu entry $verknuepfung"
wine_cmd "$@" reg query "$schluessel" /v UninstallString | grep -q 'Uninstall.exe' ||
  fehler "no uninstall entry $schluessel"

# The uninstaller copies itself away and returns at once; the copy removes.
"$@" "$ordner/Uninstall.exe" /S
for _ in $(seq 60); do
  [ -e "$ordner" ] || break
  sleep 0.5
done
[ ! -e "$ordner" ] || fehler "$ordner is still there after uninstalling"
[ ! -e "$verknuepfung" ] || fehler "start-menu entry still there after uninstalling"
if wine_cmd "$@" reg query "$schluessel" | grep -q UninstallString; then
  fehler "uninstall entry still there"
fi
echo "installed into $ordner and removed again"
