#!/bin/sh
# Writes ui/win32/logo.h, the logo's pixels for the Win32 window, from the
# PNG renders of ui/bilder/dunstwerk_logo.svg: both windows show the same
# picture, and Windows needs no PNG decoder for it. Run it after the renders
# change (needs ImageMagick).
#
#   tools/win32_logo.sh
set -eu
cd "$(dirname "$0")/.."
ziel=ui/win32/logo.h
{
  echo "// The logo at 1, 1.5 and 2 times its size of 34 x 25 pixels, as 0xRRGGBB"
  echo "// rows from the top. Written by tools/win32_logo.sh from ui/bilder/png."
  echo "#pragma once"
  echo
  echo "#include <cstdint>"
  echo
  echo "namespace dunstwerk {"
  echo
  echo "struct Logobild {"
  echo "  int breite, hoehe;"
  echo "  const std::uint32_t* pixel;"
  echo "};"
  for groesse in 34x25 51x38 68x50; do
    echo
    echo "inline constexpr std::uint32_t kLogo${groesse}[] = {"
    convert "ui/bilder/png/dunstwerk_logo_${groesse}.png" -alpha off -depth 8 rgb:- |
      od -An -v -tx1 -w3 |
      awk '{ printf "%s0x%s%s%s,", (NR % 8 == 1 ? "    " : " "), $1, $2, $3; if (NR % 8 == 0) print "" }
           END { if (NR % 8 != 0) print "" }'
    echo "};"
  done
  echo
  echo "inline constexpr Logobild kLogobilder[] = {"
  echo "    {34, 25, kLogo34x25}, {51, 38, kLogo51x38}, {68, 50, kLogo68x50}};"
  echo
  echo "}  // namespace dunstwerk"
} >"$ziel"
if command -v clang-format >/dev/null; then clang-format -i "$ziel"; fi
echo "$ziel"
