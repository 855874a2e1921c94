#!/usr/bin/env bash
# Builds Dunstwerk and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run

# The preset "program" of CMakePresets.json: the program alone, in build-program/.
cmake --preset program >/dev/null
cmake --build --preset program -j"$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Dunstwerk is built (build-program/app/Dunstwerk_340z), but there is no display to open its" \
    "window on: start it from a desktop session, or on a virtual display (needs the" \
    "packages xvfb and xauth): xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
exec build-program/app/Dunstwerk_340z
