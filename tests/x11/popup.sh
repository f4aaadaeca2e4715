#!/usr/bin/env bash
# The reminder pop-up as a user meets it: the real program under Xvfb with
# openbox, over a data folder holding a reminder due this minute. Checks from
# screenshots that the pop-up's body is white with dark text, that no key
# colour shows, that a click in its middle closes it, and that the main
# window's title is exactly its caption. Where there is no sound output the
# one message saying so is answered first.
# Usage: popup.sh PROGRAM. Exit 77 (skipped) when the X tools are missing.
set -euo pipefail
program=${1:?usage: popup.sh PROGRAM}
for tool in Xvfb openbox xdotool import convert; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of our own.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
# Up once it tells the desktops (without a window manager the query fails).
for _ in $(seq 300); do xdotool get_desktop >/dev/null 2>&1 && break; sleep 0.1; done
xdotool get_desktop >/dev/null 2>&1 || fail "openbox did not start"

# A home of our own with a database holding one reminder for every weekday.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_DATA_HOME/Quillmoter" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
db="$XDG_DATA_HOME/Quillmoter"
printf '2.1' >"$db/dbversion.dat"
title="Physics exam"
# A reminder rings only in its own minute: when the start takes the rest of
# the minute (a loaded machine), the program is tried again in the next.
fired=no
for attempt in 1 2 3; do
  minute=$(date +%H:%M)
  hhmm=$((10#${minute%:*} * 100 + 10#${minute#*:}))
  {
    printf '\x00\x00'                                                   # icon
    printf "\\x$(printf %02x $((hhmm & 255)))\\x$(printf %02x $((hhmm >> 8)))" # from
    printf '\x00\x00\x01\x00\x01'                                       # to, one time, melody 0, armed
    printf "\\x$(printf %02x ${#title})%s" "$title"
    head -c $((255 - ${#title})) /dev/zero
    printf '\x08w1111111'                                               # every day of the week
    head -c $((5 + 1 + 8)) /dev/zero                                    # rest, pad byte, date
  } >"$db/calitems.dat"
  [ "$(stat -c %s "$db/calitems.dat")" -eq 288 ] || fail "the record is not 288 bytes"
  cp "$db/calitems.dat" "$work/before.dat"

  "$program" >"$work/program.log" 2>&1 &
  running=$!
  pids+=($running)

  # The reminder has fired once the calendar is saved disarmed.
  while [ "$(date +%H:%M)" = "$minute" ]; do
    cmp -s "$db/calitems.dat" "$work/before.dat" || break
    sleep 0.1
  done
  cmp -s "$db/calitems.dat" "$work/before.dat" || { fired=yes; break; }
  kill "$running" 2>/dev/null || true
  wait "$running" 2>/dev/null || true
done
[ "$fired" = yes ] || fail "the reminder did not fire: $(cat "$work/program.log")"

# Without a sound output the pop-up says once that its melody cannot be
# played; the pupil answers that first.
# It comes in the tick that rings, but X may map it a moment later; where a
# sound output is there, none comes.
box=
for _ in $(seq 50); do
  box=$(xdotool search --onlyvisible --name '^Error$' | head -n1 || true)
  [ -n "$box" ] && break
  sleep 0.1
done
if [ -n "$box" ]; then
  xdotool windowactivate --sync "$box" key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Error$' >/dev/null || break; sleep 0.1; done
  sleep 1
fi

# The main window's title is exactly its caption.
for _ in $(seq 300); do
  main=$(xdotool search --onlyvisible --name 'Quillmoter' | head -n1 || true)
  [ -n "$main" ] && break
  sleep 0.1
done
[ -n "$main" ] || fail "no main window"
name=$(xdotool getwindowname "$main")
[ "$name" = "Quillmoter organizer" ] || fail "the main window's title is '$name'"

shots=${QM_X11_SHOTS:-$work}
# Without a panel the pop-up sits in the screen's bottom-right corner.
x=$((1280 - 329)) y=$((800 - 94))
# The pop-up's corner of the screen as lines of "x,y: (r,g,b)  #RRGGBB  name".
shoot() {
  import -window root "$shots/$1.png"
  convert "$shots/$1.png" -crop "329x94+$x+$y" +repage -depth 8 "txt:$work/popup.txt"
}
rgb() { awk -F'[ ,:()]+' -v px="$1" -v py="$2" '$1 == px && $2 == py { print $3 "," $4 "," $5 }' "$work/popup.txt"; }
count() { awk -F'[ ,:()]+' "NR > 1 && ($1) { n++ } END { print n + 0 }" "$work/popup.txt"; }
# Dark text in the title and the close line ($1 x, $2 y, $3 $4 $5 red, green, blue).
darktext() { count '$1 >= 64 && $1 < 313 && $2 >= 20 && $2 < 75 && $3 + $4 + $5 < 200'; }

# Shown once its white body carries its text.
for _ in $(seq 150); do
  shoot popup-shown
  [ "$(rgb 164 84)" = "255,255,255" ] && [ "$(darktext)" -gt 100 ] && break
  sleep 0.2
done
body=$(rgb 164 84)
[ "$body" = "255,255,255" ] || fail "the pop-up's body at (164,84) is $body, not white"
dark=$(darktext)
[ "$dark" -gt 100 ] || fail "no dark text on the pop-up ($dark dark pixels)"
# No key colour, nor anything close to it.
magenta=$(count '$3 > 200 && $4 < 80 && $5 > 200')
[ "$magenta" -eq 0 ] || fail "$magenta pixels of the key colour show"

# A click in the middle closes it.
xdotool mousemove $((x + 164)) $((y + 47)) click 1
for _ in $(seq 150); do
  shoot popup-closed
  after=$(rgb 164 84)
  [ "$after" != "255,255,255" ] && break
  sleep 0.2
done
[ "$after" != "255,255,255" ] || fail "the pop-up is still there after a click in its middle"
kill -0 "$running" || fail "the program ended: $(cat "$work/program.log")"
echo "pop-up shown white with dark text, no key colour, closed by a click; title '$name'"
