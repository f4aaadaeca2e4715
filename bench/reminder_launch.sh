#!/usr/bin/env bash
# Launch to a due reminder rung and saved: the real program over 10,000
# contacts and 10,000 calendar records, one of them armed for this minute.
# Times from launching the process until "calitems.dat" holds that record
# disarmed (the save comes before the pop-up and its melody).
# Run after building: bench/reminder_launch.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
db=$home/data/Quillmoter
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
for ((i = 1; i <= runs; i++)); do
  # Enough of the minute left for a start.
  while [ "$(date +%S | sed 's/^0//')" -ge 50 ]; do sleep 1; done
  rm -rf "$db"
  build/bench/bench_startup --write-sample "$db/" 10000 1
  before=$(md5sum <"$db/calitems.dat")
  start=$(date +%s%N)
  HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    QT_QPA_PLATFORM=offscreen build/bin/quillmoter >/dev/null 2>&1 &
  pid=$!
  while [ "$(md5sum <"$db/calitems.dat")" = "$before" ]; do sleep 0.002; done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "run $i: $(( (end - start) / 1000000 )) ms from launch to the due reminder saved"
done
