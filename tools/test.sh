#!/usr/bin/env bash
# Builds everything and runs the whole test suite headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup-debian.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build"
cd "$root/build"
ctest --output-on-failure -j2

# A short fuzz run of the data file reader and the load, in its own clang
# build with the sanitizers. New inputs go to a scratch corpus, not the seeds.
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DPYRAMID_WITH_FUZZER=ON \
  -DPYRAMID_WITH_QT=OFF -DPYRAMID_WITH_TESTS=OFF -DPYRAMID_WITH_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-fuzz" --target data_file_fuzzer
mkdir -p "$root/build-fuzz/corpus"
log="$root/build-fuzz/fuzz.log"
if ! "$root/build-fuzz/fuzz/data_file_fuzzer" -max_total_time=15 -print_final_stats=1 \
     -artifact_prefix="$root/build-fuzz/" "$root/build-fuzz/corpus" "$root/fuzz/corpus" >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "The fuzz run found a fault; the failing input is in $root/build-fuzz/ (log: $log)." >&2
  exit 1
fi
grep -E '^(Done|stat::(number_of_executed_units|new_units_added))' "$log"
