#!/usr/bin/env bash
# Installs the Debian 12 packages that are needed and missing, and only
# those, as debian/ names them (there is no second list here):
#   - the build dependencies in debian/control, by apt-get build-dep on the
#     tree: without an argument in the nocheck profile (building the program,
#     tools/run.sh); with --tests in the pkg.jinko-pyramid.devtools profile,
#     which adds the test suite's and the test command's tools (tools/test.sh);
#   - what the program needs at run time: the Depends of the binary package;
#   - with --tests, what its autopkgtest needs: the Depends in debian/tests/control.
# Silent when everything is there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

profile=nocheck
[[ "${1:-}" == "--tests" ]] && profile=pkg.jinko-pyramid.devtools

# The package names in a Depends-style field of the paragraphs of a control
# file that have <key>: <value>, the first of each set of alternatives,
# without versions, substitution variables or autopkgtest's "@".
depends_of() {
  local file=$1 key=$2 value=$3
  awk -v key="$key" -v value="$value" 'BEGIN { RS = ""; FS = "\n" } {
    keep = 0; infield = 0; text = ""
    for (i = 1; i <= NF; i++) {
      line = $i
      if (line ~ /^#/) continue
      if (line ~ /^[^ \t]/) {
        infield = line ~ /^Depends:/
        if (line ~ "^" key ":[ \t]*" value "[ \t]*$") keep = 1
        sub(/^Depends:/, "", line)
      }
      if (infield) text = text line ","
    }
    if (keep) print text
  }' "$file" | tr ',' '\n' | sed 's/|.*//; s/[(<\[].*//; s/^[ \t]*//; s/[ \t]*$//' |
    grep -vE '^(\$\{.*\}|@|)$' | sort -u
}
runtime=$(depends_of "$root/debian/control" Package jinko-pyramid)
[[ "$profile" != nocheck ]] && runtime+=$'\n'$(depends_of "$root/debian/tests/control" Tests '.*')

missing=()
for p in $runtime; do
  [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" == "install ok installed" ]] || missing+=("$p")
done
build_deps_met() {
  command -v dpkg-checkbuilddeps >/dev/null &&
    dpkg-checkbuilddeps -P "$profile" "$root/debian/control" 2>/dev/null
}
build_deps_met && (( ${#missing[@]} == 0 )) && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Please run $0 as root or install sudo" >&2; exit 1; }
  sudo=(sudo)
fi
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq --no-install-recommends)
echo "Installing what debian/control names for the $profile profile${missing[*]:+ and: ${missing[*]}}"
"${sudo[@]}" apt-get update -qq
# build-dep also brings build-essential, so a bare machine can start here.
build_deps_met || "${apt[@]}" -P "$profile" build-dep "$root" >/dev/null
(( ${#missing[@]} == 0 )) || "${apt[@]}" install "${missing[@]}" >/dev/null
