#!/bin/sh
# Runs a Windows program under Wine in the prefix PREFIX, which it creates
# first if needed. CMake starts the Windows tests through it.
#
#   cmake/wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#   cmake/wine-run.sh PREFIX --anfang [DPI]   start the prefix's Wine session
#   cmake/wine-run.sh PREFIX --ende           end it
#
# The session (server, services, desktop) is started once, by the CTest
# fixture wine_sitzung, apart from any test: started by a test, it would hold
# that test's output open. DPI sets the prefix's system DPI first. --anfang
# needs an X display (xvfb-run -a without one). A program that fails having
# printed nothing, as when Wine fails to start it, is started once more,
# with the same standard input.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"
# Wine 10 (Debian 13) aborts at start, "free(): invalid pointer", whenever
# TMPDIR is set; it finds /tmp by itself.
unset TMPDIR
# No downloads of Mono and Gecko: nothing here needs .NET or HTML.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

bereit="$prefix/.eingerichtet"
if [ ! -f "$bereit" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Tests start in parallel; one of them sets the prefix up, the others wait.
  (
    flock 9
    if [ ! -f "$bereit" ]; then
      wineboot -i </dev/null >/dev/null  # its complaints show when the fixture fails
      # A crashing test ends with a backtrace on stderr instead of a dialog
      # that would wait for a click forever.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1
      wineserver -w  # the new registry is on disk once the server has ended
      touch "$bereit"
    fi
  ) 9>"$prefix.lock"
fi

case "${1:-}" in
  --anfang)
    [ -n "${DISPLAY:-}" ] || { echo "No X display for Wine: run under xvfb-run -a" >&2; exit 1; }
    wineserver -k 2>/dev/null || true  # a session left over from an interrupted run
    # Without a time limit the server keeps services and desktop until --ende.
    wineserver -p </dev/null >/dev/null 2>&1
    if [ -n "${2:-}" ]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f \
        </dev/null >/dev/null 2>&1
    fi
    # rundll32 opens a hidden window, which starts the desktop process.
    exec wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1
    ;;
  --ende)
    wineserver -k 2>/dev/null || true
    exit 0
    ;;
esac

ausgabe=$(mktemp)
trap 'rm -f "$ausgabe" "$ausgabe.err" "$ausgabe.ein"' EXIT
# The standard input kept in a file, unless it is a terminal: what the first
# try read would otherwise be gone for the second.
eingabe=/dev/stdin
if [ ! -t 0 ]; then
  eingabe=$ausgabe.ein
  cat >"$eingabe"
fi
status=0
wine "$@" <"$eingabe" >"$ausgabe" 2>"$ausgabe.err" || status=$?
if [ "$status" -ne 0 ] && [ ! -s "$ausgabe" ] && [ ! -s "$ausgabe.err" ]; then
  echo "wine-run.sh: $1 ended with status $status and printed nothing, as when Wine fails" \
    "to start a program: starting it once more" >&2
  status=0
  wine "$@" <"$eingabe" >"$ausgabe" 2>"$ausgabe.err" || status=$?
fi
cat "$ausgabe"
cat "$ausgabe.err" >&2
exit "$status"
