# Shared by run.sh, test.sh and .ci/run: installs what the project needs on
# Debian 12 when it is missing, and configures and builds a tree.

# Debian packages: toolchain, Qt 6 (with the platform plugins a desktop needs
# and the GStreamer elements its media player plays the melodies with),
# GoogleTest and Google Benchmark; an X server, a window manager and the
# tools that drive and photograph the real program in the window tests, and
# pdftotext, which reads back what the print tests printed.
QUILLMOTER_PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
  libgtest-dev libbenchmark-dev
  xvfb openbox xdotool imagemagick poppler-utils
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "Installing packages needs root: run this as root (or install sudo)." >&2
    return 1
  fi
}

ensure_packages() {
  local missing=() p
  for p in "${QUILLMOTER_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# build_tree DIR [cmake options...]
build_tree() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}
