#!/usr/bin/env bash
# Builds the libFuzzer programs with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a fixed time from its seeds.
# A crash, a sanitizer report or a broken round trip fails the run; the input
# that caused it is kept in build-fuzz/findings/<target>/ to be added to
# tests/fuzz/corpus/<target>/ once mended.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

seconds=${1:-60}
shift || true
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: fuzzing skipped."
  exit 0
fi

flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUILLMOTER_FUZZ=ON -DQUILLMOTER_BENCH=OFF -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build build-fuzz --target fuzzers -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in build-fuzz/tests/fuzz/fuzz_*; do
    [ -f "$program" ] && [ -x "$program" ] && targets+=("${program##*/fuzz_}")
  done
fi

status=0
for target in "${targets[@]}"; do
  work=build-fuzz/corpus/$target findings=build-fuzz/findings/$target
  mkdir -p "$work" "$findings"
  echo "Fuzzing $target for ${seconds}s"
  # New inputs go to the work folder; the seeds in the source tree stay as they are.
  if ! QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$target" \
      >"build-fuzz/$target.log" 2>&1; then
    echo "Fuzzing $target found a fault:" >&2
    tail -n 40 "build-fuzz/$target.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^stat::new_units_added' "build-fuzz/$target.log" | sed "s/^/  $target /" || true
  fi
done
exit $status
