#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillmoter with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh
ensure_packages
build_tree build >/dev/null
exec build/bin/quillmoter "$@"
