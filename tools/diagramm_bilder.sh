#!/usr/bin/env bash
# Pictures of the h,x chart for a person to look at: both ranges, each with
# a short labelled series and a long shaded one, as SVG and drawn to PNG by
# librsvg (rsvg-convert) and, where it is installed, by headless Chromium,
# into BUILD/diagramm-bilder.
#
#   tools/diagramm_bilder.sh [BUILD]   (build)
#
# Needs BUILD's test program diagramm_muster (built here; the build needs its
# tests, as the default preset's has) and librsvg2-bin; chromium is optional.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
ordner=$build/diagramm-bilder
mkdir -p "$ordner"
cmake --build "$build" --target diagramm_muster >/dev/null
chromium=$(command -v chromium || command -v chromium-browser || true)
for bereich in klima trocknung; do
  for reihe in kurz lang; do
    svg=$ordner/$bereich-$reihe.svg
    "$build/tests/diagramm/diagramm_muster" "$bereich" "$reihe" "$svg"
    # 150 dpi: A4 landscape as 1754 by 1240 pixels.
    rsvg-convert --dpi-x 150 --dpi-y 150 --background-color white -o "${svg%.svg}.png" "$svg"
    echo "${svg%.svg}.png"
    if [[ -n $chromium ]]; then
      profil=$(mktemp -d)
      # 297 by 210 mm at 96 px per inch.
      "$chromium" --headless --no-sandbox --disable-gpu --disable-background-networking \
        --no-first-run --user-data-dir="$profil" --hide-scrollbars --window-size=1123,794 \
        --screenshot="${svg%.svg}.chromium.png" "file://$svg" >/dev/null 2>&1
      rm -rf "$profil"
      echo "${svg%.svg}.chromium.png"
    fi
  done
done
