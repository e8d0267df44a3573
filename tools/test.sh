#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup-debian.sh" --tests
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build"
(cd "$root/build" && ctest --output-on-failure -j2) | tee "$root/build/ctest.log"

# The whole suite again under AddressSanitizer, UndefinedBehaviorSanitizer and
# the leak checker: any finding fails the run. Packaging tests are left to the
# ordinary build above.
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPYRAMID_WITH_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$root/build-asan"
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --output-on-failure -j2 -E '^(install_|installed_|deb_package)') | tee "$root/build-asan/ctest.log"

# A short fuzz run of the two targets, the data file reader and the load, and
# the whole form end to end, in their own clang build with the sanitizers.
# They share the time. New inputs go to scratch corpora, not the seeds.
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DPYRAMID_WITH_FUZZER=ON \
  -DPYRAMID_WITH_QT=OFF -DPYRAMID_WITH_TESTS=OFF -DPYRAMID_WITH_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-fuzz" --target data_file_fuzzer form_fuzzer
# A minute on CI, a shorter look on a developer's machine, half to each.
fuzz_seconds=15
[[ "${CI:-}" == "true" ]] && fuzz_seconds=60
fuzz() {
  local target=$1
  shift
  local log="$root/build-fuzz/$target.log"
  mkdir -p "$root/build-fuzz/corpus-$target"
  if ! "$root/build-fuzz/fuzz/$target" -max_total_time=$(( fuzz_seconds / 2 )) -print_final_stats=1 \
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
