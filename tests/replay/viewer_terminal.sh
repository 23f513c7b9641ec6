#!/usr/bin/env bash
# A replay watched in tmux, driven with tmux's keys: with a 25th row the
# status line stands there; in 80 x 24 it shows over the last row for two
# seconds after a key, then the game's row comes back. Tab takes over.
# Usage: viewer_terminal.sh QUORVEL_BINARY SOURCE_DIR
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
enter_game_folder "$source_dir"
replay=$source_dir/tests/replays/enemies-close-in.replay
printf 'set -g status off\n' >tmux.conf
tmux=(tmux -f tmux.conf -L "qv-viewer-$$")
trap '"${tmux[@]}" kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

# start ROWS ARGS...: the game in an 80 x ROWS pane.
start() {
    local rows=$1
    shift
    "${tmux[@]}" kill-server 2>/dev/null || true
    "${tmux[@]}" new-session -d -x 80 -y "$rows" -s qv "$game --terminal --replay $* 2>err.txt"
}

# row N TEXT: row N (from 1) of the pane holds TEXT within 5 s.
row() {
    local line=""
    for _ in $(seq 100); do
        line=$("${tmux[@]}" capture-pane -p -t qv | sed -n "$1p")
        [[ $line == *"$2"* ]] && return 0
        sleep 0.05
    done
    fail "row $1 is '$line', not '$2'"
}

# A terminal that does not report releases cannot tell a key pressed again
# at once from one held down: the same key again waits out the guess.
keys() { "${tmux[@]}" send-keys -t qv "$@"; }
again() { sleep 0.7; keys "$@"; }

start 25 "$replay" --frame 500 --record taken.replay
row 25 "frame 500 / 921  0:16 / 0:30  1x  paused  checks 17 ok"
keys Left
row 25 "frame 200 / 921  0:06 / 0:30  1x  paused  checks 7 ok"
keys .
row 25 "frame 201 / 921"
again .
row 25 "frame 202 / 921"
keys ,
row 25 "frame 201 / 921"
keys ]
row 25 "frame 201 / 921  0:06 / 0:30  2x  paused"
keys [
row 25 "1x  paused"
again [
row 25 "1/2x  paused"
keys End
row 25 "frame 920 / 921  0:30 / 0:30  1/2x  paused  checks 31 ok"
keys Home
row 25 "frame 0 / 921"
keys Right
row 25 "frame 300 / 921"
keys Tab
row 25 "you play from frame 301"
keys Escape
# Given up, the game shows its end for 5 s, then its start screen, where Q
# quits. The presses are over 0.6 s apart: closer, a terminal's key counts as
# held from the first, and a held Q is not a new press.
for _ in $(seq 30); do
    "${tmux[@]}" has-session -t qv 2>/dev/null || break
    keys q
    sleep 1
done
! "${tmux[@]}" has-session -t qv 2>/dev/null || fail "the game taken over does not end"
out=$("$game" --replay taken.replay --headless 2>&1) || fail "taken.replay replays with: $out"
grep -q ' mismatches=0 ' <<<"$out" || fail "taken.replay: $out"

# No 25th row: over the 24th for two seconds after a key.
start 24 "$replay" --frame 400
row 2 "Health"
keys Right
row 24 "frame 700 / 921  0:23 / 0:30  1x  paused  checks 24 ok"
sleep 2.5
last=$("${tmux[@]}" capture-pane -p -t qv | sed -n 24p)
[[ $last != *"frame 700"* ]] || fail "the status stays over the grid: '$last'"
keys Space
row 24 "frame 7"
echo "viewer_terminal: OK"
