#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate and is named as the program names its desktop file (the Wayland
# app id, by which a shell finds the entry and its icon for the program's windows).
#   check_desktop_entry.sh <tavenzo.desktop>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_tools desktop-file-utils desktop-file-validate

entry=$1
validate_desktop_entry "$entry"
declared=$(sed -n 's/.*setDesktopFileName(QStringLiteral("\([^"]*\)")).*/\1/p' \
    "$TAVENZO_SOURCE_DIR/ui/glue/toolkit_setup.cpp")
[ -n "$declared" ] || fail "the program declares no desktop file name"
[ "$(basename "$entry")" = "$declared.desktop" ] || fail "the entry is $(basename "$entry"), the program says $declared"
echo "desktop entry valid, matches the program's desktop file name $declared"
