#!/bin/sh
# Installs the Debian packages the build, the tools and the tests need, and
# with "fuzz" or "windows" also those of the fuzz targets (clang and its
# fuzzer runtime) or of the Windows build under Wine (MinGW-w64, Wine).
# Idempotent: only packages that are missing are installed.
#   scripts/setup.sh [fuzz] [windows]
set -eu

PACKAGES="
cmake ninja-build g++ pkg-config
libgtest-dev libgmock-dev googletest libbenchmark-dev
libcli11-dev nlohmann-json3-dev
qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n
libgl-dev libxkbcommon-dev
fonts-liberation2 fonts-dejavu-core
xvfb xauth
"
for extra in "$@"; do
    case "$extra" in
        fuzz) PACKAGES="$PACKAGES clang libclang-rt-14-dev" ;;
        windows) PACKAGES="$PACKAGES g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64" ;;
        *) echo "setup: unknown package set $extra (fuzz, windows)" >&2; exit 2 ;;
    esac
done

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    echo "setup: every package is installed"
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

echo "setup: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
