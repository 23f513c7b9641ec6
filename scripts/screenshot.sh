#!/usr/bin/env bash
# Takes docs/screenshot.png: a game in progress, played with real key presses
# in a virtual screen. Needs a build in build/ (./scripts/run.sh or test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}

if [ -z "${QV_IN_XVFB:-}" ]; then
    QV_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

./build/quorvel >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(xdotool search --sync --name '^Quorvel$' | head -n 1)
xdotool windowfocus "$window"
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

sleep 1
hold p 0.2
sleep 9           # the first enemies come in; fireballs recharge
hold a 1.8        # out of the bed, to the left
hold w 0.5
hold d 0.2        # face right again
hold r 0.1        # eight-way burst
sleep 0.25
hold e 0.1
sleep 0.3
import -window "$window" "$out"
echo "wrote $out"
