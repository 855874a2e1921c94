#!/usr/bin/env bash
# Maintainer tool: renders the program's pictures from their SVG sources.
#
#   ui/bilder/dunstwerk.svg       -> ui/bilder/png/dunstwerk_<N>.png (hicolor sizes)
#                                    app/dunstwerk.ico (16, 24, 32, 48, 256)
#   ui/bilder/dunstwerk_logo.svg  -> ui/bilder/png/dunstwerk_logo_<W>x<H>.png
#                                    ui/bilder/bmp/dunstwerk_logo_<W>x<H>.bmp (Windows)
#
# The build does not run this: the rendered files are committed, so building
# needs neither librsvg nor ImageMagick. Run it after changing an SVG and
# commit what it writes. Needs librsvg2-bin (rsvg-convert) and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."

hash rsvg-convert convert 2>/dev/null ||
  { echo "Needs: sudo apt-get install librsvg2-bin imagemagick" >&2; exit 1; }

quelle=ui/bilder
ziel=ui/bilder/png
mkdir -p "$ziel"

# rsvg-convert writes no time stamps, so unchanged SVGs give unchanged PNGs.
for n in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$n" -h "$n" "$quelle/dunstwerk.svg" -o "$ziel/dunstwerk_$n.png"
done

# The logo at 1x, 1.5x and 2x of its 34 x 25 pixels; for the Windows program
# the same pixels as 24-bit bitmaps, which it draws without a decoder.
mkdir -p ui/bilder/bmp
for wh in 34x25 51x38 68x50; do
  rsvg-convert -w "${wh%x*}" -h "${wh#*x}" "$quelle/dunstwerk_logo.svg" \
    -o "$ziel/dunstwerk_logo_$wh.png"
  convert "$ziel/dunstwerk_logo_$wh.png" -type TrueColor "BMP3:ui/bilder/bmp/dunstwerk_logo_$wh.bmp"
done

# Windows icon: ImageMagick stores the 256 entry PNG-compressed, the small
# ones as 32-bit bitmaps with alpha.
convert "$ziel"/dunstwerk_{16,24,32,48,256}.png -define png:exclude-chunks=date,time \
  app/dunstwerk.ico

echo "Rendered into $ziel/, ui/bilder/bmp/ and app/dunstwerk.ico"
