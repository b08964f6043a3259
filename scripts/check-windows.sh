#!/bin/sh
# Compiles the platform-neutral libraries, the Win32 back ends and the
# command-line tool with the MinGW-w64 cross compiler, so that the Windows
# build stays sound without a Windows machine. Installs the compiler if missing.
#   scripts/check-windows.sh
set -eu
cd "$(dirname "$0")/.."

CXX=x86_64-w64-mingw32-g++-posix
PACKAGE=g++-mingw-w64-x86-64-posix

if ! command -v "$CXX" >/dev/null 2>&1; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then
        SUDO="sudo"
    fi
    echo "check-windows: installing $PACKAGE"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "$PACKAGE"
fi

out=build/windows-check
rm -rf "$out"
mkdir -p "$out/obj" "$out/include"
# Header-only libraries of the host serve the cross build as they are.
for lib in CLI nlohmann; do
    if [ -d "/usr/include/$lib" ]; then
        ln -s "/usr/include/$lib" "$out/include/$lib"
    fi
done

FLAGS="-std=c++20 -Wall -Wextra -Wpedantic -Werror -I. -isystem $out/include"

sources=$(find document link -name '*.cpp' -not -path '*/posix/*' | sort)
if [ -d tools/gltcfg ]; then
    sources="$sources $(find tools/gltcfg -name '*.cpp' -not -path '*/posix/*' | sort)"
fi

status=0
for src in $sources; do
    obj="$out/obj/$(echo "$src" | tr '/' '_').o"
    if ! $CXX $FLAGS -c "$src" -o "$obj"; then
        echo "check-windows: FAILED $src" >&2
        status=1
    fi
done
if [ "$status" -ne 0 ]; then
    exit "$status"
fi

# Linking the tool shows that every platform function has its Win32 body.
if [ -d tools/gltcfg ]; then
    $CXX -static -o "$out/gltcfg.exe" "$out"/obj/*.o -lsetupapi -ladvapi32 -lshell32
    echo "check-windows: linked $out/gltcfg.exe"
fi
echo "check-windows: every source compiles for Windows"
