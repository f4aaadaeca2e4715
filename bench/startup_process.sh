#!/usr/bin/env bash
# Start-up of the real program over a well-filled database (2,000 contacts,
# 10,000 calendar records, 1,000 tasks, 20 subjects): time from launching the
# process until its start-up has loaded everything, which it marks by
# rewriting the missing "memocategories.dat" just before the window shows.
# Run after building: bench/startup_process.sh [runs]
set -euo pipefail
. "$(dirname "$0")/programhome.sh"
runs=${1:-5}
build/bench/bench_startup --write-sample "$db/"
for ((i = 1; i <= runs; i++)); do
  rm -f "$db/memocategories.dat"
  start=$(date +%s%N)
  startprogram
  while [ ! -e "$db/memocategories.dat" ]; do sleep 0.001; done
  end=$(date +%s%N)
  stopprogram
  echo "run $i: $(( (end - start) / 1000000 )) ms to a loaded main window"
done
