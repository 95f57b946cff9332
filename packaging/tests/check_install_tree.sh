#!/usr/bin/env bash
# `cmake --install` into a scratch prefix gives the expected tree, and the command on the PATH starts the program,
# which finds its word list in share/tavenzo from any working directory; every installed graded list, put in place of
# lista.txt, starts it just as well. An installation whose content folder would be the teacher's own folder is
# refused before it writes anything.
#   check_install_tree.sh <build-dir> <scratch-dir>
set -euo pipefail
source "$(dirname "$0")/lib.sh"

build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/elsewhere"
prefix="$scratch/prefix"

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" \
    || { cat "$scratch/install.log"; fail "cmake --install"; }
check_layout "$prefix" "$build"

need_tools man-db man
need_tools bsdextrautils col
check_manual_page "$prefix"

need_tools desktop-file-utils desktop-file-validate
check_menu_entry "$prefix"

# --prefix ~/.local, seen from a user whose data folder is ~/.local/share.
clash="$scratch/clash"
mkdir -p "$clash/share/tavenzo"
printf 'maestra\r\n' >"$clash/share/tavenzo/lista.txt"
if XDG_DATA_HOME="$clash/share" cmake --install "$build" --prefix "$clash" >"$scratch/clash.log" 2>&1; then
    fail "cmake --install put the bundled content into the teacher's folder $clash/share/tavenzo"
fi
tr -s ' \n' ' ' <"$scratch/clash.log" | grep -q "the teacher's own folder" || { cat "$scratch/clash.log"; fail "no reason for the refusal"; }
[ "$(printf 'maestra\r\n')" = "$(cat "$clash/share/tavenzo/lista.txt")" ] || fail "the teacher's lista.txt was changed"
[ "$(find "$clash" ! -type d | wc -l)" -eq 1 ] || fail "the refused installation wrote: $(find "$clash" ! -type d)"
echo "an installation into the teacher's folder is refused before it writes anything"

need_tools xvfb xvfb-run
need_tools xdotool xdotool
need_tools x11-utils xprop
content="$prefix/share/tavenzo"
start_program "$prefix/bin/tavenzo" "$scratch/elsewhere" list

mv "$content/lista.txt" "$scratch/lista.txt"
start_program "$prefix/bin/tavenzo" "$scratch/elsewhere" nolist
for list in $TAVENZO_GRADED_LISTS; do
    cp "$content/$list" "$content/lista.txt"
    start_program "$prefix/bin/tavenzo" "$scratch/elsewhere" list
done
mv "$scratch/lista.txt" "$content/lista.txt"
rm -rf "$scratch"
