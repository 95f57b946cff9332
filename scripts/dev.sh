#!/usr/bin/env bash
# Sets up a Debian 12 / Ubuntu machine for Tavenzo, builds it, then starts it or runs the test suite.
#   scripts/dev.sh start   install what is missing, build, start the program with its bundled content
#   scripts/dev.sh test    install what is missing, build, run the whole test suite
# Safe to run again: it installs and rebuilds only what is missing or changed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${TAVENZO_BUILD_DIR:-$here/build}"
action="${1:-start}"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
    libqt6svg6 qt6-image-formats-plugins libgtest-dev libgmock-dev libespeak-ng-dev espeak-ng-data espeak-ng
    fonts-liberation2 fonts-dejavu-core
    libxcb1-dev xvfb xauth xdotool x11-utils imagemagick
    pulseaudio pulseaudio-utils sox
    clang clang-format libclang-rt-14-dev libbenchmark-dev
    desktop-file-utils appstream dpkg-dev fakeroot file binutils lintian man-db bsdextrautils
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Without root rights nothing can be installed here: say what is missing and how to get it, and stop before a build
# that would fail for the want of it.
cannot_install() {
    local why=$1
    shift
    {
        echo "scripts/dev.sh: these packages are missing: $*"
        echo "Installing them needs root rights, and $why."
        echo "Ask an administrator to install them (or do it yourself as root, with su -):"
        echo "    apt-get update && apt-get install --no-install-recommends $*"
        echo "then run scripts/dev.sh $action again as this user; the build itself needs no root rights."
    } >&2
    exit 1
}

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
# Node.js may come from elsewhere with npm built in; Debian's npm is only needed where there is none.
if ! command -v npm >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi
if [ "${#missing[@]}" -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
        cannot_install "this user is not root and sudo is not installed" "${missing[@]}"
    fi
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ] && ! sudo -v; then
        cannot_install "sudo did not give them to this user" "${missing[@]}"
    fi
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The emoji artwork the pictures are rendered from (Noto Emoji, Fluent Emoji Flat, Twemoji), pinned by the lockfile.
artwork_missing=no
for picture_set in noto fluent-emoji-flat twemoji; do
    [ -f "$here/content/node_modules/@iconify-json/$picture_set/icons.json" ] || artwork_missing=yes
done
if [ "$artwork_missing" = yes ] \
    || [ "$here/content/package-lock.json" -nt "$here/content/node_modules/.package-lock.json" ]; then
    npm ci --prefix "$here/content" --no-audit --no-fund --loglevel=error
fi

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)"

case "$action" in
start)
    exec "$build/bin/tavenzo"
    ;;
test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300
    ;;
*)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
