#!/usr/bin/env bash
# Recordings of real games, ended by a signal mid-game. SIGTERM, SIGINT and
# SIGHUP end the game cleanly: exit 0 and an end record. kill -9 leaves the
# finished frames, and so does a file cut at any byte. Each plays back
# headless without a mismatch; a cut one says on stderr where it stops.
# Usage: killed_recording.sh QUORVEL_BINARY SOURCE_DIR  (needs $DISPLAY)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
enter_game_folder "$source_dir"

# replay FILE: plays it headless; sets $status and $out, stderr in err.txt.
replay() {
    status=0
    out=$(env -u DISPLAY "$game" --replay "$1" --headless 2>err.txt) || status=$?
}

for signal in KILL TERM INT HUP; do
    "$game" --record "$signal.replay" >/dev/null 2>&1 &
    pid=$!
    find_window '^Quorvel$' || fail "no window for the $signal recording"
    hold p 0.2
    hold d 0.6
    xdotool click 1
    hold a 0.4
    sleep 0.5
    kill -"$signal" "$pid"
    wait "$pid" && status=0 || status=$?
    pid=""
    if [ "$signal" = KILL ]; then
        [ "$status" = 137 ] || fail "kill -9: exit status $status"
    else
        [ "$status" = 0 ] || fail "SIG$signal: exit status $status, not 0"
        tail -n 1 "$signal.replay" | grep -q '^E ' || fail "SIG$signal: no end record"
    fi
    grep -q '^K [0-9]* 0 46$' "$signal.replay" || fail "$signal: P was not recorded"
    replay "$signal.replay"
    [ "$status" = 0 ] && grep -q ' mismatches=0 ' <<<"$out" ||
        fail "$signal recording: exit $status: $out $(cat err.txt)"
done

# kill -9 in the middle of writing a frame, at a third and two thirds of the file.
size=$(stat -c %s KILL.replay)
for cut in $((size / 3)) $((size * 2 / 3)); do
    head -c "$cut" KILL.replay >cut.replay
    replay cut.replay
    [ "$status" = 0 ] && grep -q ' mismatches=0 ' <<<"$out" && grep -q 'stops after frame' err.txt ||
        fail "cut at byte $cut: exit $status: $out $(cat err.txt)"
done

# Killed while starting: nothing but the version line.
head -n 1 KILL.replay >start.replay
replay start.replay
[ "$status" = 0 ] && grep -q '^frames=0 checks=0 mismatches=0 ' <<<"$out" &&
    grep -q 'nothing to play' err.txt || fail "version line only: exit $status: $out $(cat err.txt)"
echo "PASS: killed, terminated, interrupted and hung-up recordings replay"
