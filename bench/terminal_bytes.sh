#!/usr/bin/env bash
# Plays the game in an 80 x 24 tmux for about 15 s (P, D held by repeats,
# Escape, Q) and prints what the terminal was sent per frame: the first
# (full) frame, the later frames that changed, how many sent nothing, the
# bytes sent outside frames (taking and giving back the terminal), and the
# frame statistics of the run.
# Usage: bench/terminal_bytes.sh QUORVEL_BINARY [COLORTERM value]  (from the repository root)
set -euo pipefail
game=$(realpath "$1")
work=$(mktemp -d)
socket="qv-bytes-$$"
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
printf 'set -g status off\n' >"$work/tmux.conf"
tmux -f "$work/tmux.conf" -L "$socket" new-session -d -x 80 -y 24 -s b \
    "sleep 0.5; COLORTERM=${2:-} '$game' --terminal --stats >'$work/stats'; sleep 60"
tmux -L "$socket" pipe-pane -o -t b "cat >'$work/bytes'"
sleep 1.5
tmux -L "$socket" send-keys -t b p
sleep 0.5
for _ in $(seq 60); do
    tmux -L "$socket" send-keys -t b d
    sleep 0.03
done
sleep 2
tmux -L "$socket" send-keys -t b Escape
sleep 6.5
tmux -L "$socket" send-keys -t b q
sleep 1
python3 - "$work/bytes" "$work/stats" <<'PY'
import statistics, sys
data = open(sys.argv[1], 'rb').read()
stats = open(sys.argv[2]).read()
blocks = data.split(b'\x1b[?2026h')[1:]
sizes = [block.index(b'\x1b[?2026l') + 16 for block in blocks]
frames = int(stats.split('frames=')[1].split()[0])
later = sizes[1:]
print(f"frames={frames} first_bytes={sizes[0]} changed_frames={len(later)} "
      f"changed_median_bytes={statistics.median(later):.0f} changed_mean_bytes={statistics.mean(later):.1f} "
      f"changed_max_bytes={max(later)} unchanged_frames={frames - len(blocks)} "
      f"bytes_outside_frames={len(data) - sum(sizes)}")
print(stats, end='')
PY
