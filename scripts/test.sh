#!/usr/bin/env bash
# Builds and runs the whole test suite twice: in a plain build and in an
# AddressSanitizer + UndefinedBehaviorSanitizer build, replays the golden
# replays on an -O3 -march=native build of the game, builds the API
# reference, installs the engine and builds and plays the example game and
# the tutorial's game against it, builds both games and the tutorial's for
# the browser and plays them in headless Chromium, cross-builds both for
# Windows and plays them under Wine, then fuzzes the sprite loader for a minute, the
# replay reader for half a minute and the terminal reader for 20 seconds.
# Window, input and sound tests run against a virtual X screen.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

echo "== platform headers =="
# Only engine/qv/platform/ talks to the machine; a platform's header anywhere
# else in the engine, the game or the examples ties that code to one
# platform. tools/ and bench/ are desktop-only and may.
platform_headers='^\s*#\s*include\s*[<"](SFML/|X11/|AL/|emscripten|unistd\.h|termios\.h|dlfcn\.h|sys/|signal\.h|fcntl\.h|poll\.h|windows\.h|xaudio2\.h|timeapi\.h|objbase\.h|sndfile\.h)'
misplaced=$(grep -rnE --include='*.h' --include='*.cpp' "$platform_headers" engine game examples |
    grep -v '^engine/qv/platform/' || true)
if [ -n "$misplaced" ]; then
    printf 'Platform headers outside engine/qv/platform/:\n%s\n' "$misplaced" >&2
    exit 1
fi

ensure_packages "${GAME_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

echo "== module layers =="
# An engine module includes only the modules below it. The exceptions are
# what the engine is built around: events carry world and input types, the
# game manager drives display, input, resources and world, and an object
# shows a sprite. A folder missing from the order fails too.
allowed_upward='^core/Event(Collision|Keyboard|Mouse)\.h:(world/Vector|display/(Keyboard|Mouse))\.h$'
allowed_upward+='|^core/(GameManager|Manager)\.cpp:(world|display|resources)/|^world/Object\.cpp:resources/'
upward=$(cd engine/qv && grep -rHo --include='*.h' --include='*.cpp' '#include "qv/[^"]*"' -- */ |
    sed -E 's|#include "qv/||; s|"$||' |
    awk -F: -v order="core world display resources replay platform app" '
        BEGIN { n = split(order, names, " "); for (i = 1; i <= n; ++i) rank[names[i]] = i }
        { split($1, from, "/"); split($2, to, "/")
          if (!(from[1] in rank) || !(to[1] in rank) || rank[to[1]] > rank[from[1]]) print }' |
    grep -Ev "$allowed_upward" || true)
if [ -n "$upward" ]; then
    printf 'Includes that run up the module order:\n%s\n' "$upward" >&2
    exit 1
fi

# -noreset: by default the virtual X server resets whenever its last client
# leaves, and a test that connects during the reset fails to open a display.
# Two tests at a time: each has its own directory and log, and the tests that
# send real key presses bring their own virtual screen.
run_suite() {
    (cd "$1" && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest -j2 --output-on-failure)
}

echo "== plain build =="
# Configured for build/prefix; installed later with --prefix elsewhere, as
# authors do, where the package must still find its font.
configure_and_build build -DCMAKE_INSTALL_PREFIX="$PWD/build/prefix"
run_suite build

echo "== golden replays on an -O3 -march=native build =="
# Everything this CPU offers, fused multiply-add included where it has it:
# the recorded games must still match to the last bit.
if grep -qw fma /proc/cpuinfo; then
    echo "this CPU has fused multiply-add (FMA)"
else
    echo "this CPU has no fused multiply-add (FMA): the build below cannot show its effect"
fi
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="-O3 -march=native" \
    -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
cmake --build build-native -j "$(nproc)" --target quorvel
for replay in tests/replays/*.replay; do
    result=$(./build-native/quorvel --replay "$replay" --headless 2>&1) || true
    echo "$replay: $(tail -n 1 <<<"$result")"
    grep -q " mismatches=0 " <<<"$result" || { echo "FAIL: $result"; exit 1; }
done

echo "== shipped sprites =="
./build/tools/qv-sprite-check Sprites/*-spr.txt examples/*/Sprites/*-spr.txt

echo "== API reference =="
# Doxygen treats every warning as an error: an undocumented public member
# or a broken reference fails here.
cmake --build build --target docs

echo "== installed package, the example game and the tutorial's game =="
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash tests/examples/gemhunt.sh build .

echo "== the web build in headless Chromium =="
./scripts/web.sh --build-only
# The tutorial's game, then its page with the web package's qv-web-build.
bash tests/examples/tutorial.sh build/qv . build-web/prefix build-web/site/dodge
ensure_packages "${WEB_TEST_PACKAGES[@]}"
# puppeteer-core drives Debian's Chromium; it downloads no browser of its own.
(cd tests/web && npm install --no-audit --no-fund --no-save --no-package-lock puppeteer-core@25)
node tests/web/browser_test.mjs build-web/site build/quorvel build/tests/qv_last_screen .
# The canvas at pixel ratios 1, 2 and 3 in three window shapes, and frames
# on displays of 60, 120 and 144 Hz (about 25 s together).
node tests/web/screen_test.mjs build-web/site
node tests/web/pacing_test.mjs build-web/site
# A replay watched in the page: keys, buttons, scrub bar, take-over (about 20 s).
node tests/web/viewer_test.mjs build-web/site build/quorvel .

echo "== the Windows build under Wine =="
# Cross-built with MinGW-w64 (its libraries come from a cache after the first
# run), then played under Wine on a screen of its own.
./scripts/windows.sh
bash tests/support/own_screen.sh bash tests/windows/wine_test.sh build-windows build .

echo "== sanitizer build =="
configure_and_build build-asan -DQV_SANITIZE=ON -DQV_BUILD_BENCH=OFF
# Any sanitizer report fails its test; leaks inside the system's GL, X11 and
# audio drivers are not ours and are suppressed.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
run_suite build-asan

echo "== sprite loader fuzzing =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_FUZZ=ON
cmake --build build-fuzz -j "$(nproc)" --target fuzz_sprite_loader fuzz_replay_reader \
    fuzz_terminal_reader
# The fuzzer adds what it finds to its first directory: a copy, so the
# committed corpus stays as it is. Crashes, leaks, timeouts and sanitizer
# reports end it with a non-zero status and leave the input in build-fuzz/.
rm -rf build-fuzz/corpus build-fuzz/artifacts
cp -r tests/fuzz/corpus build-fuzz/corpus
mkdir build-fuzz/artifacts
# Inputs that once broke the loader are replayed too, read-only.
seeds=(build-fuzz/corpus)
if [ -d tests/fuzz/regressions ]; then
    seeds+=(tests/fuzz/regressions)
fi
ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1" \
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    build-fuzz/tests/fuzz/fuzz_sprite_loader -max_total_time=60 -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -dict=tests/fuzz/sprite.dict -artifact_prefix=build-fuzz/artifacts/ \
    "${seeds[@]}"

echo "== replay reader fuzzing =="
rm -rf build-fuzz/replay-corpus
cp -r tests/fuzz/replay-corpus build-fuzz/replay-corpus
seeds=(build-fuzz/replay-corpus)
if [ -d tests/fuzz/replay-regressions ]; then
    seeds+=(tests/fuzz/replay-regressions)
fi
ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1" \
    build-fuzz/tests/fuzz/fuzz_replay_reader -max_total_time=30 -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -dict=tests/fuzz/replay.dict -artifact_prefix=build-fuzz/artifacts/ \
    "${seeds[@]}"

echo "== terminal reader fuzzing =="
rm -rf build-fuzz/terminal-corpus
cp -r tests/fuzz/terminal-corpus build-fuzz/terminal-corpus
ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1" \
    build-fuzz/tests/fuzz/fuzz_terminal_reader -max_total_time=20 -timeout=10 -rss_limit_mb=2048 \
    -max_len=1024 -dict=tests/fuzz/terminal.dict -artifact_prefix=build-fuzz/artifacts/ \
    build-fuzz/terminal-corpus
