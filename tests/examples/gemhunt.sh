#!/usr/bin/env bash
# The engine as an outside author gets it: installs a build afresh with
# --prefix into a folder other than the one it was configured with (which is
# emptied, so nothing is found there), checks the installed headers (the umbrella
# header names every one, the internal ones stay out), shows a sprite with
# the installed viewer from a folder without a font, builds examples/gemhunt
# against the package alone, runs its tests (written with the engine's test
# kit) and a recorded game headless, then plays it briefly in a window from
# its build folder, which holds no font, and quits with Q.
# Usage: gemhunt.sh BUILD_DIR SOURCE_DIR  (needs $DISPLAY; BUILD_DIR configured
# with -DCMAKE_INSTALL_PREFIX=BUILD_DIR/prefix; installs into BUILD_DIR/qv)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
build=$(realpath "$1")
source_dir=$(realpath "$2")
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" # the GL driver's

# The package must find its font where it lies, not where it was configured
# to lie, and without being told.
configured=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
case "$configured" in "$build"/?*) ;; *) fail "configure with -DCMAKE_INSTALL_PREFIX=$build/prefix, not '$configured'" ;; esac
rm -rf "$configured"
unset QV_DATA_DIR
prefix=$build/qv
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -f "$prefix/share/qv/qv-font.ttf" ] && [ ! -e "$configured" ] || fail "not installed into $prefix alone"
include=$prefix/include
for internal in core/Platform.h world/CollisionGrid.h world/GridPlacement.h; do
    [ ! -e "$include/qv/$internal" ] || fail "internal header installed: $internal"
done
# Games built against the package must not fuse floating-point operations
# either, or their replays drift on CPUs with fused multiply-add.
grep -rq -- "-ffp-contract=off" "$prefix"/lib*/cmake/qv/qvTargets.cmake ||
    fail "the installed package does not pass -ffp-contract=off on"
for header in $(cd "$include" && find qv -name '*.h' ! -name qv.h | sort); do
    grep -q "#include \"$header\"" "$include/qv/qv.h" || fail "qv/qv.h lacks $header"
done

(cd "$work" && exec "$prefix/bin/qv-sprite-view" "$source_dir/examples/gemhunt/Sprites/gem-spr.txt" >out 2>&1) &
pid=$!
find_window '^qv-sprite-view: ' || fail "the viewer opened no window away from a font: $(cat "$work/out")"
hold q 0.2
wait_exit "$pid"
pid=""
[ "$status" = 0 ] || fail "the viewer did not quit on Q (status '$status'): $(cat "$work/out")"

cmake -S "$source_dir/examples/gemhunt" -B "$work/build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$work/build" -j 2 >/dev/null || cmake --build "$work/build" -j 1
cd "$work/build"
ctest --output-on-failure >ctest.out 2>&1 || fail "gemhunt's own tests: $(cat ctest.out)"
grep -q "100% tests passed, 0 tests failed out of [1-9]" ctest.out || fail "gemhunt ran no tests"
# A recorded game plays back the same.
./gemhunt --replay "$source_dir/tests/examples/gemhunt.replay" --headless >replay.out 2>&1 ||
    fail "the golden replay: $(cat replay.out)"
grep -q " mismatches=0 " replay.out || fail "the golden replay: $(cat replay.out)"
[ ! -e qv-font.ttf ] || fail "the build folder holds a font"
./gemhunt >out 2>&1 &
pid=$!
find_window '^Gem Hunt$' || fail "no window titled Gem Hunt: $(cat out)"
hold d 0.5
# Gems and the Gems counter are yellow, the explorer cyan, the walls blue
# (thin glyphs: few pixels take the exact colour).
screen=$(import -window "$window" -depth 8 txt:- 2>/dev/null)
for colour in '#FFFF00' '#00FFFF' '#0000FF'; do
    [ "$(grep -c "$colour" <<<"$screen")" -gt 5 ] || fail "nothing drawn in $colour"
done
hold q 0.2
wait_exit "$pid"
pid=""
[ "$status" = 0 ] || fail "no clean exit on Q (status '$status'): $(cat out)"
grep -q "Sprite 'gem' loaded" gemhunt.log || fail "gemhunt.log lacks the gem sprite"
echo "PASS: installed, built against the package, played"
