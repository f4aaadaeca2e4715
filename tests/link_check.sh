#!/usr/bin/env bash
# The logic links only Qt Core and Gui: neither a logic library (with all it
# links, as the build sets it up) nor a logic test program (as the system
# loads it, read with ldd) brings in Qt's widgets, sound, printing, SVG or
# network modules.
# Usage: link_check.sh LINKS-FILE PROGRAM...
#   LINKS-FILE: one line per logic library, "library: what it links..."
set -euo pipefail
links=${1:?usage: link_check.sh LINKS-FILE PROGRAM...}
shift
forbidden='Widgets|Multimedia|PrintSupport|Svg|Network'

status=0
libraries=0
while IFS= read -r line; do
  [ -n "$line" ] || continue
  libraries=$((libraries + 1))
  library=${line%%:*}
  if found=$(tr ' ' '\n' <<<"${line#*:}" | grep -E "^Qt6?::($forbidden)" | sort -u | tr '\n' ' ') && [ -n "$found" ]; then
    echo "$library links $found: logic links only Qt Core and Gui"
    status=1
  fi
done <"$links"
if [ "$libraries" -eq 0 ]; then
  echo "no logic library listed in $links"
  exit 1
fi

for program in "$@"; do
  if [ ! -x "$program" ]; then
    echo "$program is not built"
    status=1
    continue
  fi
  if found=$(ldd "$program" | grep -oE "libQt6($forbidden)[A-Za-z]*\.so" | sort -u | tr '\n' ' ') && [ -n "$found" ]; then
    echo "${program##*/} loads $found: logic links only Qt Core and Gui"
    status=1
  fi
done
[ $status -eq 0 ] && echo "$libraries logic libraries and $# logic test programs link only Qt Core and Gui"
exit $status
