#!/usr/bin/env bash
# `cmake --install` into a scratch prefix gives the expected tree, and the command on the PATH starts the program,
# which finds its word list through the link from any working directory; every installed graded list, put in place
# of lista.txt, starts it just as well.
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

need_tools desktop-file-utils desktop-file-validate
check_menu_entry "$prefix"

need_tools xvfb xvfb-run
need_tools xdotool xdotool
need_tools x11-utils xprop
start_program "$prefix/bin/tavenzo" "$scratch/elsewhere" list

mv "$prefix/lib/tavenzo/lista.txt" "$scratch/lista.txt"
start_program "$prefix/bin/tavenzo" "$scratch/elsewhere" nolist
for list in $TAVENZO_GRADED_LISTS; do
    cp "$prefix/lib/tavenzo/$list" "$prefix/lib/tavenzo/lista.txt"
    start_program "$prefix/bin/tavenzo" "$scratch/elsewhere" list
done
mv "$scratch/lista.txt" "$prefix/lib/tavenzo/lista.txt"
rm -rf "$scratch"
