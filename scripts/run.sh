#!/usr/bin/env bash
# Builds Dunstwerk and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run

# The preset "program" of CMakePresets.json: the program alone, in build/.
cmake --preset program >/dev/null
cmake --build --preset program -j"$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  cat >&2 <<'MSG'
Dunstwerk is built (build/app/Dunstwerk_340z), but this machine has no display
to open its window on. Start it from a desktop session, or give it a virtual
display:
  sudo apt-get install xvfb xauth
  xvfb-run -a scripts/run.sh
MSG
  exit 1
fi
exec build/app/Dunstwerk_340z
