#!/usr/bin/env bash
# Plays the real game in its window with real key presses: start, P, walk,
# shoot, punch, give up with Escape, see the red game-over text, wait for
# the start screen, Q. The program must exit 0, log what happened in order,
# print nothing on the terminal, and leave a sound file (OpenAL's file
# output) that sox reads, with the music clearly audible in it.
# The game is recorded; played back without a display it must match every
# checkpoint, log the same messages and give the same result twice, and a
# replay with one key changed must fail at the first checkpoint after it.
# Usage: play_end_to_end.sh QUORVEL_BINARY SOURCE_DIR  (needs $DISPLAY)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
shots=${QV_SHOTS:-}

enter_game_folder "$source_dir"

fail() {
    echo "FAIL: $*"
    tail -n 20 quorvel.log 2>/dev/null || true
    grep -v -e '^AL lib' -e '^ALSA' game.out 2>/dev/null | tail -n 40 || true
    exit 1
}

printf '[general]\ndrivers=wave\n[wave]\nfile=%s/out.wav\n' "$work" >wave.conf
ALSOFT_CONF=$work/wave.conf "$game" --record game.replay >game.out 2>&1 &
pid=$!

find_window '^Quorvel$' || fail "no window titled Quorvel within 20 s"

shot() { [ -z "$shots" ] || import -window "$window" "$shots/$1.png"; }


# Red pixels in grid rows 11 to 13 (y 352 to 447), where the result stands.
red_in_result_rows() {
    import -window "$window" -crop 1024x96+0+352 +repage -depth 8 txt:- 2>/dev/null | grep -c '#FF0000' || true
}

sleep 1
shot start-screen
hold p 0.2
sleep 0.5
hold d 1.0
hold w 0.6
xdotool click 1
sleep 5 # fireballs recharge
hold e 0.2
hold r 0.2
sleep 0.3
shot playing
hold Escape 0.3
# Every finished frame is in the file while the game still runs.
grep -q '^C [1-9]' game.replay || fail "nothing recorded while playing"
result_shown() { [ "$(red_in_result_rows)" -gt 100 ]; }
result_gone() { [ "$(red_in_result_rows)" -eq 0 ]; }

wait_until 30 result_shown || fail "no red game-over text in rows 11 to 13"
shot game-over

# About five seconds later the start screen is back and the text is gone.
wait_until 50 result_gone || fail "the game-over text never went away"
sleep 0.5
shot start-again
hold q 0.2

wait_exit "$pid"
[ -n "$status" ] || fail "the game did not exit within 5 s of Q"
[ "$status" = 0 ] || fail "exit status $status"

# The log, stripped of its time stamps, holds the game's story in order.
# Q's press may go unlogged: the start screen quits on Q held as well, and
# polling can see the key down before its press event reaches the queue.
expected=(
    "Loading Sprites"
    "SRM::loadSprite(): Sprite 'gamestart' loaded."
    "Wave started"
    "Now spawning 4 enemies"
    "Wave 1 spawned"
    "Keyboard Action 0, Key 46"
    "Keyboard Action 0, Key 34"
    "Keyboard Action 0, Key 53"
    "Mouse Action 0, Location"
    "Keyboard Action 0, Key 35"
    "Keyboard Action 0, Key 48"
    "Keyboard Action 0, Key 2"
    "SRM::shutDown(): Successfully stopped."
)
messages=$(sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2} Message: /\n/g' quorvel.log)
position=1
for line in "${expected[@]}"; do
    found=$(printf '%s\n' "$messages" | tail -n +"$position" | grep -n -F -m 1 -- "$line" | cut -d: -f1 || true)
    [ -n "$found" ] || fail "log lacks, in order: $line"
    position=$((position + found))
done
[ ! -s game.out ] || fail "the game printed on the terminal"
rms=$(sox out.wav -n stat 2>&1 | awk '/^RMS +amplitude/ {print $3}')
[ -n "$rms" ] || fail "sox cannot read the captured sound: $(sox out.wav -n stat 2>&1 | tail -n 1)"
awk -v rms="$rms" 'BEGIN { exit !(rms > 0.03) }' || fail "the music is too quiet: RMS $rms"
echo "PASS: played a game and quit (sound RMS $rms)"

# Played back with no X display, no window, no sound.
# Without a window there is no report from SFML on its vertical sync.
masked() {
    sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2} Message: /\nHH:MM:SS Message: /g' "$1" |
        grep -v -e '^HH:MM:SS Message: Setting vertical sync not supported' -e '^$'
}
replay() { # DIR FILE: runs a headless replay in DIR; its status in $status
    mkdir -p "$1"
    ln -sf "$source_dir/Sprites" "$source_dir/Audio" "$source_dir/qv-font.ttf" "$1/"
    (cd "$1" && env -u DISPLAY "$game" --replay "$2" --headless >out.txt 2>err.txt) && status=0 || status=$?
}
for run in first second; do
    replay "$run" "$work/game.replay"
    [ "$status" = 0 ] || fail "$run replay: exit $status: $(cat "$run/err.txt")"
    grep -qE '^frames=[0-9]+ checks=[0-9]+ mismatches=0 seconds=[0-9.]+$' "$run/out.txt" ||
        fail "$run replay printed: $(cat "$run/out.txt")"
    [ "$(masked quorvel.log)" = "$(masked "$run/quorvel.log")" ] || fail "$run replay logged otherwise"
done
[ "$(sed 's/ seconds=.*//' first/out.txt)" = "$(sed 's/ seconds=.*//' second/out.txt)" ] ||
    fail "two replays differ: $(cat first/out.txt second/out.txt)"

# The first key pressed in the game (after P) is changed to another key.
line=$(grep -n '^K [0-9]* 0 ' game.replay | sed -n 3p | cut -d: -f1)
frame=$(sed -n "${line}p" game.replay | cut -d' ' -f2)
key=$(sed -n "${line}p" game.replay | cut -d' ' -f4)
sed "${line}s/ $key\$/ $(((key + 1) % 26))/" game.replay >altered.replay
replay altered "$work/altered.replay"
expected="at frame $(((frame / 30 + 1) * 30)):"
[ "$status" = 1 ] && grep -qF "$expected" altered/err.txt ||
    fail "altered replay: exit $status, wanted '$expected' in: $(cat altered/err.txt)"

# A bad replay: one line on stderr with its line number, exit status 2.
printf 'quorvel-replay 1\nK 5 0 46\nK x\n' >bad.replay
replay bad "$work/bad.replay"
[ "$status" = 2 ] && [ "$(wc -l <bad/err.txt)" = 1 ] && grep -q 'bad.replay: line 3: ' bad/err.txt ||
    fail "bad replay: exit $status: $(cat bad/err.txt)"
echo "PASS: the recorded game replays headless, the same twice; altered and bad replays fail"
