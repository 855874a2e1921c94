#!/bin/sh
# Runs a Windows program under Wine in the prefix PREFIX, which it creates
# first if needed. CMake starts tests and try_run programs through it.
#
#   cmake/wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
set -eu
prefix=$1
shift

export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No downloads of Mono and Gecko: nothing here needs .NET or HTML.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

bereit="$prefix/.eingerichtet"
if [ ! -f "$bereit" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Tests start in parallel; one of them sets the prefix up, the others wait.
  (
    flock 9
    if [ ! -f "$bereit" ]; then
      wineboot -i
      # A crashing test ends with a backtrace on stderr instead of a dialog
      # that would wait for a click forever.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
      touch "$bereit"
    fi
  ) 9>"$prefix.lock"
fi

exec wine "$@"
