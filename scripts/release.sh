#!/usr/bin/env bash
# The release: builds the downloads of the committed HEAD from a clean clone
# of it, checks each one the way a user meets it, and only then writes them,
# with their checksums, into dist/ (emptied first):
#
#   Dunstwerk-<version>-win64.zip        the Windows program and LIESMICH.txt
#   Dunstwerk-<version>-win64-setup.exe  its installer for the current user
#   dunstwerk_<version>_<arch>.deb       the Debian package
#   SHA256SUMS                           sha256sum -c SHA256SUMS checks them
#
#   scripts/release.sh               refuses to run with uncommitted changes
#                                    or when CHANGELOG.md has no section for
#                                    the version
#   scripts/release.sh --vergleichen builds HEAD twice, in two folders, one
#                                    after the other, and compares every file
#                                    byte for byte (the test command's last
#                                    stage); writes nothing into dist/
#
# The same commit gives the same bytes wherever and whenever it is built on
# Debian 12 with the same packages: times come from the commit
# (SOURCE_DATE_EPOCH), the build folders stay out of the binaries, and the
# archives get fixed dates, owners and order. On a difference, --vergleichen
# shows it with diffoscope, which it installs (diffoscope-minimal) only then.
set -euo pipefail
hier=$(cd "$(dirname "$0")/.." && pwd)
cd "$hier"
modus=release
case "${1:-}" in
  "") ;;
  --vergleichen) modus=vergleichen ;;
  *)
    echo "usage: scripts/release.sh [--vergleichen]" >&2
    exit 2
    ;;
esac
jobs=$(nproc)
beginn=$SECONDS

commit=$(git rev-parse --verify HEAD)
if [[ -n "$(git status --porcelain)" ]]; then
  if [[ $modus == release ]]; then
    git status --short >&2
    echo "Uncommitted changes (above): commit them first; a release is made from a commit." >&2
    exit 1
  fi
  echo "Note: uncommitted changes are not part of this; it builds the commit HEAD."
fi

scripts/deps.sh test

# Runs a step with its output in a log, shown when the step fails.
schritt() {
  local protokoll=$1
  shift
  if ! "$@" >"$protokoll" 2>&1; then
    tail -n 60 "$protokoll" >&2
    echo "FAILED: $* (whole output in $protokoll)" >&2
    return 1
  fi
}

# Fails with the message unless the two texts are the same.
gleich() {
  [[ "$1" == "$2" ]] || {
    echo "FAILED: $3: \"$1\", not \"$2\"" >&2
    return 1
  }
}

# bauen FOLDER PRUEFEN: the downloads of the commit, built in FOLDER from a
# clone there, into FOLDER/dist; checked when PRUEFEN is 1.
bauen() {
  local arbeit=$1 pruefen=$2
  local quelle="$arbeit/quelle" aus="$arbeit/dist" log="$arbeit/protokoll"
  mkdir -p "$aus" "$log"
  git clone -q --no-checkout "$hier" "$quelle"
  git -C "$quelle" checkout -q --detach "$commit"

  local version
  version=$(sed -n 's/^project(Dunstwerk VERSION \([0-9.]*\).*/\1/p' "$quelle/CMakeLists.txt")
  [[ -n "$version" ]] || {
    echo "No project version in CMakeLists.txt" >&2
    return 1
  }
  grep -q "^## ${version//./\\.} ([0-9-]*)\$" "$quelle/CHANGELOG.md" || {
    echo "CHANGELOG.md has no section \"## $version (YYYY-MM-DD)\" for version $version:" \
      "write what it brings, commit, and run again." >&2
    return 1
  }
  echo "Dunstwerk $version, commit $commit, in $arbeit"

  # The time of every file in the downloads; rcc, strip (PE header of the
  # program), dpkg-deb and the ZIP take it from here.
  SOURCE_DATE_EPOCH=$(git -C "$quelle" log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
  # The optimisation the tests run with (RelWithDebInfo), without the debug
  # information, which would hold the build's paths.
  local einstellungen=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
    -DDUNSTWERK_TESTS=OFF -DDUNSTWERK_REPRODUZIERBAR=ON)

  echo "-- Linux program and Debian package"
  schritt "$log/linux.log" cmake -S "$quelle" -B "$arbeit/linux" "${einstellungen[@]}"
  gleich "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$arbeit/linux/CMakeCache.txt")" \
    "$version" "CMake's project version"
  schritt "$log/linux-bau.log" cmake --build "$arbeit/linux" -j"$jobs" --target Dunstwerk_340z
  local deb
  deb=$("$hier/scripts/deb-packen.sh" "$arbeit/linux" "$arbeit/deb")
  gleich "$(dpkg-deb --field "$deb" Version)" "$version" "the version of $(basename "$deb")"

  echo "-- Windows program, ZIP and installer"
  local win="$arbeit/windows"
  schritt "$log/windows.log" cmake -S "$quelle" -B "$win" \
    -DCMAKE_TOOLCHAIN_FILE="$quelle/cmake/mingw-w64-x86_64.cmake" "${einstellungen[@]}"
  schritt "$log/windows-bau.log" cmake --build "$win" -j"$jobs" --target Dunstwerk_340z fenster_pruefen
  # The names cmake/packaging-windows.cmake gives the packages.
  local paket installer
  paket=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$win/CPackConfig.cmake")
  installer=$(sed -n 's/^set(CPACK_DUNSTWERK_INSTALLER "\(.*\)")$/\1/p' "$win/CPackConfig.cmake")
  gleich "$paket" "Dunstwerk-$version-win64" "the ZIP's name"
  gleich "$installer" "Dunstwerk-$version-win64-setup" "the installer's name"
  schritt "$log/installieren.log" cmake --install "$win" --prefix "$arbeit/zip/$paket" --strip
  schritt "$log/zip.log" "$hier/scripts/zip-packen.sh" "$arbeit/zip/$paket.zip" "$arbeit/zip/$paket"
  schritt "$log/nsis.log" bash -c 'cd "$1" && cpack -G NSIS' - "$win"

  if [[ $pruefen == 1 ]]; then
    echo "-- Checks: the Debian package"
    schritt "$log/paket-pruefen.log" "$hier/scripts/paket-pruefen.sh" "$deb"
    echo "-- Checks: ZIP and installer under Wine"
    schritt "$log/windows-pruefen.log" "$hier/scripts/windows-pruefen.sh" "$arbeit/zip/$paket.zip" \
      "$win/$installer.exe" "$win/fenster_pruefen.exe" "$version"
  fi

  cp "$arbeit/zip/$paket.zip" "$win/$installer.exe" "$deb" "$aus/"
  (cd "$aus" && LC_ALL=C ls | grep -v '^SHA256SUMS$' | xargs sha256sum -- >SHA256SUMS)
}

arbeit=$(mktemp -d "${TMPDIR:-/tmp}/dunstwerk-release.XXXXXX")
# Gone when all went well; kept for a look when a build or check failed.
aufraeumen() {
  if [[ $? -eq 0 || -z "$(find "$arbeit" -name '*.log' -print -quit)" ]]; then
    rm -rf "$arbeit"
  else
    echo "The build folders and their logs are kept in $arbeit; remove it when done." >&2
  fi
}
trap aufraeumen EXIT

if [[ $modus == release ]]; then
  bauen "$arbeit" 1
  rm -rf dist
  mkdir dist
  cp "$arbeit/dist"/* dist/
  echo "== Release in dist/ ($((SECONDS - beginn)) s):"
  (cd dist && cat SHA256SUMS)
  version=$(dpkg-deb --field dist/*.deb Version)
  echo "Made from commit $commit; to name it: git tag -a v$version -m \"Dunstwerk $version\" $commit"
  exit 0
fi

# Two builds that share nothing but the commit: other folders (of another
# depth), another umask, time zone and language, and a later time. The
# second skips the checks: equal bytes behave alike.
echo "== First build, with the checks"
bauen "$arbeit/a" 1
echo "== Second build, elsewhere and later"
(
  umask 0077
  export TZ=Pacific/Chatham LC_ALL=C.UTF-8
  bauen "$arbeit/zweiter Lauf/b" 0
)

verschieden=()
a="$arbeit/a/dist"
b="$arbeit/zweiter Lauf/b/dist"
if [[ "$(cd "$a" && ls)" != "$(cd "$b" && ls)" ]]; then
  echo "FAILED: the two builds made different files:" $'\n'"$(cd "$a" && ls)"$'\n'"---"$'\n'"$(cd "$b" && ls)" >&2
  exit 1
fi
echo "== Comparison, byte for byte"
for datei in $(cd "$a" && ls); do
  if cmp -s "$a/$datei" "$b/$datei"; then
    echo "identical  $(cd "$a" && sha256sum "$datei")"
  else
    echo "DIFFERENT  $datei"
    verschieden+=("$datei")
  fi
done
if [[ ${#verschieden[@]} -gt 0 ]]; then
  if ! command -v diffoscope >/dev/null; then
    als_root=()
    [[ $(id -u) -eq 0 ]] || als_root=(sudo)
    DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -q --no-install-recommends \
      diffoscope-minimal >/dev/null
  fi
  for datei in "${verschieden[@]}"; do
    diffoscope --text-color=never "$a/$datei" "$b/$datei" | head -n 200 || true
  done
  echo "FAILED: the same commit gave different bytes: ${verschieden[*]}" >&2
  exit 1
fi
echo "== Two builds of $commit gave the same bytes ($((SECONDS - beginn)) s)"
