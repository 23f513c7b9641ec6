#!/usr/bin/env bash
# docs/tutorial.md cannot rot: the program its code blocks make is built
# against the installed package, its tests (written with the engine's test
# kit) pass, it plays a recorded game headless from its build folder, which
# must match the recording at every checkpoint, and started where its data
# is not it says on standard error what the tutorial shows.
# With a web build of the engine installed in WEB_PREFIX the game's page is
# also built, with the package's qv-web-build and no NODE_PATH of our own,
# and copied to SITE_DIR, where the browser test plays the recorded game.
# Usage: tutorial.sh PREFIX SOURCE_DIR [WEB_PREFIX SITE_DIR]  (PREFIX: where
# the engine is installed)
# After a deliberate change to the tutorial's game, play it once with
# `dodge --record tests/examples/dodge.replay` and commit the recording.
set -euo pipefail
prefix=$(realpath "$1")
source_dir=$(realpath "$2")
web_prefix=${3:+$(realpath "$3")}
site=${4:+$(realpath -m "$4")}
replay=$source_dir/tests/examples/dodge.replay
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A block whose fence names a file (```cpp file=main.cpp) goes on the end of
# it; one that names what a program prints (```text stderr=NAME) is kept to
# compare.
mkdir -p "$work/expected"
awk -v dir="$work/dodge" -v expected="$work/expected" '
    /^```[a-z]* file=/ {
        out = dir "/" substr($0, index($0, "file=") + 5)
        folder = out; sub(/\/[^\/]*$/, "", folder)
        system("mkdir -p " folder)
        next
    }
    /^```[a-z]* stderr=/ { out = expected "/" substr($0, index($0, "stderr=") + 7); next }
    /^```/ { out = ""; next }
    out != "" { print > out }
' "$source_dir/docs/tutorial.md"
cd "$work/dodge"
for file in main.cpp dodge.cpp dodge_test.cpp CMakeLists.txt; do
    [ -s "$file" ] || fail "the tutorial makes no $file"
done
mkdir -p Audio
cp "$source_dir/examples/gemhunt/Audio/pickup.wav" Audio/whoosh.wav
cmake -S . -B build -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic" >/dev/null
cmake --build build >build.out 2>&1 || fail "the tutorial's program does not build: $(cat build.out)"

ctest --test-dir build >ctest.out 2>&1 || fail "the tutorial's tests: $(cat ctest.out)"
grep -q "100% tests passed, 0 tests failed out of [2-9]" ctest.out ||
    fail "the tutorial's tests did not all run: $(cat ctest.out)"

# The data folders were copied beside the program: it plays from there.
status=0
(cd build && exec ./dodge --replay "$replay" --headless) >out 2>&1 || status=$?
[ "$status" = 0 ] && grep -q " mismatches=0 " out || fail "replay status $status: $(cat out)"

# Where there is no Sprites/ the start fails, as the tutorial shows, and
# the replay it never played goes unmentioned.
mkdir elsewhere
status=0
(cd elsewhere && exec ../build/dodge --replay "$replay" --headless) >failed.out 2>failed.err ||
    status=$?
[ "$status" = 1 ] && [ ! -s failed.out ] || fail "start without sprites: status $status, $(cat failed.out)"
cmp -s failed.err "$work/expected/no-sprites" ||
    fail "start without sprites: the tutorial shows $(cat "$work/expected/no-sprites"), the game said $(cat failed.err)"
echo "PASS: the tutorial's program builds, passes its tests, replays and says why it cannot start: $(cat out)"

[ -n "$web_prefix" ] || exit 0
env -u NODE_PATH "$web_prefix/bin/qv-web-build" >web.out 2>&1 ||
    fail "the page does not build: $(tail -n 20 web.out)"
for file in index.html qv-page.js dodge.js dodge.wasm dodge.data qv-font.ttf; do
    [ -s "build-web/site/$file" ] || fail "the page lacks $file"
done
grep -q "<title>Dodge</title>" build-web/site/index.html || fail "the page is not titled Dodge"
rm -rf "$site"
mkdir -p "$(dirname "$site")"
cp -r build-web/site "$site"
echo "PASS: the tutorial's page builds into $site"
