#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup-debian.sh" --tests
# The three builds are the presets in CMakePresets.json: `cmake --preset asan`
# gives a developer exactly the build this runs.
cd "$root"
if command -v ccache >/dev/null; then export CMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default | tee "$root/build/ctest.log"

# The whole suite again under AddressSanitizer, UndefinedBehaviorSanitizer and
# the leak checker: any finding fails the run. Install and package tests are
# left to the ordinary build above.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan | tee "$root/build-asan/ctest.log"

# A short fuzz run of the three targets, the data file reader and the load,
# the whole form end to end, and the census table reader, in their own clang
# build with the sanitizers. They share the time. New inputs go to scratch
# corpora, not the seeds.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# A minute on CI, a shorter look on a developer's machine, a third to each.
fuzz_seconds=15
[[ "${CI:-}" == "true" ]] && fuzz_seconds=60
fuzz() {
  local target=$1
  shift
  local log="$root/build-fuzz/$target.log"
  mkdir -p "$root/build-fuzz/corpus-$target"
  if ! "$root/build-fuzz/fuzz/$target" -max_total_time=$(( fuzz_seconds / 3 )) -print_final_stats=1 \
       -artifact_prefix="$root/build-fuzz/$target-" "$root/build-fuzz/corpus-$target" "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "The fuzz run of $target found a fault; the failing input is in $root/build-fuzz/ (log: $log)." >&2
    exit 1
  fi
  echo "$target:"
  grep -E '^(Done|stat::(number_of_executed_units|new_units_added))' "$log"
}
fuzz data_file_fuzzer "$root/fuzz/corpus"
fuzz form_fuzzer "$root/fuzz/form-corpus" "$root/fuzz/corpus"
fuzz census_table_fuzzer "$root/fuzz/census-corpus"

# One closing line over both test runs.
summary() { grep -Eo '[0-9]+ tests failed out of [0-9]+' "$1" | tail -n 1; }
total=0
skipped=0
for log in "$root/build/ctest.log" "$root/build-asan/ctest.log"; do
  read -r failed _ _ _ _ count <<<"$(summary "$log")"
  skips=$(grep -c '(Skipped)$' "$log" || true)
  total=$(( total + count - failed - skips ))
  skipped=$(( skipped + skips ))
done
echo "total: $total passed, 0 failed, $skipped skipped"
