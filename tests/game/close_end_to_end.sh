#!/usr/bin/env bash
# Closing the window ends the game like Q on the start screen, in a game
# (exit 0, the recording gets its end line and replays to it) and in a
# windowed replay (exit 0, no fault reported, though the replay had frames left).
# Usage: close_end_to_end.sh QUORVEL_BINARY SOURCE_DIR CLOSE_WINDOW_BINARY  (needs $DISPLAY)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
close_window=$(realpath "$3")
enter_game_folder "$source_dir"

fail() { echo "FAIL: $*"; cat out.txt; exit 1; }

# close_after SECONDS ARGUMENTS...: runs the game, closes its window after a
# while and sets $status as the game exits (empty: still running after 5 s).
close_after() {
    local seconds=$1
    shift
    "$game" "$@" >out.txt 2>&1 &
    pid=$!
    # A replay's window carries its status line after the title.
    find_window '^Quorvel( |$)' || fail "no window"
    [ "$1" = --replay ] || hold p 0.2
    sleep "$seconds"
    "$close_window" "$window" || fail "no close request sent"
    wait_exit "$pid"
}

# The replay below is closed 6 s before its end, and must exit within 5 s.
close_after 7 --record game.replay
[ "$status" = 0 ] || fail "closed game: exit status '$status'"
grep -q '^E ' game.replay || fail "the recording has no end line"
grep -q '^K [0-9]* 0 46$' game.replay || fail "P did not start a game"

# Played back headless it ends where the closed game did.
status=0
env -u DISPLAY "$game" --replay game.replay --headless >out.txt 2>&1 || status=$?
[ "$status" = 0 ] && grep -q ' mismatches=0 ' out.txt || fail "headless replay of the closed game: exit $status"

close_after 1 --replay game.replay
[ "$status" = 0 ] || fail "closed replay: exit status '$status'"
! grep -q '^quorvel:' out.txt || fail "the closed replay reported a fault"
echo "PASS: closing the window ends a game and a replay"
