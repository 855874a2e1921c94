#!/bin/sh
# dunstwerk-rechne as a user starts it: files and standard input, exit
# status, messages, a full disk, and the decimal comma of a German session.
#
#   programm_test.sh PROGRAM WORK_FOLDER LOCPATH
set -u
programm=$1
arbeit=$2
locpath=$3
mkdir -p "$arbeit"
cd "$arbeit"
fehler=0
falsch() { printf 'FAILED: %s\n' "$*" >&2; fehler=1; }

# Runs the program, keeping its output, message and exit status.
lauf() {
  "$programm" "$@" >aus.csv 2>meldung.txt
  status=$?
}
erwarte_status() {
  [ "$status" -eq "$1" ] || falsch "$2: status $status, not $1 ($(cat meldung.txt))"
}

printf 'Ort;temlu;rf\nA;20;50\n' >gut.csv
printf 'Ort;temlu;rf\nA;20;50\nB;;50\n' >fehler.csv

lauf gut.csv --dezimalpunkt
erwarte_status 0 "all rows complete"
grep -q '^A;20;50;20\.00;9\.28;' aus.csv || falsch "values with a point: $(cat aus.csv)"
[ ! -s meldung.txt ] || falsch "a complete run says something: $(cat meldung.txt)"

lauf --dezimalkomma fehler.csv
erwarte_status 1 "a row with an error"
grep -q '^B;;50;;;;;;;;;;;;;6;Eingaben fehlen !$' aus.csv || falsch "error row: $(cat aus.csv)"

"$programm" --dezimalkomma - <gut.csv >stdin.csv 2>/dev/null || falsch "standard input: status $?"
lauf --dezimalkomma -o datei.csv gut.csv
erwarte_status 0 "-o"
cmp -s datei.csv stdin.csv || falsch "-o FILE and standard input/output differ"

# What cannot be done ends with 2 and a German reason, and leaves no output
# file that could pass for a result.
for fall in "usage|--unbekannt|Unbekannte Option" "no file|fehlt.csv|nicht lesbar" \
  "no header|/dev/null|Kopfzeile fehlt" "two inputs|gut.csv|fehler.csv|Nur eine Eingabedatei" \
  "option without name|--rf|braucht einen Namen" "same file|gut.csv|-o|gut.csv|dieselbe Datei" \
  "directory|.|nicht lesbar"; do
  name=${fall%%|*}
  rest=${fall#*|}
  text=${rest##*|}
  args=${rest%|*}
  # shellcheck disable=SC2086
  (IFS='|'; "$programm" $args >aus.csv 2>meldung.txt)
  status=$?
  erwarte_status 2 "$name"
  grep -q "$text" meldung.txt || falsch "$name: message $(cat meldung.txt)"
done
[ "$(cat gut.csv)" = "$(printf 'Ort;temlu;rf\nA;20;50')" ] || falsch "the input was overwritten"

# A full disk: the write fails at some point, never with status 0.
if [ -w /dev/full ]; then
  "$programm" gut.csv >/dev/full 2>meldung.txt
  status=$?
  erwarte_status 2 "standard output on a full disk"
  grep -q "nicht geschrieben" meldung.txt || falsch "full disk: $(cat meldung.txt)"
  lauf -o /dev/full gut.csv
  erwarte_status 2 "-o on a full disk"
  [ -c /dev/full ] || falsch "the program removed the device /dev/full"
  "$programm" --hilfe >/dev/full 2>/dev/null
  [ $? -eq 2 ] || falsch "help on a full disk does not fail"
fi
lauf -o teil.csv /dev/null
[ ! -e teil.csv ] || falsch "a failed run leaves its output file"

lauf --hilfe
erwarte_status 0 "--hilfe"
grep -q "Zeile hat zu wenige oder zu viele Felder" aus.csv || falsch "help lacks code 20"
lauf --version
grep -q "^dunstwerk-rechne (Dunstwerk) [0-9]" aus.csv || falsch "version: $(cat aus.csv)"

# The German session's decimal comma, from the locales the test build
# generated (LOCPATH).
LOCPATH=$locpath LC_ALL=de_DE.UTF-8 "$programm" gut.csv >aus.csv 2>&1
grep -q '^A;20;50;20,00;9,28;' aus.csv || falsch "de_DE gives no comma: $(cat aus.csv)"
LOCPATH=$locpath LC_ALL=de_DE.UTF-8 "$programm" --dezimalpunkt gut.csv >aus.csv
grep -q '^A;20;50;20\.00;' aus.csv || falsch "--dezimalpunkt under de_DE: $(cat aus.csv)"
exit $fehler
