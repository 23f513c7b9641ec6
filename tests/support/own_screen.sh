#!/usr/bin/env bash
# Runs a command on a virtual X screen of its own, so the key presses and
# clicks it sends, and the focus it takes, reach no other test's window.
# Usage: own_screen.sh COMMAND [ARGUMENTS...]
# (QV_OWN_SCREEN_SIZE, such as 2560x1600x24, makes a larger screen.)
set -euo pipefail
dir=$(mktemp -d)
server=""
cleanup() {
    [ -z "$server" ] || { kill "$server" 2>/dev/null && wait "$server" 2>/dev/null; } || true
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# The server picks a free display number itself and writes it once it is ready.
Xvfb -displayfd 3 -screen 0 "${QV_OWN_SCREEN_SIZE:-1280x1024x24}" -nolisten tcp -noreset 3>"$dir/display" \
    2>"$dir/server.log" &
server=$!
for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 "$server" 2>/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$dir/display" ] || { echo "own_screen.sh: no virtual screen within 10 s" >&2; exit 1; }
export DISPLAY=":$(cat "$dir/display")"

status=0
"$@" || status=$?
exit "$status"
