#!/usr/bin/env bash
# Start-up of the real program over a well-filled database (2,000 contacts,
# 10,000 calendar records, 1,000 tasks, 20 subjects): time from launching the
# process until its start-up has loaded everything, which it marks by
# rewriting the missing "memocategories.dat" just before the window shows.
# Run after building: bench/startup_process.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
db=$home/data/Quillmoter
build/bench/bench_startup --write-sample "$db/"
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
for ((i = 1; i <= runs; i++)); do
  rm -f "$db/memocategories.dat"
  start=$(date +%s%N)
  HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    QT_QPA_PLATFORM=offscreen build/bin/quillmoter >/dev/null 2>&1 &
  pid=$!
  while [ ! -e "$db/memocategories.dat" ]; do sleep 0.001; done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "run $i: $(( (end - start) / 1000000 )) ms to a loaded main window"
done
