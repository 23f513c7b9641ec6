#!/usr/bin/env bash
# What a player sees on the terminal when the game cannot start, or starts
# without sound: a true exit status and one line on standard error.
# Usage: startup_status.sh QUORVEL_BINARY SOURCE_DIR  (needs $DISPLAY)
set -euo pipefail
game=$(realpath "$1")
source_dir=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

fail() { echo "FAIL: $*"; cat err.txt; exit 1; }

# expect STATUS PATTERN COMMAND...: the status, and stderr of exactly one
# line matching the pattern (the usage text may follow an unknown option).
expect() {
    local want=$1 pattern=$2 lines=${3:-1} status=0
    shift 3
    "$@" >/dev/null 2>err.txt </dev/null || status=$?
    [ "$status" = "$want" ] || fail "$*: exit status $status, not $want"
    [ "$(wc -l <err.txt)" -eq "$lines" ] || fail "$*: $(wc -l <err.txt) lines on stderr, not $lines"
    grep -q -- "$pattern" err.txt || fail "$*: stderr lacks '$pattern'"
}

usage_lines=$("$game" --help | wc -l)
expect 2 "^usage: quorvel" $((usage_lines + 1)) "$game" --no-such-option
version=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
[ "$("$game" --version)" = "quorvel (qv $version)" ] || fail "--version printed '$("$game" --version)'"

# No font: the file, the folders it was looked for in and what chose them.
ln -s "$source_dir/Sprites" "$source_dir/Audio" .
expect 1 "qv-font.ttf from $work or $work/none (named by QV_DATA_DIR)\$" 1 \
    env QV_DATA_DIR="$work/none" "$game"
# A failed start says nothing about a replay it never played.
expect 1 "qv-font.ttf from $work or $work/none" 1 \
    env QV_DATA_DIR="$work/none" "$game" --replay "$source_dir/tests/replays/play-and-quit.replay"
grep -q "Error starting game manager!" quorvel.log || fail "the log lacks the start-up error"
# Twenty starts, each on a server that resets when its last client leaves:
# the display probe must not let SFML connect during the reset and abort.
# With an auth file of ours xvfb-run has no folder of its own to remove,
# which now and then fails while the server resets.
for _ in $(seq 20); do
    expect 1 "qv-font.ttf from $work" 1 env QV_DATA_DIR="$work/none" \
        xvfb-run -a -f "$work/xauth" "$game"
done

ln -s "$source_dir/qv-font.ttf" .
expect 1 "display" 1 env -u DISPLAY "$game"
expect 1 "display" 1 env DISPLAY=:9999 "$game"

# No sound: a device that does not exist, so that ALSA and OpenAL have
# something to complain about. Start, quit with Q, and one line says so.
printf '[general]\ndrivers=alsa\n[alsa]\ndevice=qv-no-such-device\n' >no-sound.conf
ALSOFT_CONF=$work/no-sound.conf "$game" >/dev/null 2>err.txt &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Quorvel$' | head -n 1) || fail "no window"
xdotool windowfocus --sync "$window" keydown q sleep 0.2 keyup q
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "silent game: exit status $status"
[ "$(cat err.txt)" = "Sound is off: no audio device was found." ] || fail "silent game: stderr is not the one line"
grep -q "Failed to open the audio device" quorvel.log || fail "SFML's messages did not reach the log"
echo "PASS: exit statuses and terminal lines"
