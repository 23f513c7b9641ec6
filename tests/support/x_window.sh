# Shared by the shell tests that drive a real window with xdotool; source it.

# find_window TITLE_PATTERN: sets $window to the first window whose title
# matches, focused, within 20 s; returns 1 when none appears.
find_window() {
    window=""
    for _ in $(seq 200); do
        window=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || return 1
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
}

# hold KEY SECONDS: presses a key for a while; games act on held keys once a frame.
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

# wait_exit PID: sets $status to the process's exit status, or to "" when it
# is still running after 5 s.
wait_exit() {
    status=""
    for _ in $(seq 50); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1" && status=0 || status=$?
            return 0
        fi
        sleep 0.1
    done
}
