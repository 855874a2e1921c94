#!/usr/bin/env bash
# Pictures of the Windows program under Wine beside the Qt window, for a
# person to compare: start, input, results (20 °C, 50 %) and an error, in
# German and English, Windows on the left, into WINDOWS_BUILD/screenshots.
#
#   tools/bildschirmfotos.sh [WINDOWS_BUILD] [QT_BUILD]   (build-win, build)
#
# Needs QT_BUILD's tools steuerelemente (where each control is) and
# qt_bildschirmfotos, wine, xvfb, xdotool and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=$(realpath "${1:-build-win}") qt=$(realpath "${2:-build}")
ordner=$windows/screenshots
# A display of our own, without a window manager: the client area alone.
[[ -n ${BILDSCHIRMFOTOS_ANZEIGE:-} ]] ||
  BILDSCHIRMFOTOS_ANZEIGE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
cmake --build "$qt" --target steuerelemente qt_bildschirmfotos >/dev/null
export WINEPREFIX=$windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cmake/wine-run.sh "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1  # set up as for the tests
# Smoothed text, as Windows draws it by default and as Qt draws it here.
wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /d 2 /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingType /t REG_DWORD /d 1 /f >/dev/null 2>&1
QT_QPA_PLATFORM=offscreen "$qt/tools/qt_bildschirmfotos" "$ordner" >/dev/null

for sprache in de_DE en_US; do
  LC_ALL=$sprache.UTF-8 wine "$windows/app/Dunstwerk_340z.exe" &
  fenster=$(xdotool search --sync --onlyvisible --classname dunstwerk_340z.exe | tail -1)
  # Each step clicks the centre of a control and types the text, if any, or
  # takes a picture and sets it beside Qt's.
  while read -r schritt name text; do
    if [[ $schritt == klick ]]; then
      # shellcheck disable=SC2046
      xdotool mousemove --window "$fenster" $("$qt/tools/steuerelemente" "$name") click 1
      sleep 0.3
      [[ -z $text ]] || xdotool type --delay 40 -- "$text"
      continue
    fi
    sleep 0.5
    bild=$ordner/%s_${name}_${sprache%_*}.png
    import -window "$fenster" "${bild/\%s/win}"
    convert "${bild/\%s/win}" -background white -splice 0x0 \( -size 12x1 xc:white \) \
      "${bild/\%s/qt}" -gravity north +append "${bild/\%s/nebeneinander}"
    echo "${bild/\%s/nebeneinander}"
  done <<'SCHRITTE'
foto start
klick cmd_Rechn_1
klick txt_temlu 20
klick txt_rf 50
foto eingabe
klick cmd_rechne
foto ergebnis
klick cmd_neustart
klick txt_temlu -5
klick txt_rf 120
klick cmd_rechne
foto fehler
SCHRITTE
  kill $!
  wait $! || true
done
wineserver -k
