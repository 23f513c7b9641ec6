#!/usr/bin/env bash
# Cross-builds Quorvel and the example game for 64-bit Windows with Debian's
# MinGW-w64 into build-windows/dist/ (one zip per game: a static .exe, its
# sprites, sounds, font and a README), and with --run plays Quorvel under Wine.
# The libraries the engine needs on Windows (SFML's window and graphics,
# FreeType, libsndfile with Ogg, Vorbis, FLAC and Opus) are built from
# Debian's own source packages into a cache kept outside the repository
# (QV_WINDOWS_CACHE, by default ~/.cache/qv-windows), one folder per set of
# versions, which later runs reuse.
# Usage: scripts/windows.sh [--run]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

usage="usage: scripts/windows.sh [--run]"
run=0
while [ $# -gt 0 ]; do
    case "$1" in
    --run)
        run=1
        shift
        ;;
    -h | --help)
        echo "$usage"
        exit 0
        ;;
    *)
        echo "windows.sh: unknown option $1" >&2
        echo "$usage" >&2
        exit 2
        ;;
    esac
done

ensure_packages "${GAME_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
jobs=$(nproc)
cache=${QV_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/qv-windows}
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
mkdir -p "$cache"

# ---- Debian's source packages, through an apt state of our own --------------
# The machine's own apt configuration is read, never changed: its binary
# sources become source entries in a private folder, with private lists.
apt_dir=$cache/apt
mkdir -p "$apt_dir/parts" "$apt_dir/state/lists/partial" "$apt_dir/cache/archives/partial"
: >"$apt_dir/status"
rm -f "$apt_dir/parts/"*
for f in /etc/apt/sources.list.d/*.sources; do
    if [ -e "$f" ]; then
        sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt_dir/parts/$(basename "$f")"
    fi
done
cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed -n 's/^deb \(.*\)/deb-src \1/p' >"$apt_dir/parts/machine.list" || true
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/parts/machine.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
          -o "Dir::State=$apt_dir/state" -o "Dir::State::status=$apt_dir/status"
          -o "Dir::Cache=$apt_dir/cache" -o "APT::Sandbox::User=$(id -un)")
# Offline with lists from an earlier run: those lists still name the versions.
apt-get "${apt_opts[@]}" -qq update >/dev/null 2>&1 ||
    echo "windows.sh: could not update the source lists; using the ones from the last run" >&2

libraries=(libogg libvorbis flac opus libsndfile freetype libsfml)
key=""
for lib in "${libraries[@]}"; do
    version=$(apt-cache "${apt_opts[@]}" showsrc "$lib" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -1)
    [ -n "$version" ] || { echo "windows.sh: Debian has no source package $lib" >&2; exit 1; }
    key+="$lib-$version;"
done
# Bumped whenever the way the libraries are built below changes.
recipe=6
key+="$(x86_64-w64-mingw32-g++-posix --version | sed -n 1p);recipe-$recipe"
prefix=$cache/libs-$(echo "$key" | sha1sum | cut -c1-12)

# build_library SOURCE_PACKAGE [cmake options...]: fetches the package's
# source, unpacks it as Debian builds it (its patches, security fixes among
# them, applied) and installs its static libraries.
build_library() {
    local lib=$1
    shift
    # An interrupted run keeps what it finished.
    [ -e "$prefix/built/$lib" ] && return
    local work=$prefix.work/$lib
    rm -rf "$work"
    mkdir -p "$work"
    (cd "$work" && apt-get "${apt_opts[@]}" -qq source --download-only "$lib" >/dev/null 2>&1 &&
        dpkg-source -x ./*.dsc src >/dev/null 2>&1) ||
        { echo "windows.sh: could not fetch or unpack Debian's $lib source" >&2; exit 1; }
    if [ "${1:-}" = --configure ]; then
        # Released without all of its CMake files: its own configure script.
        shift
        (cd "$work/src" && ./configure --host=x86_64-w64-mingw32 --prefix="$prefix" --disable-shared \
            --enable-static CC=x86_64-w64-mingw32-gcc-posix "$@" && make -j "$jobs" && make install) \
            >"$work/log" 2>&1
    else
        cmake -S "$work/src" -B "$work/build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
            -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@" >"$work/log" 2>&1 &&
            cmake --build "$work/build" -j "$jobs" >>"$work/log" 2>&1 &&
            cmake --install "$work/build" >>"$work/log" 2>&1
    fi || { tail -30 "$work/log" >&2; echo "windows.sh: building $lib failed (log: $work/log)" >&2; exit 1; }
    mkdir -p "$prefix/built"
    touch "$prefix/built/$lib"
    echo "  $lib"
}

if [ ! -e "$prefix/done" ]; then
    echo "Building the Windows libraries from Debian's sources into $prefix"
    started=$SECONDS
    build_library libogg -DINSTALL_DOCS=OFF
    build_library libvorbis
    build_library flac -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
        -DINSTALL_MANPAGES=OFF -DWITH_OGG=ON -DWITH_STACK_PROTECTOR=OFF \
        -DWITH_FORTIFY_SOURCE=OFF
    # Without the checked string functions of GCC's libssp, which the
    # script would otherwise have to link into every game.
    build_library opus --configure --disable-doc --disable-extra-programs --disable-stack-protector \
        CPPFLAGS=-D_FORTIFY_SOURCE=0
    # FLAC's headers import from its DLL unless told it is linked statically.
    build_library libsndfile -DCMAKE_C_FLAGS=-DFLAC__NO_DLL -DENABLE_EXTERNAL_LIBS=ON -DENABLE_MPEG=OFF \
        -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DENABLE_CPACK=OFF -DBUILD_REGTEST=OFF
    build_library freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
    build_library libsfml -DSFML_USE_SYSTEM_DEPS=ON -DSFML_BUILD_AUDIO=OFF -DSFML_BUILD_NETWORK=OFF \
        -DSFML_BUILD_DOC=OFF -DSFML_BUILD_EXAMPLES=OFF -DSFML_USE_STATIC_STD_LIBS=ON \
        -DSFML_INSTALL_PKGCONFIG_FILES=OFF
    rm -rf "$prefix.work"
    echo "$key" >"$prefix/done"
    echo "Libraries built in $((SECONDS - started)) s"
fi
# Opus's configure script installs no CMake package, which libsndfile's asks for.
mkdir -p "$prefix/lib/cmake/Opus"
cat >"$prefix/lib/cmake/Opus/OpusConfig.cmake" <<'CMAKE'
if(NOT TARGET Opus::opus)
    add_library(Opus::opus STATIC IMPORTED)
    set_target_properties(Opus::opus PROPERTIES
        IMPORTED_LOCATION "${CMAKE_CURRENT_LIST_DIR}/../../libopus.a"
        INTERFACE_INCLUDE_DIRECTORIES "${CMAKE_CURRENT_LIST_DIR}/../../../include/opus")
endif()
CMAKE
# SFML names Windows' OpenGL library as on Windows, where case does not
# matter; MinGW's is lower-case.
sed -i 's/"OpenGL32"/"opengl32"/' "$prefix/lib/cmake/SFML/SFMLConfigDependencies.cmake"
# Older sets of versions are of no further use.
for old in "$cache"/libs-*; do
    [ "$old" = "$prefix" ] || rm -rf "$old"
done

# ---- the engine, Quorvel and the example ------------------------------------
out=$PWD/build-windows
cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release)
# A build made against another set of libraries remembers their paths.
[ "$(cat "$out/libraries" 2>/dev/null)" = "$prefix" ] || rm -rf "$out"
mkdir -p "$out"
# Where the libraries are, for whoever builds against the installed engine.
echo "$prefix" >"$out/libraries"
cmake -S . -B "$out" "${cross[@]}" -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" >/dev/null
cmake --build "$out" -j "$jobs"
# The example is built as an outside project would build it: against the
# installed engine only.
rm -rf "$out/prefix"
cmake --install "$out" --prefix "$out/prefix" >/dev/null
cmake -S examples/gemhunt -B "$out/gemhunt" "${cross[@]}" -DCMAKE_PREFIX_PATH="$out/prefix;$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$out/prefix;$prefix" >/dev/null
cmake --build "$out/gemhunt" -j "$jobs" --target gemhunt

# ---- one zip per game -------------------------------------------------------
# package NAME TITLE EXE SPRITES AUDIO KEYS: the folder a player unzips.
package() {
    local name=$1 title=$2 exe=$3 sprites=$4 audio=$5 keys=$6
    local folder=$out/dist/$name
    rm -rf "$folder" "$folder-windows.zip"
    mkdir -p "$folder"
    x86_64-w64-mingw32-strip -o "$folder/$name.exe" "$exe"
    cp -r "$sprites" "$folder/Sprites"
    cp -r "$audio" "$folder/Audio"
    cp qv-font.ttf "$folder/qv-font.ttf"
    cat >"$folder/README.txt" <<TEXT
$title for Windows (64-bit)

Double-click $name.exe. It reads Sprites\\, Audio\\ and qv-font.ttf from
this folder and writes its log, $name.log, here too. No installation and
no other file is needed. A console window opens beside the game's: it shows
the game's messages, and closing it or pressing Ctrl-C there ends the game.

$keys

From a command prompt in this folder:
  $name.exe --record game.replay              play and record the game
  $name.exe --replay game.replay              watch it again
  $name.exe --replay game.replay --headless   check it, as fast as possible
  $name.exe --help                            every option

The font is 3270 Condensed (BSD/OFL licensed).
TEXT
    sed -i 's/$/\r/' "$folder/README.txt"
    (cd "$out/dist" && zip -qr "$name-windows.zip" "$name")
    echo "$out/dist/$name-windows.zip: $(stat -c %s "$out/dist/$name-windows.zip") bytes"
}
mkdir -p "$out/dist"
package quorvel Quorvel "$out/quorvel.exe" Sprites Audio \
    "P starts a game, Q quits. A D W S walk, a click punches, E throws a
fireball, R eight of them, Q heals, Esc gives up."
package gemhunt "Gem Hunt" "$out/gemhunt/gemhunt.exe" examples/gemhunt/Sprites examples/gemhunt/Audio \
    "W A S D walk, Q quits."

[ "$run" = 1 ] || exit 0
# A Wine prefix of the script's own, made without dialogs (no Mono, no Gecko).
export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -e "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
cd "$out/dist/quorvel"
exec wine quorvel.exe
