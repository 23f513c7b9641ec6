#!/usr/bin/env bash
# Builds and runs the whole test suite twice: in a plain build and in an
# AddressSanitizer + UndefinedBehaviorSanitizer build. Window, input and sound
# tests run against a virtual X screen.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${GAME_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

run_suite() {
    (cd "$1" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure)
}

echo "== plain build =="
configure_and_build build
run_suite build

echo "== shipped sprites =="
./build/tools/qv-sprite-check Sprites/*-spr.txt

echo "== sanitizer build =="
configure_and_build build-asan -DQV_SANITIZE=ON -DQV_BUILD_BENCH=OFF
# Any sanitizer report fails its test; leaks inside the system's GL, X11 and
# audio drivers are not ours and are suppressed.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
run_suite build-asan
