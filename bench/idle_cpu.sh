#!/usr/bin/env bash
# The idle program on the Overview page: share of one core it uses over a
# minute (offscreen, with a fresh database in a temporary home).
# Run after building: bench/idle_cpu.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
  QT_QPA_PLATFORM=offscreen build/bin/quillmoter >/dev/null 2>&1 &
pid=$!
sleep 3 # start-up is not idle time
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
start=$(cpu)
sleep "$seconds"
end=$(cpu)
awk -v used="$((end - start))" -v hz="$ticks" -v s="$seconds" \
  'BEGIN { printf "idle on the Overview: %.2f%% of one core over %d s\n", 100 * used / hz / s, s }'
