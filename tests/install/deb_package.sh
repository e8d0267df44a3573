#!/usr/bin/env bash
# Makes the Debian package from the build's CPack configuration in a scratch
# directory and checks its control fields and contents.
#
#   deb_package.sh <cpack> <build dir> <scratch dir> <app id> <executable> <icon name> <icon sizes...>
set -uo pipefail

cpack=$1 build=$2 scratch=$3 app_id=$4 executable=$5 icon_name=$6
shift 6
icon_sizes=("$@")

command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb is not installed"; exit 77; }

rm -rf "$scratch"
mkdir -p "$scratch"
if ! "$cpack" -G DEB -B "$scratch" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack -G DEB did not succeed" >&2
  exit 1
fi
debs=("$scratch"/*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f "${debs[0]}" ]]; then
  echo "FAIL: expected one .deb in $scratch, found: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb")"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == jinko-pyramid ]] || fail "Package is '$(field Package)'"
[[ "$(basename "$deb")" == "jinko-pyramid_$(field Version)_$(field Architecture).deb" ]] ||
  fail "file name $(basename "$deb") does not follow name_version_arch.deb"
[[ -n "$(field Maintainer)" ]] || fail "no Maintainer"
[[ "$(field Section)" == science ]] || fail "Section is '$(field Section)'"
[[ -n "$(field Description)" ]] || fail "no Description"

# Depends as a list of bare package names, one per alternative.
depends=$(field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/^ *//; s/ *$//; s/:any$//' | sort -u)
echo "Depends: $(field Depends)"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-mincho fonts-ipafont-gothic qt6-translations-l10n; do
  grep -qxF "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

# The package installs under /usr, like any Debian program.
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's:^\./:/:')
expected=("/usr/bin/$executable"
          "/usr/share/applications/$app_id.desktop"
          "/usr/share/metainfo/$app_id.metainfo.xml"
          "/usr/share/doc/jinko-pyramid/copyright")
for size in "${icon_sizes[@]}"; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$contents" || fail "package lacks $path"
done
grep -q '^/usr/local' <<<"$contents" && fail "package installs under /usr/local"
dpkg-deb -c "$deb" | grep -E " \./usr/bin/$executable\$" | grep -q '^-rwxr-xr-x' ||
  fail "/usr/bin/$executable is not mode 0755 in the package"

if (( failures > 0 )); then
  echo "$failures check(s) failed for $deb" >&2
  exit 1
fi
