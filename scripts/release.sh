#!/usr/bin/env bash
# The release (README.md, "Rebuild the same bytes"): the downloads of the
# committed HEAD, built from a clean clone of it with CMake and CPack and
# checked as a user meets them (the tests labelled paket, under Wine for the
# Windows ones), then written with their SHA256SUMS into dist/ (emptied first).
#
#   scripts/release.sh                refuses to run with uncommitted changes
#   scripts/release.sh --vergleichen  builds HEAD twice, in two folders, and
#                                     compares every file byte for byte; writes
#                                     nothing into dist/
set -euo pipefail
hier=$(cd "$(dirname "$0")/.." && pwd)
cd "$hier"
[[ ${1:-} =~ ^(--vergleichen)?$ ]] || { echo "usage: scripts/release.sh [--vergleichen]" >&2; exit 2; }
modus=${1:-release}
beginn=$SECONDS
commit=$(git rev-parse --verify HEAD)
if [[ -n "$(git status --porcelain)" ]]; then
  [[ $modus == --vergleichen ]] || {
    git status --short >&2
    echo "Uncommitted changes (above): commit them first; a release is made from a commit." >&2
    exit 1
  }
  echo "Note: uncommitted changes are not part of this; it builds the commit HEAD."
fi
scripts/deps.sh test
# The published release is built on Debian 12, whose package serves 12 and 13.
. /etc/os-release
debian="Debian ${VERSION_ID:-?}"
[[ ${VERSION_ID:-} == 12 ]] ||
  echo "Note: these are the bytes of $debian's tools; the published release is built on Debian 12."

# bauen FOLDER PRUEFEN: the downloads of the commit, built in FOLDER from a
# clone there, into FOLDER/dist; checked when PRUEFEN is 1. Configuring fails
# when CHANGELOG.md has no section for the version.
bauen() {
  local arbeit=$1 q="$1/quelle"
  mkdir -p "$arbeit/dist"
  git clone -q --no-checkout "$hier" "$q"
  git -C "$q" checkout -q --detach "$commit"
  SOURCE_DATE_EPOCH=$(git -C "$q" log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
  # The presets the tests run with: the same compiler flags.
  local e=(-DDUNSTWERK_TESTS=OFF -DDUNSTWERK_BENCH=OFF -DDUNSTWERK_REPRODUZIERBAR=ON)
  local l="$arbeit/linux" w="$arbeit/windows"
  # Each step only after the one before passed; the packs with umask 022 and
  # in UTC whatever the build's were: permissions and a ZIP's local times.
  {
    cmake -S "$q" -B "$l" --preset default "${e[@]}" && cmake --build "$l" -j"$(nproc)" &&
      (cd "$l" && umask 022 && cpack -G DEB) &&
      cmake -S "$q" -B "$w" --preset windows "${e[@]}" &&
      cmake --build "$w" -j"$(nproc)" && (cd "$w" && umask 022 && TZ=UTC cpack -G "ZIP;NSIS") &&
      if [[ $2 == 1 ]]; then
        # In /tmp: xvfb-run loses its display's key in a TMPDIR with blanks.
        ctest --test-dir "$l" -L paket --output-on-failure &&
          TMPDIR=/tmp xvfb-run -a -s "-screen 0 1280x1024x24" \
            ctest --test-dir "$w" -L paket --output-on-failure
      fi
  } >"$arbeit/protokoll.log" 2>&1 || {
    tail -n 60 "$arbeit/protokoll.log" >&2
    echo "FAILED: the build or check above (whole output in $arbeit/protokoll.log)" >&2
    return 1
  }
  cp "$l"/dunstwerk_*.deb "$w"/Dunstwerk-*-win64.zip "$w"/Dunstwerk-*-win64-setup.exe "$arbeit/dist/"
  (cd "$arbeit/dist" && sha256sum -- * >SHA256SUMS)
}

arbeit=$(mktemp -d "${TMPDIR:-/tmp}/dunstwerk-release.XXXXXX")
# Gone when all went well; kept for a look when a build or check failed.
trap '[[ $? -eq 0 ]] && rm -rf "$arbeit" || echo "Build folders and log kept in $arbeit" >&2' EXIT

if [[ $modus == release ]]; then
  echo "== Release of $commit on $debian"
  bauen "$arbeit" 1
  rm -rf dist
  cp -r "$arbeit/dist" dist
  echo "== Release in dist/ ($((SECONDS - beginn)) s), bytes of $debian's tools:"
  cat dist/SHA256SUMS
  version=$(dpkg-deb --field dist/*.deb Version)
  echo "Made from commit $commit; to name it: git tag -a v$version -m \"Dunstwerk $version\" $commit"
  exit 0
fi

# Two builds that share nothing but the commit: other folders (of another
# depth), another umask, time zone and language, and a later time. Neither
# runs the package checks: the test command's package and windows stages
# have run them on packages of the same sources and flags.
echo "== First build"
bauen "$arbeit/a" 0
echo "== Second build, elsewhere and later"
(
  umask 0077
  export TZ=Pacific/Chatham LC_ALL=C.UTF-8
  bauen "$arbeit/zweiter Lauf/b" 0
)
a="$arbeit/a/dist" b="$arbeit/zweiter Lauf/b/dist"
if diff -r "$a" "$b" >/dev/null; then
  sed 's/^/identical  /' "$a/SHA256SUMS"
  echo "== Two builds of $commit on $debian gave the same bytes ($((SECONDS - beginn)) s)"
  exit 0
fi
command -v diffoscope >/dev/null || scripts/deps.sh diffoscope
diffoscope --text-color=never "$a" "$b" | head -n 300 || true
echo "FAILED: the same commit gave different bytes" >&2
exit 1
