#!/bin/sh
# Writes the expected outputs of the comparison test (gleich.cmake) with the
# program given, after a deliberate change of the digits.
#
#   tests/rechne/gleich/neu.sh build/app/rechne/dunstwerk-rechne
set -eu
programm=$(realpath "$1")
cd "$(dirname "$0")"
for modus in rf temkg x; do
  "$programm" --dezimalkomma <"$modus.csv" >"$modus.komma.csv" || [ $? -eq 1 ]
  "$programm" --dezimalpunkt --voll <"$modus.csv" >"$modus.punkt-voll.csv" || [ $? -eq 1 ]
done
