#!/usr/bin/env bash
# Builds Quorvel and the example game for the browser with emscripten into
# build-web/site/ and serves that folder on this machine only.
# Usage: scripts/web.sh [--port N] [--build-only]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

port=8000
build_only=0
while [ $# -gt 0 ]; do
    case "$1" in
    --port)
        [ $# -ge 2 ] && [[ "$2" =~ ^[0-9]+$ ]] || { echo "web.sh: --port needs a number" >&2; exit 2; }
        port=$2
        shift 2
        ;;
    --build-only)
        build_only=1
        shift
        ;;
    -h | --help)
        echo "usage: scripts/web.sh [--port N] [--build-only]"
        exit 0
        ;;
    *)
        echo "web.sh: unknown option $1" >&2
        echo "usage: scripts/web.sh [--port N] [--build-only]" >&2
        exit 2
        ;;
    esac
done

ensure_packages "${GAME_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
# Debian's emscripten finds its JavaScript tools (acorn) only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcc --version | sed -n 1p

site=$PWD/build-web/site
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DQV_PLATFORM=web \
    -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
cmake --build build-web -j "$(nproc)"

# The example is built as an outside project would build it: against the
# installed engine only, with the command the package brings for it.
rm -rf build-web/prefix
cmake --install build-web --prefix "$PWD/build-web/prefix" >/dev/null
build-web/prefix/bin/qv-web-build examples/gemhunt build-web/gemhunt -DQV_SITE_DIR="$site/gemhunt"

echo "site: $site"
[ "$build_only" = 1 ] && exit 0
echo "serving $site at http://127.0.0.1:$port/ (Ctrl-C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
