#!/usr/bin/env bash
# --scale 2: a 2048 x 1536 window whose glyphs are drawn at twice the size,
# not enlarged (averaged 2 x 2 it is the 1x window's picture, yet it is not
# that picture enlarged), and a click at a scaled place reaches the game at
# its 1x place.
# Usage: scale_end_to_end.sh QUORVEL_BINARY SOURCE_DIR  (needs $DISPLAY, 2048 x 1536 or more)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
enter_game_folder "$source_dir"

fail() { echo "FAIL: $*"; cat out.txt 2>/dev/null; exit 1; }

# start_screen NAME IMPORT_OPTIONS ARGUMENTS...: captures the start screen
# (it stands still) as NAME.png, with the window at the screen's corner, and
# again with IMPORT_OPTIONS as NAME-resized.png; leaves the game running.
start_screen() {
    local name=$1 resize=$2
    shift 2
    "$game" "$@" >out.txt 2>&1 &
    pid=$!
    find_window '^Quorvel$' || fail "no window for $*"
    xdotool windowmove --sync "$window" 0 0 2>/dev/null || xdotool windowmove "$window" 0 0
    sleep 1.5
    import -window "$window" -depth 8 "$name.png"
    # shellcheck disable=SC2086 # the options are words
    import -window "$window" -depth 8 $resize "$name-resized.png"
}
quit() {
    xdotool key --window "$window" q
    wait_exit "$pid"
    [ "$status" = 0 ] || fail "Q did not end the game (status '$status')"
    pid=""
}

start_screen one '-filter point -resize 200%'
quit
start_screen two '-filter box -resize 50%' --scale 2 --record clicked.replay
size=$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')
[ "$size" = 2048x1536 ] || fail "--scale 2 window is $size"

# Window pixels (601, 401) and (602, 402) are both game pixel (300, 200).
xdotool mousemove --window "$window" 601 401 click 1
sleep 0.3
xdotool mousemove --window "$window" 2047 1535 click 3
sleep 0.3
quit
clicks=$(grep '^M [0-9]* 0 ' clicked.replay | cut -d' ' -f4- | tr '\n' ';')
[ "$clicks" = "0 300 200;1 1023 767;" ] || fail "clicks at (601,401) and (2047,1535) recorded as '$clicks'"

# Averaged 2 x 2 the scaled picture is the 1x one: a small mean difference.
# Enlarged, the 1x picture is not the scaled one: tens of thousands of its
# about 80,000 lit pixels differ.
mean=$(compare -metric MAE one.png two-resized.png null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
enlarged=$(compare -metric AE -fuzz 25% one-resized.png two.png null: 2>&1 || true)
lit=$(identify -format '%[fx:mean]' two.png)
echo "2x averaged against 1x: mean difference $mean; 1x enlarged against 2x: $enlarged pixels differ (mean level $lit)"
awk -v m="$mean" -v l="$lit" 'BEGIN { exit !(m < 0.02 && l > 0.005) }' ||
    fail "the 2x picture averaged is not the 1x one"
awk -v e="$enlarged" 'BEGIN { exit !(e > 20000) }' || fail "the 2x picture is the 1x one enlarged"
echo "PASS: --scale 2 draws at twice the size and clicks reach the game at their 1x places"
