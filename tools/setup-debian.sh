#!/usr/bin/env bash
# Installs the Debian 12 packages that are needed and missing, and only
# those. Without an argument, what building and running the program needs
# (tools/run.sh); with --tests, also what the tests, benchmarks, fuzzer and
# the Debian package build need (tools/test.sh). Silent when everything is there.
set -euo pipefail

# The program.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n qt6-wayland
  fonts-ipafont-mincho fonts-ipafont-gothic
  librsvg2-bin
)
# The tests, benchmarks, fuzzer and the Debian package build.
test_packages=(
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream
  debhelper dpkg-dev lintian
  poppler-utils
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=("${test_packages[@]}")
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
