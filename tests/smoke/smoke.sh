#!/usr/bin/env bash
# Smoke test of the real program under Xvfb: start it from another folder, splash, menu, every exercise in and out
# with "Esci" -> "Sì", then "Esci" -> "Sì" on the menu, and the process must end by itself with status 0.
#   tests/smoke/smoke.sh path/to/tavenzo
set -euo pipefail

exe=$(realpath "$1")
display=${SMOKE_DISPLAY:-:97}
work=$(mktemp -d)
log="$work/tavenzo.log"
xvfb_pid=""
app_pid=""

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "smoke: FAIL: $*" >&2
    [ -f "$log" ] && sed 's/^/  program: /' "$log" >&2
    exit 1
}

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $display"

# The window of the given exact title, once it is mapped; empty when it is not there.
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
wait_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(window "$1")
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
wait_gone() {
    for _ in $(seq 100); do
        [ -z "$(window "$1")" ] && return 0
        sleep 0.1
    done
    return 1
}
# The one visible program window that is neither the splash nor the menu.
exercise_window() {
    local id name
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
            name=$(xdotool getwindowname "$id" 2>/dev/null || true)
            if [ "$name" != "Form1" ] && [ "$name" != "Form2" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
confirm_yes() { sleep 0.4; xdotool key Return; }

cd "$work"
unset QT_QPA_PLATFORM
XDG_RUNTIME_DIR="$work" "$exe" >"$log" 2>&1 &
app_pid=$!

splash=$(wait_window Form1) || fail "the splash window Form1 did not appear"
sleep 0.5
import -window root "$work/splash.png"
spread=$(convert "$work/splash.png" -format "%[fx:standard_deviation]" info:)
awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' || fail "the splash screenshot is blank (spread $spread)"
echo "smoke: splash shown (screenshot spread $spread)"

click_at "$splash" 600 560
menu=$(wait_window Form2) || fail "the menu Form2 did not open from the splash"
wait_gone Form1 || fail "the splash stayed open"
echo "smoke: menu shown"

# Centres of the six exercise buttons, in client pixels of the menu.
buttons=("161 50 lettera1" "467 50 lettera" "161 147 lettere" "467 147 parole" "161 243 disegni" "469 243 DISEGNI1")
for entry in "${buttons[@]}"; do
    read -r x y name <<<"$entry"
    # SMOKE_ONLY="parole disegni" tries just those screens, for a quick look while one is being built.
    if [ -n "${SMOKE_ONLY:-}" ] && [[ " $SMOKE_ONLY " != *" $name "* ]]; then
        continue
    fi
    menu=$(window Form2)
    [ -n "$menu" ] || fail "the menu is not shown before $name"
    click_at "$menu" "$x" "$y"
    wait_gone Form2 || fail "$name did not open (the menu stayed)"
    screen=$(exercise_window) || fail "no window for $name"
    sleep 0.3
    # "Esci" is the last command of the menu bar: Alt opens the bar on its first command, Left wraps to the last.
    xdotool windowfocus "$screen" 2>/dev/null || true
    sleep 0.2
    xdotool key alt
    sleep 0.2
    xdotool key Left
    sleep 0.2
    xdotool key Return
    confirm_yes
    wait_window Form2 >/dev/null || fail "leaving $name with Esci -> Sì did not bring the menu back"
    echo "smoke: $name opened and left"
done

menu=$(window Form2)
click_at "$menu" 469 435
confirm_yes
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    fail "the program did not end after Esci -> Sì"
fi
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "smoke: passed"
