#!/usr/bin/env bash
# qv-sprite-view in a real window: the sprite in its colour with its status
# line; a change on disk shows within a second or so; a broken file shows the
# loader's messages in red instead; mending it brings the sprite back; Q
# quits with 0. Bad command lines: one line on stderr and status 2.
# Usage: sprite_view.sh QV_SPRITE_VIEW SOURCE_DIR  (needs $DISPLAY)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
view=$(realpath "$1")
source_dir=$(realpath "$2")
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"

mkdir folder
for args in "" "--bogus ship-spr.txt" "no-such-spr.txt" "folder"; do
    status=0
    # shellcheck disable=SC2086
    "$view" $args 2>err || status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l <err)" -eq 1 ] || fail "'$args': status $status, stderr: $(cat err)"
done

ln -s "$source_dir/qv-font.ttf" .
sprite() { # COLOR WIDTH_OF_SECOND_FRAME_FIRST_ROW
    local row
    row=$(printf '%*s' "$2" '' | tr ' ' '#')
    printf '<HEADER>\nframes 2\nwidth 5\nheight 3\ncolor %s\nslowdown 4\n</HEADER>\n<BODY>\n' "$1"
    printf '#####\n#####\n#####\nend\n%s\n#####\n#####\nend\n</BODY>\n<FOOTER>\nversion 1\n</FOOTER>\n' "$row"
}
sprite red 5 >ship-spr.txt

export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" # the GL driver's, as in play_end_to_end.sh
"$view" ship-spr.txt >out 2>&1 &
pid=$!
find_window '^qv-sprite-view: ship-spr\.txt$' || fail "no window titled 'qv-sprite-view: ship-spr.txt'"

# Pixels of one colour in a part of the window: the sprite around the centre
# (rows 9 to 14), the messages at the top (rows 0 to 2), the status line.
count() { # COLOR GEOMETRY
    import -window "$window" -crop "$2" +repage -depth 8 txt:- 2>/dev/null | grep -c "$1" || true
}
centre() { count "$1" 240x192+392+288; }
top() { count "$1" 1024x96+0+0; }
status_row() { count "$1" 1024x32+0+736; }
wait_for() { # DESCRIPTION COMMAND...: polls for up to 3 s
    local what=$1
    shift
    for _ in $(seq 15); do
        "$@" && return 0
        sleep 0.2
    done
    fail "$what"
}
shows() { [ "$(centre "$1")" -gt 200 ] && [ "$(top '#FF0000')" -eq 0 ]; }
broken() { [ "$(top '#FF0000')" -gt 100 ] && [ "$(centre '#00FF00')" -eq 0 ]; }

wait_for "the red sprite is not shown" shows '#FF0000'
[ "$(status_row '#FFFFFF')" -gt 100 ] || fail "no status line"
sprite green 5 >ship-spr.txt
wait_for "the sprite did not turn green" shows '#00FF00'
sprite green 4 >ship-spr.txt
wait_for "the broken file's messages are not shown in red" broken
sprite green 5 >ship-spr.txt
wait_for "the mended sprite did not come back" shows '#00FF00'

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
hold q 0.2
wait_exit "$pid"
[ "$status" = 0 ] || fail "no clean exit on Q (status '$status'): $(cat out)"
pid=""
echo "PASS"
