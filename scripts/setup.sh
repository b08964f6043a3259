#!/bin/sh
# Installs the Debian packages the build, the tools and the tests need.
# Idempotent: only packages that are missing are installed.
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
