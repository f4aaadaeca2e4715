#!/bin/sh
# Builds the RTF reader's libFuzzer target with clang++ (address and
# undefined-behaviour checks on), apart from the normal build.
#   tests/fuzz/build.sh [output folder]    (default: build-fuzz)
# Then run it on a copy of the seed corpus, for example:
#   cp -r tests/fuzz/corpus/rtf /tmp/rtfcorpus
#   build-fuzz/rtf_fuzzer /tmp/rtfcorpus -max_total_time=300
# Exits with 77 when clang++ is not installed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:-"$root/build-fuzz"}
command -v clang++ >/dev/null 2>&1 || { echo "clang++ not found: no fuzz target" >&2; exit 77; }
mkdir -p "$out"
# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/src" -I"$here" $(pkg-config --cflags Qt6Gui) \
    "$here/rtf_fuzzer.cpp" "$here/rtffuzz.cpp" "$root/src/platform/rtf.cpp" "$root/src/platform/ansi.cpp" \
    $(pkg-config --libs Qt6Gui) -o "$out/rtf_fuzzer"
echo "$out/rtf_fuzzer"
