#!/usr/bin/env bash
# qv-sprite-check: 0 and "ok" for good files; 1 and the loader's messages,
# with line numbers, for a bad one among good ones.
# Usage: sprite_check.sh QV_SPRITE_CHECK SOURCE_DIR
set -euo pipefail
check=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$check" "$source_dir"/Sprites/*-spr.txt >"$work/out" 2>"$work/err"
[ "$(grep -c ': ok, ' "$work/out")" -eq "$(ls "$source_dir"/Sprites/*-spr.txt | wc -l)" ] ||
    { echo "FAIL: not every shipped sprite is ok"; cat "$work/out" "$work/err"; exit 1; }
# Valid files draw no word from the loader, nor the tool its own warnings.
[ ! -s "$work/err" ] && ! grep -q 'with warnings' "$work/out" ||
    { echo "FAIL: valid files were warned about"; cat "$work/out" "$work/err"; exit 1; }

printf '<HEADER>\nframes 1\nwidth 3\nheight 1\n</HEADER>\n<BODY>\nab\nend\n</BODY>\n<FOOTER>\nversion 1\n</FOOTER>\n' \
    >"$work/short-row.txt"
status=0
"$check" "$source_dir/Sprites/fireball-spr.txt" "$work/short-row.txt" >"$work/out" 2>"$work/err" ||
    status=$?
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status for a bad file"; exit 1; }
grep -q 'fireball-spr.txt: ok, 4 frames of 1 x 1' "$work/out" ||
    { echo "FAIL: the good file was not reported ok"; cat "$work/out"; exit 1; }
grep -q 'short-row.txt: not loaded (-3)' "$work/err" &&
    grep -q 'Error! Line 7: Line length is 2 (frame width is 3).' "$work/err" ||
    { echo "FAIL: the bad file's messages are missing"; cat "$work/err"; exit 1; }
echo "PASS"
