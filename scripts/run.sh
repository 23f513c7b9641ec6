#!/usr/bin/env bash
# Builds the game and starts it from the repository root, where it finds
# Sprites/, Audio/ and qv-font.ttf.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${GAME_PACKAGES[@]}"
configure_and_build build -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
exec ./build/quorvel
