#!/usr/bin/env bash
# A replay watched in its window, driven with real keys: the title carries
# the status line; seeks, steps and speeds land where the keys say; a
# changed recording stops at its first difference; Tab takes over, and the
# recording made from there replays from the start with no mismatch.
# Usage: viewer_window.sh QUORVEL_BINARY SOURCE_DIR  (needs $DISPLAY)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
enter_game_folder "$source_dir"
replay=$source_dir/tests/replays/enemies-close-in.replay

# watch ARGS...: starts the game watching a replay and finds its window.
watch() {
    "$game" --replay "$@" >out.txt 2>err.txt &
    pid=$!
    find_window '^Quorvel' || fail "no window for --replay $*"
}

# expect TEXT: the title holds TEXT within 5 s.
expect() {
    local title=""
    for _ in $(seq 50); do
        title=$(xdotool getwindowname "$window" 2>/dev/null || true)
        [[ $title == *"$1"* ]] && return 0
        sleep 0.1
    done
    fail "title '$title' lacks '$1'"
}

# press KEYS... then expect TEXT (the last argument).
press() {
    local keys=("${@:1:$#-1}")
    xdotool key --delay 60 "${keys[@]}"
    expect "${!#}"
}

stop_game() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""; }

watch "$replay" --frame 500
expect "Quorvel  frame 500 / 921  0:16 / 0:30  1x  paused  checks 17 ok"
press Right "frame 800 / 921  0:26 / 0:30  1x  paused  checks 27 ok"
press Left Left "frame 200 / 921  0:06 / 0:30  1x  paused  checks 7 ok"
press period period "frame 202 / 921"
press comma "frame 201 / 921"
press Home "frame 0 / 921  0:00 / 0:30  1x  paused  checks 1 ok"
press bracketright bracketright "frame 0 / 921  0:00 / 0:30  4x  paused"
press bracketleft bracketleft bracketleft bracketleft "1/4x  paused"
press bracketright bracketright bracketright bracketright bracketright bracketright bracketright \
    "16x  paused"
press End "frame 920 / 921  0:30 / 0:30  16x  paused  checks 31 ok"
press Home space "16x  checks"
# Played at 16 times, it reaches its end within 3 s and ends as it always did.
wait_exit "$pid"
[ "$status" = 0 ] || fail "the replay played to its end exits with $status"
pid=""

# A recording whose checkpoint at frame 300 was changed: the viewer stops at
# the last checkpoint that matched.
sed 's/^C 300 \([0-9]*\) [0-9a-f]*/C 300 \1 0123456789abcdef/' "$replay" >changed.replay
watch changed.replay --stop-at-difference
expect "frame 270 / 921  0:09 / 0:30  1x  paused  differs at frame 300: the world differs"
stop_game

# Take over at frame 300: the new recording holds the replay's frames up to
# there, then the player's, and replays whole.
watch "$replay" --frame 300 --record taken.replay
press Tab "you play from frame 301"
hold d 0.5
xdotool key Escape
expect "frame 4"
# Given up, the game shows its end for 5 s, then its start screen, where Q quits.
status=""
for _ in $(seq 40); do
    kill -0 "$pid" 2>/dev/null || break
    xdotool key q 2>/dev/null || true
    sleep 0.5
done
wait_exit "$pid"
[ "$status" = 0 ] || fail "the game taken over exits with $status: $(cat err.txt)"
pid=""
cmp <(tail -n +2 "$replay" | grep -v '^E' | awk '$2 <= 300') \
    <(tail -n +2 taken.replay | awk '$2 <= 300') >/dev/null ||
    fail "the taken-over recording does not begin with the replay's frames"
out=$(env -u DISPLAY "$game" --replay taken.replay --headless 2>err.txt) ||
    fail "the taken-over recording replays with: $out $(cat err.txt)"
grep -q ' mismatches=0 ' <<<"$out" || fail "taken-over replay: $out"
echo "viewer_window: OK ($out)"
