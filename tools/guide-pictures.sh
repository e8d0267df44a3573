#!/usr/bin/env bash
# Makes the pictures of the README and of the Japanese guide: the walk of
# end_to_end_tests and the printed page of worksheet_tests, run on the data
# library where the package installs it, so the pictures show the path a
# user sees. Install the package first (tools/test.sh does, or
# `sudo apt install ./build/package/jinko-pyramid_*.deb`). The pictures go to
# build/screenshots/ and then replace those in docs/.
#
#   tools/guide-pictures.sh [library]     (default /usr/share/jinko-pyramid)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
library=${1:-/usr/share/jinko-pyramid}
if [[ ! -f "$library/3 都道府県/01 北海道.txt" ]]; then
  echo "No data library in $library: install the package first (see README, Install)." >&2
  exit 1
fi
cd "$root"
cmake --preset default >/dev/null
cmake --build --preset default --target end_to_end_tests worksheet_tests
shots="$root/build/screenshots"
rm -rf "$shots/ja" "$shots/pyramid-analysis.png"
for walk in end_to_end_tests worksheet_tests; do
  QT_QPA_PLATFORM=offscreen PYRAMID_GUIDE_LIBRARY="$library" "$root/build/tests/app/$walk" >/dev/null ||
    { echo "$walk failed on $library: no picture is replaced" >&2; exit 1; }
done
cp "$shots"/ja/*.png "$root/docs/ja/"
cp "$shots/pyramid-analysis.png" "$root/docs/pyramid-analysis.png"
cp "$shots/ja/start.png" "$root/docs/main-window.png"
echo "The pictures in docs/ and docs/ja/ are made again from $library:"
ls "$shots/ja"
