#!/usr/bin/env bash
# Launch to a due reminder rung and saved: the real program over 10,000
# contacts and 10,000 calendar records, one of them armed for this minute.
# Times from launching the process until "calitems.dat" holds that record
# disarmed (the save comes before the pop-up and its melody).
# Run after building: bench/reminder_launch.sh [runs]
set -euo pipefail
. "$(dirname "$0")/programhome.sh"
runs=${1:-5}
for ((i = 1; i <= runs; i++)); do
  # Enough of the minute left for a start.
  while [ "$(date +%S | sed 's/^0//')" -ge 50 ]; do sleep 1; done
  rm -rf "$db"
  build/bench/bench_startup --write-sample "$db/" 10000 1
  before=$(md5sum <"$db/calitems.dat")
  start=$(date +%s%N)
  startprogram
  while [ "$(md5sum <"$db/calitems.dat")" = "$before" ]; do sleep 0.002; done
  end=$(date +%s%N)
  stopprogram
  echo "run $i: $(( (end - start) / 1000000 )) ms from launch to the due reminder saved"
done
