#!/usr/bin/env bash
# Pictures of the Windows program under Wine next to the Qt window, for a
# person to compare: start, input, results (20 °C, 50 %) and an error, in
# German and English. Each pair stands side by side in one picture, Windows
# on the left.
#
#   tools/bildschirmfotos.sh [WINDOWS_BUILD] [QT_BUILD]
#
# WINDOWS_BUILD (default build-win) holds app/Dunstwerk_340z.exe, cross-built
# with cmake/mingw-w64-x86_64.cmake; the pictures go to WINDOWS_BUILD/screenshots.
# QT_BUILD (default build) is a Linux build: its tools/steuerelemente says where
# each control is (the script clicks there), and its tools/qt_bildschirmfotos
# takes the Qt pictures; without that one only the Windows pictures are taken.
# QT_BILDSCHIRMFOTOS names another program that writes qt_<view>_<de|en>.png
# into the folder it is given.
#
# Needs wine, xvfb, xdotool and imagemagick; fonts-liberation gives Wine and Qt
# the same face for Arial.
set -euo pipefail
cd "$(dirname "$0")/.."

windows=$(realpath "${1:-build-win}")
qt=$(realpath -m "${2:-build}")
programm=$windows/app/Dunstwerk_340z.exe
ordner=$windows/screenshots
[[ -f $programm ]] || { echo "No $programm: build it first." >&2; exit 1; }
steuerelemente=$qt/tools/steuerelemente
[[ -x $steuerelemente ]] || {
  echo "No $steuerelemente, which tells where the controls are: build the Linux" \
    "tools first (cmake --build ${2:-build} --target steuerelemente)." >&2
  exit 1
}

# A display of our own, without a window manager: the pictures show the
# client area alone, as Qt's own pictures do.
if [[ -z ${BILDSCHIRMFOTOS_ANZEIGE:-} ]]; then
  export BILDSCHIRMFOTOS_ANZEIGE=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

mkdir -p "$ordner"
export WINEPREFIX=$windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The prefix as the tests set it up (cmake/wine-run.sh), so that they find it ready.
cmake/wine-run.sh "$WINEPREFIX" cmd /c exit 0 </dev/null >/dev/null 2>&1
# Smoothed text, as Windows draws it by default and as Qt draws it here.
wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /d 2 /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingType /t REG_DWORD /d 1 /f >/dev/null 2>&1

# A click on the centre of a control, which the layout table gives in client
# pixels at 96 DPI (the program is not scaled here).
klick() {
  local mitte
  mitte=$("$steuerelemente" "$1")
  # shellcheck disable=SC2086
  xdotool mousemove --window "$fenster" $mitte click 1
  sleep 0.3
}

tippe() {
  klick "$1"
  xdotool type --delay 40 -- "$2"
}

foto() {
  sleep 0.5
  import -window "$fenster" "$ordner/win_$1_$2.png"
  echo "$ordner/win_$1_$2.png"
}

for sprache in de en; do
  case $sprache in
    de) gebiet=de_DE.UTF-8 ;;
    en) gebiet=en_US.UTF-8 ;;
  esac
  LANG=$gebiet LC_ALL=$gebiet wine "$programm" &
  wine_pid=$!
  fenster=
  for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --classname 'dunstwerk_340z.exe' 2>/dev/null || true); do
      breite=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
      if ((breite > 100)); then fenster=$w; fi
    done
    [[ -n $fenster ]] && break
    sleep 0.2
  done
  [[ -n $fenster ]] || { echo "The Windows program's window did not appear." >&2; exit 1; }

  foto start "$sprache"
  klick cmd_Rechn_1
  tippe txt_temlu 20
  tippe txt_rf 50
  foto eingabe "$sprache"
  klick cmd_rechne
  foto ergebnis "$sprache"
  klick cmd_neustart
  tippe txt_temlu -5
  tippe txt_rf 120
  klick cmd_rechne
  foto fehler "$sprache"
  # The error text stands five seconds; then the program may be closed.
  sleep 5
  klick cmd_rechne
  xdotool key --window "$fenster" alt+F4 || true
  sleep 1
  kill "$wine_pid" 2>/dev/null || true
  wait "$wine_pid" 2>/dev/null || true
done
wineserver -k 2>/dev/null || true

qt_programm=${QT_BILDSCHIRMFOTOS:-$qt/tools/qt_bildschirmfotos}
if [[ -x $qt_programm ]]; then
  QT_QPA_PLATFORM=offscreen "$qt_programm" "$ordner" >/dev/null
  for sprache in de en; do
    for ansicht in start eingabe ergebnis fehler; do
      qt_bild=$ordner/qt_${ansicht}_$sprache.png
      [[ -f $qt_bild ]] || continue
      convert "$ordner/win_${ansicht}_$sprache.png" -background white -splice 0x0 \
        \( -size 12x1 xc:white \) "$qt_bild" -gravity north +append \
        "$ordner/nebeneinander_${ansicht}_$sprache.png"
      echo "$ordner/nebeneinander_${ansicht}_$sprache.png"
    done
  done
else
  echo "No Qt pictures: $qt_programm is missing (build the Qt tools, or set QT_BILDSCHIRMFOTOS)."
fi
