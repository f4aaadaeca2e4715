#!/usr/bin/env bash
# Dependencies point one way only: a file under src/X/ includes headers of X
# and of the folders X builds on, never of a folder above it or beside it.
# Usage: include_check.sh SRC-FOLDER
set -euo pipefail
src=${1:?usage: include_check.sh SRC-FOLDER}

allowed() {
  case $1 in
    platform) echo "platform" ;;
    moon) echo "platform moon" ;;
    database) echo "platform database" ;;
    widgets) echo "platform database widgets" ;;
    organizer) echo "platform moon database widgets organizer" ;;
    school) echo "platform moon database widgets school" ;;
    mainwindow) echo "platform moon database widgets organizer school mainwindow" ;;
    *) echo "" ;;
  esac
}

status=0
while IFS= read -r file; do
  own=${file#"$src"/}
  own=${own%%/*}
  may=" $(allowed "$own") "
  if [ "$may" = "  " ]; then
    echo "$file: folder '$own' has no place in the layers"
    status=1
    continue
  fi
  while IFS= read -r used; do
    case "$may" in
      *" $used "*) ;;
      *) echo "$file includes $used/, which lies above or beside $own/"; status=1 ;;
    esac
  done < <(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)/.*|\1|p' "$file" | sort -u)
done < <(find "$src" -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

# Each folder's library links only the ones below it.
if grep -nE 'target_link_libraries\((qm_[a-z]+) PUBLIC' "$src/CMakeLists.txt"; then
  echo "a back-link between the folders' libraries"
  status=1
fi
[ $status -eq 0 ] && echo "every include points down the layers"
exit $status
