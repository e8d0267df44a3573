#!/usr/bin/env bash
# Installs the package that deb_package_contents built and runs its
# autopkgtest (debian/tests/) with the null runner, on this machine: the
# package stays installed, so tools/guide-pictures.sh can take the guide's
# pictures from it. It needs root, or sudo without a password.
#
#   autopkgtest.sh <source dir> <package folder> <output folder>
set -uo pipefail
source_dir=$1 packages=$2 out=$3

command -v autopkgtest >/dev/null || { echo "SKIP: autopkgtest is not installed (tools/setup-debian.sh --tests)"; exit 77; }
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo -n true 2>/dev/null || { echo "SKIP: the null runner installs the package: run as root or with sudo"; exit 77; }
  sudo=(sudo -n)
fi
deb=$(ls "$packages"/jinko-pyramid_*.deb 2>/dev/null | head -n 1)
[[ -n "$deb" ]] || { echo "FAIL: no package in $packages" >&2; exit 1; }

# The tests look only at the installed package, so the source they come
# with is the debian/ folder alone, not the tree with its build folders.
rm -rf "$out"
mkdir -p "$out/source"
cp -r "$source_dir/debian" "$out/source/"
"${sudo[@]}" autopkgtest --no-built-binaries --output-dir "$out/result" "$deb" "$out/source/" -- null
