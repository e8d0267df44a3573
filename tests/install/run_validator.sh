#!/usr/bin/env bash
# Runs a validator on an installed file; skips (exit 77) when the validator
# is not installed, fails on anything it reports: an error, a warning, or a
# hint, pedantic or informational note.
#
#   run_validator.sh <file> <validator> [arguments...]
set -uo pipefail
file=$1
shift
if ! command -v "$1" >/dev/null; then
  echo "SKIP: $1 is not installed"
  exit 77
fi
if [[ ! -f "$file" ]]; then
  echo "FAIL: $file is missing" >&2
  exit 1
fi
output=$("$@" "$file" 2>&1)
status=$?
printf '%s\n' "$output"
if (( status != 0 )) || grep -qiE '(^|[^a-z])(error|warning|hint)s?:|^[EWIP]: ' <<<"$output"; then
  echo "FAIL: $1 rejected $file" >&2
  exit 1
fi
