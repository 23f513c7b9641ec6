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

# enter_game_folder SOURCE_DIR: makes a fresh folder with the game's sprites,
# sounds and font linked in and enters it; at exit the game ($pid, if set)
# is killed and the folder removed. In a sanitizer build the software GL
# driver reports memory it never frees from a module already unloaded at exit
# (no suppression can name it), so the leak checker is off for the game; the
# in-process tests check the engine's own leaks.
enter_game_folder() {
    work=$(mktemp -d)
    pid=""
    trap '[ -z "$pid" ] || kill -9 "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
    ln -s "$1/Sprites" "$1/Audio" "$1/qv-font.ttf" "$work/"
    cd "$work"
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}

# Polls a command every 0.2 s, at most the given number of times.
wait_until() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# Ends the test with its reason; a test that has more to show defines its own.
fail() {
    echo "FAIL: $*"
    exit 1
}
