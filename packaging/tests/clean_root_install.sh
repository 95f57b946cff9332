#!/usr/bin/env bash
# Installs a built package with apt into a fresh minimal Debian 12 root and starts it there, so that nothing the
# build machine happens to have can stand in for a missing dependency. Too slow for the suite (about five minutes,
# mostly downloads); run it by hand as root before a release:
#   packaging/tests/clean_root_install.sh build/tavenzo_1.0.0_amd64.deb [mirror]
set -euo pipefail

deb=$(realpath "$1")
mirror=${2:-http://deb.debian.org/debian}
tests_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap and chroot need it)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "install debootstrap first" >&2; exit 2; }

root=$(mktemp -d /var/tmp/tavenzo-root.XXXXXX)
chmod 755 "$root"
cleanup() {
    mountpoint -q "$root/proc" && umount "$root/proc"
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 \
    || { cat "$root.debootstrap.log"; exit 1; }
rm -f "$root.debootstrap.log"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$tests_dir/start_program.sh" "$root/tmp/"
mount -t proc proc "$root/proc"

in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive \
        sh -c "$1"
}
in_root "apt-get update -qq && apt-get install -y -qq --no-install-recommends /tmp/$(basename "$deb") \
    xvfb xauth xdotool x11-utils >/dev/null"
# The root shares the host's network namespace and with it the abstract X sockets: keep clear of host displays.
in_root "cd /root && xvfb-run -a -n 170 -s '-screen 0 1280x1024x24 -nolisten tcp' \
    bash /tmp/start_program.sh tavenzo /root tavenzo list"
in_root "apt-get remove -y -qq tavenzo >/dev/null && test ! -e /usr/bin/tavenzo && test ! -e /usr/share/tavenzo"
echo "clean root: installed with apt, started, removed"
