#!/usr/bin/env bash
# Launch to the main window mapped, under Xvfb with openbox: the real program
# over 10,000 contacts and 10,000 calendar records (1,000 tasks, 20
# subjects), and, alternating with it in the same run, the peer organizer
# Osmo with an empty home, as a yardstick. Times each launch until its window
# is mapped (bench_mapwatch), then its resident memory 3 s later and the
# anonymous part of it (heap and other private memory: what the program
# holds, apart from the libraries and files it maps). Prints each run, the
# medians with their spread, and the ratio of the two medians.
# Osmo is not a dependency: without it (or with QM_PEER set empty) only the
# program is measured; QM_PROGRAM names another build of the program.
# Run after building with benchmarks: bench/launch_x11.sh [runs] [contacts]
set -euo pipefail
. "$(dirname "$0")/programhome.sh"
runs=${1:-5}
contacts=${2:-10000}
watch=build/bench/bench_mapwatch
program=${QM_PROGRAM:-build/bin/quillmoter}
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 1; }
done
[ -x "$watch" ] || { echo "$watch is missing (it needs Xlib's headers)" >&2; exit 1; }
peer=${QM_PEER-$(command -v osmo || true)}
[ -n "$peer" ] || echo "osmo is not installed: the comparison with it is skipped"

xpids=()
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; for p in "${xpids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$home"' EXIT
# A display of our own.
exec 5>"$home/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
xpids+=($!)
for _ in $(seq 100); do [ -s "$home/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$home/display")"
openbox >"$home/openbox.log" 2>&1 &
xpids+=($!)
sleep 1

build/bench/bench_startup --write-sample "$db/" "$contacts"

# launch TITLE PROGRAM [ARGS...]: prints "milliseconds kB anonymous-kB" and
# ends the program.
launch() {
  local ms rss anon
  read -r ms pid < <("$watch" "$@")
  sleep 3
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  anon=$(awk '/^Anonymous/ {print $2}' "/proc/$pid/smaps_rollup")
  kill "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  pid=
  echo "$ms $rss $anon"
}
ours() {
  launch "Quillmoter organizer" env HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=xcb "$program"
}
theirs() {
  local peerhome=$home/peer$1
  rm -rf "$peerhome" && mkdir -p "$peerhome"
  launch "Osmo" env HOME="$peerhome" XDG_DATA_HOME="$peerhome/data" XDG_CONFIG_HOME="$peerhome/config" "$peer"
}

# A first launch of each, not counted: libraries into the page cache.
ours >/dev/null
[ -n "$peer" ] && theirs 0 >/dev/null
: >"$home/ours" && : >"$home/theirs"
for ((i = 1; i <= runs; i++)); do
  # Alternating who goes first, so neither always meets the other's leftovers.
  if [ -n "$peer" ] && ((i % 2 == 0)); then
    theirs "$i" >>"$home/theirs"
    ours >>"$home/ours"
  else
    ours >>"$home/ours"
    [ -n "$peer" ] && theirs "$i" >>"$home/theirs"
  fi
  line="run $i: Quillmoter $(tail -n1 "$home/ours" | awk '{printf "%s ms, %.1f MiB", $1, $2 / 1024}')"
  [ -n "$peer" ] && line+="; Osmo $(tail -n1 "$home/theirs" | awk '{printf "%s ms, %.1f MiB", $1, $2 / 1024}')"
  echo "$line"
done

# median FILE COLUMN: the median and the range of a column.
median() {
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.1f (%.1f-%.1f)", m, v[1], v[NR] }'
}
# mib FILE COLUMN: the median and the range of a column of kB, in MiB.
mib() { cut -d' ' -f"$2" "$1" | awk '{ print $1 / 1024 }' >"$1.mib"; median "$1.mib" 1; }
echo "Quillmoter, ${contacts} contacts: mapped after $(median "$home/ours" 1) ms," \
  "$(mib "$home/ours" 2) MiB resident 3 s later, $(mib "$home/ours" 3) MiB of it anonymous"
if [ -n "$peer" ]; then
  echo "Osmo, empty: mapped after $(median "$home/theirs" 1) ms, $(mib "$home/theirs" 2) MiB resident 3 s later"
  a=$(median "$home/ours" 1 | cut -d' ' -f1) b=$(median "$home/theirs" 1 | cut -d' ' -f1)
  echo "ratio of the medians: $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')"
fi
