#!/usr/bin/env bash
# Soak: the real program offscreen for a while (10 minutes unless told) over
# 10,000 calendar records, one armed for every minute of the run, and 2,000
# contacts; samples its resident memory and open descriptors every 10 s and
# prints the growth from the first sample after start-up to the last.
# Run after building: bench/soak.sh [minutes]
set -euo pipefail
. "$(dirname "$0")/programhome.sh"
minutes=${1:-10}
build/bench/bench_startup --write-sample "$db/" 2000 $((minutes + 2))
startprogram
sleep 10 # start-up and the sound system's set-up are not growth
sample() { echo "$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status") $(ls "/proc/$pid/fd" | wc -l)"; }
read -r rss0 fd0 <<<"$(sample)"
echo "start: ${rss0} kB resident, ${fd0} descriptors"
end=$((SECONDS + minutes * 60))
while [ $SECONDS -lt $end ]; do
  sleep 10
  kill -0 "$pid" 2>/dev/null || { echo "the program ended during the soak" >&2; exit 1; }
  read -r rss fd <<<"$(sample)"
  echo "$((SECONDS / 60))m$((SECONDS % 60))s: ${rss} kB, ${fd} descriptors"
done
echo "growth over ${minutes} min: $((rss - rss0)) kB resident, $((fd - fd0)) descriptors"
