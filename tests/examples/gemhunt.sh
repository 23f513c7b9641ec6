#!/usr/bin/env bash
# The engine as an outside author gets it: installs a build into a fresh
# prefix, checks the installed headers (the umbrella header names every one,
# the internal ones stay out), builds examples/gemhunt against the package
# alone, then plays it briefly in a window and quits with Q.
# Usage: gemhunt.sh BUILD_DIR SOURCE_DIR  (needs $DISPLAY)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
build=$(realpath "$1")
source_dir=$(realpath "$2")
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
include=$work/prefix/include
for internal in core/Platform.h world/CollisionGrid.h world/GridPlacement.h; do
    [ ! -e "$include/qv/$internal" ] || fail "internal header installed: $internal"
done
# Games built against the package must not fuse floating-point operations
# either, or their replays drift on CPUs with fused multiply-add.
grep -rq -- "-ffp-contract=off" "$work/prefix"/lib*/cmake/qv/qvTargets.cmake ||
    fail "the installed package does not pass -ffp-contract=off on"
for header in $(cd "$include" && find qv -name '*.h' ! -name qv.h | sort); do
    grep -q "#include \"$header\"" "$include/qv/qv.h" || fail "qv/qv.h lacks $header"
done

cmake -S "$source_dir/examples/gemhunt" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$work/build" -j 2 >/dev/null || cmake --build "$work/build" -j 1
cd "$work/build"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" # the GL driver's
./gemhunt >out 2>&1 &
pid=$!
find_window '^Gem Hunt$' || fail "no window titled Gem Hunt: $(cat out)"
hold d 0.5
# Gems and the Gems counter are yellow, the explorer cyan, the walls blue.
screen=$(import -window "$window" -depth 8 txt:- 2>/dev/null)
for colour in '#FFFF00' '#00FFFF' '#0000FF'; do
    [ "$(grep -c "$colour" <<<"$screen")" -gt 20 ] || fail "nothing drawn in $colour"
done
hold q 0.2
wait_exit "$pid"
pid=""
[ "$status" = 0 ] || fail "no clean exit on Q (status '$status'): $(cat out)"
grep -q "Sprite 'gem' loaded" quorvel.log || fail "the log lacks the gem sprite"
echo "PASS: installed, built against the package, played"
