#!/usr/bin/env bash
# The idle program on the Overview page: share of one core it uses (all its
# threads, to the nanosecond), offscreen with a fresh database in a
# temporary home. Beside it, at the same time, bench_tickfloor: an empty
# window with the same 50 ms timer, which is what the event loop's wake-ups
# alone cost on this machine.
# Run after building with benchmarks: bench/idle_cpu.sh [seconds]
set -euo pipefail
. "$(dirname "$0")/programhome.sh"
seconds=${1:-60}
floorbin=build/bench/bench_tickfloor
startprogram
floorpid=
if [ -x "$floorbin" ]; then
  HOME=$home XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=offscreen "$floorbin" >/dev/null 2>&1 &
  floorpid=$!
  trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; kill "$floorpid" 2>/dev/null; rm -rf "$home"' EXIT
fi
sleep 3 # start-up is not idle time
ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print s }'; }
start=$(ns "$pid")
[ -n "$floorpid" ] && floorstart=$(ns "$floorpid")
sleep "$seconds"
end=$(ns "$pid")
share() { awk -v ns="$1" -v s="$seconds" 'BEGIN { printf "%.3f%%", 100 * ns / 1e9 / s }'; }
echo "idle on the Overview: $(share $((end - start))) of one core over $seconds s"
if [ -n "$floorpid" ]; then
  echo "an empty window with the same 50 ms timer: $(share $(($(ns "$floorpid") - floorstart)))"
fi
