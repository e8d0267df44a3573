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
# Each run goes on when a test fails, so the closing line counts them all;
# the command fails at the end if anything did.
status=0
ctest --preset default | tee "$root/build/ctest.log" || status=1

# The whole suite again under AddressSanitizer, UndefinedBehaviorSanitizer and
# the leak checker: any finding fails the run. Install tests are left to the
# ordinary build above.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan | tee "$root/build-asan/ctest.log" || status=1

# A short fuzz run of the three targets, the data file reader and the load,
# the whole form end to end, and the census table reader, in their own clang
# build with the sanitizers. They share the time. New inputs go to scratch
# corpora, not the seeds.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# A minute on CI, a shorter look on a developer's machine, a third to each.
fuzz_seconds=15
[[ "${CI:-}" == "true" ]] && fuzz_seconds=60
fuzz_failed=0
fuzz() {
  local target=$1
  shift
  local log="$root/build-fuzz/$target.log"
  mkdir -p "$root/build-fuzz/corpus-$target"
  if ! "$root/build-fuzz/fuzz/$target" -max_total_time=$(( fuzz_seconds / 3 )) -print_final_stats=1 \
       -artifact_prefix="$root/build-fuzz/$target-" "$root/build-fuzz/corpus-$target" "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "The fuzz run of $target found a fault; the failing input is in $root/build-fuzz/ (log: $log)." >&2
    fuzz_failed=$(( fuzz_failed + 1 ))
    status=1
    return
  fi
  echo "$target:"
  grep -E '^(Done|stat::(number_of_executed_units|new_units_added))' "$log"
}
fuzz data_file_fuzzer "$root/fuzz/corpus"
fuzz form_fuzzer "$root/fuzz/form-corpus" "$root/fuzz/corpus"
fuzz census_table_fuzzer "$root/fuzz/census-corpus"

# The package, asked for on its own: built with dpkg-buildpackage, checked
# with lintian, installed on this machine and checked by its autopkgtest.
# Nothing is compiled in build-package/; the package builds from a copy.
cmake --preset package >/dev/null
ctest --preset package | tee "$root/build-package/ctest.log" || status=1

# One closing line over the test runs, from what each run's log says of
# every test: passed, failed (a timeout or a crash too) or skipped; a fuzz
# target that found a fault counts as one failed.
passed=0
failed=$fuzz_failed
skipped=0
count() { grep -cE "^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*$1" "$log" || true; }
for log in "$root/build/ctest.log" "$root/build-asan/ctest.log" "$root/build-package/ctest.log"; do
  passed=$(( passed + $(count ' Passed ') ))
  skipped=$(( skipped + $(count '\*\*\*Skipped ') ))
  failed=$(( failed + $(count '\*\*\*') - $(count '\*\*\*Skipped ') ))
done
echo "total: $passed passed, $failed failed, $skipped skipped"
exit $status
