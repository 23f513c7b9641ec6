#!/usr/bin/env bash
# quorvel --stats: plays as usual (the start screen), quits on Q, then prints
# one line per phase with the same frame count, and a period near 33 ms.
# Usage: stats_end_to_end.sh QUORVEL_BINARY SOURCE_DIR  (needs $DISPLAY)
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/x_window.sh"
game=$(realpath "$1")
source_dir=$(realpath "$2")
enter_game_folder "$source_dir"

"$game" --stats >stats.out 2>game.err &
pid=$!
find_window '^Quorvel$' || { echo "FAIL: no window"; exit 1; }
sleep 1
hold q 0.2
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; cat game.err; exit 1; }

cat stats.out
pattern='^phase=([a-z]+) frames=([0-9]+) mean_us=[0-9]+\.[0-9] p50_us=([0-9]+) p99_us=([0-9]+) max_us=([0-9]+)$'
names=""
frames=""
while IFS= read -r line; do
    [[ $line =~ $pattern ]] || { echo "FAIL: malformed line: $line"; exit 1; }
    names+="${BASH_REMATCH[1]} "
    [ -z "$frames" ] || [ "${BASH_REMATCH[2]}" = "$frames" ] || { echo "FAIL: frame counts differ"; exit 1; }
    frames=${BASH_REMATCH[2]}
    [ "${BASH_REMATCH[3]}" -le "${BASH_REMATCH[4]}" ] && [ "${BASH_REMATCH[4]}" -le "${BASH_REMATCH[5]}" ] ||
        { echo "FAIL: p50 <= p99 <= max broken: $line"; exit 1; }
    period_p50=${BASH_REMATCH[3]}
done <stats.out
[ "$names" = "step input update draw show sleep period " ] || { echo "FAIL: phases: $names"; exit 1; }
[ "$frames" -ge 10 ] || { echo "FAIL: only $frames frames in over a second"; exit 1; }
# Paced at 33 ms, sleep included: the median period is about that (more
# only when the machine is too busy to keep up).
[ "$period_p50" -ge 32000 ] && [ "$period_p50" -le 70000 ] || { echo "FAIL: period p50 $period_p50"; exit 1; }
echo "PASS"
