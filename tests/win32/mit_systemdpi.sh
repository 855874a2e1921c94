#!/bin/sh
# Runs a Windows program under Wine in a prefix of its own whose system DPI
# is DPI (the LogPixels value a user sets in Wine's or Windows' display
# settings), with that prefix's Wine server and desktop started apart from
# the program's output, so that the test ends when the program does.
#
#   tests/win32/mit_systemdpi.sh PREFIX DPI PROGRAM.exe [ARGUMENTS...]
set -eu
prefix=$1
dpi=$2
shift 2
lauf="$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run.sh"
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"

mkdir -p "$prefix"
wineserver -k 2>/dev/null || true  # a server left over from an interrupted run
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
"$lauf" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
  </dev/null >/dev/null 2>&1
"$lauf" "$prefix" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1
"$lauf" "$prefix" "$@"
