#!/usr/bin/env bash
# docs/tutorial.md cannot rot: the program its code blocks make is built
# against the installed package and plays a recorded game headless, which
# must match the recording at every checkpoint.
# Usage: tutorial.sh PREFIX SOURCE_DIR  (PREFIX: where the engine is installed)
# After a deliberate change to the tutorial's game, play it once with
# `dodge --record tests/examples/dodge.replay` and commit the recording.
set -euo pipefail
prefix=$(realpath "$1")
source_dir=$(realpath "$2")
replay=$source_dir/tests/examples/dodge.replay
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A block whose fence names a file (```cpp file=main.cpp) goes on the end of it.
awk -v dir="$work/dodge" '
    /^```[a-z]* file=/ {
        out = dir "/" substr($0, index($0, "file=") + 5)
        folder = out; sub(/\/[^\/]*$/, "", folder)
        system("mkdir -p " folder)
        next
    }
    /^```/ { out = ""; next }
    out != "" { print > out }
' "$source_dir/docs/tutorial.md"
cd "$work/dodge"
[ -s main.cpp ] && [ -s CMakeLists.txt ] || fail "the tutorial names no main.cpp or CMakeLists.txt"
mkdir -p Audio
cp "$source_dir/examples/gemhunt/Audio/pickup.wav" Audio/whoosh.wav
cmake -S . -B build -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic" >/dev/null
cmake --build build >build.out 2>&1 || fail "the tutorial's program does not build: $(cat build.out)"

status=0
./build/dodge --replay "$replay" --headless >out 2>&1 || status=$?
[ "$status" = 0 ] && grep -q " mismatches=0 " out || fail "replay status $status: $(cat out)"
echo "PASS: the tutorial's program builds and replays: $(cat out)"
