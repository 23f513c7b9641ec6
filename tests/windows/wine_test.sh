#!/usr/bin/env bash
# The Windows build, played under Wine on a virtual screen of its own:
# - every golden replay (the game's, gemhunt's, the tutorial's) replays
#   headless in the .exe with no mismatch, as recorded on Linux;
# - a game played with real keys and clicks in the .exe's window shows its
#   start screen, plays, ends, quits with status 0, and its recording
#   replays on Linux with no mismatch;
# - keys held while another window has the focus are not the game's;
# - closing the window, or Ctrl-C, ends a recorded game with its end line,
#   status 0;
# - an unknown option exits 2, a missing font exits 1 with one line;
# - the music and an effect reach the sound card (ALSA's file plugin under
#   Wine's ALSA driver) loud enough for sox to hear them.
# The Wine prefix is made once, in a temporary folder, without dialogs.
# Usage: wine_test.sh WINDOWS_BUILD LINUX_BUILD SOURCE_DIR  (needs $DISPLAY;
# WINDOWS_BUILD as scripts/windows.sh leaves it, LINUX_BUILD with quorvel
# and tests/qv_close_window)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
win=$(realpath "$1")
linux=$(realpath "$2")
source_dir=$(realpath "$3")
started=$SECONDS

work=$(mktemp -d)
pid=""
cleanup() {
    [ -z "$pid" ] || kill -9 "$pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# Wine's ALSA driver, whose default device is a file: what the game plays
# lands in sound/out.wav as 16-bit samples. No PulseAudio server is asked.
export HOME=$work/home PULSE_SERVER=unix:/nonexistent
mkdir -p "$HOME" "$work/sound"
{
    echo 'pcm.!default { type plug; slave { pcm "capture"; format S16_LE } }'
    echo "pcm.capture { type file; slave { pcm { type null } }; file \"$work/sound/out.wav\"; format \"wav\" }"
} >"$HOME/.asoundrc"
wineboot --init >"$work/wineboot.out" 2>&1 || fail "wineboot: $(tail -n 3 "$work/wineboot.out")"
# ALSA rather than PulseAudio; a crash ends the program at once instead of
# opening a dialog that waits for a click.
cat >"$work/settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"="alsa"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
wine regedit /S "$work/settings.reg" >/dev/null 2>&1 || fail "cannot set up the Wine prefix"
echo "wine prefix made in $((SECONDS - started)) s"

# game_folder NAME DIST: a fresh copy of an unzipped game.
game_folder() {
    rm -rf "${work:?}/$1"
    cp -r "$2" "$work/$1"
    cd "$work/$1"
}

# ---- headless replays ------------------------------------------------------
# headless EXE REPLAY: plays it; fails unless every checkpoint matched.
headless() {
    local result status=0
    result=$(wine "$1" --replay "$2" --headless 2>&1) || status=$?
    echo "$1 $(basename "$2"): $(tail -n 1 <<<"$result")"
    [ "$status" = 0 ] && grep -q " mismatches=0 " <<<"$result" || fail "exit $status: $result"
}
game_folder quorvel "$win/dist/quorvel"
for replay in "$source_dir"/tests/replays/*.replay; do
    cp "$replay" .
    headless quorvel.exe "$(basename "$replay")"
done
game_folder gemhunt "$win/dist/gemhunt"
cp "$source_dir/tests/examples/gemhunt.replay" .
headless gemhunt.exe gemhunt.replay

# The tutorial's game, from its code blocks, against the installed engine.
mkdir -p "$work/dodge-src"
awk -v dir="$work/dodge-src" '
    /^```[a-z]* file=/ {
        out = dir "/" substr($0, index($0, "file=") + 5)
        folder = out; sub(/\/[^\/]*$/, "", folder)
        system("mkdir -p " folder)
        next
    }
    /^```/ { out = ""; next }
    out != "" { print > out }
' "$source_dir/docs/tutorial.md"
# The tutorial has its reader bring a sound of their own.
mkdir -p "$work/dodge-src/Audio"
cp "$source_dir/examples/gemhunt/Audio/pickup.wav" "$work/dodge-src/Audio/whoosh.wav"
libraries=$(cat "$win/libraries")
cmake -S "$work/dodge-src" -B "$work/dodge-src/build" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$win/prefix;$libraries" \
    -DCMAKE_FIND_ROOT_PATH="$win/prefix;$libraries" >"$work/dodge.out" 2>&1 &&
    cmake --build "$work/dodge-src/build" >>"$work/dodge.out" 2>&1 ||
    fail "the tutorial's game does not build for Windows: $(tail -n 20 "$work/dodge.out")"
cd "$work/dodge-src"
cp "$win/dist/quorvel/qv-font.ttf" .
cp "$source_dir/tests/examples/dodge.replay" .
headless build/dodge.exe dodge.replay
echo "PASS: every golden replay matches in the Windows build ($((SECONDS - started)) s so far)"

# ---- a game played in the window -------------------------------------------
game_folder play "$win/dist/quorvel"
rm -f "$work/sound/out.wav"
wine quorvel.exe --record game.replay >game.out 2>&1 &
pid=$!
find_window '^Quorvel$' || fail "no window titled Quorvel within 20 s"
xdotool windowactivate --sync "$window" 2>/dev/null || true
# colour_count COLOUR X Y W H: pixels of that colour in a part of the window.
colour_count() {
    import -window "$window" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- 2>/dev/null | grep -c "$1" || true
}
# The start screen's title is drawn in yellow.
title_shown() { [ "$(colour_count '#FFFF00' 0 0 1024 768)" -gt 1000 ]; }
wait_until 50 title_shown || fail "no yellow start screen in the window"
hold p 0.2
sleep 0.5
hold d 1.0
xdotool mousemove --window "$window" 600 300 click 1
sleep 0.3
hold e 0.2
sleep 0.3
hold Escape 0.3
result_shown() { [ "$(colour_count '#FF0000' 0 352 1024 96)" -gt 100 ]; }
result_gone() { [ "$(colour_count '#FF0000' 0 352 1024 96)" -eq 0 ]; }
wait_until 30 result_shown || fail "no red game-over text in rows 11 to 13"
wait_until 50 result_gone || fail "the game-over text never went away"
sleep 0.5
hold q 0.2
wait_exit "$pid"
pid=""
[ "$status" = 0 ] || fail "the played game: exit status '$status': $(cat game.out)"
grep -q '^E ' game.replay || fail "the recording has no end line"
for key in "0 46" "2 34" "0 35" "0 2"; do # P, D held, E, Escape
    grep -q "^K [0-9]* $key\$" game.replay || fail "the recording lacks the key event $key"
done
grep -q '^M [0-9]* 0 ' game.replay || fail "the recording lacks the click"
rms=$(sox "$work/sound/out.wav" -n stat 2>&1 | awk '/^RMS +amplitude/ {print $3}')
[ -n "$rms" ] || fail "no sound captured: $(sox "$work/sound/out.wav" -n stat 2>&1 | tail -n 1)"
awk -v rms="$rms" 'BEGIN { exit !(rms > 0.03) }' || fail "the music is too quiet: RMS $rms"
# The Windows recording, played back by the Linux build.
mkdir linux
ln -s "$source_dir/Sprites" "$source_dir/Audio" "$source_dir/qv-font.ttf" linux/
status=0
(cd linux && env -u DISPLAY "$linux/quorvel" --replay ../game.replay --headless >out.txt 2>&1) ||
    status=$?
[ "$status" = 0 ] && grep -q " mismatches=0 " linux/out.txt ||
    fail "the Windows recording on Linux: exit $status: $(cat linux/out.txt)"
echo "PASS: played in the window under Wine (sound RMS $rms); on Linux: $(tail -n 1 linux/out.txt)"

# A sound effect: gemhunt has no music, so what its replay, watched in the
# window, plays is the chime of the gems it picks up.
game_folder chime "$win/dist/gemhunt"
cp "$source_dir/tests/examples/gemhunt.replay" .
rm -f "$work/sound/out.wav"
status=0
timeout 60 wine gemhunt.exe --replay gemhunt.replay >out.txt 2>&1 || status=$?
[ "$status" = 0 ] || fail "gemhunt's replay in its window: exit $status: $(cat out.txt)"
peak=$(sox "$work/sound/out.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}')
[ -n "$peak" ] || fail "no chime captured: $(sox "$work/sound/out.wav" -n stat 2>&1 | tail -n 1)"
awk -v peak="$peak" 'BEGIN { exit !(peak > 0.1) }' || fail "the chime is too quiet: peak $peak"
echo "PASS: gemhunt's chime reached the sound output (peak $peak)"

# ---- focus, closing, start-up failures -------------------------------------
game_folder close "$win/dist/quorvel"
wine quorvel.exe --record game.replay >game.out 2>&1 &
pid=$!
find_window '^Quorvel$' || fail "no window for the close test"
xdotool windowactivate --sync "$window" 2>/dev/null || true
sleep 1
hold p 0.2
# D held while another window has the focus is not the game's. The other
# window is Wine's too, so that Wine sees the key go down: keys sent to a
# window of another program never reach it.
wine notepad >/dev/null 2>&1 &
other_pid=$!
other=""
# Found once it is mapped: focusing a window not yet shown is an X error.
for _ in $(seq 100); do
    other=$(xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -n 1 || true)
    [ -n "$other" ] && break
    sleep 0.1
done
[ -n "$other" ] || fail "no other window"
focused=""
for _ in $(seq 20); do
    xdotool windowfocus --sync "$other" 2>/dev/null && focused=yes && break
    sleep 0.2
done
[ -n "$focused" ] || fail "the other window did not take the focus"
sleep 0.3
hold d 1.0
kill "$other_pid" 2>/dev/null || true
sleep 0.5
"$linux/tests/qv_close_window" "$window" || fail "no close request sent"
wait_exit "$pid"
pid=""
[ "$status" = 0 ] || fail "closed game: exit status '$status': $(cat game.out)"
grep -q '^E ' game.replay || fail "the closed game's recording has no end line"
grep -q '^K [0-9]* 0 46$' game.replay || fail "P did not start the closed game"
! grep -q '^K [0-9]* [0-9] 34$' game.replay || fail "D held in another window reached the game"

# Ctrl-C (Wine turns SIGINT into the console's Ctrl-C event) ends a recorded
# game after its frame, with its end line and status 0.
wine quorvel.exe --record interrupted.replay >game.out 2>&1 &
pid=$!
find_window '^Quorvel$' || fail "no window for the Ctrl-C test"
sleep 1
kill -INT "$pid"
wait_exit "$pid"
pid=""
[ "$status" = 0 ] || fail "Ctrl-C: exit status '$status': $(cat game.out)"
grep -q '^E ' interrupted.replay || fail "the recording ended by Ctrl-C has no end line"

status=0
wine quorvel.exe --no-such-option >out.txt 2>&1 || status=$?
[ "$status" = 2 ] || fail "unknown option: exit $status"
rm qv-font.ttf
status=0
wine quorvel.exe >out.txt 2>&1 || status=$?
[ "$status" = 1 ] && [ "$(wc -l <out.txt)" = 1 ] || fail "missing font: exit $status: $(cat out.txt)"
echo "PASS: unfocused keys ignored; closing the window and Ctrl-C end the game; options and font checked"
echo "wine checks took $((SECONDS - started)) s"
