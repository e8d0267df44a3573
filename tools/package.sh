#!/usr/bin/env bash
# Builds the Debian package (jinko-pyramid and its -dbgsym) with
# dpkg-buildpackage from a copy of the source tree in a scratch folder, so
# the checkout stays untouched, and puts the .deb, .buildinfo and .changes
# files into the output folder (default: build/package/).
#
#   tools/package.sh [output folder]
#
# The maintainer and changelog signature default to those in debian/control
# and debian/changelog. Set DEBFULLNAME and DEBEMAIL (as for dch) to build
# under your own name:
#   DEBFULLNAME="Hanako Yamada" DEBEMAIL=hanako@example.org tools/package.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "${1:-$root/build/package}" && cd "${1:-$root/build/package}" && pwd)"

for tool in dpkg-buildpackage dh; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run tools/setup-debian.sh --tests" >&2; exit 1; }
done

version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
# A fixed scratch path per checkout, so the compiler cache finds the same
# file names on the next build.
scratch="${TMPDIR:-/tmp}/jinko-pyramid-package.$(printf '%s' "$root" | md5sum | cut -c1-12)"
src="$scratch/jinko-pyramid-$version"
rm -rf "$scratch"
mkdir -p "$src"
trap 'rm -rf "$scratch"' EXIT

# The tree as it stands (tracked and new files, without build folders or
# anything git ignores); without git, every file but the build folders.
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
     xargs -0 -I{} sh -c 'test -e "$1" && printf "%s\0" "$1"' _ {} |
     tar --null -T - -cf -) | tar -xf - -C "$src"
else
  (cd "$root" && tar --exclude='./build*' --exclude=./.git -cf - .) | tar -xf - -C "$src"
fi

if [[ -n "${DEBEMAIL:-}" ]]; then
  if [[ "$DEBEMAIL" == *"<"*">"* ]]; then
    maintainer=$DEBEMAIL
  else
    maintainer="${DEBFULLNAME:?DEBFULLNAME is needed with DEBEMAIL}${DEBFULLNAME:+ }<$DEBEMAIL>"
  fi
  sed -i "s|^Maintainer: .*|Maintainer: $maintainer|" "$src/debian/control"
  sed -i "0,/^ -- .*  /s|^ -- .*  | -- $maintainer  |" "$src/debian/changelog"
fi

if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$scratch"
fi
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=$(nproc)}"
log="$out/dpkg-buildpackage.log"
if ! (cd "$src" && dpkg-buildpackage -us -uc -b) >"$log" 2>&1; then
  tail -n 25 "$log" >&2
  echo "dpkg-buildpackage failed (log: $log)" >&2
  exit 1
fi
rm -f "$out"/*.deb "$out"/*.buildinfo "$out"/*.changes
mv "$scratch"/*.deb "$scratch"/*.buildinfo "$scratch"/*.changes "$out"/
ls "$out"/*.deb
