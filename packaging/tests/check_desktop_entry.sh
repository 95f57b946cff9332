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
# The classroom action starts the program full-screen with the option the program knows.
action=$(sed -n '/^\[Desktop Action schermo-intero\]/,/^\[/p' "$entry")
grep -qx 'Name=Tavenzo a tutto schermo' <<<"$action" || fail "no action \"Tavenzo a tutto schermo\""
grep -qx 'Exec=tavenzo --schermo-intero' <<<"$action" || fail "the action does not start tavenzo --schermo-intero"
grep -q -- '"--schermo-intero"' "$TAVENZO_SOURCE_DIR/ui/glue/command_line.cpp" \
    || fail "the program does not know --schermo-intero"
# The teachers' action opens the studio.
studio=$(sed -n '/^\[Desktop Action insegnante\]/,/^\[/p' "$entry")
grep -qx 'Name=Prepara le liste di parole' <<<"$studio" || fail "no action \"Prepara le liste di parole\""
grep -qx 'Exec=tavenzo --insegnante' <<<"$studio" || fail "the action does not start tavenzo --insegnante"
grep -q -- '"--insegnante"' "$TAVENZO_SOURCE_DIR/ui/glue/command_line.cpp" \
    || fail "the program does not know --insegnante"
echo "desktop entry valid, matches the program's desktop file name $declared, has the full-screen and studio actions"
