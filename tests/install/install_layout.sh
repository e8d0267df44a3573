#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that everything a
# desktop needs is where it looks for it and refers to the rest correctly.
#
#   install_layout.sh <build dir> <prefix> <bin dir> <data root dir> <man dir> <doc dir>
#                     <app id> <executable> <icon name> <icon sizes...>
# (the directories relative to the prefix, as GNUInstallDirs has them.)
set -uo pipefail

build=$1 prefix=$2 bindir=$3 datadir=$4 mandir=$5 docdir=$6 app_id=$7 executable=$8 icon_name=$9
shift 9
icon_sizes=("$@")

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log" >&2
  echo "FAIL: cmake --install did not succeed (is the build complete?)" >&2
  exit 1
fi

# The program.
program="$prefix/$bindir/$executable"
if [[ ! -f "$program" || ! -x "$program" ]]; then
  fail "$program is missing or not executable"
elif [[ "$(head -c 4 "$program" | od -An -c | tr -d ' ')" != '177ELF' ]]; then
  fail "$program is not an ELF executable"
elif command -v readelf >/dev/null; then
  # The program links only system libraries: no run path at all, least of
  # all one into the build tree.
  if readelf -d "$program" | grep -qE 'R(UN)?PATH'; then
    fail "$program has a run path: $(readelf -d "$program" | grep -E 'R(UN)?PATH')"
  fi
fi

# PNG width and height, from the IHDR chunk that must follow the signature.
png_size() {
  local bytes
  bytes=$(od -An -tu1 -N24 "$1" | tr -s ' \n' ' ')
  read -r -a b <<<"$bytes"
  if [[ ${#b[@]} -ne 24 || "${b[*]:0:8}" != "137 80 78 71 13 10 26 10" || "${b[*]:12:4}" != "73 72 68 82" ]]; then
    echo "not-a-png"
    return
  fi
  echo "$(( (b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19] ))x$(( (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23] ))"
}

# The icon in every size, each a PNG of exactly its size.
for size in "${icon_sizes[@]}"; do
  png="$prefix/$datadir/icons/hicolor/${size}x${size}/apps/$icon_name.png"
  if [[ ! -f "$png" ]]; then
    fail "$png is missing"
  elif [[ "$(png_size "$png")" != "${size}x${size}" ]]; then
    fail "$png is $(png_size "$png"), not ${size}x${size}"
  fi
done
# A build without rsvg-convert installs the scalable icon alone.
for size in 16 24 32 48 64 128 256; do
  (( ${#icon_sizes[@]} == 0 )) || [[ " ${icon_sizes[*]} " == *" $size "* ]] || fail "no ${size}x${size} icon is installed"
done
svg="$prefix/$datadir/icons/hicolor/scalable/apps/$icon_name.svg"
grep -q '<svg' "$svg" 2>/dev/null || fail "$svg is missing or not an SVG"

# The manual page in English and Japanese, and the documentation.
for page in "$mandir/man1/$executable.1" "$mandir/ja/man1/$executable.1" \
            "$docdir/README.md" "$docdir/docs/ja/README.md" "$docdir/copyright"; do
  [[ -s "$prefix/$page" ]] || fail "$prefix/$page is missing"
done
grep -q '^\.TH JINKO-PYRAMID 1 ' "$prefix/$mandir/man1/$executable.1" || fail "the manual page has no .TH line"
LC_ALL=C.UTF-8 grep -q '^\.SH 説明' "$prefix/$mandir/ja/man1/$executable.1" 2>/dev/null ||
  fail "the manual page under man/ja is not the Japanese one"
# Every picture the guide shows is installed beside it.
if [[ -f "$prefix/$docdir/docs/ja/README.md" ]]; then
  while read -r image; do
    [[ -f "$prefix/$docdir/docs/ja/$image" ]] || fail "the Japanese guide shows $image, which is not installed"
  done < <(grep -oE '\]\([^)]+\.png\)' "$prefix/$docdir/docs/ja/README.md" | sed 's/^](//; s/)$//')
fi

# The desktop entry: the value of one key, exactly as written.
desktop="$prefix/$datadir/applications/$app_id.desktop"
entry() { grep -m1 -E "^$(printf '%s' "$1" | sed 's/[][]/\\&/g')=" "$desktop" | cut -d= -f2-; }
if [[ ! -f "$desktop" ]]; then
  fail "$desktop is missing"
else
  [[ "$(head -n1 "$desktop")" == "[Desktop Entry]" ]] || fail "desktop entry does not start with [Desktop Entry]"
  [[ "$(entry Type)" == Application ]] || fail "desktop entry Type is '$(entry Type)'"
  [[ "$(entry Terminal)" == false ]] || fail "desktop entry Terminal is '$(entry Terminal)'"
  # Exactly one main category, so menus list the program once.
  mains=$(tr ';' '\n' <<<"$(entry Categories)" |
          grep -cxE 'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility')
  [[ "$mains" == 1 ]] || fail "desktop entry Categories '$(entry Categories)' has $mains main categories"
  # The X11 window class the program's windows carry (its application name).
  [[ "$(entry StartupWMClass)" == "$executable" ]] || fail "desktop entry StartupWMClass is '$(entry StartupWMClass)'"
  for word in 人口 ピラミッド 国勢調査 年齢構成; do
    [[ ";$(entry 'Keywords[ja]')" == *";$word;"* ]] || fail "desktop entry Keywords[ja] lacks $word"
  done
  for key in Name 'Name[ja]' Comment 'Comment[ja]'; do
    [[ -n "$(entry "$key")" ]] || fail "desktop entry has no $key"
  done
  # The Japanese name and comment are Japanese, not a copy of the fallback.
  for key in Name Comment; do
    [[ "$(entry "$key[ja]")" != "$(entry "$key")" ]] || fail "desktop entry $key[ja] repeats the English $key"
    printf '%s' "$(entry "$key[ja]")" | LC_ALL=C.UTF-8 grep -qP '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}]' ||
      fail "desktop entry $key[ja] has no Japanese text"
  done
  # Exec and Icon must name what was installed.
  [[ "$(entry Exec)" == "$executable" ]] || fail "desktop entry Exec is '$(entry Exec)', not $executable"
  [[ -x "$prefix/$bindir/$(entry Exec)" ]] || fail "desktop entry Exec '$(entry Exec)' is not an installed program"
  [[ "$(entry Icon)" == "$icon_name" ]] || fail "desktop entry Icon is '$(entry Icon)', not $icon_name"
  [[ -f "$prefix/$datadir/icons/hicolor/32x32/apps/$(entry Icon).png" ]] ||
    fail "desktop entry Icon '$(entry Icon)' has no installed 32x32 icon"
  # It starts the program in the data library, wherever the prefix put it.
  [[ "$(entry Path)" == "$prefix/$datadir/jinko-pyramid" ]] ||
    fail "desktop entry Path is '$(entry Path)', not the installed library $prefix/$datadir/jinko-pyramid"
  [[ -f "$(entry Path)/出典/index.tsv" ]] || fail "the data library is not installed in '$(entry Path)'"
fi

# The AppStream metainfo, tied to the desktop entry and the program.
metainfo="$prefix/$datadir/metainfo/$app_id.metainfo.xml"
if [[ ! -f "$metainfo" ]]; then
  fail "$metainfo is missing"
else
  has() { grep -qF -- "$1" "$metainfo" || fail "metainfo lacks $1"; }
  has '<component type="desktop-application">'
  has "<id>$app_id</id>"
  has "<launchable type=\"desktop-id\">$app_id.desktop</launchable>"
  has "<binary>$executable</binary>"
  has '<project_license>'
  has '<metadata_license>'
  has '<content_rating type="oars-'
  has '<summary>'
  has '<summary xml:lang="ja">'
  has '<p xml:lang="ja">'
  has '<name xml:lang="ja">'
  has '<release version='
  grep -A3 '<release version=' "$metainfo" | grep -qF '<description>' || fail "metainfo release has no description"
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  [[ -f "$prefix/$datadir/applications/$launchable" ]] || fail "metainfo launchable '$launchable' is not an installed desktop entry"
fi

if (( failures > 0 )); then
  echo "$failures check(s) failed under $prefix" >&2
  exit 1
fi
echo "installed layout under $prefix is complete"
