# Sourced by the scripts that run the real program: a fresh temporary home
# (removed at exit, along with the program when it still runs) and
# startprogram, which starts the program offscreen in it and sets $pid.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
home=$(mktemp -d)
db=$home/data/Quillmoter
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$home"' EXIT
mkdir -p "$home/runtime" && chmod 700 "$home/runtime"

startprogram() {
  HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    QT_QPA_PLATFORM=offscreen build/bin/quillmoter >/dev/null 2>&1 &
  pid=$!
}

stopprogram() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}
