#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running need, and with
# --test also those the tests and the Debian package build need; only those
# that are missing. Silent when everything is there.
#
#   tools/setup-debian.sh [--test]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n
  fonts-ipafont-mincho fonts-ipafont-gothic
  librsvg2-bin
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
)
if [[ "${1:-}" == --test ]]; then
  packages+=(
    desktop-file-utils appstream
    debhelper dpkg-dev lintian
  )
fi

missing=()
for p in "${packages[@]}"; do
  if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]]; then
    missing+=("$p")
  fi
done
(( ${#missing[@]} == 0 )) && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Please run as root or install sudo: missing ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
