#!/usr/bin/env bash
# Runs inside an X server of its own (xvfb-run): starts the program as a user would, from a working directory that
# holds none of its files, and checks what the desktop sees of it.
#   start_program.sh <command> <working-dir> <wm-class-instance> list|nolist [<file for the loaded files>]
# "list": the program must read its word list and show the splash, then the menu after a click; both windows must
#         carry the WM_CLASS a desktop entry matches and an icon. The files it has mapped are written out.
# "nolist": the program folder lacks lista.txt; the program must say so in a box instead of showing the splash,
#           which proves that a shown splash means the list was found.
set -uo pipefail

command=$1
workdir=$2
instance=$3
mode=$4
mapped_out=${5:-}

log=$(mktemp)
pid=
finish() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null
    fi
    rm -f "$log"
}
trap finish EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "--- program output:" >&2
    cat "$log" >&2
    exit 1
}

# Waits for a mapped top-level window whose title matches; prints its id.
wait_window() {
    timeout "$2" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Waits until the program says that window $1 takes presses: a new window ignores them for the double-click interval,
# counted from when the program shows it, which on a busy machine may be well after the window is seen.
wait_takes_presses() {
    local deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        grep -q "^tavenzo.screens: window $1 " "$log" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

check_identity() {
    local wid=$1 screen=$2 wm_class icon
    wm_class=$(xprop -id "$wid" WM_CLASS)
    [[ $wm_class == *"= \"$instance\", \"Tavenzo\""* ]] \
        || fail "$screen: WM_CLASS is ${wm_class#*= }, expected \"$instance\", \"Tavenzo\""
    icon=$(xprop -id "$wid" _NET_WM_ICON | head -n 1)
    [[ $icon =~ Icon\ \(([0-9]+)\ x\ ([0-9]+)\) ]] || fail "$screen: no _NET_WM_ICON ($icon)"
    echo "$screen: WM_CLASS ${wm_class#*= }, _NET_WM_ICON ${BASH_REMATCH[1]} x ${BASH_REMATCH[2]}"
}

cd "$workdir" || fail "no working directory $workdir"
# The suite runs offscreen; this run needs the real X server that xvfb-run provides. A teacher's folder of the machine
# (~/.local/share/tavenzo) must not change what the package is checked with, so it points where none is. The program
# is asked to say when each window takes presses.
env -u QT_QPA_PLATFORM XDG_DATA_HOME="$workdir/.no-teacher-folder" QT_LOGGING_RULES="tavenzo.screens.info=true" \
    QT_FORCE_STDERR_LOGGING=1 "$command" >"$log" 2>&1 &
pid=$!

case "$mode" in
list)
    splash=$(wait_window '^Form1' 30)
    [ -n "$splash" ] || fail "the splash window Form1 did not appear within 30 s"
    [ -z "$(xdotool search --onlyvisible --name '^Tavenzo$' 2>/dev/null)" ] || fail "a message box is open"
    check_identity "$splash" "splash"

    wait_takes_presses "$splash" 20 || fail "the splash never said that it takes presses"
    xdotool mousemove --window "$splash" 350 300 click 1
    menu=$(wait_window '^Form2' 20)
    [ -n "$menu" ] || fail "the menu window Form2 did not open after a click on the splash"
    check_identity "$menu" "menu"

    if [ -n "$mapped_out" ]; then
        awk '$6 ~ /^\// { print $6 }' "/proc/$pid/maps" | sort -u >"$mapped_out"
    fi
    ;;
nolist)
    box=$(wait_window '^Tavenzo$' 30)
    [ -n "$box" ] || fail "no message box about the missing list appeared within 30 s"
    [ -z "$(xdotool search --onlyvisible --name '^Form1' 2>/dev/null)" ] || fail "the splash showed without a list"
    echo "missing list: message box shown, no splash"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
kill -0 "$pid" 2>/dev/null || fail "the program has ended by itself"
