# Shared by run.sh and test.sh: installs missing Debian packages and builds.

# Installs the given Debian packages if any of them is missing.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
    fi
}

# What the game needs to build and run.
GAME_PACKAGES=(cmake g++ make libsfml-dev libopenal-dev libx11-dev libxcb1-dev fonts-3270)
# What the test suite needs on top: test and benchmark libraries, a virtual
# screen, real key presses, sound measuring; clang and its sanitizer and
# libFuzzer runtimes for the sprite loader fuzzer, llvm for its symbolizer;
# doxygen and graphviz for the API reference; tmux, a real terminal to
# play the game in.
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool libxtst6 x11-utils imagemagick sox
               clang libclang-rt-14-dev llvm doxygen graphviz tmux)
# The browser build: the compiler and its JavaScript parser, python3 to serve
# the page; the browser test drives Debian's Chromium from node (npm comes
# with nodejs from some sources and separately from Debian's).
WEB_PACKAGES=(emscripten node-acorn python3 sox libsox-fmt-mp3)
WEB_TEST_PACKAGES=(chromium nodejs)
# The Windows build: the cross compiler, Debian's source tools and Wine to
# play it; zip packs each game.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils zip wine wine64)
command -v npm >/dev/null 2>&1 || WEB_TEST_PACKAGES+=(npm)

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j "$(nproc)"
}
