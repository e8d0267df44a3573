#!/usr/bin/env bash
# Builds the Debian package with tools/package.sh (dpkg-buildpackage in a
# copy of the tree), checks its control fields and contents, and runs lintian:
# no error and no warning may remain, and no hardening tag.
#
#   deb_package.sh <source dir> <output dir> <app id> <executable> <icon name> <icon sizes...>
set -uo pipefail

source_dir=$1 out=$2 app_id=$3 executable=$4 icon_name=$5
shift 5
icon_sizes=("$@")

for tool in dpkg-buildpackage dh lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/setup-debian.sh --tests)"; exit 77; }
done

rm -rf "$out"
if ! "$source_dir/tools/package.sh" "$out"; then
  echo "FAIL: the package did not build" >&2
  exit 1
fi
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="$out/jinko-pyramid_${version}_${arch}.deb"
dbgsym="$out/jinko-pyramid-dbgsym_${version}_${arch}.deb"
changes="$out/jinko-pyramid_${version}_${arch}.changes"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
for f in "$deb" "$dbgsym" "$changes"; do
  [[ -f "$f" ]] || { echo "FAIL: $f was not made; found: $(ls "$out")" >&2; exit 1; }
done
echo "built $(basename "$deb") and $(basename "$dbgsym")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == jinko-pyramid ]] || fail "Package is '$(field Package)'"
[[ "$(field Section)" == science ]] || fail "Section is '$(field Section)'"
[[ "$(field Maintainer)" == *"<"*@*">" ]] || fail "Maintainer '$(field Maintainer)' is not a name and address"
[[ "$(dpkg-deb -f "$dbgsym" Depends)" == "jinko-pyramid (= $version)" ]] ||
  fail "the debug symbols depend on '$(dpkg-deb -f "$dbgsym" Depends)'"

# Depends as a list of bare package names, one per alternative.
depends=$(field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/^ *//; s/ *$//; s/:any$//' | sort -u)
echo "Depends: $(field Depends)"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-mincho fonts-ipafont-gothic \
              qt6-translations-l10n qt6-wayland; do
  grep -qxF "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

# The package installs under /usr, like any Debian program.
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's:^\./:/:')
expected=("/usr/bin/$executable"
          "/usr/share/applications/$app_id.desktop"
          "/usr/share/metainfo/$app_id.metainfo.xml"
          "/usr/share/icons/hicolor/scalable/apps/$icon_name.svg"
          "/usr/share/man/man1/$executable.1.gz"
          "/usr/share/man/ja/man1/$executable.1.gz"
          "/usr/share/doc/jinko-pyramid/copyright"
          "/usr/share/doc/jinko-pyramid/changelog.gz"
          "/usr/share/doc/jinko-pyramid/docs/ja/README.md.gz")
for size in "${icon_sizes[@]}"; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$contents" || fail "package lacks $path"
done
grep -q '^/usr/local' <<<"$contents" && fail "package installs under /usr/local"
dpkg-deb -c "$deb" | grep -E " \./usr/bin/$executable\$" | grep -q '^-rwxr-xr-x' ||
  fail "/usr/bin/$executable is not mode 0755 in the package"
# Debian's copyright file, not the plain licence text. sed reads to the end,
# so tar never writes into a closed pipe (a failure under pipefail).
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/jinko-pyramid/copyright |
  sed -n 1p | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "/usr/share/doc/jinko-pyramid/copyright is not in the machine-readable format"

# lintian over both packages and the .changes.
report=$(lintian --pedantic --display-info --color never "$changes" 2>&1 | grep -v 'running with root privileges')
[[ -n "$report" ]] && printf '%s\n' "$report"
grep -E '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"
grep -E ': hardening-' <<<"$report" | grep -v 'hardening-no-fortify-functions' && fail "lintian reports missing hardening"
# lintian can only see fortified calls where the compiler knew a buffer's
# size; the build log shows that every compile had Debian's flags.
log="$out/dpkg-buildpackage.log"
compiles=$(grep -cE '(c\+\+|g\+\+) .* -c ' "$log")
unhardened=$(grep -E '(c\+\+|g\+\+) .* -c ' "$log" | grep -vc -- '-D_FORTIFY_SOURCE=2.*-fstack-protector-strong\|-fstack-protector-strong.*-D_FORTIFY_SOURCE=2')
(( compiles > 0 && unhardened == 0 )) || fail "$unhardened of $compiles compiles lack the fortify and stack protector flags"
grep -E ' -o app/jinko-pyramid ' "$log" | grep -q -- '-Wl,-z,now' || fail "the program was not linked with -z now"

if (( failures > 0 )); then
  echo "$failures check(s) failed for $deb" >&2
  exit 1
fi
