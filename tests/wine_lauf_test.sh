#!/bin/sh
# cmake/wine-run.sh with a stand-in for wine that, on its first start, reads
# its input and fails having printed nothing, as Wine does when a program
# does not start: the second start must read the same input from the start.
#
#   tests/wine_lauf_test.sh cmake/wine-run.sh
set -eu
laeufer=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin" "$tmp/prefix"
touch "$tmp/prefix/.eingerichtet"
cat >"$tmp/bin/wine" <<'WINE'
#!/bin/sh
if [ ! -f "$WINEPREFIX/versucht" ]; then
  touch "$WINEPREFIX/versucht"
  cat >/dev/null
  exit 1
fi
cat
WINE
chmod +x "$tmp/bin/wine"
printf 'Zeile 1\nZeile 2\n' >"$tmp/eingabe"
PATH="$tmp/bin:$PATH" "$laeufer" "$tmp/prefix" programm.exe <"$tmp/eingabe" >"$tmp/ausgabe"
cmp "$tmp/eingabe" "$tmp/ausgabe"
