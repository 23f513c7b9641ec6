#!/usr/bin/env bash
# Plants small deliberate faults (mutants) one at a time in a scratch copy of
# the checked-out tree, rebuilds and runs the test suite; a mutant the suite
# fails on is killed, one it passes survives. One result line per mutant:
#   killed NAME (by TEST) | survived NAME | stale NAME | build-error NAME
# and a summary: killed=K survived=S stale=T build-error=B total=N
# A mutant is stale when its original text no longer occurs exactly once in
# its file: the code has moved on and the list entry needs updating.
#
# Usage: scripts/mutants.sh [options] [NAME...]   (no NAME: every mutant)
#   --list FILE   mutant list (default scripts/mutants.txt)
#   --work DIR    scratch directory, kept for incremental builds between runs
#                 (default ${TMPDIR:-/tmp}/qv-mutants)
#   --no-soak     leave out the 30-second Game.Soak test
#   --tests REGEX run only the tests ctest -R selects
#   --skip REGEX  leave out the tests ctest -E selects (may be repeated)
#   --check       only report stale entries; no build, no tests
# List lines: name | file | exact original text | replacement text
# (fields split on " | "; '#' starts a comment line). Texts are replaced
# literally, never as patterns.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/scripts/mutants.txt
work=${TMPDIR:-/tmp}/qv-mutants
ctest_select=()
skipped=()
# Without the soak, no benchmark program is needed: the scratch build skips them.
bench=ON
check_only=false
wanted=()
while [ $# -gt 0 ]; do
    case $1 in
    --list) list=$(realpath "$2"); shift 2 ;;
    --work) work=$2; shift 2 ;;
    --no-soak) skipped+=('^Game\.Soak$'); bench=OFF; shift ;;
    --skip) skipped+=("$2"); shift 2 ;;
    --tests) ctest_select+=(-R "$2"); shift 2 ;;
    --check) check_only=true; shift ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    -*) echo "mutants.sh: unknown option $1" >&2; exit 2 ;;
    *) wanted+=("$1"); shift ;;
    esac
done

if [ ${#skipped[@]} -gt 0 ]; then
    ctest_select+=(-E "$(IFS='|'; echo "${skipped[*]}")")
fi

names=() files=() originals=() replacements=()
while IFS= read -r line || [ -n "$line" ]; do
    case $line in '' | '#'*) continue ;; esac
    name=${line%% | *}; rest=${line#* | }
    file=${rest%% | *}; rest=${rest#* | }
    original=${rest%% | *}; replacement=${rest#* | }
    if [ "$name" = "$line" ] || [ "$file" = "$rest" ] || [ "$original" = "$rest" ] ||
        [[ $replacement == *' | '* ]]; then
        echo "mutants.sh: not 'name | file | original | replacement': $line" >&2
        exit 2
    fi
    if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qxF -- "$name"; then
        continue
    fi
    names+=("$name") files+=("$file") originals+=("$original") replacements+=("$replacement")
done <"$list"
for name in "${wanted[@]}"; do
    printf '%s\n' "${names[@]}" | grep -qxF -- "$name" ||
        { echo "mutants.sh: no mutant named $name in $list" >&2; exit 2; }
done

# How often the original text occurs in the file; with a third argument,
# replaces its one occurrence by that text. Literal strings throughout.
occurrences() {
    ORIGINAL=$2 perl -0777 -ne 'my ($n, $at) = (0, 0);
        while (($at = index($_, $ENV{ORIGINAL}, $at)) >= 0) { $n++; $at += length $ENV{ORIGINAL}; }
        print $n' "$1"
}
replace_once() {
    ORIGINAL=$2 REPLACEMENT=$3 perl -0777 -i -pe 'my $at = index($_, $ENV{ORIGINAL});
        substr($_, $at, length $ENV{ORIGINAL}) = $ENV{REPLACEMENT} if $at >= 0' "$1"
}

if $check_only; then
    stale=0
    for i in "${!names[@]}"; do
        count=0
        [ -f "$root/${files[$i]}" ] && count=$(occurrences "$root/${files[$i]}" "${originals[$i]}")
        [ "$count" = 1 ] || { echo "stale ${names[$i]} (${files[$i]}: found $count times)"; stale=$((stale + 1)); }
    done
    echo "checked=${#names[@]} stale=$stale"
    exit 0
fi

# The scratch copy: sources as checked out now (build directories left out),
# file times kept so that the build in $work/build stays incremental.
src=$work/src
build=$work/build
logs=$work/logs
mkdir -p "$work" "$logs"
rm -rf "$src"
mkdir "$src"
tar -C "$root" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$src" -xf -
# A file left mutated by an interrupted run is older than its objects now.
if [ -f "$work/last-mutated" ]; then
    touch "$src/$(cat "$work/last-mutated")" 2>/dev/null || true
    rm -f "$work/last-mutated"
fi

echo "== building the unmutated tree in $build"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BUILD_BENCH=$bench >"$logs/configure.log" 2>&1 ||
    { tail -n 30 "$logs/configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc)" >"$logs/build.log" 2>&1 ||
    { tail -n 30 "$logs/build.log"; exit 1; }

run_suite() {
    (cd "$build" && bash "$src/tests/support/own_screen.sh" \
        ctest -j2 --stop-on-failure --output-on-failure "${ctest_select[@]}")
}

killed=0 survived=0 stale=0 broken=0
for i in "${!names[@]}"; do
    name=${names[$i]} file=${files[$i]}
    target=$src/$file
    count=0
    [ -f "$target" ] && count=$(occurrences "$target" "${originals[$i]}")
    if [ "$count" != 1 ]; then
        echo "stale       $name ($file: found $count times)"
        stale=$((stale + 1))
        continue
    fi
    cp "$target" "$work/pristine"
    echo "$file" >"$work/last-mutated"
    replace_once "$target" "${originals[$i]}" "${replacements[$i]}"
    log=$logs/$name.log
    if ! cmake --build "$build" -j "$(nproc)" >"$log" 2>&1; then
        echo "build-error $name"
        broken=$((broken + 1))
    elif run_suite >>"$log" 2>&1; then
        echo "survived    $name"
        survived=$((survived + 1))
    else
        by=$(grep -m 1 -E '\*\*\*(Failed|Timeout|Exception)|\(Failed\)' "$log" |
            sed -E 's/^.*Test +#[0-9]+: ([^ ]+).*$/\1/; s/^[[:space:]]*[0-9]+ - ([^ ]+).*$/\1/' || true)
        echo "killed      $name${by:+ (by $by)}"
        killed=$((killed + 1))
    fi
    # Failed tests keep their files under testrun/; not needed here.
    rm -rf "$build"/testrun/run-*
    # cp gives the restored file a new time, so the next build recompiles it.
    cp "$work/pristine" "$target"
    rm -f "$work/last-mutated"
done
# Leave the scratch build unmutated for the next run.
cmake --build "$build" -j "$(nproc)" >"$logs/build.log" 2>&1 || true
echo "killed=$killed survived=$survived stale=$stale build-error=$broken total=${#names[@]}"
