#!/usr/bin/env bash
# The idle program on the Overview page: share of one core it uses over a
# minute (offscreen, with a fresh database in a temporary home).
# Run after building: bench/idle_cpu.sh [seconds]
set -euo pipefail
. "$(dirname "$0")/programhome.sh"
seconds=${1:-60}
startprogram
sleep 3 # start-up is not idle time
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
start=$(cpu)
sleep "$seconds"
end=$(cpu)
awk -v used="$((end - start))" -v hz="$ticks" -v s="$seconds" \
  'BEGIN { printf "idle on the Overview: %.2f%% of one core over %d s\n", 100 * used / hz / s, s }'
