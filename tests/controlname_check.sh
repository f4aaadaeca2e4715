#!/usr/bin/env bash
# Controls and handlers keep their long-standing names (BitBtn1, Edit4,
# StringGrid1SetEditText, Koprovat1Click...). Such a name says nothing of
# what it is, and the same name stands for different controls in different
# windows, so every declaration of one in a header carries a trailing
# comment saying what it is: a caption in quotes and its role. A name of
# that kind begins with a capital and has a digit inside; the window
# classes' own names (TForm1...) are not declared this way.
# A declaration over several lines may carry the comment on any of them.
# Usage: controlname_check.sh SRC-FOLDER
set -euo pipefail
src=${1:?usage: controlname_check.sh SRC-FOLDER}

status=0
count=0
while IFS= read -r line; do
  case $line in
    missing:*) echo "${line#missing:}: a control name without a trailing comment saying what it is"; status=1 ;;
    count:*) count=$((count + ${line#count:})) ;;
  esac
done < <(find "$src" -type f -name '*.h' | sort | xargs awk '
  function finish(commented) {
    if (!commented) print "missing:" pending
    pending = ""
  }
  FNR == 1 && pending != "" { finish(0) }
  {
    code = $0; comment = 0
    at = index(code, "//")
    if (at > 0) { comment = 1; code = substr(code, 1, at - 1) }
    # The rest of a declaration begun on an earlier line.
    if (pending != "") {
      if (comment) { finish(1) }
      else if (code ~ /[;{]/) { finish(0) }
      next
    }
    if (code ~ /^[[:space:]]*(return|case|else|throw|delete|new|emit|goto|class|struct|enum|friend|using|namespace|typedef|explicit)[^A-Za-z0-9_]/)
      next
    if (!match(code, /^[[:space:]]*[A-Za-z_][A-Za-z0-9_:<>, *&]*[[:space:]*&][A-Z][A-Za-z]*[0-9]+[A-Za-z0-9]*[[:space:]]*[(=;{[]/))
      next
    print "count:1"
    name = substr(code, 1, RLENGTH)
    sub(/[[:space:]]*[(=;{[]$/, "", name)
    sub(/.*[[:space:]*&]/, "", name)
    where = FILENAME ":" FNR ": " name
    if (comment) next
    if (code ~ /[;}][[:space:]]*$/) { print "missing:" where; next }
    pending = where
  }
  END { if (pending != "") finish(0) }
')
if [ "$count" -eq 0 ]; then
  echo "no declaration of a control name found under $src"
  exit 1
fi
[ $status -eq 0 ] && echo "all $count declarations of control names say what they are"
exit $status
