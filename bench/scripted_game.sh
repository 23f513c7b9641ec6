#!/usr/bin/env bash
# Plays the real game for about 25 s with xdotool (walking, fireballs,
# bursts, punches, Escape, Q) under --stats and prints its phase lines.
# Repeat it to compare builds: the figures are the game's own frame times.
# Usage: scripted_game.sh QUORVEL_BINARY SOURCE_DIR  (needs $DISPLAY; for a
# screen of its own: tests/support/own_screen.sh bash bench/scripted_game.sh ...)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
enter_game_folder "$source_dir"

"$game" --stats >stats.out 2>game.err &
pid=$!
find_window '^Quorvel$' || { echo "no game window within 20 s" >&2; exit 1; }
sleep 1
hold p 0.2
for round in 1 2 3; do
    hold d 1.0
    hold w 0.6
    xdotool click 1
    hold e 0.2
    hold a 1.0
    xdotool click 1 click 1
    hold s 0.6
    hold r 0.2
    sleep 1.5
    [ "$round" = 3 ] || hold e 0.2
done
hold Escape 0.3
sleep 6 # the game-over text, then the start screen
hold q 0.2
wait_exit "$pid"
[ "$status" = 0 ] || { echo "the game did not exit 0 after Q (status '$status')" >&2; cat game.err >&2; exit 1; }
cat stats.out
