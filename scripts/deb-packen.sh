#!/usr/bin/env bash
# Makes the Debian package from a built Linux build folder: installs the
# program into a staged tree under /usr, completes
# the control file cmake/packaging.cmake wrote there, and packs the tree with
# dpkg-deb. Prints the path of the package.
#
#   scripts/deb-packen.sh BUILD_FOLDER [OUTPUT_FOLDER, default BUILD_FOLDER]
#
# The same sources give the same bytes: the files' times are set to
# SOURCE_DATE_EPOCH (default: the time of the sources' last commit), owners
# are root, permissions fixed, and dpkg-deb sorts the files and compresses
# in one thread (several threads cut xz streams into blocks).
# Needs dpkg-dev for dpkg-shlibdeps.
set -euo pipefail
bau=$(realpath "$1")
ausgabe=$(realpath "${2:-$1}")
export LC_ALL=C

vorlage="$bau/deb/control.in"
[[ -f "$vorlage" ]] || {
  echo "$vorlage is missing: configure $bau for Linux first (cmake -S . -B $bau)" >&2
  exit 1
}
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
  quelle=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$bau/CMakeCache.txt")
  SOURCE_DATE_EPOCH=$(git -C "$quelle" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
baum="$arbeit/dunstwerk"
DESTDIR="$baum" cmake --install "$bau" --prefix /usr --strip >/dev/null

# Permissions as Debian wants them, whatever the umask of the checkout was.
find "$baum" -type d -exec chmod 0755 {} +
find "$baum" -type f -exec chmod 0644 {} +
chmod 0755 "$baum"/usr/bin/*

# Libraries of the programs, with the least versions their symbols need.
# dpkg-shlibdeps looks for debian/control below the folder it runs in.
mkdir -p "$arbeit/debian"
touch "$arbeit/debian/control"
bibliotheken=$(cd "$arbeit" && dpkg-shlibdeps -O -e"$baum/usr/bin/Dunstwerk_340z" \
  -e"$baum/usr/bin/dunstwerk-rechne" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
[[ -n "$bibliotheken" ]] || {
  echo "dpkg-shlibdeps found no libraries for $baum/usr/bin/Dunstwerk_340z" >&2
  exit 1
}
# Those found only at run time, unless dpkg-shlibdeps named them already.
zusaetzlich=$(sed -n 's/^Zusaetzlich: //p' "$vorlage")
for p in ${zusaetzlich//,/ }; do
  [[ ", $bibliotheken" == *", $p "* || ", $bibliotheken," == *", $p,"* ]] ||
    bibliotheken+=", $p"
done
architektur=$(dpkg --print-architecture)
# In KiB, as dpkg-gencontrol counts: each file rounded up, one for each folder.
groesse=$(find "$baum" -mindepth 1 \( -type f -printf '%s\n' -o -printf '1024\n' \) |
  awk '{ s += int(($1 + 1023) / 1024) } END { print s }')

mkdir -m 0755 "$baum/DEBIAN"
sed -e "s/%ARCHITEKTUR%/$architektur/" -e "s/%GROESSE%/$groesse/" \
  -e "s/%BIBLIOTHEKEN%/$bibliotheken/" -e '/^Zusaetzlich: /d' "$vorlage" >"$baum/DEBIAN/control"
(cd "$baum" && find usr -type f | sort | xargs md5sum) >"$baum/DEBIAN/md5sums"
chmod 0644 "$baum/DEBIAN/control" "$baum/DEBIAN/md5sums"
find "$baum" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

paket=$(sed -n 's/^Package: //p' "$baum/DEBIAN/control")
version=$(sed -n 's/^Version: //p' "$baum/DEBIAN/control")
mkdir -p "$ausgabe"
ziel="$ausgabe/${paket}_${version}_${architektur}.deb"
dpkg-deb --root-owner-group --threads-max=1 -Zxz --build "$baum" "$ziel" >/dev/null
echo "$ziel"
