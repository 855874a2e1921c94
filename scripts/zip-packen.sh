#!/usr/bin/env bash
# Packs a folder into a ZIP that is the same, byte for byte, whenever the
# files are: the folder's name as the top folder, the files in sorted order,
# all with the time SOURCE_DATE_EPOCH (in UTC; ZIP stores local times) and
# fixed permissions, and no owners or extra times (zip -X).
#
#   SOURCE_DATE_EPOCH=... scripts/zip-packen.sh OUT.zip FOLDER
#
# Needs zip.
set -euo pipefail
ziel=$(realpath "$1")
ordner=$(realpath "$2")
: "${SOURCE_DATE_EPOCH:?set SOURCE_DATE_EPOCH, for instance to git log -1 --format=%ct}"
export LC_ALL=C TZ=UTC

name=$(basename "$ordner")
cd "$(dirname "$ordner")"
find "$name" -type f -exec chmod 0644 {} +
find "$name" -type f -name '*.exe' -exec chmod 0755 {} +
find "$name" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -f "$ziel"
# -D: no entries for folders; unpacking makes them from the files' paths.
find "$name" -type f | sort | zip -q -X -D -9 "$ziel" -@
