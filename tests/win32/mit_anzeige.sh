#!/bin/sh
# Runs a command with an X display: the one there is, or a virtual one for
# the time of the command. Windows that Wine shows need one.
#
#   tests/win32/mit_anzeige.sh COMMAND [ARGUMENTS...]
set -eu
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
