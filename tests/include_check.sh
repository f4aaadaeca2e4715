#!/usr/bin/env bash
# Dependencies point one way only. A file under src/X/ is X's logic, one
# under src/X/ui/ X's windows:
#   - a file includes headers of X and of the folders X builds on, never of a
#     folder above it or beside it;
#   - logic never includes a ui/ header (of any folder), and never a header
#     of a Qt module other than Qt Core and Gui (Widgets, Multimedia,
#     PrintSupport, Svg, Network...): the logic links only Core and Gui;
#   - a folder's windows may use the logic and the windows of the folders X
#     builds on, and X's logic.
# The class headers of the other modules are read from the Qt include
# folder, so the list never goes stale.
# Usage: include_check.sh SRC-FOLDER [QT-INCLUDE-FOLDER]
set -euo pipefail
src=${1:?usage: include_check.sh SRC-FOLDER [QT-INCLUDE-FOLDER]}
qtheaders=${2:-}
if [ -z "$qtheaders" ]; then
  qtheaders=$( (qmake6 -query QT_INSTALL_HEADERS || qmake -query QT_INSTALL_HEADERS) 2>/dev/null || true)
fi
if [ ! -d "$qtheaders/QtCore" ] || [ ! -d "$qtheaders/QtGui" ]; then
  echo "no Qt include folder with QtCore and QtGui at '$qtheaders'"
  exit 1
fi

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

# The headers logic may not include: every class header of a Qt module
# other than Core and Gui (a name that Core or Gui has too is theirs), and
# the modules themselves as "QtModule" or "QtModule/...".
refused=$(mktemp)
trap 'rm -f "$refused"' EXIT
for module in "$qtheaders"/Qt*/; do
  module=${module%/}
  name=${module##*/}
  case $name in QtCore | QtGui) continue ;; esac
  find "$module" -maxdepth 1 -type f -name 'Q*' ! -name '*.h' -printf "%f $name\n"
done | sort -u >"$refused.all"
find "$qtheaders/QtCore" "$qtheaders/QtGui" -maxdepth 1 -type f -name 'Q*' ! -name '*.h' -printf "%f\n" |
  sort -u >"$refused.ours"
awk 'NR == FNR { ours[$1] = 1; next } !($1 in ours)' "$refused.ours" "$refused.all" >"$refused"
rm -f "$refused.all" "$refused.ours"
for widgetclass in QPushButton QMediaPlayer QPrinter; do
  if ! grep -q "^$widgetclass " "$refused"; then
    echo "the Qt include folder '$qtheaders' lacks $widgetclass: cannot tell the widget headers"
    exit 1
  fi
done

status=0
while IFS= read -r file; do
  path=${file#"$src"/}
  own=${path%%/*}
  rest=${path#*/}
  kind=logic
  case $rest in
    ui/*/*) echo "$file: a folder inside $own/ui/ has no place in the layers"; status=1; continue ;;
    ui/*) kind=ui ;;
    */*) echo "$file: a folder inside $own/ other than ui/ has no place in the layers"; status=1; continue ;;
  esac
  may=" $(allowed "$own") "
  if [ "$may" = "  " ]; then
    echo "$file: folder '$own' has no place in the layers"
    status=1
    continue
  fi
  while IFS= read -r used; do
    folder=${used%%/*}
    case "$may" in
      *" $folder "*) ;;
      *) echo "$file includes $used, which lies above or beside $own/"; status=1; continue ;;
    esac
    case $used in
      */ui/*)
        if [ "$kind" = logic ]; then
          echo "$file includes $used: logic never includes a window's header"
          status=1
        fi
        ;;
    esac
  done < <(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*/[^"]*\)".*|\1|p' "$file" | sort -u)
  if [ "$kind" = logic ]; then
    while IFS= read -r header; do
      module=${header%%/*}
      if [ "$module" != "$header" ] || [ -d "$qtheaders/$header" ]; then
        # <QtModule/QClass> or <QtModule>
        case $module in QtCore | QtGui) ;; *)
          echo "$file includes <$header>: logic uses only Qt Core and Gui"
          status=1 ;;
        esac
        continue
      fi
      if found=$(grep -m1 "^$header " "$refused"); then
        echo "$file includes <$header> of ${found#* }: logic uses only Qt Core and Gui"
        status=1
      fi
    done < <(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(Q[A-Za-z0-9_/.]*\)>.*|\1|p' "$file" | sort -u)
  fi
done < <(find "$src" -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

# Each folder's library links only the ones below it.
if grep -nE 'target_link_libraries\((qm_[a-z_]+) PUBLIC' "$src/CMakeLists.txt"; then
  echo "a back-link between the folders' libraries"
  status=1
fi
[ $status -eq 0 ] && echo "every include points down the layers, and the logic includes only Qt Core and Gui"
exit $status
